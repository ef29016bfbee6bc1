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

class Decoder {
public:
    enum class Status { Ok, NeedMore, End, Error };

    ~Decoder();
    Decoder(const Decoder&) = delete;
    Decoder& operator=(const Decoder&) = delete;

    // nullptr when the source holds no decodable MPEG audio.
    static std::unique_ptr<Decoder> OpenFile(const std::string& path, bool halfRate, bool exactSeek);
    static std::unique_ptr<Decoder> OpenMemory(std::vector<std::uint8_t> bytes, bool halfRate,
                                               bool exactSeek);
    // A decoder that waits for Feed(); its rate is known once RateKnown().
    static std::unique_ptr<Decoder> OpenFeed(bool halfRate);

    void Feed(const std::uint8_t* bytes, std::size_t length);
    // Parses what has been fed far enough to learn the rate, if it can.
    void ProbeFormat();
    // Decodes up to maxFrames stereo frames into out; frames is what was written.
    Status Read(std::int16_t* out, std::size_t maxFrames, std::size_t& frames);
    // Moves to a frame; false when the source cannot seek there.
    bool Seek(std::int64_t frame);

    int Rate() const { return m_rate; }
    bool RateKnown() const { return m_rate > 0; }
    // Total frames, or −1 when unknown.
    std::int64_t LengthFrames() const;
    int BitRateKbps() const;

private:
    struct MemorySource {
        std::vector<std::uint8_t> bytes;
        std::int64_t pos = 0;
    };
    Decoder();
    bool Configure(bool halfRate);
    bool Prime(bool exactSeek);

    mpg123_handle_struct* m_handle = nullptr;
    std::unique_ptr<MemorySource> m_memory;
    int m_rate = 0;
    bool m_feed = false;
};

} // namespace velmoro::audio
