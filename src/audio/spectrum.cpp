#include "audio/spectrum.h"

#include <kiss_fftr.h>

#include <cmath>
#include <vector>

namespace velmoro::audio {

struct Spectrum::State {
    kiss_fftr_cfg config = kiss_fftr_alloc(kFftSize, 0, nullptr, nullptr);
    std::vector<float> window = std::vector<float>(kFftSize);
    std::vector<float> input = std::vector<float>(kFftSize);
    std::vector<kiss_fft_cpx> output = std::vector<kiss_fft_cpx>(kFftSize / 2 + 1);
    float scale = 0;

    State()
    {
        double sum = 0;
        for (int i = 0; i < kFftSize; ++i) {
            window[std::size_t(i)] = float(0.5 - 0.5 * std::cos(2 * M_PI * i / kFftSize));
            sum += window[std::size_t(i)];
        }
        scale = float(2.0 / sum);
    }
    ~State() { kiss_fftr_free(config); }
};

Spectrum::Spectrum() : m_state(std::make_unique<State>())
{
}
Spectrum::~Spectrum() = default;

void Spectrum::Compute(const float* mono, std::array<float, kFftBins>& out)
{
    State& s = *m_state;
    for (int i = 0; i < kFftSize; ++i)
        s.input[std::size_t(i)] = mono[i] * s.window[std::size_t(i)];
    kiss_fftr(s.config, s.input.data(), s.output.data());
    for (int k = 0; k < kFftBins; ++k) {
        const kiss_fft_cpx c = s.output[std::size_t(k)];
        out[std::size_t(k)] = std::sqrt(c.r * c.r + c.i * c.i) * s.scale;
    }
}

} // namespace velmoro::audio
