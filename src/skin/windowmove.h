#pragma once
// Moving a skinned window by dragging it. The grab is taken once, when the
// drag starts: asking the display server where the window is on every move
// would cost a round trip each time. Where the window lands is then the
// docking rule's answer for the cursor and the grab.
#include <QPoint>
#include <QSize>

#include <functional>

namespace velmoro::skin {

// Where the window's top-left corner goes for a cursor, the grab (window
// corner − cursor at the start) and the window's size.
using DockRule = std::function<QPoint(QPoint cursor, QPoint grab, QSize window)>;

class WindowMove {
public:
    void Start(QPoint windowCorner, QPoint cursor)
    {
        m_grab = windowCorner - cursor;
        m_moving = true;
    }
    void Stop() { m_moving = false; }
    bool Moving() const { return m_moving; }
    QPoint Grab() const { return m_grab; }

    // The new corner for the cursor; without a rule the window follows the
    // cursor at its grab.
    QPoint Target(QPoint cursor, QSize window, const DockRule& dock = {}) const
    {
        return dock ? dock(cursor, m_grab, window) : cursor + m_grab;
    }

private:
    QPoint m_grab;
    bool m_moving = false;
};

} // namespace velmoro::skin
