#include "skin/skinpainter.h"

#include "platform/verify.h"
#include "skin/blit.h"
#include "skin/skingeometry.h"

#include <algorithm>
#include <cstdlib>

namespace velmoro::skin {

namespace {

constexpr QRect kWholeControl(QPoint(0, 0), kMainWindow.size);
constexpr QRect kTitleArea(111, 27, 154, 6);
constexpr int kTitleAreaRight = 265;
constexpr int kTitleScrollLimit = 32; // characters from which the title scrolls

QRgb ToRgb(SkinColor c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

std::array<const QImage*, kMainSheetCount> MainSheets(const SkinSet& skin)
{
    std::array<const QImage*, kMainSheetCount> sheets{};
    for (int i = 0; i < kMainSheetCount; ++i)
        sheets[std::size_t(i)] = &(skin.*BitmapSlots()[std::size_t(i)].bitmap);
    if (skin.BalanceFromVolume)
        sheets[kBalanceSheet] = &skin.VolumeBitmap;
    return sheets;
}

} // namespace

QImage NewCanvas()
{
    return NewWindowImage(kMainWindow.size);
}

QImage NewTitleBuffer()
{
    QImage buffer(kTitleBufferWidth, kTitleBufferHeight, QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::black);
    return buffer;
}

SkinPainter::SkinPainter(const SkinSet& skin, QImage& canvas, QImage& titleBuffer)
    : m_skin(skin), m_sheets(MainSheets(skin)), m_canvas(canvas, m_sheets, kMainSheet),
      m_titleBuffer(titleBuffer)
{
}

QRect SkinPainter::FullPaint(DrawState& s)
{
    m_canvas.Restore(kWholeControl);
    TitleBar(s);
    ClutterBar(s);
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
        from = s.Active ? QRect(27, 29, 275, 14) : QRect(27, 42, 275, 14);
    } else {
        from = s.Active ? QRect(27, 0, 275, 14) : QRect(27, 15, 275, 14);
    }
    return m_canvas.Draw({0, 0, 275, 14}, kTitlebarSheet, from);
}

QRect SkinPainter::Buttons(const DrawState& s)
{
    return DrawButtons(m_canvas, TransportButtons(), s.PressedButton);
}

QRect SkinPainter::Toggles(const DrawState& s)
{
    return DrawButtons(m_canvas, ToggleButtons(), s.PressedButton, [&](int id) {
        switch (id) {
        case kShuffleButton:
            return s.Checked.testFlag(ckShuffle);
        case kRepeatButton:
            return s.Checked.testFlag(ckRepeat);
        case kEqualizerButton:
            return s.Checked.testFlag(ckEqualizer);
        case kPlaylistButton:
            return s.Checked.testFlag(ckPlaylist);
        default:
            return false;
        }
    });
}

QRect SkinPainter::TitleButtons(const DrawState& s)
{
    return DrawButtons(m_canvas, TitleBarButtons(), s.PressedTitleButton,
                       [&](int id) { return id == kShadeButton && s.Sticky; });
}

QRect SkinPainter::ClutterBar(const DrawState& s)
{
    return DrawClutterBar(m_canvas, kTitlebarSheet, s.PressedClutterButton, s.ClutterModes);
}

QRect SkinPainter::VolumeSlider(const DrawState& s)
{
    return DrawSlider(m_canvas, VolumeSliderElement(), VolumeFrame(s.Volume), VolumeThumbRect(s.Volume),
                      s.VolumeDragging, s.Volume >= 5);
}

QRect SkinPainter::BalanceSlider(const DrawState& s)
{
    return DrawSlider(m_canvas, BalanceSliderElement(m_skin.BalanceFromVolume), BalanceFrame(s.Balance),
                      BalanceThumbRect(s.Balance), s.BalanceDragging, std::clamp(s.Balance, 0, 100) <= 95);
}

QRect SkinPainter::Time(const DrawState& s)
{
    if (s.Sticky)
        return m_canvas.Text(kTextSheet, 134, 4, s.Progress);
    static constexpr int kDigitX[4] = {48, 60, 78, 90};
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
        m_canvas.Draw({kDigitX[i], 26, 9, 13}, kNumbersSheet, {9 * std::min(digit, kBlank), 0, 9, 13});
    }
    return Span(48, 26, 99, 39);
}

bool TitleScrolls(const DrawState& s)
{
    return (s.MessageText.isEmpty() ? s.Title : s.MessageText).size() >= kTitleScrollLimit;
}

