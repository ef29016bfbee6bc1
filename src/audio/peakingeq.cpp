#include "audio/peakingeq.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace velmoro::audio {

BiquadCoefficients PeakingCoefficients(const EqParameters& p, double sampleRate)
{
    const double nyquist = sampleRate / 2;
    const double f0 = std::clamp(double(p.center), 1.0, nyquist * 0.99);
    const double bandwidth = std::clamp(double(p.bandwidth), 0.1, 36.0) / 12.0; // in octaves
    const double gain = std::clamp(double(p.gain), -30.0, 30.0);
    const double a = std::pow(10.0, gain / 40.0);
    const double w0 = 2 * M_PI * f0 / sampleRate;
    const double alpha = std::sin(w0) * std::sinh(std::log(2.0) / 2 * bandwidth * w0 / std::sin(w0));
    const double a0 = 1 + alpha / a;
    BiquadCoefficients c;
    c.b0 = (1 + alpha * a) / a0;
    c.b1 = -2 * std::cos(w0) / a0;
    c.b2 = (1 - alpha * a) / a0;
    c.a1 = c.b1;
    c.a2 = (1 - alpha / a) / a0;
    return c;
}

double ResponseDb(const BiquadCoefficients& c, double frequency, double sampleRate)
{
    const std::complex<double> z1 = std::polar(1.0, -2 * M_PI * frequency / sampleRate);
    const std::complex<double> z2 = z1 * z1;
    const std::complex<double> h = (c.b0 + c.b1 * z1 + c.b2 * z2) / (1.0 + c.a1 * z1 + c.a2 * z2);
    return 20 * std::log10(std::abs(h));
}

void PeakingEq::Process(float* samples, std::size_t frames)
{
    for (std::size_t i = 0; i < frames; ++i) {
        for (int c = 0; c < 2; ++c) {
            const double x = samples[2 * i + std::size_t(c)];
            const double y =
                m_c.b0 * x + m_c.b1 * m_x1[c] + m_c.b2 * m_x2[c] - m_c.a1 * m_y1[c] - m_c.a2 * m_y2[c];
            m_x2[c] = m_x1[c];
            m_x1[c] = x;
            m_y2[c] = m_y1[c];
            m_y1[c] = y;
            samples[2 * i + std::size_t(c)] = float(y);
        }
    }
}

} // namespace velmoro::audio
