#include "shell/mprisservice.h"

#include "platform/logging.h"
#include "shell/mprisadaptors.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFileInfo>

namespace velmoro::shell {

namespace {

const QString kObjectPath = QStringLiteral("/org/mpris/MediaPlayer2");
const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");
const QString kBaseName = QStringLiteral("org.mpris.MediaPlayer2.velmoro");

} // namespace

MprisService::MprisService(MediaHost& host, QObject* parent)
    : QObject(parent), m_host(host), m_bus(QStringLiteral("velmoro-none"))
{
    new MprisRootAdaptor(this, host);
    new MprisPlayerAdaptor(this, host);
    m_publishTimer.setInterval(kPublishIntervalMs);
    connect(&m_publishTimer, &QTimer::timeout, this, &MprisService::PublishChanges);
}

MprisService::~MprisService()
{
    if (!m_serviceName.isEmpty()) {
        m_bus.unregisterObject(kObjectPath);
        m_bus.unregisterService(m_serviceName);
    }
}

bool MprisService::Register(QDBusConnection bus)
{
    if (!bus.isConnected()) {
        qCInfo(lcPlayer) << "no session bus: the desktop's media keys do not reach the player";
        return false;
    }
    if (!bus.registerObject(kObjectPath, this, QDBusConnection::ExportAdaptors)) {
        qCWarning(lcPlayer) << "could not export the media player object:" << bus.lastError().message();
        return false;
    }
    const QString own = kBaseName + QStringLiteral(".instance%1").arg(QCoreApplication::applicationPid());
    for (const QString& name : {kBaseName, own}) {
        if (bus.interface()
                ->registerService(name, QDBusConnectionInterface::DontQueueService,
                                  QDBusConnectionInterface::DontAllowReplacement)
                .value() == QDBusConnectionInterface::ServiceRegistered) {
            m_bus = bus;
            m_serviceName = name;
            m_published = {PlaybackStatusText(m_host.PlayStatus()), m_host.CurrentTrack(), m_host.Volume()};
            m_publishTimer.start();
            return true;
        }
    }
    bus.unregisterObject(kObjectPath);
    qCWarning(lcPlayer) << "the media player names on the session bus are taken";
    return false;
}

bool MprisService::RegisterOnSessionBus()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") &&
        (runtime.isEmpty() || !QFileInfo(runtime + QStringLiteral("/bus")).exists())) {
        qCInfo(lcPlayer) << "no session bus: the desktop's media keys do not reach the player";
        return false;
    }
    return Register(QDBusConnection::sessionBus());
}

void MprisService::PublishChanges()
{
    if (m_serviceName.isEmpty())
        return;
    const Published now{PlaybackStatusText(m_host.PlayStatus()), m_host.CurrentTrack(), m_host.Volume()};
    QVariantMap changed;
    if (now.status != m_published.status)
        changed.insert(QStringLiteral("PlaybackStatus"), now.status);
    if (!(now.track == m_published.track))
        changed.insert(QStringLiteral("Metadata"), MetadataMap(now.track));
    if (now.volume != m_published.volume)
        changed.insert(QStringLiteral("Volume"), now.volume / 100.0);
    m_published = now;
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        kObjectPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << kPlayerInterface << changed << QStringList();
    m_bus.send(signal);
}

} // namespace velmoro::shell
