#include "app/equalizer.h"

#include "audio/peakingeq.h"
#include "platform/verify.h"

#include <algorithm>
#include <cmath>

namespace velmoro::app {

namespace {

const QString kAudibleSetting = QStringLiteral("EqualizzatoreAttivoCheck");

std::int32_t HeldGain(int dB)
{
    return std::clamp(dB, kEqLowestGain, kEqHighestGain);
}

} // namespace

double EqualizerResponseDb(const std::array<std::int32_t, 10>& gains, double frequency)
{
    constexpr double kRate = 44100;
    double sum = 0;
    for (std::size_t band = 0; band < gains.size(); ++band) {
        if (gains[band] == 0)
            continue;
        audio::PeakingEq filter;
        filter.Configure({kEqBandCentres[band], kEqBandwidthOn, float(gains[band])}, kRate);
        sum += filter.ResponseDb(frequency, kRate);
    }
    return sum;
}

EqualizerEngine::EqualizerEngine(EqualizerState& eq, const PlaybackState& playback,
                                 const settings::Settings& settings, audio::IAudioLibrary& audio,
                                 QObject* parent)
    : QObject(parent), m_eq(eq), m_playback(playback), m_settings(settings), m_audio(audio)
{
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        if (name == kAudibleSetting)
            ModeChanged();
    });
}

EqualizerMode EqualizerEngine::Mode() const
{
    return m_settings.Checked(kAudibleSetting) ? EqualizerMode::Audible : EqualizerMode::Designed;
}

void EqualizerEngine::ApplyEqualizer()
{
    const bool audible = Mode() == EqualizerMode::Audible;
    const int bands = audible ? 10 : 7;
    m_eq.EqParam.bandwidth = m_eq.EqEnabled ? kEqBandwidthOn : kEqBandwidthOff;
    for (int band = 0; band < bands; ++band) {
        const auto b = std::size_t(band);
        Push(m_eq.EqFx[b], kEqBandCentres[b], m_eq.EqParam.bandwidth,
             m_eq.EqEnabled ? float(m_eq.EqSlider[b]) : 0.0f);
    }
    if (audible)
        m_audio.FXSetParameters(m_eq.EqPreampFx, {0, 0, m_eq.EqEnabled ? float(m_eq.EqPreamp) : 0.0f});
}

void EqualizerEngine::Push(audio::Handle fx, float centre, float bandwidth, float gain)
{
    // One block reused for every band, as the library's callers always did.
    m_eq.EqParam.center = centre;
    m_eq.EqParam.bandwidth = bandwidth;
    m_eq.EqParam.gain = gain;
    m_audio.FXSetParameters(fx, m_eq.EqParam); // the result is not looked at
}

void EqualizerEngine::StreamOpened()
{
    if (Mode() == EqualizerMode::Audible)
        Attach(m_playback.CurrentStream);
}

void EqualizerEngine::Attach(audio::Handle stream)
{
    // Handle 0 (no stream) attaches nothing: every handle stays 0.
    m_eq.EqPreampFx = m_audio.ChannelSetFX(stream, audio::FxKind::Gain);
    for (audio::Handle& fx : m_eq.EqFx)
        fx = m_audio.ChannelSetFX(stream, audio::FxKind::PeakingEq);
    ApplyEqualizer();
}

void EqualizerEngine::ModeChanged()
{
    if (Mode() == EqualizerMode::Audible) {
        if (m_playback.CurrentStream != 0 && m_eq.EqPreampFx == 0)
            Attach(m_playback.CurrentStream);
        return;
    }
    // Back to the design: the bands go flat (gliding there) and are
    // forgotten, so nothing more is heard from them.
    const bool enabled = m_eq.EqEnabled;
    m_eq.EqEnabled = false;
    for (std::size_t b = 0; b < m_eq.EqFx.size(); ++b)
        Push(m_eq.EqFx[b], kEqBandCentres[b], kEqBandwidthOff, 0);
    m_audio.FXSetParameters(m_eq.EqPreampFx, {0, 0, 0});
    m_eq.EqEnabled = enabled;
    m_eq.EqFx.fill(0);
    m_eq.EqPreampFx = 0;
}

void EqualizerEngine::SetGain(int slider, int dB)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(slider >= 0 && slider <= 10)
    {
        return;
    }
    if (slider == 0)
        m_eq.EqPreamp = HeldGain(dB);
    else
        m_eq.EqSlider[std::size_t(slider - 1)] = HeldGain(dB);
    if (Mode() == EqualizerMode::Audible)
        ApplyEqualizer();
}

int EqualizerEngine::Gain(int slider) const
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(slider >= 0 && slider <= 10)
    {
        return 0;
    }
    return slider == 0 ? m_eq.EqPreamp : m_eq.EqSlider[std::size_t(slider - 1)];
}

void EqualizerEngine::LoadGains(const std::array<std::int32_t, 10>& gains)
{
    for (std::size_t b = 0; b < gains.size(); ++b)
        m_eq.EqSlider[b] = HeldGain(gains[b]);
    if (Mode() == EqualizerMode::Audible)
        ApplyEqualizer();
}

} // namespace velmoro::app
