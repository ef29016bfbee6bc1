#include "audio/bandcascade.h"

#include <cmath>

namespace velmoro::audio {

bool BandCascade::AddBand()
{
    if (m_bands == kMaxBands)
        return false;
    SetBand(m_bands++, BiquadCoefficients{});
    return true;
}

void BandCascade::SetBand(int band, const BiquadCoefficients& c)
{
    for (int lane = 2 * band; lane < 2 * band + 2; ++lane) {
        m_b0[lane] = float(c.b0);
        m_b1[lane] = float(c.b1);
        m_b2[lane] = float(c.b2);
        m_a1[lane] = float(c.a1);
        m_a2[lane] = float(c.a2);
    }
}

bool BandCascade::Settle()
{
    constexpr float kSilent = 1e-3f; // far below one step of 16-bit sound
    for (int lane = 0; lane < 2 * m_bands; ++lane) {
        if (std::fabs(m_s1[lane]) > kSilent || std::fabs(m_s2[lane]) > kSilent)
            return false;
    }
    std::fill_n(m_s1, kLanes, 0.0f);
    std::fill_n(m_s2, kLanes, 0.0f);
    return true;
}

void BandCascade::Step(const float* input, int lo, int hi)
{
    // Each lane takes what the band before it gave at the last step; the
    // first band takes the new frame.
    float in[kLanes];
    for (int lane = std::max(lo, 2); lane < hi; ++lane)
        in[lane] = m_out[lane - 2];
    if (lo == 0 && input) {
        in[0] = input[0];
        in[1] = input[1];
    }
    for (int lane = lo; lane < hi; ++lane) {
        const float x = in[lane];
        const float y = m_b0[lane] * x + m_s1[lane];
        m_s1[lane] = m_b1[lane] * x - m_a1[lane] * y + m_s2[lane];
        m_s2[lane] = m_b2[lane] * x - m_a2[lane] * y;
        m_out[lane] = y;
    }
}

} // namespace velmoro::audio
