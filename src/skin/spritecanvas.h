#pragma once
// The off-screen image of one skinned window, painted with sprites cut from
// the sheets of its skin. Every call returns the rectangle it changed, so a
// window repaints on screen only what one element touched.
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>
#include <QString>

#include <span>

namespace velmoro::skin {

// A window's sheets by its own numbering (the order of its sheet table).
using SheetList = std::span<const QImage* const>;

// A new off-screen image of a window of the given size, transparent black.
QImage NewWindowImage(QSize size);

class SpriteCanvas {
public:
    // background: the sheet whose pixels stand behind every element.
    SpriteCanvas(QImage& target, SheetList sheets, int background)
        : m_target(target), m_sheets(sheets), m_background(background)
    {
    }

    // Rectangle `from` of a sheet onto rectangle `to`, stretched where the
    // sizes differ.
    QRect Draw(QRect to, int sheet, QRect from);
    // The background's own pixels back over area; where a small background
    // sheet has none, black, so no earlier element stays behind there.
    QRect Restore(QRect area);
    QRect Fill(QRect area, QRgb colour);
    // Text in the 5 x 6 skin font of a sheet, one cell per character.
    QRect Text(int fontSheet, int x, int y, const QString& text);

    QImage& Target() { return m_target; }
    const QImage& Sheet(int sheet) const;

private:
    QImage& m_target;
    SheetList m_sheets;
    int m_background;
};

// Cell origin in text.bmp of an upper-cased character: the format's letters,
// digits and signs; an accented letter without a cell of its own takes its
// base letter's; anything else the blank cell.
QPoint GlyphCell(QChar c);

// Text in the 5 x 6 skin font of `font` onto any image, upper-cased.
QRect DrawSkinText(const QImage& font, QImage& target, int x, int y, const QString& text);

} // namespace velmoro::skin
