#include "shell/instancechannel.h"

#include "platform/logging.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>

#include <memory>

namespace velmoro::shell {

namespace {

constexpr QByteArrayView kLineTag = "line ";
constexpr QByteArrayView kCodeTag = "code ";
constexpr QByteArrayView kTaken = "ok\n";

} // namespace

QByteArray EncodeHandoff(const Handoff& handoff)
{
    if (handoff.kind == Handoff::Kind::Command)
        return kCodeTag.toByteArray() + QByteArray::number(handoff.code.number) + '\n';
    return kLineTag.toByteArray() + handoff.commandLine.toUtf8().toPercentEncoding(" \"") + '\n';
}

std::optional<Handoff> DecodeHandoff(QByteArrayView line)
{
    if (line.endsWith('\n'))
        line.chop(1);
    if (line.startsWith(kLineTag)) {
        const QByteArray text = QByteArray::fromPercentEncoding(line.sliced(kLineTag.size()).toByteArray());
        return Handoff{Handoff::Kind::CommandLine, QString::fromUtf8(text), {}};
    }
    if (line.startsWith(kCodeTag)) {
        bool ok = false;
        const int number = line.sliced(kCodeTag.size()).toByteArray().toInt(&ok);
        if (ok)
            return Handoff{Handoff::Kind::Command, QString(), CommandCode{number}};
    }
    return std::nullopt;
}

QString DefaultChannelPath()
{
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return QDir(runtime).filePath(QStringLiteral("velmoro.socket"));
}

bool SendToRunningPlayer(const QString& path, const Handoff& handoff, int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(path);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(EncodeHandoff(handoff));
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    // The answer says the player has the message; ending before it could
    // lose the message with the connection.
    QByteArray answer;
    while (!answer.endsWith('\n') && socket.waitForReadyRead(timeoutMs))
        answer += socket.readAll();
    return answer == kTaken;
}

InstanceChannel::InstanceChannel(QObject* parent) : QObject(parent), m_server(new QLocalServer(this))
{
    // No socket options: with them Qt binds elsewhere and renames the
    // socket into place, which would silently take the name from a player
    // that runs. The runtime folder is the user's own already.
    connect(m_server, &QLocalServer::newConnection, this, &InstanceChannel::Accept);
}

InstanceChannel::~InstanceChannel() = default;

InstanceChannel::ListenResult InstanceChannel::Listen(const QString& path)
{
    if (m_server->listen(path))
        return ListenResult::Listening;
    if (m_server->serverError() == QAbstractSocket::AddressInUseError) {
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(1000))
            return ListenResult::AnotherListens;
        // Nobody answers: the file is what a player that died left behind.
        QLocalServer::removeServer(path);
        if (m_server->listen(path))
            return ListenResult::Listening;
    }
    qCWarning(lcPlayer) << "no channel for later starts at" << path << ":" << m_server->errorString();
    return ListenResult::Failed;
}

void InstanceChannel::SetReady()
{
    m_ready = true;
    const QList<Handoff> waiting = std::exchange(m_waiting, {});
    for (const Handoff& handoff : waiting)
        Deliver(handoff);
}

void InstanceChannel::Accept()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        auto pending = std::make_shared<QByteArray>();
        connect(socket, &QLocalSocket::readyRead, this, [this, socket, pending] { Read(socket, *pending); });
    }
}

void InstanceChannel::Read(QLocalSocket* socket, QByteArray& pending)
{
    pending += socket->readAll();
    const qsizetype end = pending.indexOf('\n');
    if ((end < 0 ? pending.size() : end) > kMaxMessageBytes) {
        qCWarning(lcPlayer) << "dropped a connection whose message exceeds" << kMaxMessageBytes << "bytes";
        socket->abort();
        return;
    }
    if (end < 0)
        return;
    const std::optional<Handoff> handoff = DecodeHandoff(QByteArrayView(pending).first(end));
    if (!handoff) {
        qCWarning(lcPlayer) << "dropped a message that is not a command line or a code";
        socket->abort();
        return;
    }
    socket->write(kTaken.data(), kTaken.size());
    socket->disconnectFromServer();
    if (m_ready)
        Deliver(*handoff);
    else
        m_waiting << *handoff;
}

void InstanceChannel::Deliver(const Handoff& handoff)
{
    if (OnHandoff)
        OnHandoff(handoff);
}

} // namespace velmoro::shell