QRect SkinPainter::Title(DrawState& s)
{
    const QString& shown = s.MessageText.isEmpty() ? s.Title : s.MessageText;
    const QImage& font = m_canvas.Sheet(kTextSheet);
    QImage& canvas = m_canvas.Target();
    FillRect(m_titleBuffer, {0, 0, 155, 10}, qRgb(0, 0, 0));
    DrawSkinText(font, m_titleBuffer, 0, 0, s.Title);
    s.TitleWidth = 5 * int(s.Title.size());
    m_canvas.Restore(kTitleArea);
    if (!TitleScrolls(s)) {
        m_canvas.Text(kTextSheet, kTitleArea.left(), kTitleArea.top(), shown);
        // A 31st character reaches one column past the area.
        m_canvas.Restore({kTitleAreaRight, kTitleArea.top(), 1, 6});
        return kTitleArea;
    }

    const int width = s.TitleWidth;
    if (std::abs(s.ScrollOffset) >= width)
        s.ScrollOffset = 0;
    const int offset = s.ScrollOffset;
    const int areaWidth = kTitleArea.width();
    Blit(canvas, kTitleArea, m_titleBuffer, {offset, 0, areaWidth, 6});
    if (width < offset + areaWidth) { // the end is in view: the beginning follows it
        const int c = width - offset + kTitleArea.left();
        Blit(canvas, {c, 27, kTitleAreaRight - c, 6}, m_titleBuffer, {0, 0, kTitleAreaRight - c, 6});
    }
    if (offset < 0) { // dragged to the right: the end of the title comes in from the left
        if (offset < -areaWidth)
            Blit(canvas, kTitleArea, m_titleBuffer, {width + offset, 0, areaWidth, 6});
        else
            Blit(canvas, {kTitleArea.left(), 27, -offset, 6}, m_titleBuffer, {width + offset, 0, -offset, 6});
    }
    return kTitleArea;
}

QRect SkinPainter::PositionBar(const DrawState& s)
{
    if (s.Sticky) { // only the title bar shows: the bar there stands for the big one
        m_canvas.Draw(kShadePositionBar, kTitlebarSheet, kShadePositionGroove);
        if (s.PositionBar > 0)
            m_canvas.Draw(ShadePositionThumbRect(s.PositionBar), kTitlebarSheet,
                          ShadePositionThumbCell(s.PositionBar));
        return kShadePositionBar;
    }
    const QRect bar(16, 72, 248, 10);
    m_canvas.Draw(bar, kPosBarSheet, bar.translated(-16, -72));
    if (s.PositionBar > 0)
        m_canvas.Draw(PositionThumbRect(s.PositionBar), kPosBarSheet,
                      {s.PositionDragging ? 278 : 248, 0, kPositionThumbWidth, 10});
    return bar;
}

QRect SkinPainter::PlayState(const DrawState& s)
{
    static constexpr int kStateX[] = {27, 18, 0, 9}; // by TStatus: none, stop, play, pause
    // The ready mark stands left of the picture and stays lit only while playing.
    const QRect area(24, 28, 11, 9);
    m_canvas.Restore(area);
    m_canvas.Draw({26, 28, 9, 9}, kPlayPausSheet, {kStateX[s.Status], 0, 9, 9});
    if (s.Status == ssPlay)
        m_canvas.Draw({24, 28, 3, 9}, kPlayPausSheet, s.Ready ? QRect(36, 0, 3, 9) : QRect(39, 0, 1, 9));
    return area;
}

QRect SkinPainter::Frequency(const DrawState& s)
{
    if (s.Frequency < 0)
        return {};
    return m_canvas.Text(kTextSheet, 156, 43, QString::number(s.Frequency / 1000));
}

QRect SkinPainter::Bitrate(const DrawState& s)
{
    if (s.Bitrate < 0)
        return {};
    return m_canvas.Text(kTextSheet, 111, 43, QString::number(s.Bitrate));
}

QRect SkinPainter::StereoIndicators(const DrawState& s)
{
    return DrawButtons(m_canvas, skin::StereoIndicators(), 0, [&](int id) {
        return s.StereoMode.testFlag(id == kMonoIndicator ? smMono : smStereo);
    });
}

QRect SkinPainter::Meter(int value, int top)
{
    constexpr int kLeft = 24;
    constexpr int kColumns = 78;
    // Restoring up to the last column keeps a full bar from leaving it lit.
    const int length = MeterLength(value);
    m_canvas.Restore(Span(kLeft + std::min(length, kColumns), top, kLeft + kColumns, top + 4));
    for (int k = 0; k < kColumns && MeterColumnLit(value, k); ++k) {
        const int colour = MeterColorIndex(k);
        VELMORO_VERIFY_OR_DEBUG_ASSERT(colour >= 0 && colour < kSkinColorCount)
        {
            break;
        }
        m_canvas.Fill({kLeft + k, top, 1, 4}, ToRgb(m_skin.SkinColors[std::size_t(colour)]));
    }
    return {kLeft, top, kColumns, 4};
}

QRect SkinPainter::Meters(const DrawState& s)
{
    return Meter(s.LeftMeter, 46).united(Meter(s.RightMeter, 53));
}

} // namespace velmoro::skin
