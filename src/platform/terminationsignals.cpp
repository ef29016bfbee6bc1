#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace velmoro::platform {

namespace {

// Written by the handler, read on the event loop: a write on a socket is
// one of the few things a signal handler may do.
int g_signalSockets[2] = {-1, -1};

extern "C" void WriteSignalByte(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(g_signalSockets[0], &byte, 1);
}

} // namespace

void HandleTerminationSignals(std::function<void()> onSignal)
{
    if (g_signalSockets[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0)
        return;
    auto* notifier =
        new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onSignal = std::move(onSignal)] {
        char bytes[16];
        [[maybe_unused]] const ssize_t read = ::read(g_signalSockets[1], bytes, sizeof bytes);
        onSignal();
    });
    struct sigaction action {};
    action.sa_handler = WriteSignalByte;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

} // namespace velmoro::platform
