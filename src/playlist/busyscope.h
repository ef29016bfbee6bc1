#pragma once
// Marks a list busy for the length of one operation; nested operations (a
// LoadFile that calls LoadM3U) leave it busy until the outer one ends. Only
// the outer one tells onChange, before it starts and once it has ended.
#include <functional>

namespace velmoro::playlist {

class BusyScope {
public:
    BusyScope(bool& flag, const std::function<void(bool busy)>& onChange)
        : m_flag(flag), m_was(flag), m_onChange(onChange)
    {
        m_flag = true;
        if (!m_was && m_onChange)
            m_onChange(true);
    }
    ~BusyScope()
    {
        m_flag = m_was;
        if (!m_was && m_onChange)
            m_onChange(false);
    }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
    bool m_was;
    const std::function<void(bool)>& m_onChange;
};

} // namespace velmoro::playlist
