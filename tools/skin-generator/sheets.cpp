// The eleven sheets of the main window and the visualization background.
#include "art.h"

namespace velmoro::skingen {

using namespace colours;

namespace {

QColor Mix(const QColor& a, const QColor& b, double t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t, a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t);
}

// Dots of a faint grid on display glass.
void GlassGrid(QImage& image, QRect r)
{
    for (int y = r.top() + 2; y < r.bottom(); y += 4)
        for (int x = r.left() + 2; x < r.right(); x += 4)
            image.setPixel(x, y, kGlassGrid.rgb());
}

enum class TitleGlyph { Menu, Minimize, Close, Shade, Unshade };

void TitleButton(QPainter& p, int x, int y, TitleGlyph glyph, bool pressed)
{
    Face(p, QRect(x, y, 9, 9), pressed);
    const QColor c = pressed ? kAmber : kLabel;
    const int o = pressed ? 1 : 0;
    p.setPen(c);
    switch (glyph) {
    case TitleGlyph::Menu:
        for (int row : {2, 4, 6})
            p.drawLine(x + 2 + o, y + row + o, x + 6 + o, y + row + o);
        break;
    case TitleGlyph::Minimize:
        p.fillRect(x + 2 + o, y + 5 + o, 5, 2, c);
        break;
    case TitleGlyph::Close:
        p.drawLine(x + 2 + o, y + 2 + o, x + 6 + o, y + 6 + o);
        p.drawLine(x + 6 + o, y + 2 + o, x + 2 + o, y + 6 + o);
        break;
    case TitleGlyph::Shade: // fold the window up
        p.fillRect(x + 2 + o, y + 2 + o, 5, 2, c);
        p.drawLine(x + 4 + o, y + 4 + o, x + 4 + o, y + 6 + o);
        break;
    case TitleGlyph::Unshade: // unfold it
        p.setBrush(Qt::NoBrush);
        p.drawRect(x + 2 + o, y + 2 + o, 4, 4);
        break;
    }
}

// A title bar of the given height at y of the title-bar sheet, x from 27.
void TitleBarStrip(QImage& image, int y, int height, bool active, bool shade)
{
    QPainter p(&image);
    const QRect bar(27, y, 274, height);
    QLinearGradient sheen(0, y, 0, y + height);
    sheen.setColorAt(0, active ? kRaised.lighter(115) : kBody);
    sheen.setColorAt(1, active ? kBody : kInk);
    p.fillRect(bar, sheen);
    p.setPen(active ? kAmber.darker(160) : kLight.darker(150));
    p.drawLine(bar.bottomLeft(), bar.bottomRight());
    p.setPen(kLight.darker(active ? 110 : 160));
    p.drawLine(bar.topLeft(), bar.topRight());

    const QColor text = active ? kAmber : kLabelDim;
    const QColor groove = active ? kLight : kLight.darker(140);
    const int textY = y + (height - 5) / 2;
    TitleButton(p, 27 + 6, y + 3, TitleGlyph::Menu, false);
    TitleButton(p, 27 + 244, y + 3, TitleGlyph::Minimize, false);
    TitleButton(p, 27 + 254, y + 3, shade ? TitleGlyph::Unshade : TitleGlyph::Shade, false);
    TitleButton(p, 27 + 264, y + 3, TitleGlyph::Close, false);
    p.end();

    const QString name = QStringLiteral("VELMORO");
    if (!shade) {
        const int textX = 27 + (274 - PixelTextWidth(name)) / 2;
        PixelText(image, textX, textY, name, text);
        QPainter lines(&image);
        lines.setPen(groove);
        for (int row : {textY + 1, textY + 3}) {
            lines.drawLine(27 + 20, row, textX - 6, row);
            lines.drawLine(textX + PixelTextWidth(name) + 6, row, 27 + 238, row);
        }
        return;
    }
    PixelText(image, 27 + 20, textY, name, text);
    QPainter q(&image);
    Glass(q, QRect(27 + 131, y + 2, 31, 9));
    // The small transport of shade mode, between 168 and 224.
    const QColor icon = active ? kLabel : kLabelDim;
    q.setPen(Qt::NoPen);
    q.setBrush(icon);
    const int cy = y + 7;
    auto tri = [&](int x, int dir) {
        q.drawPolygon(QPolygon({QPoint(x, cy - 3), QPoint(x + 3 * dir, cy), QPoint(x, cy + 3)}));
    };
    q.drawRect(27 + 169, cy - 3, 1, 6);
    tri(27 + 174, -1);
    tri(27 + 179, 1);
    q.drawRect(27 + 188, cy - 3, 2, 6);
    q.drawRect(27 + 192, cy - 3, 2, 6);
    q.drawRect(27 + 198, cy - 3, 6, 6);
    tri(27 + 206, 1);
    q.drawRect(27 + 210, cy - 3, 1, 6);
    q.drawPolygon(QPolygon({QPoint(27 + 216, cy + 1), QPoint(27 + 219, cy - 3), QPoint(27 + 222, cy + 1)}));
    q.drawRect(27 + 216, cy + 2, 6, 1);
}

} // namespace

