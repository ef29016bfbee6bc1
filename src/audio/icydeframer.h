#pragma once
// Takes the metadata blocks out of a Shoutcast/Icecast stream: after every
// `interval` audio bytes comes one length byte, then length × 16 bytes of
// metadata text. Bytes may arrive in pieces of any size.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmoro::audio {

// One metadata block, whole, with the place in the audio where it came.
struct IcyMetadata {
    // Audio bytes that the same Push appended before the block.
    std::size_t audioOffset = 0;
    std::string text; // trailing NUL padding removed
};

class IcyDeframer {
public:
    // interval 0: no metadata, every byte is audio.
    explicit IcyDeframer(std::size_t interval = 0) : m_interval(interval), m_untilMeta(interval) {}

    // Appends the audio bytes among the given ones to audio, and each
    // non-empty metadata block completed here to metadata when it is given.
    void Push(const std::uint8_t* bytes, std::size_t length, std::vector<std::uint8_t>& audio,
              std::vector<IcyMetadata>* metadata = nullptr);

private:
    std::size_t m_interval;
    std::size_t m_untilMeta;
    std::size_t m_metaRemaining = 0;
    std::string m_meta; // the block being received; at most 255 × 16 bytes
};

// The value of StreamTitle='…'; in a metadata block, as raw bytes (the
// station's encoding is not declared). None when the block has no title.
// A title may hold apostrophes: it ends at the first "';" after it begins,
// or at the last apostrophe of the block.
std::optional<std::string> IcyStreamTitle(std::string_view metadata);

} // namespace velmoro::audio
