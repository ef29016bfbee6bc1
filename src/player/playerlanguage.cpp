// The player's side of the language files: every window, in the order the
// program makes them, and the language given to the ones made later.
#include "player/playerform.h"

namespace velmoro::player {

QList<QWidget*> TPlayerForm::LanguageWindows(LazyWindows lazy)
{
    const bool make = lazy == LazyWindows::Make;
    // The dialogs made on first use are the player's own children.
    const auto dialog = [this, make](const char* name, const std::function<QWidget*()>& made) -> QWidget* {
        if (make)
            return made();
        return findChild<QWidget*>(QString::fromLatin1(name), Qt::FindDirectChildrenOnly);
    };
    if (make && !m_errorWindowCaptions) {
        m_errorWindowCaptions = std::make_unique<app::TFormShowErrore>();
        WindowMade(*m_errorWindowCaptions);
    }
    const QList<QWidget*> windows{
        this,
        make ? &SkinBrowser() : SkinBrowserForm.get(),
        make ? &Options() : OpzioniForm.get(),
        dialog("mpegForm", [this] { return &Dialogs.mpegForm(); }),
        dialog("ChangeFilnameForm", [this] { return &Dialogs.ChangeFilnameForm(); }),
        PlaylistForm.get(),
        dialog("jumptoForm", [this] { return &Dialogs.jumptoForm(); }),
        dialog("jumpForm", [this] { return &Dialogs.jumpForm(); }),
        make ? &DeviceInformationDialog() : BassInfoForm.get(),
        make ? &EqualizerWindow() : FormEqualizzatore.get(),
        FormEqualizzatore ? FormEqualizzatore->FormEqPreset.get() : nullptr,
        m_errorWindowCaptions.get(),
        dialog("FormInfo", [this] { return &Dialogs.FormInfo(); }),
        make ? &UrlDialog() : FormURL.get(),
    };
    QList<QWidget*> made;
    for (QWidget* window : windows) {
        if (window)
            made << window;
    }
    return made;
}

void TPlayerForm::WindowMade(QWidget& window) const
{
    Languages.InForce().ApplyTo(window);
}

} // namespace velmoro::player
