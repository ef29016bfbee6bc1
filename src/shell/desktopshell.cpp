#include "shell/desktopshell.h"

#include "platform/logging.h"
#include "shell/iconfiles.h"

#include <QCursor>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QWidget>

namespace velmoro::shell {

namespace {

const QString kShowInBar = QStringLiteral("MostraNellaBarraCheck");
const QString kShowInTray = QStringLiteral("MostranelTrayCheck");
const QString kShowInBoth = QStringLiteral("MostraEntrambiCheck");
const QString kTrayIconTrack = QStringLiteral("TrackTryIco");

// Without any icon file the tray still needs a picture: a play sign.
QIcon PlaySignIcon()
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x30, 0xc0, 0x30));
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(QPolygon({QPoint(8, 4), QPoint(28, 16), QPoint(8, 28)}));
    return QIcon(picture);
}

} // namespace

DesktopShell::DesktopShell(QWidget& player, QMenu& playerMenu, CommandTarget& target,
                           settings::Settings& settings, const app::AppDirectories& dirs, QObject* parent)
    : QObject(parent), m_player(player), m_playerMenu(playerMenu), m_target(target), m_settings(settings),
      m_dirs(dirs)
{
    connect(&m_settings, &settings::Settings::Changed, this, &DesktopShell::SettingChanged);
}

DesktopShell::~DesktopShell()
{
    RemoveTrayIcon();
}

QIcon DesktopShell::TrayPicture() const
{
    const QString file = IconFileAt(IconFiles(m_dirs), m_settings.Position(kTrayIconTrack));
    QIcon icon(file);
    if (file.isEmpty() || icon.isNull())
        return PlaySignIcon();
    return icon;
}

void DesktopShell::ShowTrayIcon(TrayIconState state)
{
    if (state == TrayIconState::Hidden) {
        RemoveTrayIcon();
        return;
    }
    if (m_tray)
        return;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qCInfo(lcPlayer) << "the desktop has no tray: the tray icon is not shown";
    m_tray = new QSystemTrayIcon(TrayPicture(), this);
    connect(m_tray, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) { TrayActivated(reason, QCursor::pos()); });
    m_tray->show();
}

void DesktopShell::RemoveTrayIcon()
{
    delete std::exchange(m_tray, nullptr);
}

void DesktopShell::TrayActivated(QSystemTrayIcon::ActivationReason reason, QPoint cursor)
{
    if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::Context)
        m_playerMenu.popup(TrayMenuPosition(cursor));
}

void DesktopShell::HideTaskbarButton(TaskbarButton button)
{
    // The window manager leaves a tool window out of the taskbar. Changing
    // the type hides the window; one that showed shows again.
    const Qt::WindowType type = button == TaskbarButton::Hidden ? Qt::Tool : Qt::Window;
    const Qt::WindowFlags flags = m_player.windowFlags();
    if ((flags & Qt::WindowType_Mask) == type)
        return;
    const bool visible = m_player.isVisible();
    m_player.setWindowFlags((flags & ~Qt::WindowType_Mask) | type);
    if (visible)
        m_player.show();
}

void DesktopShell::AddSystemMenuItems()
{
    if (m_systemMenu)
        return;
    m_systemMenu = new QMenu(&m_player);
    m_systemMenu->setObjectName(QStringLiteral("SystemMenu"));
    for (const SystemMenuEntry& entry : SystemMenuEntries()) {
        if (entry.command != SystemMenuCommand::Pause && entry.command != SystemMenuCommand::Stop)
            m_systemMenu->addSeparator();
        QAction* action = m_systemMenu->addAction(QString::fromUtf8(entry.text));
        const CommandCode code{int(entry.command)};
        connect(action, &QAction::triggered, this, [this, code] { RunCommandCode(m_target, code); });
    }
    m_player.installEventFilter(this);
}

bool DesktopShell::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_player && event->type() == QEvent::KeyPress && m_systemMenu) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space && key->modifiers() == Qt::AltModifier) {
            // Where a framed window's system menu opens: below its corner.
            m_systemMenu->popup(m_player.mapToGlobal(QPoint(0, 0)));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// "Mostra nella barra", "Mostra nel sys tray", "Mostra in entrambi".
void DesktopShell::ApplyShowChoice()
{
    if (m_settings.Checked(kShowInBar)) {
        HideTaskbarButton(TaskbarButton::Shown);
        ShowTrayIcon(TrayIconState::Hidden);
    } else if (m_settings.Checked(kShowInTray)) {
        HideTaskbarButton(TaskbarButton::Hidden);
        ShowTrayIcon(TrayIconState::Shown);
    } else if (m_settings.Checked(kShowInBoth)) {
        HideTaskbarButton(TaskbarButton::Shown);
        ShowTrayIcon(TrayIconState::Shown);
    }
}

void DesktopShell::SettingChanged(const QString& name)
{
    if ((name == kShowInBar || name == kShowInTray || name == kShowInBoth) && m_settings.Checked(name)) {
        ApplyShowChoice();
    } else if (name == kTrayIconTrack) {
        // The icon goes and comes back with its new picture, when the
        // choice shows one.
        RemoveTrayIcon();
        ApplyShowChoice();
    }
}

} // namespace velmoro::shell
