#pragma once
// A player window over the recording audio library, started as the program
// starts it, with its desktop session listening on a socket of its own.
#include "app/playerstate.h"
#include "player/playerform.h"
#include "settings/settings.h"
#include "shell/desktopsession.h"
#include "shell/instancechannel.h"
#include "support/fakeaudio.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTemporaryDir>

#include <future>
#include <memory>
#include <optional>

namespace velmoro::test {

inline QString Fixture(const char* name)
{
    return QStringLiteral(VELMORO_FIXTURE_DIR "/") + QString::fromLatin1(name);
}

// Runs the event loop until done() or two seconds have passed.
template <typename Done> bool SpinUntil(Done done)
{
    const QDeadlineTimer deadline(2000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

class PlayerFixture {
public:
    explicit PlayerFixture(std::optional<shell::CommandCode> startCommand = std::nullopt)
    {
        player = std::make_unique<player::TPlayerForm>(state, settings, audio,
                                                       [](const QString&, const QString&) {});
        player->FormCreate(dir.path(), dir.filePath("user"), QStringLiteral("\"velmoro\""));
        // The second phase runs when the test says, not when the loop that
        // waits for a message happens to reach it.
        player->StartupPhases.TimerInizializ.stop();
        channelPath = dir.filePath("velmoro.socket");
        listening = channel.Listen(channelPath);
        session =
            std::make_unique<shell::DesktopSession>(*player, state, settings, audio, channel, startCommand);
        player->OnStarted = [this] { session->PlayerStarted(); };
    }

    // The second start-up phase, as TimerInizializ runs it.
    void Start() { player->StartupPhases.TimerInizializTimer(); }

    // A later start handing its message over, from a thread of its own while
    // this one runs the player's event loop.
    bool HandOver(const shell::Handoff& handoff)
    {
        auto sent = std::async(std::launch::async, [path = channelPath, handoff] {
            return shell::SendToRunningPlayer(path, handoff);
        });
        SpinUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready; });
        const bool delivered = sent.get();
        QCoreApplication::processEvents();
        return delivered;
    }

    bool HandOverLine(const QString& file)
    {
        return HandOver({shell::Handoff::Kind::CommandLine, "\"velmoro\" \"" + file + "\"", {}});
    }

    QTemporaryDir dir;
    app::PlayerState state;
    settings::Settings settings;
    FakeAudio audio;
    std::unique_ptr<player::TPlayerForm> player;
    QString channelPath;
    shell::InstanceChannel channel;
    shell::InstanceChannel::ListenResult listening{};
    std::unique_ptr<shell::DesktopSession> session;
};

} // namespace velmoro::test
