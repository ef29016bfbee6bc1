#pragma once
// TjumptoForm, "Vai alla posizione": moves the current stream to a
// position typed as minutes and seconds. The text stays for the next time.
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "dialogs/hotkeydialog.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmoro::dialogs {

class TjumptoForm : public HotKeyDialog {
    Q_OBJECT
public:
    TjumptoForm(app::WindowFlags& flags, const app::PlaybackState& playback, audio::IAudioLibrary& audio,
                QWidget* parent = nullptr);

    // Jumps and closes; a bad entry is told and the dialog stays for the fix.
    void okBtnClick();
    void closeBtnClick() { close(); }

    QLabel* Label1;
    QLineEdit* mmssEdit;
    QPushButton* okBtn;
    QPushButton* closeBtn;

    // How a bad entry is told; tests put a function that records it.
    std::function<void(const QString& text)> ShowMessage;

private:
    const app::PlaybackState& m_playback;
    audio::IAudioLibrary& m_audio;
};

} // namespace velmoro::dialogs
