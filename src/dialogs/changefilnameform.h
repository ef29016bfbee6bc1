#pragma once
// TChangeFilnameForm, "File della playlist": gives one playlist entry
// another file name; the entry reads the new file at once.
#include "dialogs/hotkeydialog.h"
#include "playlist/mpegaudiolist.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace velmoro::dialogs {

class TChangeFilnameForm : public HotKeyDialog {
    Q_OBJECT
public:
    TChangeFilnameForm(app::WindowFlags& flags, playlist::TMPEGAudioList& playlist,
                       QWidget* parent = nullptr);

    // The entry to change: FileToShow, both edits and EntryIndex.
    void SetEntry(int index, const QString& fileName);

    void ButtonModificaClick(); // renames the entry and closes
    void ButtonCloseClick() { close(); }

    QString FileToShow;
    int EntryIndex = -1;

    QLabel* Label1;
    QLineEdit* LineaEdit;
    QLabel* Label2;
    QLineEdit* ModificaEdit;
    QPushButton* ButtonModifica;
    QPushButton* ButtonClose;

    // After an entry changed: its window shows it.
    std::function<void()> OnEntryChanged;

private:
    playlist::TMPEGAudioList& m_playlist;
};

} // namespace velmoro::dialogs
