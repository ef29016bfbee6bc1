#include "audio/effectchain.h"

#include <algorithm>
#include <cmath>

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

void EffectChain::Add(Handle handle, FxKind kind)
{
    Effect e;
    e.handle = handle;
    e.kind = kind;
    // A new effect changes nothing until it is given parameters.
    e.target.gain = e.from.gain = e.current.gain = 0;
    m_effects.push_back(e);
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

void EffectChain::Process(float* samples, std::size_t frames, int rate)
{
    if (rate <= 0)
        return;
    for (Effect& e : m_effects) {
        for (std::size_t done = 0; done < frames; done += kRampChunk)
            ProcessChunk(e, samples + done * 2, std::min(kRampChunk, frames - done), rate);
    }
}

void EffectChain::ProcessChunk(Effect& e, float* samples, std::size_t frames, int rate)
{
    const float gainBefore = e.linearGain;
    if (e.steps == 0)
        e.steps = std::max<std::size_t>(1, std::size_t(std::ceil(kRampSeconds * rate / double(kRampChunk))));
    const bool gliding = e.step < e.steps;
    if (gliding) {
        ++e.step;
        e.current = Between(e.from, e.target, double(e.step) / double(e.steps));
    }
    if (e.kind == FxKind::Gain) {
        e.linearGain = LinearGain(e.current.gain);
        const float stepGain = (e.linearGain - gainBefore) / float(frames);
        float g = gainBefore;
        for (std::size_t i = 0; i < frames; ++i) {
            g += stepGain;
            samples[2 * i] *= g;
            samples[2 * i + 1] *= g;
        }
        return;
    }
    if (gliding || e.rate != rate) {
        e.filter.Configure(e.current, rate);
        e.rate = rate;
    }
    e.filter.Process(samples, frames);
}

} // namespace velmoro::audio
