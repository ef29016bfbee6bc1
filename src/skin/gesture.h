#pragma once
// The press, moves and release of a mouse gesture on a skinned window. At the
// press every row of the window's table is asked in order; the last row that
// takes the press owns the gesture, and its moves and its release go to that
// row wherever the pointer goes until the button is let go.
#include <QPoint>

#include <functional>
#include <vector>

namespace velmoro::skin {

inline constexpr int kNoGesture = 0;
inline constexpr int kNoCursorChange = -1;

struct GestureRow {
    int mode; // what Mode() reports while this row owns the gesture
    // Asked at every press, in table order; true takes the gesture.
    std::function<bool(QPoint)> press;
    // The pointer moved while the row owns the gesture; `start` is the press.
    std::function<void(QPoint p, QPoint start)> move;
    std::function<void(QPoint)> release;
    // The screen cursor while the row's gesture moves, or kNoCursorChange.
    int heldCursor = kNoCursorChange;
};

class GestureMachine {
public:
    explicit GestureMachine(std::vector<GestureRow> rows) : m_rows(std::move(rows)) {}

    void Press(QPoint p);
    // False when no button is held (the pointer only hovers).
    bool Move(QPoint p);
    void Release(QPoint p);

    bool Held() const { return m_held; }
    int Mode() const { return Owner() ? Owner()->mode : kNoGesture; }
    QPoint Start() const { return m_start; }
    // The cursor the owning row asks for while it moves.
    int HeldCursor() const { return Owner() ? Owner()->heldCursor : kNoCursorChange; }

private:
    const GestureRow* Owner() const { return m_owner >= 0 ? &m_rows[std::size_t(m_owner)] : nullptr; }

    std::vector<GestureRow> m_rows;
    int m_owner = -1; // the row that took the press
    QPoint m_start;
    bool m_held = false;
};

} // namespace velmoro::skin
