// The playlist frame, its colours and the equalizer sheet: later windows
// take their look from these when a skin has none of its own.
#include "art.h"

namespace velmoro::skingen {

using namespace colours;

namespace {

// A rectangle given by its corners, right and bottom excluded, as the
// playlist and equalizer sheets are laid out.
QRect Corners(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

void Bar(QPainter& p, QRect r)
{
    QLinearGradient sheen(0, r.top(), 0, r.bottom());
    sheen.setColorAt(0, kRaised.lighter(115));
    sheen.setColorAt(1, kBody);
    p.fillRect(r, sheen);
}

} // namespace

QImage PlaylistFrame()
{
    QImage image = NewImage(280, 186, kInk);
    QPainter p(&image);
    // Title bar pieces: left end, title, filler, right end with the close button.
    Bar(p, Corners(0, 0, 25, 20));
    Bar(p, Corners(26, 0, 126, 20));
    Bar(p, Corners(127, 0, 152, 20));
    Bar(p, Corners(153, 0, 178, 20));
    p.setPen(kAmber.darker(160));
    for (int x : {0, 26, 127, 153})
        p.drawLine(x, 19, x + 24 + (x == 26 ? 75 : 0), 19);
    Face(p, QRect(153 + 13, 6, 9, 9), false);
    p.setPen(kLabel);
    p.drawLine(153 + 15, 8, 153 + 19, 12);
    p.drawLine(153 + 19, 8, 153 + 15, 12);
    p.setPen(kLight);
    for (int row : {8, 11}) {
        p.drawLine(4, row, 24, row);
        p.drawLine(127, row, 151, row);
        p.drawLine(153, row, 163, row);
    }
    // Bottom bar filler, borders and the scroll bar.
    Bar(p, Corners(179, 0, 204, 38));
    p.fillRect(Corners(0, 42, 12, 71), kBody);
    p.fillRect(Corners(10, 42, 12, 71), kShadow);
    p.fillRect(Corners(31, 42, 51, 71), kBody);
    p.fillRect(Corners(36, 42, 45, 71), kInk);
    p.end();
    for (int top : {53}) {
        QPainter t(&image);
        Face(t, Corners(52, top, 61, top + 18), false);
        Face(t, Corners(61, top, 70, top + 18), true);
        t.fillRect(Corners(62, top + 7, 69, top + 11), kAmber);
    }
    PixelText(image, 26 + (100 - PixelTextWidth(QStringLiteral("PLAYLIST"))) / 2, 8,
              QStringLiteral("PLAYLIST"), kAmber);

    // Bottom ends: four buttons on the left; the status displays, the list
    // file button and the resize grip on the right. The buttons stand where
    // the window's click areas are (from 8, 40, 72 and 104, and 25 left of
    // the grip), narrowed to end inside the left end's 125 pixels.
    QPainter b(&image);
    Bar(b, Corners(0, 72, 125, 110));
    Bar(b, Corners(126, 72, 276, 110));
    const char* const labels[] = {"ADD", "REM", "SEL", "MISC"};
    for (int i = 0; i < 4; ++i)
        Face(b, QRect(8 + 32 * i, 77, 21, 30), false);
    Glass(b, QRect(126 + 5, 72 + 8, 62, 10));
    Glass(b, QRect(126 + 70, 72 + 20, 30, 10));
    const QRect file(126 + 92, 72 + 5, 25, 13);
    Face(b, file, false);
    b.setPen(kLight);
    for (int k = 0; k < 4; ++k) // the grip's ridges
        b.drawLine(126 + 149 - 3 * k, 72 + 37, 126 + 149, 72 + 37 - 3 * k);
    b.end();
    for (int i = 0; i < 4; ++i)
        PixelText(image, 8 + 32 * i + (21 - PixelTextWidth(QString::fromLatin1(labels[i]))) / 2, 90,
                  QString::fromLatin1(labels[i]), kLabel);
    PixelText(image, file.left() + (file.width() - PixelTextWidth(QStringLiteral("FILE"))) / 2,
              file.top() + 4, QStringLiteral("FILE"), kLabel);
    return image;
}

QByteArray PlaylistColours()
{
    return "[Text]\r\nNormal=#5AE8CC\r\nCurrent=#FFFFFF\r\nNormalBG=#061518\r\nSelectedBG=#29465A\r\nFont="
           "Arial\r\n";
}

QImage Equalizer()
{
    QImage image = NewImage(275, 315, kInk);
    QPainter p(&image);
    // Window background.
    QLinearGradient body(0, 0, 0, 116);
    body.setColorAt(0, kBody.lighter(115));
    body.setColorAt(1, kBody.darker(120));
    p.fillRect(QRect(0, 0, 275, 116), body);
    Glass(p, QRect(86, 17, 113, 19));
    const int sliders[] = {21, 79, 99, 119, 135, 151, 167, 183, 207, 223, 239};
    for (int x : sliders)
        p.fillRect(QRect(x + 5, 38, 4, 63), kInk);
    p.setPen(kAmber.darker(170));
    p.drawLine(70, 69, 262, 69);
    // Title bar, drawn over the background's top.
    Bar(p, Corners(0, 134, 275, 148));
    Face(p, QRect(264, 137, 9, 9), false);
    p.setPen(kLabel);
    p.drawLine(266, 139, 270, 143);
    p.drawLine(270, 139, 266, 143);
    p.end();
    // The bands stand too close for labels; the preamplifier has one, and
    // the scale its ends.
    PixelText(image, 21 + 7 - PixelTextWidth(QStringLiteral("PRE")) / 2, 104, QStringLiteral("PRE"),
              kLabelDim);
    PixelText(image, 66, 38, QStringLiteral("+"), kLabelDim);
    PixelText(image, 66, 96, QStringLiteral("-"), kLabelDim);
    PixelText(image, 68 - PixelTextWidth(QStringLiteral("0")), 67, QStringLiteral("0"), kLabelDim);
    PixelText(image, (275 - PixelTextWidth(QStringLiteral("EQUALIZZATORE"))) / 2, 138,
              QStringLiteral("EQUALIZZATORE"), kAmber);

    // Buttons: enable, auto, presets, each in its states.
    auto button = [&](QRect face, const QString& label, bool on, bool pressed) {
        QPainter b(&image);
        Face(b, face, pressed);
        const int o = pressed ? 1 : 0;
        b.fillRect(QRect(face.left() + 3 + o, face.top() + 4 + o, 3, 3), on ? kAmber : kAmberDim);
        b.end();
        PixelText(image, face.left() + 8 + o, face.top() + 3 + o, label, on ? kLabel : kLabelDim);
    };
    button(Corners(10, 119, 34, 131), QStringLiteral("ON"), false, false);
    button(Corners(69, 119, 93, 131), QStringLiteral("ON"), true, false);
    button(Corners(187, 119, 211, 131), QStringLiteral("ON"), false, true);
    button(Corners(128, 119, 152, 131), QStringLiteral("ON"), true, true);
    button(Corners(34, 119, 68, 131), QStringLiteral("AUTO"), false, false);
    button(Corners(93, 119, 127, 131), QStringLiteral("AUTO"), true, false);
    button(Corners(211, 119, 245, 131), QStringLiteral("AUTO"), false, true);
    button(Corners(152, 119, 186, 131), QStringLiteral("AUTO"), true, true);
    for (bool pressed : {false, true}) {
        QPainter b(&image);
        const QRect face = Corners(224, pressed ? 176 : 164, 268, pressed ? 188 : 176);
        Face(b, face, pressed);
        b.end();
        PixelText(image, face.left() + 4 + (pressed ? 1 : 0), face.top() + 3 + (pressed ? 1 : 0),
                  QStringLiteral("PRESET"), pressed ? kAmber : kLabel);
    }

    // Slider backgrounds: one frame per value, filled from the middle.
    QPainter s(&image);
    for (int v = 1; v <= 14; ++v) {
        const int left = 15 * (15 - v) - 2;
        for (bool up : {true, false}) {
            const int top = up ? 164 : 229;
            s.fillRect(QRect(left, top, 14, 63), kBody);
            s.fillRect(QRect(left + 5, top, 4, 63), kInk);
            const int length = 2 * v;
            const QColor c = v > 10 ? kAmber : kGlyph;
            s.fillRect(
                up ? QRect(left + 6, top + 31 - length, 2, length) : QRect(left + 6, top + 32, 2, length), c);
        }
    }
    // Slider thumbs, normal and pressed.
    Face(s, QRect(0, 164, 11, 11), false);
    Face(s, QRect(0, 176, 11, 11), true);
    s.fillRect(QRect(3, 169, 5, 1), kLabelDim);
    s.fillRect(QRect(4, 181, 5, 1), kAmber);
    // The curve area's background.
    Glass(s, Corners(0, 294, 113, 313));
    s.setPen(kGlassGrid);
    s.drawLine(1, 303, 111, 303);
    // The curve's colours, one a row: amber for boosts, light at flat, the
    // display's green for cuts.
    s.fillRect(QRect(115, 294, 1, 9), kAmber);
    s.fillRect(QRect(115, 303, 1, 1), kLabel);
    s.fillRect(QRect(115, 304, 1, 9), kGlyph);
    return image;
}

} // namespace velmoro::skingen
