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

LoadPump::LoadPump(std::function<void()> processEvents, std::function<void(const QString&)> progress,
                   Clock clock)
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
    if (!m_shownText.isEmpty()) {
        m_shownText.clear();
        m_progress(QString());
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
        const QString text =
            QStringLiteral("Caricamento di %1: %2%").arg(QFileInfo(m_source).fileName()).arg(percent);
        // The title costs a round trip to the display server; a new one only
        // when it reads differently.
        if (text != m_shownText) {
            m_shownText = text;
            m_progress(text);
        }
    }
    m_processEvents();
}

} // namespace velmoro::player
