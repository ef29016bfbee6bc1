#pragma once
// A dialog that quiets the player's single-key commands while it shows, so
// that what the user types reaches the dialog and runs no command; closed,
// the keys listen again.
#include "app/playerstate.h"

#include <QDialog>

namespace velmoro::dialogs {

class KeyQuietDialog : public QDialog {
public:
    explicit KeyQuietDialog(app::WindowFlags& windows, QWidget* parent = nullptr)
        : QDialog(parent), m_windows(windows)
    {
    }

protected:
    // The dialog's own show and close handlers, after the keys are quieted
    // and before they listen again.
    virtual void FormShow() {}
    virtual void FormClose() {}

    void showEvent(QShowEvent* event) override
    {
        m_windows.HotKeysEnabled = false;
        m_windows.DialogOpen = true;
        FormShow();
        QDialog::showEvent(event);
    }
    void hideEvent(QHideEvent* event) override
    {
        FormClose();
        m_windows.HotKeysEnabled = true;
        m_windows.DialogOpen = false;
        QDialog::hideEvent(event);
    }

private:
    app::WindowFlags& m_windows;
};

} // namespace velmoro::dialogs
