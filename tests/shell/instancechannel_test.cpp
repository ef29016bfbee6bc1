// One running player: what a later start hands over reaches the player
// through its local socket, and runs as OpenCommandLine or the command code
// would at start-up.
#include "shell/instancechannel.h"
#include "shell/startoptions.h"
#include "shell/playerfixture.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <gtest/gtest.h>

using namespace velmoro;
using shell::Handoff;
using shell::InstanceChannel;
using test::Fixture;
using test::PlayerFixture;

TEST(InstanceChannel, MessagesSurviveTheirWayOverTheSocket)
{
    const QString odd = "\"velmoro\" \"/tmp/a b\nc%d\xc3\xa8.mp3\"";
    for (const Handoff& sent :
         {Handoff{Handoff::Kind::CommandLine, QString::fromUtf8(odd.toUtf8()), {}},
          Handoff{Handoff::Kind::Command, {}, {1004}}, Handoff{Handoff::Kind::Command, {}, {45}}}) {
        const QByteArray line = shell::EncodeHandoff(sent);
        EXPECT_EQ(line.count('\n'), 1) << line.constData();
        const auto back = shell::DecodeHandoff(line);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->kind, sent.kind);
        EXPECT_EQ(back->commandLine, sent.commandLine);
        EXPECT_EQ(back->code.number, sent.code.number);
    }
    for (const char* junk : {"", "\n", "code\n", "code x\n", "open \"a\"\n", "LINE a\n"})
        EXPECT_FALSE(shell::DecodeHandoff(QByteArrayView(junk))) << junk;
}

TEST(StartOptions, TakenOutOfTheArguments)
{
    struct Case {
        QStringList arguments;
        shell::InstanceMode instance;
        std::optional<int> code;
        bool error;
        QStringList rest;
    };
    const Case cases[] = {
        {{"velmoro", "a.mp3"}, shell::InstanceMode::Shared, {}, false, {"velmoro", "a.mp3"}},
        {{"velmoro", "--new-instance", "a.mp3"}, shell::InstanceMode::New, {}, false, {"velmoro", "a.mp3"}},
        {{"velmoro", "--command", "play"}, shell::InstanceMode::Shared, 45, false, {"velmoro"}},
        {{"velmoro", "--command", "about"}, shell::InstanceMode::Shared, 1000, false, {"velmoro"}},
        {{"velmoro", "--command", "volume-down"}, shell::InstanceMode::Shared, 80, false, {"velmoro"}},
        {{"velmoro", "--command", "dance"}, shell::InstanceMode::Shared, {}, true, {"velmoro"}},
        {{"velmoro", "--command"}, shell::InstanceMode::Shared, {}, true, {"velmoro", "--command"}},
    };
    for (const Case& c : cases) {
        QStringList arguments = c.arguments;
        const shell::StartOptions options = shell::TakeStartOptions(arguments);
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        EXPECT_EQ(options.instance, c.instance);
        EXPECT_EQ(options.command ? std::optional<int>(options.command->number) : std::nullopt, c.code);
        EXPECT_EQ(!options.error.isEmpty(), c.error);
        EXPECT_EQ(arguments, c.rest);
    }
    EXPECT_EQ(shell::QuotedCommandLine({"velmoro", "a b.mp3"}), "\"velmoro\" \"a b.mp3\"");
    // A later start's relative names mean its own folder, not the player's.
    QTemporaryDir dir;
    QFile(dir.filePath("a.mp3")).open(QIODevice::WriteOnly);
    const QString before = QDir::currentPath();
    QDir::setCurrent(dir.path());
    EXPECT_EQ(shell::WithAbsoluteFileNames({"velmoro", "a.mp3", "missing.mp3", "/x.mp3"}),
              (QStringList{"velmoro", dir.filePath("a.mp3"), "missing.mp3", "/x.mp3"}));
    QDir::setCurrent(before);
}

TEST(InstanceChannel, ASecondStartHandsItsFilesToTheFirst)
{
    PlayerFixture first;
    ASSERT_EQ(first.listening, InstanceChannel::ListenResult::Listening);
    first.Start();
    ASSERT_EQ(first.state.Tracks.Playlist.Count(), 0);

    // A playlist is appended and nothing plays.
    const QString pls = first.dir.filePath("list.pls");
    QFile file(pls);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(("[playlist]\nFile1=" + Fixture("sine1k-l2-48000.mp2") + "\nNumberOfEntries=1\n").toUtf8());
    file.close();
    ASSERT_TRUE(first.HandOverLine(pls));
    EXPECT_EQ(first.state.Tracks.Playlist.Count(), 1);
    EXPECT_EQ(first.state.Playback.CurrentStream, 0u);

    // An MPEG file is appended, opened and, with "Autoplay dopo open", played.
    ASSERT_TRUE(first.HandOverLine(Fixture("sine1k-v1-44100-cbr256.mp3")));
    EXPECT_EQ(first.state.Tracks.Playlist.Count(), 2);
    ASSERT_NE(first.state.Playback.CurrentStream, 0u);
    EXPECT_TRUE(first.audio.Find(first.state.Playback.CurrentStream)->playing);
    EXPECT_EQ(first.state.Playback.PlayStatus, app::PlayStatusValue::Playing);

    // Another kind of file, or one that is missing, changes nothing.
    const audio::Handle current = first.state.Playback.CurrentStream;
    const QString note = first.dir.filePath("note.txt");
    QFile(note).open(QIODevice::WriteOnly);
    EXPECT_TRUE(first.HandOverLine(note));
    EXPECT_TRUE(first.HandOverLine(first.dir.filePath("missing.mp3")));
    EXPECT_EQ(first.state.Tracks.Playlist.Count(), 2);
    EXPECT_EQ(first.state.Playback.CurrentStream, current);
    // A start with nothing to open shows the player.
    ASSERT_FALSE(first.player->isVisible());
    EXPECT_TRUE(first.HandOver({Handoff::Kind::CommandLine, "\"velmoro\"", {}}));
    EXPECT_TRUE(first.player->isVisible());

    // A command code runs as its key: pause, then the volume keys at the ends.
    EXPECT_TRUE(first.HandOver({Handoff::Kind::Command, {}, {46}}));
    EXPECT_EQ(first.state.Playback.PlayStatus, app::PlayStatusValue::Paused);
    first.player->SkinView.SetVolume(98);
    EXPECT_TRUE(first.HandOver({Handoff::Kind::Command, {}, {72}}));
    EXPECT_EQ(first.player->SkinView.Volume(), 100);
    EXPECT_TRUE(first.HandOver({Handoff::Kind::Command, {}, {99}})); // no command: nothing
    EXPECT_EQ(first.player->SkinView.Volume(), 100);
    EXPECT_EQ(first.state.Playback.PlayStatus, app::PlayStatusValue::Paused);
}

