#pragma once
// The spectrum of the most recent 1024 samples: a Hann window, a real FFT
// (KissFFT), 513 magnitudes scaled by 2 / Σwindow so that a full-scale sine
// at a bin's centre reads 1.0 there.
#include "audio/audiolibrary.h"

#include <memory>

namespace velmoro::audio {

inline constexpr int kFftSize = 1024;

class Spectrum {
public:
    Spectrum();
    ~Spectrum();
    Spectrum(const Spectrum&) = delete;
    Spectrum& operator=(const Spectrum&) = delete;

    // mono holds kFftSize samples in −1…1, oldest first.
    void Compute(const float* mono, std::array<float, kFftBins>& out);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

} // namespace velmoro::audio
