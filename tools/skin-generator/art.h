#pragma once
// Velmoro's own skin, drawn from code: a dark ink-blue body, displays in
// deep teal glass with sea-green glyphs, and warm amber for what is lit or
// pressed. Every picture is made here so the look can be changed and rebuilt.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPoint>
#include <QRect>
#include <QString>

namespace velmoro::skingen {

namespace colours {
inline const QColor kInk(0x10, 0x13, 0x1C);
inline const QColor kBody(0x1C, 0x21, 0x30);
inline const QColor kRaised(0x29, 0x30, 0x46);
inline const QColor kLight(0x47, 0x51, 0x73);
inline const QColor kShadow(0x08, 0x0A, 0x10);
inline const QColor kGlass(0x06, 0x15, 0x18);
inline const QColor kGlassGrid(0x0C, 0x23, 0x27);
inline const QColor kGlyph(0x5A, 0xE8, 0xCC);
inline const QColor kGlyphDim(0x1B, 0x4D, 0x46);
inline const QColor kAmber(0xF2, 0xA3, 0x3A);
inline const QColor kAmberDim(0x4A, 0x33, 0x18);
inline const QColor kSegmentOff(0x16, 0x1B, 0x17);
inline const QColor kLabel(0xC4, 0xCC, 0xE0);
inline const QColor kLabelDim(0x6E, 0x77, 0x93);
inline const QColor kRed(0xE0, 0x55, 0x4A);
} // namespace colours

// ---- drawing helpers (draw.cpp) ----

QImage NewImage(int width, int height, const QColor& fill);

// A raised (or, pressed, sunken) face with a one-pixel bevel.
void Face(QPainter& p, QRect r, bool pressed);
// A sunken display window of glass.
void Glass(QPainter& p, QRect r);
// A groove: a thin sunken track.
void Groove(QPainter& p, QRect r);

// The 5 x 6 pixel font of the skin; text upper-cased, 5 pixels a character.
void PixelText(QImage& image, int x, int y, const QString& text, const QColor& colour);
int PixelTextWidth(const QString& text);
// The glyph of one character as five rows of five '#'/'.' cells, or nullptr.
const char* const* Glyph(QChar c);

// A seven-segment digit in a 9 x 13 cell; digit < 0 draws all segments unlit.
void SegmentDigit(QImage& image, int x, int y, int digit);

// Transport icons centred on c.
enum class Icon { Previous, Play, Pause, Stop, Next, Eject };
void DrawIcon(QPainter& p, Icon icon, QPoint c, const QColor& colour, int scale = 1);

// ---- the sheets (sheets.cpp, windows.cpp, cursors.cpp) ----

QImage Main();
QImage Titlebar();
// The clutterbar and the shade position bar, into titlebar.bmp (titlebarextras.cpp).
void ClutterBar(QImage& titlebar);
void ShadePositionBar(QImage& titlebar);
QImage CButtons();
QImage Volume();
QImage Numbers();
QImage ShufRep();
QImage Balance();
QImage PosBar();
QImage Text();
QImage PlayPaus();
QImage MonoSter();
QImage VisBackground();
QImage PlaylistFrame();
QByteArray PlaylistColours();
QImage Equalizer();

// The about window's banner (284 x 86) and its 32 x 32 mark (about.cpp).
QImage AboutBanner();
QImage AboutIcon();

struct Cursor {
    const char* name;
    QImage image;
    QPoint hotspot;
};
std::vector<Cursor> Cursors();

} // namespace velmoro::skingen
