#include "audio/effectchain.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace velmoro::audio {

namespace {

// A point of the glide: gain and bandwidth in a straight line, the centre
// on the octave scale, as the ear hears it.
EqParameters Between(const EqParameters& from, const EqParameters& to, double t)
{
    const auto line = [t](float a, float b) { return float(a + (b - a) * t); };
    const double logFrom = std::log2(std::max(1.0f, from.center));
    const double logTo = std::log2(std::max(1.0f, to.center));
    return {float(std::exp2(logFrom + (logTo - logFrom) * t)), line(from.bandwidth, to.bandwidth),
            line(from.gain, to.gain)};
}

float LinearGain(float dB)
{
    return std::pow(10.0f, std::clamp(dB, -30.0f, 30.0f) / 20.0f);
}

} // namespace

bool EffectChain::Add(Handle handle, FxKind kind)
{
    if (int(m_effects.size()) == kMaxEffects)
        return false;
    Effect e;
    e.handle = handle;
    e.kind = kind;
    // A new effect changes nothing until it is given parameters.
    e.target.gain = e.from.gain = e.current.gain = 0;
    e.step = e.steps = 1;
    if (kind == FxKind::PeakingEq) {
        e.band = m_bands.Bands();
        m_bands.AddBand();
    }
    m_effects.push_back(e);
    return true;
}

bool EffectChain::Set(Handle handle, const EqParameters& parameters)
{
    for (Effect& e : m_effects) {
        if (e.handle != handle)
            continue;
        e.from = e.current;
        e.target = parameters;
        e.step = 0;
        e.steps = 0; // the rate decides how many, at the next block
        return true;
    }
    return false;
}

bool EffectChain::Glide(Effect& e, int rate)
{
    if (e.steps == 0)
        e.steps = std::max<std::size_t>(1, std::size_t(std::ceil(kRampSeconds * rate / double(kRampChunk))));
    if (e.step >= e.steps)
        return false;
    ++e.step;
    e.current = Between(e.from, e.target, double(e.step) / double(e.steps));
    return true;
}

void EffectChain::ApplyGain(Effect& e, float* samples, std::size_t frames, int rate)
{
    for (std::size_t done = 0; done < frames; done += kRampChunk) {
        const std::size_t n = std::min(kRampChunk, frames - done);
        const float before = e.linearGain;
        Glide(e, rate);
        e.linearGain = LinearGain(e.current.gain);
        const float step = (e.linearGain - before) / float(n);
        float g = before;
        for (std::size_t i = done; i < done + n; ++i) {
            g += step;
            samples[2 * i] *= g;
            samples[2 * i + 1] *= g;
        }
    }
}

void EffectChain::Process(float* samples, std::size_t frames, int rate)
{
    if (rate <= 0)
        return;
    for (Effect& e : m_effects) {
        if (e.kind == FxKind::Gain)
            ApplyGain(e, samples, frames, rate);
    }
    if (m_bands.Bands() == 0)
        return;
    // Flat bands at rest (the equalizer switched off) cost nothing.
    const bool resting = std::all_of(m_effects.begin(), m_effects.end(), [](const Effect& e) {
        return e.kind != FxKind::PeakingEq || (e.step >= e.steps && e.steps != 0 && e.current.gain == 0);
    });
    if (resting && m_rate == rate && m_bands.Settle())
        return;
    const bool rateChanged = std::exchange(m_rate, rate) != rate;
    m_bands.Process(samples, frames, kRampChunk, [&] {
        for (Effect& e : m_effects) {
            if (e.kind == FxKind::PeakingEq && (Glide(e, rate) || rateChanged))
                m_bands.SetBand(e.band, PeakingCoefficients(e.current, rate));
        }
    });
}

} // namespace velmoro::audio