QImage VisBackground()
{
    QImage image = NewImage(83, 22, kGlass);
    GlassGrid(image, image.rect());
    return image;
}

QImage Main()
{
    QImage image = NewImage(275, 116, kBody);
    QPainter p(&image);
    QLinearGradient body(0, 14, 0, 116);
    body.setColorAt(0, kBody.lighter(115));
    body.setColorAt(1, kBody.darker(120));
    p.fillRect(QRect(0, 14, 275, 102), body);
    p.setPen(kLight);
    p.drawLine(0, 14, 274, 14);
    p.drawLine(0, 14, 0, 115);
    p.setPen(kShadow);
    p.drawLine(0, 115, 274, 115);
    p.drawLine(274, 14, 274, 115);

    // The display: time, play state, level meters and the visualization.
    Glass(p, QRect(9, 20, 97, 46));
    p.fillRect(QRect(72, 29, 2, 2), kAmber);
    p.fillRect(QRect(72, 34, 2, 2), kAmber);
    // Title display and the information strip.
    Glass(p, QRect(107, 22, 161, 16));
    Glass(p, QRect(107, 40, 103, 13));
    Glass(p, QRect(211, 40, 57, 13));
    // Slider tracks, shown where a slider is not drawn.
    p.fillRect(QRect(108, 61, 66, 5), kInk);
    p.fillRect(QRect(178, 61, 38, 5), kInk);
    p.fillRect(QRect(196, 59, 2, 9), kLight.darker(130));
    // Trays behind the position bar, the transport and the toggles.
    p.fillRect(QRect(15, 71, 250, 13), kInk);
    p.fillRect(QRect(14, 86, 146, 21), kInk);
    p.fillRect(QRect(162, 87, 78, 19), kInk);
    p.fillRect(QRect(217, 56, 50, 15), kInk);
    p.setPen(kAmber.darker(170));
    p.drawLine(240, 103, 273, 103);
    p.end();

    for (int x : {48, 61, 78, 91})
        SegmentDigit(image, x, 26, -1);
    const QRect vis(20, 41, 83, 22);
    GlassGrid(image, vis);
    for (int row : {46, 53}) // unlit meter columns
        for (int x = 24; x <= 101; x += 2)
            for (int y = row; y < row + 4; ++y)
                image.setPixel(x, y, kGlyphDim.darker(130).rgb());
    PixelText(image, 14, 45, QStringLiteral("L"), kGlyphDim);
    PixelText(image, 14, 52, QStringLiteral("R"), kGlyphDim);
    PixelText(image, 128, 43, QStringLiteral("KBPS"), kGlyphDim);
    PixelText(image, 170, 43, QStringLiteral("KHZ"), kGlyphDim);
    PixelText(image, 240, 96, QStringLiteral("VELMORO"), kAmber);
    return image;
}

QImage Titlebar()
{
    QImage image = NewImage(344, 87, kInk);
    QPainter p(&image);
    const TitleGlyph row0[] = {TitleGlyph::Menu, TitleGlyph::Minimize, TitleGlyph::Close};
    for (int i = 0; i < 3; ++i) {
        TitleButton(p, 9 * i, 0, row0[i], false);
        TitleButton(p, 9 * i, 9, row0[i], true);
    }
    TitleButton(p, 0, 18, TitleGlyph::Shade, false);
    TitleButton(p, 9, 18, TitleGlyph::Shade, true);
    TitleButton(p, 0, 27, TitleGlyph::Unshade, false);
    TitleButton(p, 9, 27, TitleGlyph::Unshade, true);
    p.end();
    TitleBarStrip(image, 0, 14, true, false);
    TitleBarStrip(image, 15, 14, false, false);
    TitleBarStrip(image, 29, 13, true, true);
    TitleBarStrip(image, 42, 14, false, true);
    ClutterBar(image);
    ShadePositionBar(image);
    return image;
}

