// The pump that keeps the window alive during a long playlist load, on a
// clock of the test's own.
#include "player/loadpump.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <functional>

using velmoro::player::LoadPump;

TEST(LoadPump, RunsEventsAtIntervalsAndShowsProgressOfLongLoadsOnly)
{
    std::int64_t now = 0;
    int eventRuns = 0;
    QStringList shown;
    LoadPump pump(
        [&] { ++eventRuns; },
        [&](const QString& name, int percent) { shown << QStringLiteral("%1 %2").arg(name).arg(percent); },
        [&] { return now; });

    struct Step {
        const char* what;
        std::int64_t at;
        std::function<void()> action;
        int eventRuns;
        QStringList shown;
    };
    const Step steps[] = {
        {"a load starts", 1000, [&] { pump.BusyChanged(true); }, 0, {}},
        {"too soon after the start",
         1010,
         [&] {
             pump.Entry("/m/lista.m3u", 1, 200);
             pump.Pump();
         },
         0,
         {}},
        {"events run, no progress yet", 1020, [&] { pump.Pump(); }, 1, {}},
        {"too soon after the last run", 1030, [&] { pump.Pump(); }, 1, {}},
        {"half a second: progress of the list, not of its inner file",
         1500,
         [&] {
             pump.Entry("/m/lista.m3u", 100, 200);
             pump.Entry("/m/canzone.mp3", 1, 1);
             pump.Pump();
         },
         2,
         {"lista.m3u 50"}},
        {"the same text is not shown again", 1530, [&] { pump.Pump(); }, 3, {"lista.m3u 50"}},
        {"the end takes the text back", 1540, [&] { pump.BusyChanged(false); }, 3, {"lista.m3u 50", " -1"}},
        {"a short load shows nothing, not even at its end",
         5000,
         [&] {
             pump.BusyChanged(true);
             pump.Entry("/m/altra.pls", 3, 4);
             now += 100;
             pump.Pump();
             pump.BusyChanged(false);
         },
         4,
         {"lista.m3u 50", " -1"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        now = step.at;
        step.action();
        EXPECT_EQ(eventRuns, step.eventRuns);
        EXPECT_EQ(shown, step.shown);
    }
}
