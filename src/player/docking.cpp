#include "player/docking.h"

#include <optional>

namespace velmoro::player {

QPoint SnapWindowToScreen(QPoint cursor, QPoint grab, QSize window, QSize screen, const SnapRule& rule)
{
    const int nx = cursor.x() + grab.x();
    const int ny = cursor.y() + grab.y();
    std::optional<int> left;
    std::optional<int> top;
    if (rule.enabled) {
        const int s = rule.distance;
        if (nx >= 0 && nx < s)
            left = 0;
        if (ny >= 0 && ny < s)
            top = 0;
        if (const int gap = screen.width() - (nx + window.width()); gap > 0 && gap < s)
            left = screen.width() - window.width();
        if (const int gap = screen.height() - (ny + window.height()); gap > 0 && gap < s)
            top = screen.height() - window.height();
    }
    return {left.value_or(nx), top.value_or(ny)};
}

} // namespace velmoro::player
