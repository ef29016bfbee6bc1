#pragma once
// The application's screen cursor table: cursor slots that the main, playlist
// and equalizer windows share, filled by the skin, and the one screen cursor
// that overrides every window's own while the pointer is over a skin part.
#include "skin/cursorreader.h"

#include <QCursor>

#include <map>

namespace velmoro::skin {

class ScreenCursors {
public:
    static ScreenCursors& Instance();

    void Install(int slot, const CursorImage& cursor);
    bool Has(int slot) const { return m_cursors.count(slot) != 0; }
    // An unset slot gives the platform's arrow.
    QCursor Cursor(int slot) const;

    // Shows slot over every window of the application. The normal slot (5)
    // lifts the override, so each window shows its own cursor again.
    void SetScreenCursor(int slot);
    int ScreenCursor() const { return m_screenCursor; }

private:
    std::map<int, QCursor> m_cursors;
    int m_screenCursor = 0;
    bool m_overriding = false;
};

} // namespace velmoro::skin
