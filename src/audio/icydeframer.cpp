#include "audio/icydeframer.h"

#include <algorithm>

namespace velmoro::audio {

void IcyDeframer::Push(const std::uint8_t* bytes, std::size_t length, std::vector<std::uint8_t>& audio,
                       std::vector<IcyMetadata>* metadata)
{
    const std::size_t audioBefore = audio.size();
    while (length > 0) {
        if (m_interval == 0) {
            audio.insert(audio.end(), bytes, bytes + length);
            return;
        }
        std::size_t used = 0;
        if (m_metaRemaining > 0) {
            used = std::min(length, m_metaRemaining);
            m_meta.append(reinterpret_cast<const char*>(bytes), used);
            m_metaRemaining -= used;
            if (m_metaRemaining == 0) {
                const std::size_t end = m_meta.find_last_not_of('\0');
                m_meta.resize(end == std::string::npos ? 0 : end + 1);
                if (metadata && !m_meta.empty())
                    metadata->push_back({audio.size() - audioBefore, m_meta});
                m_meta.clear();
            }
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

std::optional<std::string> IcyStreamTitle(std::string_view metadata)
{
    constexpr std::string_view kKey = "StreamTitle='";
    const std::size_t key = metadata.find(kKey);
    if (key == std::string_view::npos)
        return std::nullopt;
    const std::size_t begin = key + kKey.size();
    std::size_t end = metadata.find("';", begin);
    if (end == std::string_view::npos) {
        end = metadata.rfind('\'');
        if (end == std::string_view::npos || end < begin)
            end = metadata.size();
    }
    return std::string(metadata.substr(begin, end - begin));
}

} // namespace velmoro::audio
