#pragma once
// TmpegForm, "File Tags": shows what the track reader finds in one MPEG
// audio file — its description, its frame header, its ID3v1 tag — and
// saves or removes the tag. Each operation reads the file anew; the window
// keeps no track object.
#include "app/audiodevice.h"
#include "dialogs/hotkeydialog.h"
#include "dialogs/tagfields.h"

#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace velmoro::dialogs {

class TmpegForm : public HotKeyDialog {
    Q_OBJECT
public:
    // showError tells a failed save or removal, with its reason.
    TmpegForm(app::WindowFlags& flags, app::ShowErrorFunction showError, QWidget* parent = nullptr);

    // The file to show; the opener sets it before showing the window.
    QString FileToShow;

    void FormShow();
    // Saves and closes. A field Latin-1 cannot hold is told first, and the
    // user may go back to editing; a failed save is told with its reason and
    // the window stays.
    void saveButtonClick();
    void updateButtonClick(); // removes the tag; the fields stay as they are
    void Button1Click();      // Auto Build
    void closeButtonClick() { close(); }

    // The edits as they stand.
    TagEdits Edits() const;

    QGroupBox* GroupDescrizione;
    QLineEdit* fileEdit;
    QLabel* Label7;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label11;
    QSpinBox* trackSpinEdit;
    QGroupBox* GroupHeader;
    QListWidget* headerListBox;
    QGroupBox* GroupSongTags;
    QLineEdit* titleEdit;
    QLineEdit* artistEdit;
    QLineEdit* albumEdit;
    QLineEdit* commeneEdit;
    QLineEdit* yearEdit;
    QComboBox* genereComboBox;
    QPushButton* Button1;
    QPushButton* updateButton;
    QPushButton* saveButton;
    QPushButton* closeButton;

    // Asked when some fields cannot be saved as they are; true saves them
    // anyway (each such character as "?"). Tests answer for the user.
    std::function<bool(const QString& text)> ConfirmUnrepresentable;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildDescription();
    void BuildHeader();
    void BuildSongTags();
    void BuildButtons();
    void ShowFailure(TagChange change, int result);

    app::ShowErrorFunction m_showError;
};

} // namespace velmoro::dialogs