TEST(InstanceChannel, WhatComesBeforeThePlaylistIsLoadedWaitsForIt)
{
    // The start's own command (pause) comes before what later starts sent.
    PlayerFixture first(shell::CommandCode{46});
    ASSERT_TRUE(first.HandOverLine(Fixture("sine1k-v1-44100-cbr256.mp3")));
    EXPECT_EQ(first.state.Tracks.Playlist.Count(), 0); // not yet: default.m3u comes first
    first.Start();
    EXPECT_EQ(first.state.Tracks.Playlist.Count(), 1);
    EXPECT_EQ(first.state.Playback.PlayStatus, app::PlayStatusValue::Playing);
}

TEST(InstanceChannel, ASocketLeftByADeadPlayerIsTakenOverAndALiveOneIsNot)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("velmoro.socket");
    {
        QFile stale(path); // what a killed player leaves: a file nobody listens on
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    InstanceChannel first;
    ASSERT_EQ(first.Listen(path), InstanceChannel::ListenResult::Listening);
    InstanceChannel second;
    EXPECT_EQ(second.Listen(path), InstanceChannel::ListenResult::AnotherListens);
    EXPECT_FALSE(shell::SendToRunningPlayer(dir.filePath("nobody.socket"), {}, 200));
}

TEST(InstanceChannel, AConnectionThatSendsNoMessageOfOursIsDropped)
{
    PlayerFixture first;
    first.Start();
    for (const QByteArray& bytes :
         {QByteArray("hello there\n"), QByteArray(InstanceChannel::kMaxMessageBytes + 2, 'x')}) {
        QLocalSocket socket;
        socket.connectToServer(first.channelPath);
        ASSERT_TRUE(socket.waitForConnected(1000));
        socket.write(bytes);
        socket.flush();
        EXPECT_TRUE(test::SpinUntil([&] {
            socket.waitForReadyRead(1);
            return socket.state() == QLocalSocket::UnconnectedState;
        }));
        EXPECT_TRUE(socket.readAll().isEmpty());
    }
    EXPECT_EQ(first.state.Tracks.Playlist.Count(), 0);
}

TEST(InstanceChannel, APlayerBesideAnotherLeavesDefaultPlaylistAlone)
{
    PlayerFixture first;
    first.Start();
    first.player->LeaveDefaultPlaylistToAnotherPlayer();
    first.state.Tracks.Playlist.AddFile(Fixture("sine1k-v1-44100-cbr256.mp3"));
    first.player->close();
    EXPECT_FALSE(QFile::exists(first.dir.filePath("default.m3u")));
}

TEST(InstanceChannel, AFileHandedOverDuringALoadComesAfterTheLoadedList)
{
    PlayerFixture first;
    first.Start();
    const QString list = first.dir.filePath("list.m3u");
    QFile file(list);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int i = 0; i < 3; ++i)
        file.write((Fixture("sine1k-l2-48000.mp2") + "\n").toUtf8());
    file.close();
    // The load runs events at each entry; the message arrives among them.
    bool handed = false;
    std::int64_t now = 0;
    first.player->PlaylistLoadPump().SetClock([&] {
        if (first.state.Tracks.Playlist.Busy() && !handed) {
            handed = true;
            first.session->RunHandoff({Handoff::Kind::CommandLine,
                                       "\"velmoro\" \"" + Fixture("sine1k-v1-44100-cbr256.mp3") + "\"",
                                       {}});
        }
        return now += 1000;
    });
    first.state.Tracks.Playlist.LoadM3U(list);
    ASSERT_TRUE(handed);
    ASSERT_TRUE(test::SpinUntil([&] { return first.state.Tracks.Playlist.Count() == 4; }));
    EXPECT_EQ(first.state.Tracks.Playlist.Items(3).GetFileName().toStdString(),
              Fixture("sine1k-v1-44100-cbr256.mp3").toStdString());
}
