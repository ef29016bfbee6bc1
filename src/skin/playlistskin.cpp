#include "skin/playlistskin.h"

#include "platform/logging.h"
#include "platform/profilefile.h"
#include "skin/sheetloader.h"

namespace velmoro::skin {

namespace {

// pledit.txt is a few lines; anything near this is no colour file.
constexpr qsizetype kMaxPlaylistTextFile = 1024 * 1024;

const QString kSection = QStringLiteral("Text");

} // namespace

std::uint32_t SkinColorToInt(const QString& text)
{
    const QString digits = text.trimmed().mid(1, 6).toUpper();
    const auto hex = [&](int at) -> std::uint32_t {
        if (at >= digits.size())
            return 0;
        const QChar c = digits[at];
        if (c >= u'0' && c <= u'9')
            return c.unicode() - u'0';
        if (c >= u'A' && c <= u'F')
            return c.unicode() - u'A' + 10;
        return 0;
    };
    const auto pair = [&](int at) { return hex(at) * 16 + hex(at + 1); };
    return pair(0) | pair(2) << 8 | pair(4) << 16;
}

QRgb SkinColorToRgb(const QString& text)
{
    const std::uint32_t bgr = SkinColorToInt(text);
    return qRgb(int(bgr & 0xFF), int(bgr >> 8 & 0xFF), int(bgr >> 16 & 0xFF));
}

PlaylistColors DefaultPlaylistColors()
{
    return {qRgb(0, 255, 0), qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(0, 0, 0), QStringLiteral("Arial")};
}

PlaylistColors ParsePlaylistColors(QByteArrayView text)
{
    platform::ProfileFile file;
    file.Parse(text);
    const auto colour = [&](const char* key, const char* fallback) {
        return SkinColorToRgb(file.Value(kSection, QString::fromLatin1(key), QString::fromLatin1(fallback)));
    };
    return {colour("Normal", "#00FF00"), colour("Current", "#FFFFFF"), colour("SelectedBG", "#0000FF"),
            colour("NormalBG", "#0000"),
            file.Value(kSection, QStringLiteral("Font"), QStringLiteral("Arial"))};
}

PlaylistSkin::PlaylistSkin() : m_colors(DefaultPlaylistColors())
{
    Load(BuiltInSkin());
}

void PlaylistSkin::Load(const SkinSource& source)
{
    LoadSheet(source, QStringLiteral("pledit.bmp"), m_frame);
    LoadSheet(source, QStringLiteral("text.bmp"), m_font);

    const QString colours = QStringLiteral("pledit.txt");
    m_colors = DefaultPlaylistColors();
    if (!source.Has(colours))
        return;
    // An unreadable file reads as an empty one, as the profile functions
    // gave it: every colour at its default.
    const std::optional<QByteArray> text = source.Read(colours, kMaxPlaylistTextFile);
    if (!text) {
        qCWarning(lcSkin) << "cannot read" << colours << "in" << source.Where() << "or it is too large";
        return;
    }
    m_colors = ParsePlaylistColors(*text);
}

QFont PlaylistSkin::RowFont() const
{
    QFont font(m_colors.font);
    font.setPixelSize(9);
    font.setStyleStrategy(QFont::NoAntialias);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

} // namespace velmoro::skin
