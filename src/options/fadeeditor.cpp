#include "options/fadeeditor.h"

namespace velmoro::options {

namespace {
const QString kFadeIn = QStringLiteral("FadeOffsetCheck");
const QString kFadeOut = QStringLiteral("FadeOffsetCheck1");
const QString kSpeed = QStringLiteral("TrackFadeSpeed");
const QString kSlope = QStringLiteral("TrackSlope");
} // namespace

FadeEditor::FadeEditor(settings::Settings& settings, app::PlaybackEngine& engine,
                       app::PlaybackState& playback, QObject* parent)
    : QObject(parent), m_settings(settings), m_engine(engine), m_playback(playback)
{
    connect(&m_settings, &settings::Settings::Changed, this, [this](const QString& name) {
        // A change of the chosen fade unchecks one button and checks the
        // other: the one checked now answers.
        if ((name == kFadeIn || name == kFadeOut) && m_settings.Checked(name))
            ShowChosenFade();
        else if (name == kSpeed)
            SpeedChanged();
        else if (name == kSlope)
            SlopeChanged();
    });
}

CrossfadeShape FadeEditor::Shape() const
{
    return {m_engine.TimerFadeIn.interval(), m_playback.FadeInStep, m_engine.TimerFadeOut.interval(),
            m_playback.FadeOutStep};
}

bool FadeEditor::FadeInChosen() const
{
    return !m_settings.Checked(kFadeOut);
}

void FadeEditor::ShowChosenFade()
{
    emit ShapeChanged();
    const bool in = FadeInChosen();
    m_showing = true;
    m_settings.SetPosition(kSpeed, (in ? m_engine.TimerFadeIn : m_engine.TimerFadeOut).interval());
    m_settings.SetPosition(kSlope, in ? m_playback.FadeInStep : m_playback.FadeOutStep);
    m_showing = false;
}

void FadeEditor::SpeedChanged()
{
    if (m_showing)
        return;
    (FadeInChosen() ? m_engine.TimerFadeIn : m_engine.TimerFadeOut).setInterval(m_settings.Position(kSpeed));
    emit ShapeChanged();
}

void FadeEditor::SlopeChanged()
{
    if (m_showing)
        return;
    (FadeInChosen() ? m_playback.FadeInStep : m_playback.FadeOutStep) = m_settings.Position(kSlope);
    emit ShapeChanged();
}

} // namespace velmoro::options
