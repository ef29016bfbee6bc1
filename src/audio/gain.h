#pragma once
// How volumes and pan become channel gains. Pure functions, so each rule has
// its own test.
#include <cmath>

namespace velmoro::audio {

struct StereoGain {
    float left = 0;
    float right = 0;
    friend bool operator==(const StereoGain&, const StereoGain&) = default;
};

// A 0–100 volume as a gain. Linear: volume / 100. Logarithmic: 0.4 dB per
// point below 100, so 50 is −20 dB and 1 is −39.6 dB; 0 is silence either way.
inline float VolumeGain(int volume, bool logarithmic)
{
    if (volume <= 0)
        return 0;
    if (volume >= 100)
        return 1;
    if (!logarithmic)
        return float(volume) / 100.0f;
    return std::pow(10.0f, -float(100 - volume) * 0.4f / 20.0f);
}

// Pan −100 (left) … 100 (right) as a balance: the centre leaves both
// channels whole; moving away attenuates the far channel by a constant-power
// law (−3 dB at 50, silent at 100), the near one stays whole. The
// logarithmic pan curve squares the far gain, so it falls twice as fast in dB.
inline StereoGain PanGains(int pan, bool logarithmic)
{
    const float p = float(pan < -100 ? -100 : pan > 100 ? 100 : pan) / 100.0f;
    const float law = std::cos(std::fabs(p) * float(M_PI) / 2.0f);
    const float far = logarithmic ? law * law : law;
    if (p >= 0)
        return {far, 1.0f};
    return {1.0f, far};
}

} // namespace velmoro::audio
