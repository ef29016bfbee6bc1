// The player's windows that are made the first time they are wanted.
#include "player/playerform.h"

namespace velmoro::player {

options::TOpzioniForm& TPlayerForm::Options()
{
    if (!OpzioniForm) {
        // It takes the language in force itself: its value captions follow.
        OpzioniForm = std::make_unique<options::TOpzioniForm>(
            m_state, m_settings, m_audio, SettingsEffects.Fades(), Languages, *this, m_showError);
        ConnectOptionsButtons();
        if (m_optionsMade)
            m_optionsMade(*OpzioniForm);
    }
    return *OpzioniForm;
}

void TPlayerForm::WhenOptionsMade(std::function<void(options::TOpzioniForm&)> connect)
{
    m_optionsMade = std::move(connect);
    if (OpzioniForm && m_optionsMade)
        m_optionsMade(*OpzioniForm);
}

options::TSkinBrowserForm& TPlayerForm::SkinBrowser()
{
    if (!SkinBrowserForm) {
        SkinBrowserForm = std::make_unique<options::TSkinBrowserForm>(m_state, m_settings, *this);
        WindowMade(*SkinBrowserForm);
    }
    return *SkinBrowserForm;
}

equalizer::TFormEqualizzatore& TPlayerForm::EqualizerWindow()
{
    if (!FormEqualizzatore) {
        FormEqualizzatore = std::make_unique<equalizer::TFormEqualizzatore>(m_state, m_settings, Equalizer);
        FormEqualizzatore->move(m_equalizerPlace);
        // After the engine's own: a genre's preset goes on the effects the
        // engine has just attached.
        connect(&Engine, &app::PlaybackEngine::StreamOpened, FormEqualizzatore.get(),
                &equalizer::TFormEqualizzatore::StreamOpened);
        WindowMade(*FormEqualizzatore);
        WindowMade(*FormEqualizzatore->FormEqPreset);
    }
    return *FormEqualizzatore;
}

QPoint TPlayerForm::EqualizerPlace() const
{
    return FormEqualizzatore ? FormEqualizzatore->pos() : m_equalizerPlace;
}

void TPlayerForm::MoveEqualizer(QPoint at)
{
    if (FormEqualizzatore)
        FormEqualizzatore->move(at);
    else
        m_equalizerPlace = at;
}

} // namespace velmoro::player
