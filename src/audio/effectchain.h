#pragma once
// The effects attached to one stream. The mixer runs them over each block
// the stream contributes, before its volume and pan, so a new setting is
// heard with the next block rather than after the decoded buffer. Every
// change glides from the value reached to the new one over kRampSeconds, as
// every gain in the mixer does, so moving a band never clicks.
//
// Gains and bands are linear, so their order does not change what is heard:
// the gains run first, then the bands, all in one cascade.
//
// Locks: everything here belongs to the mixer's lock.
#include "audio/audiolibrary.h"
#include "audio/bandcascade.h"

#include <cstddef>
#include <vector>

namespace velmoro::audio {

class EffectChain {
public:
    static constexpr double kRampSeconds = 0.02;
    // Coefficients are recomputed this often while a change glides.
    static constexpr std::size_t kRampChunk = 32;
    static constexpr int kMaxEffects = BandCascade::kMaxBands;

    EffectChain() { m_effects.reserve(kMaxEffects); }

    // False when the stream has kMaxEffects already.
    bool Add(Handle handle, FxKind kind);
    // False when no effect of this chain has that handle.
    bool Set(Handle handle, const EqParameters& parameters);

    // Interleaved stereo at `rate`, in place. Allocates nothing.
    void Process(float* samples, std::size_t frames, int rate);

private:
    struct Effect {
        Handle handle = 0;
        FxKind kind = FxKind::PeakingEq;
        int band = -1;        // in the cascade, for FxKind::PeakingEq
        EqParameters from;    // where the glide started
        EqParameters target;  // where it ends
        EqParameters current; // reached
        std::size_t step = 0; // chunks of the glide done
        std::size_t steps = 0;
        float linearGain = 1; // for FxKind::Gain, at the end of the last chunk
    };
    // One chunk further along the effect's glide; false when it has ended.
    static bool Glide(Effect& e, int rate);
    static void ApplyGain(Effect& e, float* samples, std::size_t frames, int rate);

    std::vector<Effect> m_effects;
    BandCascade m_bands;
    int m_rate = 0; // the rate the bands were configured for
};

} // namespace velmoro::audio
