#pragma once
// Keeps the window alive while the playlist store works on the UI thread: a
// load of a million entries takes seconds. Pending events run at most every
// PumpIntervalMs, so that a load of small files is not slowed by them; once a
// load has run ProgressAfterMs its progress is shown, and the text is taken
// back when the store is idle again.
#include <QString>

#include <cstdint>
#include <functional>
#include <utility>

namespace velmoro::player {

class LoadPump {
public:
    static constexpr std::int64_t PumpIntervalMs = 20;
    static constexpr std::int64_t ProgressAfterMs = 500;

    using Clock = std::function<std::int64_t()>; // monotonic milliseconds
    // progress gets the name of the file being read (without its folder)
    // and how far the load is in percent; at the end, an empty name and −1.
    using ProgressHandler = std::function<void(const QString& fileName, int percent)>;
    LoadPump(std::function<void()> processEvents, ProgressHandler progress, Clock clock = {});

    void SetClock(Clock clock) { m_clock = std::move(clock); }

    // The store's OnBusyChanged.
    void BusyChanged(bool busy);
    // The store's OnProgress: entry number of total, read from source. Calls
    // for a single file (total 1) are the inner calls of a list's entries.
    void Entry(const QString& source, int number, int total);
    // The store's OnProcessMessages.
    void Pump();

private:
    std::function<void()> m_processEvents;
    ProgressHandler m_progress;
    Clock m_clock;
    std::int64_t m_start = 0;
    std::int64_t m_lastPump = 0;
    bool m_shown = false;
    int m_shownPercent = -1;
    QString m_source;
    int m_number = 0;
    int m_total = 0;
};

} // namespace velmoro::player
