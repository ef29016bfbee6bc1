#include "app/streamtitle.h"

#include "platform/wholefile.h"

namespace velmoro::app {

QString CleanStationText(const std::string& bytes)
{
    QString text = platform::DecodeText(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    for (QChar& c : text) {
        const QChar::Category category = c.category();
        // Format characters include the direction overrides, which would
        // turn the rest of a row around.
        if (category == QChar::Other_Control || category == QChar::Other_Format)
            c = u' ';
    }
    text = text.simplified();
    if (text.size() <= kMaxStationTextChars)
        return text;
    qsizetype cut = kMaxStationTextChars - 3;
    if (text.at(cut - 1).isHighSurrogate())
        --cut; // never half a character
    return text.left(cut) + QStringLiteral("...");
}

std::optional<QString> StreamTitleText(const audio::StreamTags& tags)
{
    const QString song = CleanStationText(tags.title);
    if (song.isEmpty())
        return std::nullopt;
    const QString station = CleanStationText(tags.station);
    return station.isEmpty() ? song : station + QStringLiteral(" - ") + song;
}

} // namespace velmoro::app
