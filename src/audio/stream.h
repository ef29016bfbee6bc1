#pragma once
// One stream: its decoder, the ring of decoded frames that the update thread
// fills and the mixer drains, its attributes, DSP functions and effects.
//
// Locks: `decodeMutex` is held by whoever drives the decoder (the update
// thread while decoding a block and storing it, the control thread while
// seeking). `processMutex` guards the DSP list; the update thread
// holds it while calling them, so removing one waits for a running call. The
// ring, the play position and everything marked "mixer" belong to the
// mixer's lock (see Mixer).
#include "audio/audiolibrary.h"
#include "audio/decoder.h"
#include "audio/effectchain.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace velmoro::audio {

class UrlSource;

inline constexpr std::size_t kHistoryFrames = 1024; // what levels and spectra look at; a power of two

struct Stream {
    Handle handle = 0;
    std::uint32_t flags = 0;

    std::mutex decodeMutex;
    std::unique_ptr<Decoder> decoder;
    std::shared_ptr<UrlSource> url; // set for streams from the network

    std::mutex processMutex;
    struct Dsp {
        Handle handle;
        DspProc proc;
        PositionedDspProc positioned;
        void* user;
    };
    std::vector<Dsp> dsps;
    EffectChain effects; // mixer

    // mixer: decoded frames [decodedEnd − buffered, decodedEnd) at
    // ring[(frame % capacity) * 2]
    std::vector<std::int16_t> ring;
    std::size_t capacity = 0;    // frames
    std::int64_t decodedEnd = 0; // absolute frame after the last decoded one
    double playPos = 0;          // absolute frame being heard (fractional)
    bool decodeEnded = false;    // the decoder has nothing more to give
    bool playing = false;
    int frequency = 0;         // the rate heard; 0 until the decoder gives one
    bool frequencySet = false; // the caller chose the frequency: it wins over the decoder's
    int decoderRate = 0;       // the decoder's rate of the frames being heard
    int storedRate = 0;        // the decoder's rate of the last frames stored
    struct RateChange {
        std::int64_t frame; // the first frame at the new rate
        int rate;
    };
    // The decoder's changes of rate in frames decoded but not yet heard,
    // oldest first; kept within kMaxRateChanges, so adding never allocates.
    std::vector<RateChange> rateChanges;
    static constexpr std::size_t kMaxRateChanges = 16;
    int volume = 100;
    int pan = 0;
    float lastLeft = 0; // gains reached at the end of the last block
    float lastRight = 0;
    std::int64_t lengthFrames = -1; // −1 unknown
    // What this stream contributed to the last kHistoryFrames output frames,
    // after its own volume and pan: levels and the spectrum read it.
    std::vector<float> history = std::vector<float>(kHistoryFrames * 2);
    std::size_t historyPos = 0;

    // The song titles of a network stream by the frame where each begins:
    // the update thread adds them as it feeds their audio to the decoder,
    // and each counts in tags once it is heard. Under tagsMutex.
    std::mutex tagsMutex;
    struct TitleAt {
        std::int64_t frame;
        std::string title;
    };
    static constexpr std::size_t kMaxTitlesAhead = 16;
    std::deque<TitleAt> titlesAhead;
    StreamTags tags;

    std::atomic<bool> freed{false};

    Stream() { rateChanges.reserve(kMaxRateChanges); }

    // Under the mixer's lock. Frames from decodedEnd on come at `rate`.
    void StoreRate(int rate)
    {
        if (rate == storedRate)
            return;
        storedRate = rate;
        rateChanges.push_back({decodedEnd, rate});
        FollowDecoderRate();
    }
    bool RateChangesFull() const { return rateChanges.size() >= kMaxRateChanges; }
    // Under the mixer's lock: takes on the decoder's rate for the frames
    // reached; returns the frame where the rate changes next.
    std::int64_t FollowDecoderRate()
    {
        const auto heard = std::int64_t(playPos);
        std::size_t due = 0;
        for (; due < rateChanges.size() && rateChanges[due].frame <= heard; ++due)
            decoderRate = rateChanges[due].rate;
        rateChanges.erase(rateChanges.begin(), rateChanges.begin() + std::ptrdiff_t(due));
        if (!frequencySet)
            frequency = decoderRate;
        return rateChanges.empty() ? INT64_MAX : rateChanges.front().frame;
    }
    // Under the mixer's lock, after a seek: what was decoded ahead is gone.
    void ForgetDecodedRates()
    {
        rateChanges.clear();
        storedRate = 0;
    }
};

} // namespace velmoro::audio
