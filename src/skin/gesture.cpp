#include "skin/gesture.h"

namespace velmoro::skin {

void GestureMachine::Press(QPoint p)
{
    m_start = p;
    m_owner = -1;
    for (std::size_t i = 0; i < m_rows.size(); ++i)
        if (m_rows[i].press && m_rows[i].press(p))
            m_owner = int(i);
    m_held = true;
}

bool GestureMachine::Move(QPoint p)
{
    if (!m_held)
        return false;
    if (const GestureRow* owner = Owner(); owner && owner->move)
        owner->move(p, m_start);
    return true;
}

void GestureMachine::Release(QPoint p)
{
    m_held = false;
    // Mode() still names the owner while its release runs.
    if (const GestureRow* owner = Owner(); owner && owner->release)
        owner->release(p);
    m_owner = -1;
}

} // namespace velmoro::skin
