#pragma once
// A peaking equalizer band (the biquad of the audio-EQ cookbook): boosts or
// cuts gain dB around a centre frequency, bandwidth in semitones.
#include "audio/audiolibrary.h"

namespace velmoro::audio {

class PeakingEq {
public:
    // Recomputes the coefficients; the filter state is kept so a change of
    // gain while playing does not click.
    void Configure(const EqParameters& p, double sampleRate);
    // Filters interleaved 16-bit stereo samples in place, saturating.
    void Process(std::int16_t* samples, std::size_t frames);

private:
    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1[2] = {}, m_x2[2] = {}, m_y1[2] = {}, m_y2[2] = {};
};

} // namespace velmoro::audio
