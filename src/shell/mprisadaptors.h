#pragma once
// The two interfaces of the MPRIS2 media player service on the session bus,
// as the desktop's media keys, lock screen and playerctl use them. Every
// command runs the player's command of the same name, as its key would.
#include "shell/mediahost.h"

#include <QDBusAbstractAdaptor>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

namespace velmoro::shell {

// org.mpris.MediaPlayer2: who the player is.
class MprisRootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ CanQuit)
    Q_PROPERTY(bool CanRaise READ CanRaise)
    Q_PROPERTY(bool HasTrackList READ HasTrackList)
    Q_PROPERTY(QString Identity READ Identity)
    Q_PROPERTY(QString DesktopEntry READ DesktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ SupportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ SupportedMimeTypes)
public:
    MprisRootAdaptor(QObject* object, MediaHost& host);

    bool CanQuit() const { return true; }
    bool CanRaise() const { return true; }
    bool HasTrackList() const { return false; }
    QString Identity() const;
    QString DesktopEntry() const;
    QStringList SupportedUriSchemes() const;
    QStringList SupportedMimeTypes() const;

public slots:
    void Raise() { m_host.Raise(); }
    void Quit() { m_host.Quit(); }

private:
    MediaHost& m_host;
};

// org.mpris.MediaPlayer2.Player: playback.
class MprisPlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ PlaybackStatus)
    Q_PROPERTY(double Rate READ Rate WRITE SetRate)
    Q_PROPERTY(QVariantMap Metadata READ Metadata)
    Q_PROPERTY(double Volume READ Volume WRITE SetVolume)
    Q_PROPERTY(qlonglong Position READ Position)
    Q_PROPERTY(double MinimumRate READ Rate)
    Q_PROPERTY(double MaximumRate READ Rate)
    Q_PROPERTY(bool CanGoNext READ CanControl)
    Q_PROPERTY(bool CanGoPrevious READ CanControl)
    Q_PROPERTY(bool CanPlay READ CanControl)
    Q_PROPERTY(bool CanPause READ CanControl)
    Q_PROPERTY(bool CanSeek READ CanControl)
    Q_PROPERTY(bool CanControl READ CanControl)
public:
    MprisPlayerAdaptor(QObject* object, MediaHost& host);

    QString PlaybackStatus() const;
    double Rate() const { return 1.0; }
    void SetRate(double) {} // one speed only
    QVariantMap Metadata() const;
    double Volume() const;
    void SetVolume(double volume);
    qlonglong Position() const { return m_host.PositionMicroseconds(); }
    bool CanControl() const { return true; }

public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong offset);
    void SetPosition(const QDBusObjectPath& trackId, qlonglong position);
    void OpenUri(const QString&) {} // files come through the command line

signals:
    void Seeked(qlonglong position);

private:
    void RunKeyCommand(player::CommandId id);

    MediaHost& m_host;
};

// The object path that names a track while it is the current one.
QDBusObjectPath TrackObjectPath(const TrackMetadata& track);
// The Metadata map of a track; empty without a track.
QVariantMap MetadataMap(const TrackMetadata& track);
// "Playing", "Paused" or "Stopped" (idle and stopped alike).
QString PlaybackStatusText(app::PlayStatusValue status);

} // namespace velmoro::shell
