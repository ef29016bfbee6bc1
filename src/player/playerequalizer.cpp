// The player's side of the equalizer: its button, the "Equalizatore" item
// and the E key, and the equalizer window's skin.
#include "player/playerform.h"

#include "skin/skinsource.h"

#include <QMessageBox>

namespace velmoro::player {

void TPlayerForm::MainPlayerSkinEqualizerClick()
{
    if (Equalizer.Mode() == app::EqualizerMode::Audible) {
        ShowEqualizerWindow(MainPlayerSkin->Checked().testFlag(skin::ckEqualizer));
        return;
    }
    QMessageBox::information(this, windowTitle(),
                             QStringLiteral("equalizzatore al momento non funzionante!"));
}

void TPlayerForm::EqualizerCommand()
{
    if (Equalizer.Mode() != app::EqualizerMode::Audible) {
        MainPlayerSkinEqualizerClick();
        return;
    }
    const bool shown = !(FormEqualizzatore && FormEqualizzatore->isVisible());
    skin::TSkinChecked checked = MainPlayerSkin->Checked();
    checked.setFlag(skin::ckEqualizer, shown);
    MainPlayerSkin->SetChecked(checked);
    ShowEqualizerWindow(shown);
}

// A window not made yet takes the skin when it is first shown.
void TPlayerForm::LoadEqualizerSkin()
{
    if (!FormEqualizzatore)
        return;
    const std::unique_ptr<skin::SkinSource> source = skin::OpenSkinSource(m_state.Dirs.SkinDir);
    FormEqualizzatore->CaricaEqSkinClick(source ? *source : skin::BuiltInSkin());
}

void TPlayerForm::ShowEqualizerWindow(bool shown)
{
    if (!shown && !FormEqualizzatore)
        return;
    EqualizerWindow();
    if (shown)
        LoadEqualizerSkin();
    FormEqualizzatore->setVisible(shown);
}

} // namespace velmoro::player
