#pragma once
// The effects attached to one stream. The mixer runs them over each block
// the stream contributes, before its volume and pan, so a new setting is
// heard with the next block rather than after the decoded buffer. Every
// change glides from the value reached to the new one over kRampSeconds, as
// every gain in the mixer does, so moving a band never clicks.
//
// Locks: everything here belongs to the mixer's lock.
#include "audio/audiolibrary.h"
#include "audio/peakingeq.h"

#include <cstddef>
#include <vector>

namespace velmoro::audio {

class EffectChain {
public:
    static constexpr double kRampSeconds = 0.02;
    // Coefficients are recomputed this often while a change glides.
    static constexpr std::size_t kRampChunk = 32;
    // Attaching more than this many to one stream allocates under the lock.
    static constexpr std::size_t kReserved = 16;

    EffectChain() { m_effects.reserve(kReserved); }

    void Add(Handle handle, FxKind kind);
    // False when no effect of this chain has that handle.
    bool Set(Handle handle, const EqParameters& parameters);
    bool Empty() const { return m_effects.empty(); }

    // Interleaved stereo at `rate`, in place. Allocates nothing.
    void Process(float* samples, std::size_t frames, int rate);

private:
    struct Effect {
        Handle handle = 0;
        FxKind kind = FxKind::PeakingEq;
        EqParameters from;    // where the glide started
        EqParameters target;  // where it ends
        EqParameters current; // reached
        std::size_t step = 0; // chunks of the glide done
        std::size_t steps = 0;
        int rate = 0; // the rate the filter was configured for
        PeakingEq filter;
        float linearGain = 1; // for FxKind::Gain, at the end of the last chunk
    };
    static void ProcessChunk(Effect& e, float* samples, std::size_t frames, int rate);

    std::vector<Effect> m_effects;
};

} // namespace velmoro::audio
