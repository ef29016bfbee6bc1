#pragma once
// The base of the dialogs the user types into: while one shows, the
// player's single-key commands keep quiet, and they listen again when it
// closes, however it closes (its button, Escape, the window's close box).
#include "app/playerstate.h"

#include <QDialog>

namespace velmoro::dialogs {

class HotKeyDialog : public QDialog {
    Q_OBJECT
public:
    HotKeyDialog(app::WindowFlags& flags, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

    app::WindowFlags& m_flags;
};

} // namespace velmoro::dialogs
