#pragma once
// The equalizer engine: ten bands with fixed centres and their gains
// (EqSlider), the on/off switch (EqEnabled), and ApplyEqualizer, which
// pushes them to the effects of the current stream.
//
// Two modes, chosen by the setting "Equalizzatore attivo"
// (EqualizzatoreAttivoCheck). Off, the design's equalizer: no effect is ever
// attached, so EqFx stays 0 and the pushes (bands 1 to 7) are heard by
// nobody. On, a preamplifier and ten bands are attached to every stream the
// engine opens, all ten bands are pushed, and a change of gain or preset is
// pushed at once.
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "settings/settings.h"

#include <QObject>

#include <array>

namespace velmoro::app {

inline constexpr std::array<float, 10> kEqBandCentres{80,   170,  310,   600,   1000,
                                                      3000, 6000, 12000, 14000, 16000};
inline constexpr int kEqLowestGain = -14;
inline constexpr int kEqHighestGain = 14;
// Bandwidths in semitones: narrow while on, wide (and flat) while off.
inline constexpr float kEqBandwidthOn = 3;
inline constexpr float kEqBandwidthOff = 10;

enum class EqualizerMode { Designed, Audible };

// The gain in dB that bands of these gains give at a frequency, at 44.1 kHz
// and the bandwidth of the equalizer switched on (for drawing the curve).
double EqualizerResponseDb(const std::array<std::int32_t, 10>& gains, double frequency);

class EqualizerEngine : public QObject {
    Q_OBJECT
public:
    EqualizerEngine(EqualizerState& eq, const PlaybackState& playback, const settings::Settings& settings,
                    audio::IAudioLibrary& audio, QObject* parent = nullptr);

    EqualizerMode Mode() const;

    // Pushes EqEnabled and EqSlider: bands 1 to 7 in the designed mode, all
    // ten and the preamplifier in the audible one.
    void ApplyEqualizer();

    // After each open: in the audible mode, attaches the preamplifier and
    // the ten bands to CurrentStream and pushes them. The stream fading out
    // keeps the effects it had until it is freed.
    void StreamOpened();

    // A slider of the window in the audible mode: 0 the preamplifier, 1 to
    // 10 the bands. Held at −14…+14 and pushed at once.
    void SetGain(int slider, int dB);
    int Gain(int slider) const;

    // A preset's gains into EqSlider, held at −14…+14. The designed mode
    // pushes nothing (the switch pushes them); the audible mode pushes at once.
    void LoadGains(const std::array<std::int32_t, 10>& gains);

private:
    void Attach(audio::Handle stream);
    void Push(audio::Handle fx, float centre, float bandwidth, float gain);
    void ModeChanged();

    EqualizerState& m_eq;
    const PlaybackState& m_playback;
    const settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
};

} // namespace velmoro::app
