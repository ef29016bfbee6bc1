// When what was decoded is heard: the DSP functions that are told each
// block's position, and the position the listener hears now.
#include "audio/library.h"

#include <algorithm>

namespace velmoro::audio {

Handle AudioLibrary::ChannelSetPositionedDSP(Handle channel, PositionedDspProc proc, void* user)
{
    return proc ? AddDsp(channel, nullptr, proc, user) : 0;
}

std::uint32_t AudioLibrary::ChannelGetHeardPosition(Handle channel)
{
    const auto s = Find(channel);
    if (!s)
        return 0;
    double mixed = 0;
    int frequency = 0;
    {
        std::lock_guard lock(m_mixer.Lock());
        mixed = s->playPos;
        frequency = s->frequency;
    }
    // The output's latency is asked after the mixed position: a block mixed
    // in between then counts as not yet heard, so the answer errs late, never
    // early.
    double latency = 0;
    {
        std::lock_guard output(m_outputMutex);
        if (m_output && m_outputRunning)
            latency = m_output->LatencySeconds();
    }
    const double heard = std::max(0.0, mixed - latency * std::max(frequency, 0));
    return std::uint32_t(std::min(heard * 4, double(UINT32_MAX)));
}

} // namespace velmoro::audio
