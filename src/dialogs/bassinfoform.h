#pragma once
// TBassInfoForm, "Bass Info": what the audio library reports about the output
// device, listed in a fixed-pitch font.
#include "audio/audiolibrary.h"
#include "dialogs/keyquietdialog.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace velmoro::dialogs {

class TBassInfoForm : public KeyQuietDialog {
public:
    TBassInfoForm(app::WindowFlags& windows, audio::IAudioLibrary& audio, QWidget* parent = nullptr);

    // The list emptied and filled again from the library (the options'
    // "Info Periferica" button does this, then shows the window modally).
    void FillDeviceInformation();
    void OkButtonClick() { close(); }

    QListWidget* BassInfoListBox;
    QLabel* Label1;
    QPushButton* OkButton;

private:
    audio::IAudioLibrary& m_audio;
};

} // namespace velmoro::dialogs
