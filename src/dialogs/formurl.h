#pragma once
// TFormURL, "Apri URL": an address typed or picked from the bookmarks, opened
// as the current stream. The bookmarks are the settings' BookmarksListBox;
// the dialog shows a copy taken each time it shows, below its lower edge
// until "Segnalibri >>" unfolds them.
#include "dialogs/keyquietdialog.h"
#include "settings/settings.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <functional>

namespace velmoro::dialogs {

class TFormURL : public KeyQuietDialog {
public:
    // What "Apri" does with the address: the engine's OpenStream.
    using OpenFunction = std::function<void(const QString& nameOrUrl)>;

    TFormURL(app::WindowFlags& windows, const settings::Settings& settings, OpenFunction open,
             QWidget* parent = nullptr);

    // In the address field until the user types another: a stream on a
    // domain reserved for examples, so it never reaches anyone's server.
    static const QString kExampleAddress;
    static constexpr int kWidth = 313;

    void ButtonBMClick();
    void ListBoxBMClick(int row);
    void ButtonOpenClick();
    void ButtonCloseClick() { close(); }

    QLabel* Label1;
    QLineEdit* EditUrl;
    QPushButton* ButtonOpen;
    QPushButton* ButtonClose;
    QPushButton* ButtonBM;
    QListWidget* ListBoxBM;

    // The heights: the bookmarks hidden below the lower edge, and shown.
    int FoldedHeight() const;
    int UnfoldedHeight() const;

protected:
    void FormShow() override;

private:
    const settings::Settings& m_settings;
    OpenFunction m_open;
};

} // namespace velmoro::dialogs
