#include "skin/spritecanvas.h"

#include "platform/verify.h"
#include "skin/blit.h"

#include <algorithm>
#include <array>
#include <optional>

namespace velmoro::skin {

namespace {

struct Glyph {
    char16_t c;
    QPoint cell;
};

// text.bmp: letters on the first row, digits and signs on the second,
// the three Nordic letters, "?" and "*" on the third. "<" ">" and "{" "}"
// have no cells of their own and show the brackets, as in the players the
// skins were drawn for.
constexpr std::array<Glyph, 32> kSigns = {{
    {u'"', {130, 0}},      {u'@', {135, 0}}, {u'\u2026', {50, 6}}, {u'.', {55, 6}},      {u':', {60, 6}},
    {u'(', {65, 6}},       {u')', {70, 6}},  {u'-', {75, 6}},      {u'\'', {80, 6}},     {u'!', {85, 6}},
    {u'_', {90, 6}},       {u'+', {95, 6}},  {u'\\', {100, 6}},    {u'/', {105, 6}},     {u'[', {110, 6}},
    {u']', {115, 6}},      {u'^', {120, 6}}, {u'&', {125, 6}},     {u'%', {130, 6}},     {u',', {135, 6}},
    {u'=', {140, 6}},      {u'$', {145, 6}}, {u'#', {150, 6}},     {u'\u00C5', {0, 12}}, {u'\u00D6', {5, 12}},
    {u'\u00C4', {10, 12}}, {u'?', {15, 12}}, {u'*', {20, 12}},     {u'<', {110, 6}},     {u'>', {115, 6}},
    {u'{', {110, 6}},      {u'}', {115, 6}},
}};

constexpr QPoint kBlankCell(142, 0);

std::optional<QPoint> OwnCell(char16_t u)
{
    if (u >= u'A' && u <= u'Z')
        return QPoint(5 * (u - u'A'), 0);
    if (u >= u'0' && u <= u'9')
        return QPoint(5 * (u - u'0'), 6);
    const auto* sign = std::find_if(kSigns.begin(), kSigns.end(), [u](const Glyph& g) { return g.c == u; });
    if (sign == kSigns.end())
        return std::nullopt;
    return sign->cell;
}

} // namespace

QPoint GlyphCell(QChar c)
{
    if (std::optional<QPoint> cell = OwnCell(c.unicode()))
        return *cell;
    if (c.unicode() < 0x80)
        return kBlankCell;
    // "È" decomposes into "E" and a combining accent.
    const QString decomposed = QString(c).normalized(QString::NormalizationForm_D);
    return OwnCell(decomposed.front().unicode()).value_or(kBlankCell);
}

QImage NewWindowImage(QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

const QImage& SpriteCanvas::Sheet(int sheet) const
{
    static const QImage none;
    VELMORO_VERIFY_OR_DEBUG_ASSERT(sheet >= 0 && std::size_t(sheet) < m_sheets.size() && m_sheets[sheet])
    {
        return none;
    }
    return *m_sheets[std::size_t(sheet)];
}

QRect SpriteCanvas::Draw(QRect to, int sheet, QRect from)
{
    Blit(m_target, to, Sheet(sheet), from);
    return to;
}

QRect SpriteCanvas::Restore(QRect area)
{
    const QImage& background = Sheet(m_background);
    if (!background.rect().contains(area))
        FillRect(m_target, area, qRgb(0, 0, 0));
    return Draw(area, m_background, area);
}

QRect SpriteCanvas::Fill(QRect area, QRgb colour)
{
    FillRect(m_target, area, colour);
    return area;
}

QRect SpriteCanvas::Text(int fontSheet, int x, int y, const QString& text)
{
    return DrawSkinText(Sheet(fontSheet), m_target, x, y, text);
}

QRect DrawSkinText(const QImage& font, QImage& target, int x, int y, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int cellX = x + 5 * int(i);
        if (cellX >= target.width())
            break;
        Blit(target, QRect(cellX, y, 5, 6), font, QRect(GlyphCell(text[i].toUpper()), QSize(5, 6)));
    }
    return QRect(x, y, 5 * int(text.size()), 6);
}

} // namespace velmoro::skin
