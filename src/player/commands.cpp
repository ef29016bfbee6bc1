// The single-key commands and the toggles they share with the menus.
#include "player/playerform.h"

#include "platform/scancodes.h"

#include <QAction>
#include <QKeyEvent>

#include <algorithm>

namespace velmoro::player {

bool TPlayerForm::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        // What the user does may change what the sleeping tick would show.
        WakeRefreshTick();
        break;
    default:
        break;
    }
    // A key press reaches its window first and then the focused widget and
    // its parents; taking it at the window sees it exactly once.
    if (event->type() == QEvent::KeyPress && watched->isWindowType() && m_state.HotKeysEnabled) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat() || key->key() == Qt::Key_Up || key->key() == Qt::Key_Down)
            PlayerCommand(platform::ScanCodeOf(key->nativeScanCode(), key->key()));
    }
    return QWidget::eventFilter(watched, event);
}

void TPlayerForm::PlayerCommand(int code)
{
    switch (code) {
    case 18:
        MainPlayerSkinEqualizerClick();
        break;
    case 19:
        Repeat1Click();
        break;
    case 20:
        Sempreinprimopiano1Click();
        break;
    case 23:
        DisplayImageClick();
        break;
    case 30:
        MainPlayerSkinEjectClick();
        break;
    case 31:
        Shuffle1Click();
        break;
    case 44:
        MainPlayerSkinBackClick();
        break;
    case 45:
        MainPlayerSkinPlayClick();
        break;
    case 46:
        MainPlayerSkinPauseClick();
        break;
    case 47:
        MainPlayerSkinStopClick();
        break;
    case 48:
        MainPlayerSkinForwardClick();
        break;
    case 72:
    case 80: {
        const int volume = std::clamp(MainPlayerSkin->Volume() + (code == 72 ? 5 : -5), 0, 100);
        MainPlayerSkinVolumeChange(volume);
        MainPlayerSkin->SetVolume(volume);
        break;
    }
    case 75:
        Indietrodi5sec1Click();
        break;
    case 77:
        Avantidi5sec1Click();
        break;
    default:
        break; // the windows these open come later
    }
}

void TPlayerForm::Repeat1Click()
{
    skin::TWinampSkin& s = *MainPlayerSkin;
    s.RepeatOn = !s.RepeatOn;
    s.SetChecked(s.RepeatOn ? s.Checked() | skin::ckRepeat
                            : s.Checked() & ~skin::TSkinChecked(skin::ckRepeat));
}

void TPlayerForm::Shuffle1Click()
{
    skin::TWinampSkin& s = *MainPlayerSkin;
    s.ShuffleOn = !s.ShuffleOn;
    s.SetChecked(s.ShuffleOn ? s.Checked() | skin::ckShuffle
                             : s.Checked() & ~skin::TSkinChecked(skin::ckShuffle));
}

void TPlayerForm::Sempreinprimopiano1Click()
{
    const bool onTop = !(windowFlags() & Qt::WindowStaysOnTopHint);
    if (auto* mark = PlayerMenu->findChild<QAction*>(QStringLiteral("Sempreinprimopiano1")))
        mark->setChecked(onTop);
    const bool visible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (visible)
        show(); // changing the flags hides the window
}

} // namespace velmoro::player
