#include "skin/spritecanvas.h"

#include "platform/verify.h"
#include "skin/blit.h"
#include "skin/skingeometry.h"

namespace velmoro::skin {

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
        Blit(target, QRect(cellX, y, 5, 6), font, QRect(FontCell(text[i].toUpper()), QSize(5, 6)));
    }
    return QRect(x, y, 5 * int(text.size()), 6);
}

} // namespace velmoro::skin
