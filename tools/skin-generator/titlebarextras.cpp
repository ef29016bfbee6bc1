// The pictures titlebar.bmp keeps beside the title bars: the clutterbar with
// its lit buttons and the shade mode's small position bar.
#include "art.h"

namespace velmoro::skingen {

using namespace colours;

namespace {

struct ClutterFace {
    char letter;
    int top; // row in the bar
    int height;
};

// The rows of the five buttons, where the player looks for them.
constexpr ClutterFace kClutterFaces[] = {
    {'O', 3, 8}, {'A', 11, 7}, {'I', 18, 7}, {'D', 25, 8}, {'V', 33, 7},
};
constexpr QPoint kClutterBar(304, 0);
constexpr int kClutterBarHeight = 43;
// Each lit button stands in a bar of its own below, one button's width
// further right than the one before.
constexpr int kLitBarTop = 44;

void ClutterFaceAt(QImage& image, QPoint at, const ClutterFace& face, bool lit)
{
    QPainter p(&image);
    Face(p, QRect(at, QSize(8, face.height)), lit);
    p.end();
    PixelText(image, at.x() + 2, at.y() + (face.height - 5) / 2, QString(QChar(face.letter)),
              lit ? kAmber : kLabelDim);
}

} // namespace

void ClutterBar(QImage& titlebar)
{
    {
        QPainter p(&titlebar);
        Groove(p, QRect(kClutterBar, QSize(8, kClutterBarHeight)));
    }
    for (const ClutterFace& face : kClutterFaces)
        ClutterFaceAt(titlebar, kClutterBar + QPoint(0, face.top), face, false);
    for (int i = 0; i < int(std::size(kClutterFaces)); ++i) {
        const ClutterFace& face = kClutterFaces[i];
        ClutterFaceAt(titlebar, QPoint(kClutterBar.x() + 8 * i, kLitBarTop + face.top), face, true);
    }
}

void ShadePositionBar(QImage& titlebar)
{
    QPainter p(&titlebar);
    const QRect groove(0, 36, 17, 7);
    p.fillRect(groove, kInk);
    p.fillRect(QRect(groove.left() + 1, groove.top() + 3, groove.width() - 2, 1), kShadow);
    p.fillRect(QRect(groove.left() + 1, groove.top() + 4, groove.width() - 2, 1), kLight.darker(160));
    // The thumb warms from sea green to amber as the song goes on, by thirds.
    const QColor thirds[] = {kGlyph, kLabel, kAmber};
    for (int third = 0; third < 3; ++third) {
        const QRect thumb(17 + 3 * third, 36, 3, 7);
        p.fillRect(thumb, kRaised);
        p.fillRect(thumb.adjusted(1, 1, -1, -1), thirds[third]);
    }
}

} // namespace velmoro::skingen