QImage CButtons()
{
    QImage image = NewImage(136, 36, kInk);
    QPainter p(&image);
    const Icon icons[] = {Icon::Previous, Icon::Play, Icon::Pause, Icon::Stop, Icon::Next};
    for (int i = 0; i < 5; ++i) {
        const int width = i == 4 ? 22 : 23;
        for (bool pressed : {false, true}) {
            const QRect face(23 * i, pressed ? 18 : 0, width, 17);
            Face(p, face, pressed);
            DrawIcon(p, icons[i], face.center() + QPoint(pressed ? 2 : 1, pressed ? 2 : 1),
                     pressed ? kAmber : kLabel);
        }
    }
    for (bool pressed : {false, true}) {
        const QRect face(114, pressed ? 16 : 0, 21, 15);
        Face(p, face, pressed);
        DrawIcon(p, Icon::Eject, face.center() + QPoint(pressed ? 2 : 1, pressed ? 1 : 0),
                 pressed ? kAmber : kLabel);
    }
    return image;
}

QImage ShufRep()
{
    QImage image = NewImage(92, 85, kInk);
    // A toggle face with its lamp and label; `on` lights both.
    auto toggle = [&](QRect face, const QString& label, bool on, bool pressed) {
        QPainter p(&image);
        Face(p, face, pressed);
        const int o = pressed ? 1 : 0;
        const int lampY = face.top() + (face.height() - 3) / 2 + o;
        p.fillRect(QRect(face.left() + 3 + o, lampY, 3, 3), on ? kAmber : kAmberDim);
        p.end();
        PixelText(image, face.left() + 8 + o, face.top() + (face.height() - 5) / 2 + o, label,
                  on ? kLabel : kLabelDim);
    };
    for (int state = 0; state < 4; ++state) { // off, off pressed, on, on pressed
        const bool on = state >= 2;
        const bool pressed = state % 2 == 1;
        toggle(QRect(0, 15 * state, 29, 15), QStringLiteral("REP"), on, pressed);
        toggle(QRect(28, 15 * state, 47, 15), QStringLiteral("SHUFFLE"), on, pressed);
    }
    for (bool on : {false, true}) {
        const int y = on ? 73 : 61;
        toggle(QRect(0, y, 23, 11), QStringLiteral("EQ"), on, false);
        toggle(QRect(47, y, 23, 11), QStringLiteral("EQ"), on, true);
        toggle(QRect(23, y, 23, 11), QStringLiteral("PL"), on, false);
        toggle(QRect(69, y, 23, 11), QStringLiteral("PL"), on, true);
    }
    return image;
}

QImage PlayPaus()
{
    QImage image = NewImage(42, 9, kGlass);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlyph);
    p.drawPolygon(QPolygon({QPoint(3, 1), QPoint(7, 4), QPoint(3, 7)}));
    p.fillRect(QRect(11, 1, 2, 7), kAmber);
    p.fillRect(QRect(14, 1, 2, 7), kAmber);
    p.fillRect(QRect(20, 2, 5, 5), kRed);
    p.fillRect(QRect(37, 2, 1, 5), kGlyph);
    return image;
}

QImage MonoSter()
{
    QImage image = NewImage(58, 24, kGlass);
    for (bool lit : {true, false}) {
        const int y = lit ? 3 : 15;
        const QColor c = lit ? kGlyph : kGlyphDim;
        PixelText(image, 0, y, QStringLiteral("STEREO"), c);
        PixelText(image, 29 + (29 - PixelTextWidth(QStringLiteral("MONO"))) / 2, y, QStringLiteral("MONO"),
                  c);
    }
    return image;
}

QImage Numbers()
{
    QImage image = NewImage(99, 13, kGlass);
    for (int d = 0; d <= 10; ++d)
        SegmentDigit(image, 9 * d, 0, d < 10 ? d : -1);
    return image;
}

