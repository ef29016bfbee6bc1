#include "audio/output.h"

#include "audio/log.h"

#include <algorithm>

namespace velmoro::audio {

void ManualOutput::Step(std::size_t frames)
{
    if (!m_started)
        return;
    const std::size_t offset = m_captured.size();
    m_captured.resize(offset + frames * std::size_t(m_format.BytesPerFrame()));
    m_render(m_captured.data() + offset, frames);
    m_rendered += frames;
}

void ManualOutput::Hear(std::size_t frames)
{
    m_heard = std::min<std::uint64_t>(m_rendered, m_heard + frames);
}

double ManualOutput::LatencySeconds() const
{
    return double(m_rendered - m_heard) / m_format.rate;
}

std::unique_ptr<Output> ManualProvider::Open(int device, const OutputFormat& format, RenderCallback render)
{
    if (failOpen || device < -1 || device > 0) {
        Log(LogLevel::Warning, failOpen
                                   ? std::string("the test device is busy")
                                   : "no device " + std::to_string(device) + ": the test output has one");
        return nullptr;
    }
    auto output = std::make_unique<ManualOutput>(format, std::move(render));
    m_current = output.get();
    return output;
}

} // namespace velmoro::audio
