#include "skin/gesture.h"

namespace velmoro::skin {

void GestureMachine::Press(QPoint p)
{
    m_start = p;
    m_owner = nullptr;
    for (const GestureRow& row : m_rows)
        if (row.press && row.press(p))
            m_owner = &row;
    m_held = true;
}

bool GestureMachine::Move(QPoint p)
{
    if (!m_held)
        return false;
    if (m_owner && m_owner->move)
        m_owner->move(p, m_start);
    return true;
}

void GestureMachine::Release(QPoint p)
{
    m_held = false;
    // Mode() still names the owner while its release runs.
    if (const GestureRow* owner = m_owner; owner && owner->release)
        owner->release(p);
    m_owner = nullptr;
}

} // namespace velmoro::skin
