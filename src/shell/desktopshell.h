#pragma once
// The player on the desktop: its tray icon, its taskbar button and the
// Alt+Space menu that stands for a frameless window's system menu. The
// options' "Barra" radio buttons and tray icon track bar drive the first
// two through the settings; every command goes through the command codes.
#include "app/shared.h"
#include "settings/settings.h"
#include "shell/commandcodes.h"

#include <QObject>
#include <QPoint>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

namespace velmoro::shell {

enum class TrayIconState { Hidden, Shown };
enum class TaskbarButton { Shown, Hidden };

// Where a tray click pops up the player menu: 5 pixels right of and below
// the cursor.
constexpr QPoint TrayMenuPosition(QPoint cursor)
{
    return cursor + QPoint(5, 5);
}

class DesktopShell : public QObject {
    Q_OBJECT
public:
    // player: the window whose taskbar button and Alt+Space menu these are;
    // playerMenu: what a tray click pops up.
    DesktopShell(QWidget& player, QMenu& playerMenu, CommandTarget& target, settings::Settings& settings,
                 const app::AppDirectories& dirs, QObject* parent = nullptr);
    ~DesktopShell() override;

    // A desktop without a tray shows no icon and says nothing more.
    void ShowTrayIcon(TrayIconState state);
    void RemoveTrayIcon();
    void HideTaskbarButton(TaskbarButton button);
    // Alt+Space on the player pops up the system-menu entries.
    void AddSystemMenuItems();

    // The taskbar button and tray icon as the options' "Barra" radio
    // buttons choose; it follows them from then on.
    void ApplyShowChoice();

    // The icon's clicks: left (trigger) and right (context) pop up the
    // player menu at TrayMenuPosition; other clicks do nothing.
    void TrayActivated(QSystemTrayIcon::ActivationReason reason, QPoint cursor);

    // Null while there is no icon.
    QSystemTrayIcon* TrayIcon() const { return m_tray; }
    QMenu* SystemMenu() const { return m_systemMenu; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SettingChanged(const QString& name);
    QIcon TrayPicture() const;

    QWidget& m_player;
    QMenu& m_playerMenu;
    CommandTarget& m_target;
    settings::Settings& m_settings;
    const app::AppDirectories& m_dirs;
    QSystemTrayIcon* m_tray = nullptr;
    QMenu* m_systemMenu = nullptr;
};

} // namespace velmoro::shell
