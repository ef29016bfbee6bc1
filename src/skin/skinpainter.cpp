#include "skin/skinpainter.h"

#include "skin/blit.h"
#include "skin/skingeometry.h"

#include <algorithm>
#include <cstdlib>

namespace velmoro::skin {

namespace {

constexpr QRect kWholeControl(0, 0, kSkinWidth, kSkinHeight);
constexpr QRect kTitleArea(110, 27, 155, 6);
constexpr int kTitleAreaRight = 265;
constexpr int kTitleScrollLimit = 32; // characters from which the title scrolls

QRect Pressable(QRect normal, int pressedTop, bool pressed)
{
    if (pressed)
        normal.moveTop(pressedTop);
    return normal;
}

QRgb ToRgb(SkinColor c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

} // namespace

QImage NewCanvas()
{
    QImage canvas(kSkinWidth, kSkinHeight, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    return canvas;
}

QImage NewTitleBuffer()
{
    QImage buffer(kTitleBufferWidth, kTitleBufferHeight, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::black);
    return buffer;
}

QRect SkinPainter::Text(const QImage& font, QImage& target, int x, int y, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int cellX = x + 5 * int(i);
        if (cellX >= target.width())
            break;
        Blit(target, QRect(cellX, y, 5, 6), font, QRect(FontCell(text[i].toUpper()), QSize(5, 6)));
    }
    return QRect(x, y, 5 * int(text.size()), 6);
}

QRect SkinPainter::FullPaint(DrawState& s)
{
    Restore(m_canvas, m_skin.MainBitmap, kWholeControl);
    TitleBar(s);
    Buttons(s);
    VolumeSlider(s);
    BalanceSlider(s);
    Time(s);
    Toggles(s);
    Title(s);
    PositionBar(s);
    PlayState(s);
    Frequency(s);
    Bitrate(s);
    StereoIndicators(s);
    Meters(s);
    return kWholeControl;
}

QRect SkinPainter::TitleBar(const DrawState& s)
{
    QRect from;
    if (s.Sticky) {
        from = s.Active ? QRect(27, 29, 274, 13) : QRect(27, 42, 274, 14);
    } else {
        from = s.Active ? QRect(27, 0, 274, 14) : QRect(27, 15, 274, 14);
    }
    const QRect to(0, 0, 274, 14);
    Blit(m_canvas, to, m_skin.TitlebarBitmap, from);
    return to;
}

QRect SkinPainter::Buttons(const DrawState& s)
{
    struct Sprite {
        QRect from;
        int pressedTop;
        QRect to;
    };
    static constexpr Sprite kSprites[6] = {
        {{0, 0, 23, 17}, 18, {16, 88, 23, 17}},   {{23, 0, 23, 17}, 18, {39, 88, 23, 17}},
        {{46, 0, 23, 17}, 18, {62, 88, 23, 17}},  {{69, 0, 23, 17}, 18, {85, 88, 23, 17}},
        {{92, 0, 22, 17}, 18, {108, 88, 22, 17}}, {{114, 0, 21, 15}, 16, {136, 89, 22, 16}},
    };
    for (int i = 0; i < 6; ++i) {
        const Sprite& sprite = kSprites[i];
        Blit(m_canvas, sprite.to, m_skin.CButtonsBitmap,
             Pressable(sprite.from, sprite.pressedTop, s.PressedButton == i + 1));
    }
    return Span(16, 88, 158, 105);
}

QRect SkinPainter::Toggles(const DrawState& s)
{
    const auto y = [&](TSkinCheckedItem item, int button, int on, int pressed) {
        return (s.Checked.testFlag(item) ? on : 0) + (s.PressedButton == button ? pressed : 0);
    };
    Blit(m_canvas, {164, 89, 48, 15}, m_skin.ShufRepBitmap, {28, y(ckShuffle, 7, 30, 15), 47, 15});
    Blit(m_canvas, {210, 89, 28, 15}, m_skin.ShufRepBitmap, {0, y(ckRepeat, 8, 30, 15), 29, 15});
    const int eqPressed = s.PressedButton == 9 ? 47 : 0;
    Blit(m_canvas, {219, 58, 23, 11}, m_skin.ShufRepBitmap,
         {eqPressed, s.Checked.testFlag(ckEqualizer) ? 73 : 61, 23, 11});
    const int plPressed = s.PressedButton == 10 ? 46 : 0;
    Blit(m_canvas, {242, 58, 23, 11}, m_skin.ShufRepBitmap,
         {23 + plPressed, s.Checked.testFlag(ckPlaylist) ? 73 : 61, 23, 11});
    return Span(164, 58, 265, 104);
}

QRect SkinPainter::TitleButtons(const DrawState& s)
{
    const int p = s.PressedTitleButton;
    Blit(m_canvas, {6, 3, 9, 9}, m_skin.TitlebarBitmap, Pressable({0, 0, 9, 9}, 9, p == 1));
    Blit(m_canvas, {244, 3, 9, 9}, m_skin.TitlebarBitmap, Pressable({9, 0, 9, 9}, 9, p == 2));
    Blit(m_canvas, {264, 3, 9, 9}, m_skin.TitlebarBitmap, Pressable({18, 0, 9, 9}, 9, p == 3));
    Blit(m_canvas, {254, 3, 9, 9}, m_skin.TitlebarBitmap, {p == 4 ? 9 : 0, s.Sticky ? 27 : 18, 9, 9});
    return Span(6, 3, 273, 12);
}

QRect SkinPainter::Slider(const QImage& bitmap, QRect area, QRect bar, QRect barSource, QRect thumb,
                          bool dragging, bool visible)
{
    // The old thumb may stand anywhere on the track: restore all of it.
    Restore(m_canvas, m_skin.MainBitmap, area);
    if (visible) {
        Blit(m_canvas, bar, bitmap, barSource);
        Blit(m_canvas, thumb, bitmap, QRect(dragging ? 0 : 15, 422, 14, 11));
    }
    return area;
}

QRect SkinPainter::VolumeSlider(const DrawState& s)
{
    const QRect bar(107, 57, 68, 13);
    return Slider(m_skin.VolumeBitmap, bar, bar, {0, 15 * VolumeFrame(s.Volume), 68, 13},
                  VolumeThumbRect(s.Volume), s.VolumeDragging, s.Volume >= 5);
}

QRect SkinPainter::BalanceSlider(const DrawState& s)
{
    const bool fromVolume = m_skin.BalanceFromVolume;
    // The thumb at 95 reaches one pixel past the bar.
    return Slider(fromVolume ? m_skin.VolumeBitmap : m_skin.BalanceBitmap, {177, 57, 41, 13},
                  {177, 57, 40, 13}, {9, 15 * BalanceFrame(s.Balance), fromVolume ? 59 : 38, 13},
                  BalanceThumbRect(s.Balance), s.BalanceDragging, std::clamp(s.Balance, 0, 100) <= 95);
}

QRect SkinPainter::Time(const DrawState& s)
{
    if (s.Sticky)
        return Text(m_skin.TextBitmap, m_canvas, 134, 4, s.Progress);
    static constexpr int kDigitX[4] = {48, 61, 78, 91};
    static constexpr int kCharIndex[4] = {0, 1, 3, 4};
    constexpr int kBlank = 10;
    for (int i = 0; i < 4; ++i) {
        int digit = kBlank;
        if (!s.Progress.isEmpty() && kCharIndex[i] < s.Progress.size()) {
            const QChar c = s.Progress[kCharIndex[i]];
            // Anything but a digit shows the blank cell.
            if (c >= u'0' && c <= u'9')
                digit = c.unicode() - u'0';
        }
        Blit(m_canvas, {kDigitX[i], 26, 9, 13}, m_skin.NumbersBitmap,
             {9 * std::min(digit, kBlank), 0, 9, 13});
    }
    return Span(48, 26, 100, 39);
}

bool TitleScrolls(const DrawState& s)
{
    return (s.MessageText.isEmpty() ? s.Title : s.MessageText).size() >= kTitleScrollLimit;
}

QRect SkinPainter::Title(DrawState& s)
{
    const QString& shown = s.MessageText.isEmpty() ? s.Title : s.MessageText;
    FillRect(m_titleBuffer, {0, 0, 155, 10}, qRgb(0, 0, 0));
    Text(m_skin.TextBitmap, m_titleBuffer, 0, 0, s.Title);
    s.TitleWidth = 5 * int(s.Title.size());
    Restore(m_canvas, m_skin.MainBitmap, kTitleArea);
    if (!TitleScrolls(s)) {
        Text(m_skin.TextBitmap, m_canvas, kTitleArea.left(), kTitleArea.top(), shown);
        return kTitleArea;
    }

    const int width = s.TitleWidth;
    if (std::abs(s.ScrollOffset) >= width)
        s.ScrollOffset = 0;
    const int offset = s.ScrollOffset;
    Blit(m_canvas, kTitleArea, m_titleBuffer, {offset, 0, 155, 6});
    if (width < offset + 155) { // the end is in view: the beginning follows it
        const int c = width - offset + kTitleArea.left();
        Blit(m_canvas, {c, 27, kTitleAreaRight - c, 6}, m_titleBuffer, {0, 0, kTitleAreaRight - c, 6});
    }
    if (offset < 0) { // dragged to the right: the end of the title comes in from the left
        if (offset < -155)
            Blit(m_canvas, kTitleArea, m_titleBuffer, {width + offset, 0, 155, 6});
        else
            Blit(m_canvas, {110, 27, -offset, 6}, m_titleBuffer, {width + offset, 0, -offset, 6});
    }
    return kTitleArea;
}

QRect SkinPainter::PositionBar(const DrawState& s)
{
    const QRect bar(17, 72, 246, 10);
    Blit(m_canvas, bar, m_skin.PosBarBitmap, {0, 0, 247, 10});
    if (s.PositionBar > 0)
        Blit(m_canvas, PositionThumbRect(s.PositionBar), m_skin.PosBarBitmap,
             {s.PositionDragging ? 278 : 249, 0, 28, 10});
    return bar;
}

QRect SkinPainter::PlayState(const DrawState& s)
{
    static constexpr int kStateX[] = {27, 18, 0, 9}; // by TStatus: none, stop, play, pause
    const QRect to(24, 28, 9, 9);
    Blit(m_canvas, to, m_skin.PlayPausBitmap, {kStateX[s.Status], 0, 9, 9});
    if (s.Status == ssPlay)
        Blit(m_canvas, {24, 28, 3, 9}, m_skin.PlayPausBitmap,
             s.Ready ? QRect(36, 0, 3, 9) : QRect(39, 0, 1, 9));
    return to;
}

QRect SkinPainter::Frequency(const DrawState& s)
{
    if (s.Frequency < 0)
        return {};
    return Text(m_skin.TextBitmap, m_canvas, 156, 43, QString::number(s.Frequency / 1000));
}

QRect SkinPainter::Bitrate(const DrawState& s)
{
    if (s.Bitrate < 0)
        return {};
    return Text(m_skin.TextBitmap, m_canvas, 111, 43, QString::number(s.Bitrate));
}

QRect SkinPainter::StereoIndicators(const DrawState& s)
{
    const bool mono = s.StereoMode.testFlag(smMono);
    const bool stereo = s.StereoMode.testFlag(smStereo);
    Blit(m_canvas, {212, 41, 29, 12}, m_skin.MonoSterBitmap, {29, mono ? 0 : 12, 29, 12});
    Blit(m_canvas, {239, 41, 29, 12}, m_skin.MonoSterBitmap, {0, stereo ? 0 : 12, 29, 12});
    return Span(212, 41, 268, 53);
}

QRect SkinPainter::Meter(int value, int top)
{
    constexpr int kLeft = 24;
    constexpr int kColumns = 78;
    // Restoring up to the last column keeps a full bar from leaving it lit.
    const int length = MeterLength(value);
    Restore(m_canvas, m_skin.MainBitmap,
            Span(kLeft + std::min(length, kColumns), top, kLeft + kColumns, top + 4));
    for (int k = 0; k < kColumns && MeterColumnLit(value, k); ++k)
        FillRect(m_canvas, {kLeft + k, top, 1, 4}, ToRgb(m_skin.SkinColors[MeterColorIndex(k)]));
    return {kLeft, top, kColumns, 4};
}

QRect SkinPainter::Meters(const DrawState& s)
{
    return Meter(s.LeftMeter, 46).united(Meter(s.RightMeter, 53));
}

} // namespace velmoro::skin
