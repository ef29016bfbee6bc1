#include "dialogs/hotkeydialog.h"

#include <QHideEvent>

namespace velmoro::dialogs {

HotKeyDialog::HotKeyDialog(app::WindowFlags& flags, QWidget* parent) : QDialog(parent), m_flags(flags)
{
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
}

void HotKeyDialog::showEvent(QShowEvent* event)
{
    m_flags.HotKeysEnabled = false;
    m_flags.DialogOpen = true;
    QDialog::showEvent(event);
}

// A spontaneous hide is the desktop minimising the window: the dialog is
// still open.
void HotKeyDialog::hideEvent(QHideEvent* event)
{
    if (!event->spontaneous()) {
        m_flags.HotKeysEnabled = true;
        m_flags.DialogOpen = false;
    }
    QDialog::hideEvent(event);
}

} // namespace velmoro::dialogs
