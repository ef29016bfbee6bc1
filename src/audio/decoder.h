#pragma once
// An MPEG audio decoder (libmpg123) that always yields interleaved 16-bit
// stereo at the stream's rate (halved when asked). Three sources: a file, a
// copy of bytes in memory, or bytes fed as they arrive from the network.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct mpg123_handle_struct;

namespace velmoro::audio {

struct DecoderOptions {
    bool halfRate = false;  // decode at half the sample rate
    bool exactSeek = false; // scan the whole source first, so seeks land on exact samples
};

class Decoder {
public:
    enum class Status { Ok, NeedMore, End, Error };

    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // nullptr when the source holds no decodable MPEG audio; the reason is logged.
    static std::unique_ptr<Decoder> OpenFile(const std::string& path, const DecoderOptions& options);
    static std::unique_ptr<Decoder> OpenMemory(std::vector<std::uint8_t> bytes,
                                               const DecoderOptions& options);
    // A decoder that waits for Feed(); its rate is known once RateKnown().
    // A feed cannot seek, so exactSeek is not used.
    static std::unique_ptr<Decoder> OpenFeed(const DecoderOptions& options);

    void Feed(const std::uint8_t* bytes, std::size_t length);
    // Fed bytes not yet decoded.
    std::size_t FedBytesWaiting() const;
    // Decodes up to maxFrames stereo frames into out; frames is what was
    // written. Every frame of one call has the same rate, Rate() after the
    // call: a change of rate in the stream ends the call early.
    Status Read(std::int16_t* out, std::size_t maxFrames, std::size_t& frames);
    // Moves to a frame; false when the source cannot seek there.
    bool Seek(std::int64_t frame);

    int Rate() const { return m_rate; }
    bool RateKnown() const { return m_rate > 0; }
    // Total frames, or −1 when unknown.
    std::int64_t LengthFrames() const;
    int BitRateKbps() const;
    // Why the last Read gave Error.
    std::string LastError() const;

private:
    struct MemorySource {
        std::vector<std::uint8_t> bytes;
        std::int64_t pos = 0;
    };
    Decoder();
    bool Configure(const DecoderOptions& options);
    bool Prime(const DecoderOptions& options);

    mpg123_handle_struct* m_handle = nullptr;
    std::unique_ptr<MemorySource> m_memory;
    int m_rate = 0;
    int m_nextRate = 0; // the rate of the frames after those the last Read returned
    bool m_feed = false;
};

} // namespace velmoro::audio
