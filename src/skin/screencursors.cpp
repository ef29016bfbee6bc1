#include "skin/screencursors.h"

#include "platform/verify.h"
#include "skin/skinset.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPixmap>

namespace velmoro::skin {

namespace {

constexpr int kNormalSlot = 5;

bool IsSlot(int slot)
{
    return slot >= kFirstCursorSlot && slot <= kLastCursorSlot;
}

} // namespace

ScreenCursors& ScreenCursors::Instance()
{
    static ScreenCursors table;
    static const bool cleanupRegistered = [] {
        // Cursors hold platform resources that must go before the application does.
        qAddPostRoutine([] { Instance().m_cursors.clear(); });
        return true;
    }();
    Q_UNUSED(cleanupRegistered);
    return table;
}

void ScreenCursors::Install(int slot, const CursorImage& cursor)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(IsSlot(slot))
    {
        return;
    }
    m_cursors[slot] = QCursor(QPixmap::fromImage(cursor.image), cursor.hotspot.x(), cursor.hotspot.y());
    if (m_overriding && m_screenCursor == slot)
        QGuiApplication::changeOverrideCursor(m_cursors[slot]);
}

QCursor ScreenCursors::Cursor(int slot) const
{
    const auto it = m_cursors.find(slot);
    return it != m_cursors.end() ? it->second : QCursor(Qt::ArrowCursor);
}

void ScreenCursors::SetScreenCursor(int slot)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(IsSlot(slot))
    {
        slot = kNormalSlot;
    }
    if (slot == m_screenCursor)
        return;
    m_screenCursor = slot;
    if (slot == kNormalSlot) {
        if (m_overriding)
            QGuiApplication::restoreOverrideCursor();
        m_overriding = false;
    } else if (m_overriding) {
        QGuiApplication::changeOverrideCursor(Cursor(slot));
    } else {
        QGuiApplication::setOverrideCursor(Cursor(slot));
        m_overriding = true;
    }
}

} // namespace velmoro::skin
