// The MPRIS2 media player service as a desktop sees it: a client on its own
// connection to a private session bus drives the player and reads back its
// state.
#include "shell/mprisadaptors.h"
#include "shell/mprisservice.h"
#include "shell/playerfixture.h"

#include <QDBusArgument>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <gtest/gtest.h>

using namespace velmoro;
using test::Fixture;
using test::PlayerFixture;

namespace {

const QString kService = "org.mpris.MediaPlayer2.velmoro";
const QString kPath = "/org/mpris/MediaPlayer2";
const QString kPlayer = "org.mpris.MediaPlayer2.Player";

// Collects the PropertiesChanged signals of the player interface.
class ChangeListener : public QObject {
    Q_OBJECT
public:
    QList<QVariantMap> changes;
public slots:
    void Changed(const QString& interface, const QVariantMap& changed, const QStringList&)
    {
        if (interface == kPlayer)
            changes << changed;
    }
};

class MprisTest : public testing::Test {
protected:
    MprisTest()
    {
        EXPECT_TRUE(player.session->Mpris.Register(QDBusConnection::sessionBus()));
        player.Start();
        for (const char* name : {"sine1k-v1-44100-cbr256.mp3", "sine1k-v2-22050-cbr128.mp3"})
            player.state.Tracks.Playlist.AddFile(Fixture(name));
    }
    ~MprisTest() override { QDBusConnection::disconnectFromBus("client"); }

    // Calls wait with the event loop running, so the player in this thread
    // can answer.
    QDBusMessage Call(const QString& interface, const QString& method, const QVariantList& arguments = {})
    {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, kPath, interface, method);
        message.setArguments(arguments);
        return client.call(message, QDBus::BlockWithGui, 2000);
    }
    QVariant Get(const QString& property, const QString& interface = kPlayer)
    {
        const QDBusMessage reply = Call("org.freedesktop.DBus.Properties", "Get", {interface, property});
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    QVariantMap Metadata()
    {
        QVariantMap map;
        Get("Metadata").value<QDBusArgument>() >> map;
        return map;
    }

    PlayerFixture player;
    QDBusConnection client = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");
};

} // namespace

TEST_F(MprisTest, TheDesktopFindsThePlayerUnderItsName)
{
    ASSERT_TRUE(client.isConnected());
    EXPECT_TRUE(client.interface()->isServiceRegistered(kService));
    EXPECT_EQ(Get("Identity", "org.mpris.MediaPlayer2").toString(), "Velmoro");
    EXPECT_EQ(Get("DesktopEntry", "org.mpris.MediaPlayer2").toString(), "velmoro");
    EXPECT_EQ(Get("PlaybackStatus").toString(), "Stopped");
    EXPECT_TRUE(Metadata().isEmpty());

    // A player started beside it takes a name with its process id.
    test::FakeAudio audio;
    shell::PlayerMediaHost host(*player.player, player.state, audio);
    shell::MprisService second(host);
    EXPECT_TRUE(second.Register(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "second")));
    EXPECT_EQ(second.ServiceName(),
              kService + ".instance" + QString::number(QCoreApplication::applicationPid()));
    QDBusConnection::disconnectFromBus("second");
}

TEST_F(MprisTest, PlayPauseAndATrackChangeShowInItsProperties)
{
    ChangeListener listener;
    ASSERT_TRUE(client.connect(kService, kPath, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                               &listener, SLOT(Changed(QString, QVariantMap, QStringList))));
    Call(kPlayer, "Play");
    EXPECT_EQ(player.state.Playback.PlayStatus, app::PlayStatusValue::Playing);
    EXPECT_EQ(Get("PlaybackStatus").toString(), "Playing");
    QVariantMap first = Metadata();
    EXPECT_EQ(first.value("xesam:url").toString(),
              QUrl::fromLocalFile(Fixture("sine1k-v1-44100-cbr256.mp3")).toString());
    EXPECT_EQ(first.value("mpris:length").toLongLong(), player.state.Playback.TrackSeconds * 1'000'000LL);
    EXPECT_FALSE(first.value("xesam:title").toString().isEmpty());
    ASSERT_TRUE(test::SpinUntil([&] { return !listener.changes.isEmpty(); }));
    EXPECT_EQ(listener.changes.last().value("PlaybackStatus").toString(), "Playing");

    Call(kPlayer, "Pause");
    EXPECT_EQ(Get("PlaybackStatus").toString(), "Paused");
    ASSERT_TRUE(test::SpinUntil([&] {
        return listener.changes.last().contains("PlaybackStatus") &&
               listener.changes.last().value("PlaybackStatus") == "Paused";
    }));
    Call(kPlayer, "PlayPause");
    EXPECT_EQ(Get("PlaybackStatus").toString(), "Playing");

    Call(kPlayer, "Next");
    const QVariantMap second = Metadata();
    EXPECT_EQ(second.value("xesam:url").toString(),
              QUrl::fromLocalFile(Fixture("sine1k-v2-22050-cbr128.mp3")).toString());
    EXPECT_NE(second.value("mpris:trackid").value<QDBusObjectPath>(),
              first.value("mpris:trackid").value<QDBusObjectPath>());
    Call(kPlayer, "Previous");
    EXPECT_EQ(player.state.Tracks.CurrentIndex, 0);
    Call(kPlayer, "Stop");
    EXPECT_EQ(Get("PlaybackStatus").toString(), "Stopped");
}

TEST_F(MprisTest, VolumeAndPositionGoThroughThePlayersOwnHandlers)
{
    Call("org.freedesktop.DBus.Properties", "Set",
         {kPlayer, "Volume", QVariant::fromValue(QDBusVariant(0.98))});
    EXPECT_EQ(player.player->SkinView.Volume(), 98);
    EXPECT_EQ(player.audio.outputVolume, 98);
    EXPECT_DOUBLE_EQ(Get("Volume").toDouble(), 0.98);
    Call("org.freedesktop.DBus.Properties", "Set",
         {kPlayer, "Volume", QVariant::fromValue(QDBusVariant(7.0))});
    EXPECT_EQ(player.player->SkinView.Volume(), 100);

    Call(kPlayer, "Play");
    test::FakeAudio::Stream& stream = *player.audio.Find(player.state.Playback.CurrentStream);
    player.state.Playback.TrackSeconds = 100;
    stream.length = 100 * 176400;
    const QDBusObjectPath track = Metadata().value("mpris:trackid").value<QDBusObjectPath>();
    Call(kPlayer, "SetPosition", {QVariant::fromValue(track), qlonglong(40'000'000)});
    EXPECT_NEAR(double(stream.position), 40.0 * 176400, 200);
    EXPECT_NEAR(double(Get("Position").toLongLong()), 40e6, 2e3);
    Call(kPlayer, "Seek", {qlonglong(-50'000'000)}); // before the start: the start
    EXPECT_EQ(stream.position, 0u);
    Call(kPlayer, "Seek", {qlonglong(10'000'000)});
    EXPECT_NEAR(double(stream.position), 10.0 * 176400, 200);
    // A position for another track, or past the end, is not taken.
    Call(kPlayer, "SetPosition",
         {QVariant::fromValue(QDBusObjectPath("/org/velmoro/track/999")), qlonglong(1)});
    Call(kPlayer, "SetPosition", {QVariant::fromValue(track), qlonglong(101'000'000)});
    EXPECT_NEAR(double(stream.position), 10.0 * 176400, 200);
    // Past the end is the next track.
    Call(kPlayer, "Seek", {qlonglong(200'000'000)});
    EXPECT_EQ(player.state.Tracks.CurrentIndex, 1);
}

#include "mpris_test.moc"
