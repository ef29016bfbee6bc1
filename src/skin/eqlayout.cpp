#include "skin/eqlayout.h"

#include <algorithm>
#include <cmath>

namespace velmoro::skin {

QRect EqSliderBackgroundSprite(int position)
{
    position = std::clamp(position, kEqLowestPosition, kEqHighestPosition);
    if (position >= 0)
        position = std::max(1, position); // the middle shows the frame of 1
    if (position >= 1)
        return Span(15 * (15 - position) - 2, 164, 15 * (15 - position) + 12, 227);
    return Span(15 * -position - 2, 229, 15 * -position + 12, 292);
}

int EqPositionAt(int y)
{
    return std::clamp(RoundDiv(static_cast<long long>(y) * 28, 64) - 14, kEqLowestPosition,
                      kEqHighestPosition);
}

double EqCurveFrequency(int column)
{
    const double t = double(std::clamp(column, 0, kEqCurve.width() - 1)) / double(kEqCurve.width() - 1);
    return 20.0 * std::pow(1000.0, t);
}

int EqCurveRow(double dB)
{
    const int middle = kEqCurve.height() / 2;
    return std::clamp(int(std::lround(middle - dB * middle / kEqHighestPosition)), 0, kEqCurve.height() - 1);
}

} // namespace velmoro::skin
