#pragma once
// Marks a list busy for the length of one operation; nested operations (a
// LoadFile that calls LoadM3U) leave it busy until the outer one ends.
namespace velmoro::playlist {

class BusyScope {
public:
    explicit BusyScope(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~BusyScope() { m_flag = m_was; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
    bool m_was;
};

} // namespace velmoro::playlist
