#pragma once
// Takes the metadata blocks out of a Shoutcast/Icecast stream: after every
// `interval` audio bytes comes one length byte, then length × 16 bytes of
// metadata text. Bytes may arrive in pieces of any size.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace velmoro::audio {

class IcyDeframer {
public:
    // interval 0: no metadata, every byte is audio.
    explicit IcyDeframer(std::size_t interval = 0) : m_interval(interval), m_untilMeta(interval) {}

    // Appends the audio bytes among the given ones to audio.
    void Push(const std::uint8_t* bytes, std::size_t length, std::vector<std::uint8_t>& audio);

private:
    std::size_t m_interval;
    std::size_t m_untilMeta;
    std::size_t m_metaRemaining = 0;
};

} // namespace velmoro::audio
