#pragma once
// The player as an MPRIS2 media player on the session bus
// (org.mpris.MediaPlayer2.velmoro), so the desktop's media keys, its lock
// screen and playerctl drive it. A second player beside it (started with
// --new-instance) takes a name of its own with its process id.
#include "shell/mediahost.h"

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <QVariantMap>

namespace velmoro::shell {

class MprisService : public QObject {
    Q_OBJECT
public:
    MprisService(MediaHost& host, QObject* parent = nullptr);
    ~MprisService() override;

    // False, logged, when there is no session bus or the names are taken;
    // the player goes on without it.
    bool Register(QDBusConnection bus);
    // On the user's session bus, when there is one: its address is set, or
    // the bus of the user's session manager is in the runtime folder. Without
    // either nothing is tried, which spares an X11 autolaunch of a bus of
    // its own.
    bool RegisterOnSessionBus();
    // The name it holds on the bus; empty when not registered.
    QString ServiceName() const { return m_serviceName; }

    // Tells the desktop what changed since the last call: the play state,
    // the track and the volume. Runs on its own timer while registered, and
    // right after each change the player announces.
    void PublishChanges();

    static constexpr int kPublishIntervalMs = 500;

private:
    struct Published {
        QString status;
        TrackMetadata track;
        int volume = -1;
    };

    MediaHost& m_host;
    QDBusConnection m_bus;
    QString m_serviceName;
    Published m_published;
    QTimer m_publishTimer;
};

} // namespace velmoro::shell
