#pragma once
// One running player: the first start listens on a local socket in the
// user's runtime folder; a later start hands its command line or a command
// code over that socket and ends, so a file opened from the file manager or
// a launcher's action reaches the player the user already has.
#include "shell/commandcodes.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QLocalServer;
class QLocalSocket;

namespace velmoro::shell {

// What a second start hands over: its whole command line (the program and
// each argument in double quotes, as OpenCommandLine reads it), or one
// command code.
struct Handoff {
    enum class Kind { CommandLine, Command };
    Kind kind = Kind::CommandLine;
    QString commandLine;
    CommandCode code;
};

// One line on the socket; the text is percent-encoded, so a file name with
// a line break in it stays one message.
QByteArray EncodeHandoff(const Handoff& handoff);
// None for anything that is not a message of EncodeHandoff.
std::optional<Handoff> DecodeHandoff(QByteArrayView line);

// $XDG_RUNTIME_DIR/velmoro.socket (the per-user runtime folder Qt falls
// back to when the variable is not set).
QString DefaultChannelPath();

// Hands the message to the player listening at path and waits until it
// has taken it. False when no player answers there in time.
bool SendToRunningPlayer(const QString& path, const Handoff& handoff, int timeoutMs = 3000);

class InstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit InstanceChannel(QObject* parent = nullptr);
    ~InstanceChannel() override;

    enum class ListenResult {
        Listening,      // this process is the running player
        AnotherListens, // a player answers at path already
        Failed,         // the socket could not be made (logged)
    };
    // A socket file left by a player that died is removed and taken over.
    ListenResult Listen(const QString& path);

    // Messages that arrive before the player has loaded its playlist wait
    // for this, and then run in the order they came.
    void SetReady();
    std::function<void(const Handoff&)> OnHandoff;

    // Longer lines are not a message of ours; the connection is dropped.
    static constexpr qsizetype kMaxMessageBytes = 64 * 1024;

private:
    void Accept();
    void Read(QLocalSocket* socket, QByteArray& pending);
    void Deliver(const Handoff& handoff);

    QLocalServer* m_server;
    bool m_ready = false;
    QList<Handoff> m_waiting;
};

} // namespace velmoro::shell