QImage Text()
{
    QImage image = NewImage(155, 18, kGlass);
    for (char c = 'A'; c <= 'Z'; ++c)
        PixelText(image, 5 * (c - 'A'), 0, QString(QChar(c)), kGlyph);
    for (char c = '0'; c <= '9'; ++c)
        PixelText(image, 5 * (c - '0'), 6, QString(QChar(c)), kGlyph);
    // The format's places: the skins people have were painted for them.
    const std::pair<char16_t, QPoint> specials[] = {
        {u'"', {130, 0}},     {u'@', {135, 0}},      {u'\u2026', {50, 6}}, {u'.', {55, 6}},
        {u':', {60, 6}},      {u'(', {65, 6}},       {u')', {70, 6}},      {u'-', {75, 6}},
        {u'\'', {80, 6}},     {u'!', {85, 6}},       {u'_', {90, 6}},      {u'+', {95, 6}},
        {u'\\', {100, 6}},    {u'/', {105, 6}},      {u'[', {110, 6}},     {u']', {115, 6}},
        {u'^', {120, 6}},     {u'&', {125, 6}},      {u'%', {130, 6}},     {u',', {135, 6}},
        {u'=', {140, 6}},     {u'$', {145, 6}},      {u'#', {150, 6}},     {u'\u00C5', {0, 12}},
        {u'\u00D6', {5, 12}}, {u'\u00C4', {10, 12}}, {u'?', {15, 12}},     {u'*', {20, 12}},
    };
    for (const auto& [c, at] : specials)
        PixelText(image, at.x(), at.y(), QString(QChar(c)), kGlyph);
    return image;
}

namespace {

void SliderThumbs(QImage& image)
{
    QPainter p(&image);
    for (bool pressed : {true, false}) {
        const QRect knob(pressed ? 0 : 15, 422, 14, 11);
        Face(p, knob, pressed);
        for (int dx : {4, 6, 8})
            p.fillRect(QRect(knob.left() + dx + (pressed ? 1 : 0), knob.top() + 3, 1, 5),
                       pressed ? kAmber : kLabelDim);
    }
}

} // namespace

QImage Volume()
{
    QImage image = NewImage(68, 433, kBody);
    QPainter p(&image);
    for (int f = 0; f < 28; ++f) {
        const int y = 15 * f;
        p.fillRect(QRect(0, y, 68, 13), kBody);
        p.fillRect(QRect(1, y + 4, 66, 5), kInk);
        const int length = 2 + (63 * f + 13) / 27;
        p.fillRect(QRect(2, y + 5, length - 2, 3), Mix(kGlyph, kAmber, f / 27.0));
        p.fillRect(QRect(2, y + 5, length - 2, 1), Mix(kGlyph, kAmber, f / 27.0).lighter(130));
    }
    p.end();
    SliderThumbs(image);
    return image;
}

QImage Balance()
{
    QImage image = NewImage(68, 433, kBody);
    QPainter p(&image);
    for (int f = 0; f < 28; ++f) {
        const int y = 15 * f;
        p.fillRect(QRect(9, y + 4, 38, 5), kInk);
        const int half = (18 * f + 13) / 27;
        const QColor c = Mix(kGlyph, kAmber, f / 27.0);
        // The centre mark stands above and below the track, never over the fill.
        p.fillRect(QRect(27, y + 2, 2, 2), kLight.darker(110));
        p.fillRect(QRect(27, y + 9, 2, 2), kLight.darker(110));
        p.fillRect(QRect(28 - half, y + 5, 2 * half, 3), c);
    }
    p.end();
    SliderThumbs(image);
    return image;
}

QImage PosBar()
{
    QImage image = NewImage(307, 10, kInk);
    QPainter p(&image);
    p.fillRect(QRect(0, 0, 247, 10), kInk);
    p.fillRect(QRect(1, 4, 245, 2), kShadow);
    for (int x = 0; x < 247; x += 24)
        p.fillRect(QRect(x, 3, 1, 4), kLight.darker(160));
    for (bool pressed : {false, true}) {
        const QRect knob(pressed ? 278 : 248, 0, 29, 10);
        Face(p, knob, pressed);
        for (int dx : {11, 14, 17})
            p.fillRect(QRect(knob.left() + dx + (pressed ? 1 : 0), 2, 1, 6), pressed ? kAmber : kLabelDim);
    }
    return image;
}

} // namespace velmoro::skingen
