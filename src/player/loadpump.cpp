#include "player/loadpump.h"

#include <QFileInfo>

#include <algorithm>
#include <chrono>
#include <utility>

namespace velmoro::player {

namespace {

std::int64_t SteadyMilliseconds()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

LoadPump::LoadPump(std::function<void()> processEvents, ProgressHandler progress, Clock clock)
    : m_processEvents(std::move(processEvents)), m_progress(std::move(progress)),
      m_clock(clock ? std::move(clock) : Clock(SteadyMilliseconds))
{
}

void LoadPump::BusyChanged(bool busy)
{
    if (busy) {
        m_start = m_lastPump = m_clock();
        m_source.clear();
        m_number = m_total = 0;
        return;
    }
    if (m_shown) {
        m_shown = false;
        m_shownPercent = -1;
        m_progress(QString(), -1);
    }
}

void LoadPump::Entry(const QString& source, int number, int total)
{
    if (total <= 1)
        return;
    m_source = source;
    m_number = number;
    m_total = total;
}

void LoadPump::Pump()
{
    const std::int64_t now = m_clock();
    if (now - m_lastPump < PumpIntervalMs)
        return;
    m_lastPump = now;
    if (now - m_start >= ProgressAfterMs && m_total > 0) {
        const int percent = int(std::int64_t(std::min(m_number, m_total)) * 100 / m_total);
        // Showing it costs a round trip to the display server: only a new
        // figure is shown.
        if (!m_shown || percent != m_shownPercent) {
            m_shown = true;
            m_shownPercent = percent;
            m_progress(QFileInfo(m_source).fileName(), percent);
        }
    }
    m_processEvents();
}

} // namespace velmoro::player
