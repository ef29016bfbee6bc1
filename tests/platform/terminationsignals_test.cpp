// A termination signal reaches the program as a call on its event loop,
// each time one arrives, and never inside the signal handler itself.
#include "platform/terminationsignals.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <gtest/gtest.h>

#include <csignal>

TEST(TerminationSignals, EachSignalBecomesOneCallOnTheEventLoop)
{
    int calls = 0;
    velmoro::platform::HandleTerminationSignals([&calls] { ++calls; });
    const auto processUntil = [&](int wanted) {
        QElapsedTimer waited;
        waited.start();
        while (calls < wanted && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    };
    std::raise(SIGTERM);
    EXPECT_EQ(calls, 0); // not from the handler
    processUntil(1);
    EXPECT_EQ(calls, 1);
    std::raise(SIGINT);
    processUntil(2);
    EXPECT_EQ(calls, 2);
    std::raise(SIGHUP);
    processUntil(3);
    EXPECT_EQ(calls, 3);
}
