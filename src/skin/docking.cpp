#include "skin/docking.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include <optional>

namespace velmoro::skin {

QPoint SnapWindowToScreen(QPoint cursor, QPoint grab, QSize window, QRect screen, const SnapRule& rule)
{
    const int nx = cursor.x() + grab.x();
    const int ny = cursor.y() + grab.y();
    std::optional<int> left;
    std::optional<int> top;
    if (rule.enabled) {
        const int s = rule.distance;
        const int edgeRight = screen.x() + screen.width();
        const int edgeBottom = screen.y() + screen.height();
        if (nx >= screen.x() && nx < screen.x() + s)
            left = screen.x();
        if (ny >= screen.y() && ny < screen.y() + s)
            top = screen.y();
        if (const int gap = edgeRight - (nx + window.width()); gap > 0 && gap < s)
            left = edgeRight - window.width();
        if (const int gap = edgeBottom - (ny + window.height()); gap > 0 && gap < s)
            top = edgeBottom - window.height();
    }
    return {left.value_or(nx), top.value_or(ny)};
}

QRect ScreenAreaAt(QPoint point)
{
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

QPoint DraggedWindowPosition(QPoint grab, QSize window, const SnapRule& rule)
{
    const QPoint cursor = QCursor::pos();
    return SnapWindowToScreen(cursor, grab, window, ScreenAreaAt(cursor), rule);
}

} // namespace velmoro::skin
