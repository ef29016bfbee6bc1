#pragma once
// A peaking equalizer band (the biquad of the audio-EQ cookbook): boosts or
// cuts gain dB around a centre frequency, bandwidth in semitones.
#include "audio/audiolibrary.h"

#include <cstddef>

namespace velmoro::audio {

// y[n] = b0 x[n] + b1 x[n−1] + b2 x[n−2] − a1 y[n−1] − a2 y[n−2]
struct BiquadCoefficients {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
};

BiquadCoefficients PeakingCoefficients(const EqParameters& p, double sampleRate);

// The gain in dB that coefficients give at `frequency`.
double ResponseDb(const BiquadCoefficients& c, double frequency, double sampleRate);

// One band on its own, in double precision: the reference the band cascade
// of the mixer is held to, and the curve's response.
class PeakingEq {
public:
    // Recomputes the coefficients; the filter state is kept so a change of
    // gain while playing does not click.
    void Configure(const EqParameters& p, double sampleRate) { m_c = PeakingCoefficients(p, sampleRate); }
    // Filters interleaved stereo samples in place.
    void Process(float* samples, std::size_t frames);
    double ResponseDb(double frequency, double sampleRate) const
    {
        return audio::ResponseDb(m_c, frequency, sampleRate);
    }

private:
    BiquadCoefficients m_c;
    double m_x1[2] = {}, m_x2[2] = {}, m_y1[2] = {}, m_y2[2] = {};
};

} // namespace velmoro::audio
