#pragma once
// Reads a stream's frames at any step through four-point cubic (Hermite)
// interpolation, so streams at 22050, 32000 or 48000 Hz, or with a changed
// frequency attribute, play at the output rate without the buzz of linear
// interpolation.
#include <cstdint>

namespace velmoro::audio {

inline float Hermite(float xm1, float x0, float x1, float x2, float t)
{
    const float c = (x1 - xm1) * 0.5f;
    const float v = x0 - x1;
    const float w = c + v;
    const float a = w + v + (x2 - x0) * 0.5f;
    const float b = w + a;
    return ((a * t - b) * t + c) * t + x0;
}

} // namespace velmoro::audio
