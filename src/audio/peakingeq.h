#pragma once
// A peaking equalizer band (the biquad of the audio-EQ cookbook): boosts or
// cuts gain dB around a centre frequency, bandwidth in semitones.
#include "audio/audiolibrary.h"

#include <cstddef>

namespace velmoro::audio {

class PeakingEq {
public:
    // Recomputes the coefficients; the filter state is kept so a change of
    // gain while playing does not click.
    void Configure(const EqParameters& p, double sampleRate);
    // Filters interleaved stereo samples in place. Floats: a boost above full
    // scale is carried on to the mixer, which saturates the sum once.
    void Process(float* samples, std::size_t frames);
    // The gain in dB that the present coefficients give at `frequency`.
    double ResponseDb(double frequency, double sampleRate) const;

private:
    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1[2] = {}, m_x2[2] = {}, m_y1[2] = {}, m_y2[2] = {};
};

} // namespace velmoro::audio
