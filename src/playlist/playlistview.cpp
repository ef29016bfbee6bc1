#include "playlist/playlistview.h"

#include "playlist/listpaths.h"

#include <algorithm>

namespace velmoro::playlist {

namespace {

constexpr int kThumbMargin = 8;
constexpr int kGripStep = 25;
constexpr int kGripMinWidth = 270;
constexpr int kGripMinHeight = 345;

// One side of the grip's size: the distance in whole steps, when it is
// positive and not below the side's minimum; else the side as it is.
int GripSide(int distance, int minimum, int current)
{
    const int side = distance / kGripStep * kGripStep;
    return side > 0 && side >= minimum ? side : current;
}

} // namespace

PlaylistTotals RefreshRows(TMPEGAudioList& list, const QString& rowTemplate)
{
    PlaylistTotals totals;
    for (int i = 0; i < list.Count(); ++i) {
        TMPEGAudio& entry = list.Items(i);
        entry.SetMacro(rowTemplate);
        totals.seconds += entry.Data().Duration;
        totals.bytes += entry.Data().FileLength;
    }
    return totals;
}

QString RowText(const TMPEGAudioList& list, int row, bool numbered, const StreamTitles& streamTitles)
{
    if (row < 0 || row >= list.Count())
        return {};
    const TMPEGAudio& entry = list.Items(row);
    const QString name = entry.GetFileName();
    // An address has no tag or file to fill a template from.
    const QString text = IsAddress(name) ? streamTitles.value(name, name) : entry.Text();
    return numbered ? QString::number(qint64(row) + 1) + u'.' + text : text;
}

QString PositionStatus(int currentIndex, int count, std::int64_t totalBytes)
{
    return QStringLiteral("%1/%2 (%3MB)")
        .arg(qint64(currentIndex) + 1)
        .arg(count)
        .arg(qint64(totalBytes / 1048576));
}

QString TimeStatus(std::int64_t totalSeconds)
{
    constexpr std::int64_t kDay = 86400;
    const std::int64_t ofDay = (totalSeconds % kDay + kDay) % kDay;
    return QStringLiteral("%1:%2")
        .arg(qint64(ofDay / 3600), 2, 10, QLatin1Char('0'))
        .arg(qint64(ofDay / 60 % 60), 2, 10, QLatin1Char('0'));
}

int ScrollThumbTop(int selectedRow, int rowCount, int barHeight)
{
    if (rowCount <= 0)
        return 0;
    const std::int64_t top = std::int64_t(selectedRow) * (barHeight - kThumbMargin) / rowCount;
    return int(std::max<std::int64_t>(top, 0));
}

int ScrollBarRow(int y, int rowCount, int barHeight)
{
    if (rowCount <= 0)
        return -1;
    const std::int64_t atY = std::int64_t(y) * rowCount / std::max(barHeight, 1);
    return int(std::min<std::int64_t>(std::max<std::int64_t>(atY, 0) + 1, rowCount - 1));
}

QSize GripSize(QPoint cursor, QPoint topLeft, QSize current)
{
    return {GripSide(cursor.x() - topLeft.x(), kGripMinWidth, current.width()),
            GripSide(cursor.y() - topLeft.y(), kGripMinHeight, current.height())};
}

} // namespace velmoro::playlist
