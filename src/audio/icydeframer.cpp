#include "audio/icydeframer.h"

#include <algorithm>

namespace velmoro::audio {

void IcyDeframer::Push(const std::uint8_t* bytes, std::size_t length, std::vector<std::uint8_t>& audio)
{
    while (length > 0) {
        if (m_interval == 0) {
            audio.insert(audio.end(), bytes, bytes + length);
            return;
        }
        std::size_t used = 0;
        if (m_metaRemaining > 0) {
            used = std::min(length, m_metaRemaining);
            m_metaRemaining -= used;
        } else if (m_untilMeta == 0) {
            m_metaRemaining = std::size_t(bytes[0]) * 16;
            m_untilMeta = m_interval;
            used = 1;
        } else {
            used = std::min(length, m_untilMeta);
            audio.insert(audio.end(), bytes, bytes + used);
            m_untilMeta -= used;
        }
        bytes += used;
        length -= used;
    }
}

} // namespace velmoro::audio
