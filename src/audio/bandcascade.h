#pragma once
// Peaking bands in series over interleaved stereo, computed as a wavefront:
// at each step band k works on the frame one step behind the frame of band
// k − 1, so every band of both channels runs side by side in vector lanes
// (lane 2k + channel) instead of one band after the other, each waiting on
// its own previous sample. What comes out is exactly the bands in series;
// the frames of a block are all done when Process returns.
#include "audio/peakingeq.h"

#include <algorithm>
#include <cstddef>

namespace velmoro::audio {

class BandCascade {
public:
    static constexpr int kMaxBands = 16;

    int Bands() const { return m_bands; }
    // A band that passes everything; false when kMaxBands are there.
    bool AddBand();
    void SetBand(int band, const BiquadCoefficients& c);
    // With every band flat, whether what earlier settings left in the bands
    // has died away; then the bands are cleared, and passing frames through
    // them would change nothing.
    bool Settle();

    // Runs the frames through every band, in place. Before every `every`
    // steps, beforeChunk() may change bands: a change reaches each band at
    // its own frame of the step, a few frames apart, which a glide cannot
    // tell.
    template <typename BeforeChunk>
    void Process(float* samples, std::size_t frames, std::size_t every, BeforeChunk&& beforeChunk)
    {
        const auto n = std::ptrdiff_t(frames);
        const std::ptrdiff_t last = m_bands - 1;
        for (std::ptrdiff_t t = 0; t < n + last; ++t) {
            if (t % std::ptrdiff_t(every) == 0)
                beforeChunk();
            // The bands busy at this step: those whose frame t − k is a frame of the block.
            const int lo = 2 * int(std::max<std::ptrdiff_t>(0, t - (n - 1)));
            const int hi = 2 * int(std::min(last, t)) + 2;
            Step(t < n ? samples + 2 * t : nullptr, lo, hi);
            if (t >= last)
                std::copy_n(m_out + 2 * last, 2, samples + 2 * (t - last));
        }
    }

private:
    static constexpr int kLanes = 2 * kMaxBands;
    void Step(const float* input, int lo, int hi);

    int m_bands = 0;
    // Transposed direct form II, one lane a band and channel.
    float m_b0[kLanes] = {}, m_b1[kLanes] = {}, m_b2[kLanes] = {}, m_a1[kLanes] = {}, m_a2[kLanes] = {};
    float m_s1[kLanes] = {}, m_s2[kLanes] = {};
    float m_out[kLanes] = {}; // each lane's output of the last step
};

} // namespace velmoro::audio
