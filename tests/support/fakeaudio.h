#pragma once
// A recording stand-in for the audio library: streams are plain records of
// their attributes, every call is logged, and Init can be made to fail.
#include "audio/audiolibrary.h"

#include <map>
#include <utility>
#include <string>
#include <vector>

namespace velmoro::test {

class FakeAudio : public audio::IAudioLibrary {
public:
    struct Stream {
        std::string source;
        std::uint32_t flags = 0;
        std::string localCopy;
        int frequency = 44100, volume = 100, pan = 0;
        bool playing = false;
        std::uint32_t length = 0;
        std::uint32_t position = 0;
        std::uint32_t level = 0;
        std::vector<audio::Handle> dsps;
    };

    std::vector<std::string> calls;
    std::map<audio::Handle, Stream> streams;
    std::vector<audio::Handle> freed;
    std::vector<std::string> devices{"Scheda audio", "Cuffie"};
    bool initFails = false;
    bool createFails = false;
    int initDevice = -2;
    std::uint32_t initFlags = 0;
    int globalStream = -1;
    int outputVolume = -1;
    float bufferSeconds = -1; // none asked for
    std::vector<std::pair<bool, bool>> logCurves;
    // A network stream's format comes with its first frames: until a test
    // sets them, its length and rate answer 0.
    std::uint32_t urlLength = 0;
    std::map<audio::Handle, audio::StreamTags> tags; // what a station has sent, by stream
    int urlFrequency = 0;

    Stream* Find(audio::Handle h)
    {
        auto it = streams.find(h);
        return it == streams.end() ? nullptr : &it->second;
    }

    bool GetDeviceDescription(int device, std::string& d) override
    {
        if (device < 0 || std::size_t(device) >= devices.size())
            return false;
        d = devices[std::size_t(device)];
        return true;
    }
    bool Init(int device, std::uint32_t, std::uint32_t flags) override
    {
        calls.push_back("Init");
        initDevice = device;
        initFlags = flags;
        return !initFails;
    }
    bool Start() override
    {
        calls.push_back("Start");
        return true;
    }
    void Free() override
    {
        calls.push_back("Free");
        streams.clear();
    }
    bool GetInfo(audio::DeviceInfo&) override { return false; }
    void SetBufferLength(float seconds) override { bufferSeconds = seconds; }
    void SetLogCurves(bool volume, bool pan) override { logCurves.push_back({volume, pan}); }
    void SetGlobalVolumes(int, int, int stream) override { globalStream = stream; }
    void SetVolume(int volume) override { outputVolume = volume; }
    audio::Handle StreamCreateFile(const std::string& file, std::uint32_t flags) override
    {
        calls.push_back("StreamCreateFile " + file);
        if (createFails)
            return 0;
        const audio::Handle h = m_next++;
        Stream s;
        s.source = file;
        s.flags = flags;
        streams[h] = s;
        return h;
    }
    audio::Handle StreamCreateMemory(const void*, std::size_t, std::uint32_t) override { return 0; }
    audio::Handle StreamCreateURL(const std::string& url, std::uint32_t flags,
                                  const std::string& copy) override
    {
        const audio::Handle h = m_next++;
        Stream s;
        s.source = url;
        s.flags = flags;
        s.localCopy = copy;
        s.length = urlLength;
        s.frequency = urlFrequency;
        streams[h] = s;
        calls.push_back("StreamCreateURL " + url);
        return h;
    }
    bool StreamPlay(audio::Handle h, bool, std::uint32_t) override
    {
        Stream* s = Find(h);
        return s && (s->playing = true);
    }
    bool StreamFree(audio::Handle h) override
    {
        freed.push_back(h);
        return streams.erase(h) > 0;
    }
    bool ChannelStop(audio::Handle h) override
    {
        Stream* s = Find(h);
        return s && !(s->playing = false);
    }
    bool ChannelPause(audio::Handle h) override
    {
        calls.push_back("ChannelPause");
        return ChannelStop(h);
    }
    bool StreamGetTags(audio::Handle h, std::uint32_t seen, audio::StreamTags& out) override
    {
        const auto it = tags.find(h);
        if (it == tags.end() || it->second.changes == seen)
            return false;
        out = it->second;
        return true;
    }
    std::uint32_t StreamGetLength(audio::Handle h) override
    {
        Stream* s = Find(h);
        return s ? s->length : 0;
    }
    std::uint32_t ChannelGetPosition(audio::Handle h) override
    {
        Stream* s = Find(h);
        return s ? s->position : 0;
    }
    bool ChannelSetPosition(audio::Handle h, std::uint32_t position) override
    {
        Stream* s = Find(h);
        if (!s || position > s->length)
            return false;
        s->position = position;
        return true;
    }
    bool ChannelGetAttributes(audio::Handle h, int* f, int* v, int* p) override
    {
        Stream* s = Find(h);
        if (!s)
            return false;
        *f = s->frequency;
        *v = s->volume;
        *p = s->pan;
        return true;
    }
    bool ChannelSetAttributes(audio::Handle h, int f, int v, int p) override
    {
        Stream* s = Find(h);
        if (!s)
            return false;
        // −1 (rate, volume) and −101 (pan) leave a value as it is, as in
        // the real library. It takes 0–100 only; a fake that clamped would
        // hide a caller that asks for less.
        if (v != -1 && (v < 0 || v > 100))
            calls.push_back("volume out of range " + std::to_string(v));
        if (f != -1) {
            calls.push_back("rate set " + std::to_string(f));
            s->frequency = f;
        }
        if (v != -1)
            s->volume = v;
        if (p != -101)
            s->pan = p;
        return true;
    }
    std::uint32_t ChannelGetLevel(audio::Handle h) override
    {
        Stream* s = Find(h);
        return s ? s->level : 0;
    }
    audio::Handle ChannelSetDSP(audio::Handle h, audio::DspProc, void*) override
    {
        Stream* s = Find(h);
        if (!s)
            return 0;
        s->dsps.push_back(m_next++);
        return s->dsps.back();
    }
    audio::Handle ChannelSetPositionedDSP(audio::Handle h, audio::PositionedDspProc, void*) override
    {
        return ChannelSetDSP(h, nullptr, nullptr);
    }
    bool ChannelRemoveDSP(audio::Handle h, audio::Handle dsp) override
    {
        calls.push_back("ChannelRemoveDSP");
        Stream* s = Find(h);
        return s && std::erase(s->dsps, dsp) > 0;
    }
    // Effects attached to a stream of the fake, with their kind, and every
    // parameter block pushed to any handle, in order.
    struct Effect {
        audio::Handle stream;
        audio::FxKind kind;
    };
    std::map<audio::Handle, Effect> effects;
    struct Push {
        audio::Handle fx;
        audio::EqParameters parameters;
    };
    std::vector<Push> fxPushes;
    audio::Handle ChannelSetFX(audio::Handle h, audio::FxKind kind) override
    {
        if (!Find(h))
            return 0;
        const audio::Handle fx = m_next++;
        effects[fx] = {h, kind};
        return fx;
    }
    bool FXSetParameters(audio::Handle fx, const audio::EqParameters& p) override
    {
        fxPushes.push_back({fx, p});
        return effects.contains(fx);
    }
    bool GetFFTSamples(audio::Handle, std::array<float, audio::kFftBins>&) override { return false; }

private:
    audio::Handle m_next = 1;
};

} // namespace velmoro::test
