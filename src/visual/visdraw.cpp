#include "visual/visdraw.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace velmoro::visual {

namespace {

// Rounds halves to the even neighbour, as the arithmetic these pictures were
// drawn with did (so 2.5 gives 2 and 3.5 gives 4).
int RoundHalfEven(double value)
{
    return int(std::nearbyint(value));
}

// A pen on the bitmap; every pixel outside it is clipped. An opaque bitmap's
// pixels are written in place rather than through QImage::setPixel: a
// hundred frames a second of some thousand pixels each.
class Pen {
public:
    explicit Pen(QImage& bitmap) : m_bitmap(bitmap) { Acquire(); }

    // After anyone may have taken a shallow copy of the bitmap: writing in
    // place must not change theirs.
    void Acquire()
    {
        if (m_bitmap.format() == QImage::Format_RGB32) {
            m_bits = reinterpret_cast<QRgb*>(m_bitmap.bits()); // detaches a shared bitmap
            m_stride = m_bitmap.bytesPerLine() / int(sizeof(QRgb));
        }
    }

    void Pixel(int x, int y, QRgb colour)
    {
        if (x < 0 || y < 0 || x >= m_bitmap.width() || y >= m_bitmap.height())
            return;
        if (m_bits)
            m_bits[y * m_stride + x] = colour | 0xFF000000u; // as setPixel stores an opaque pixel
        else
            m_bitmap.setPixel(x, y, colour);
    }
    void MoveTo(QPoint p) { m_at = p; }
    // From the pen to `to`, without the pixel at `to`; the pen ends there.
    void LineTo(QPoint to, QRgb colour)
    {
        int x = m_at.x();
        int y = m_at.y();
        const int dx = std::abs(to.x() - x);
        const int dy = -std::abs(to.y() - y);
        const int sx = x < to.x() ? 1 : -1;
        const int sy = y < to.y() ? 1 : -1;
        int error = dx + dy;
        while (x != to.x() || y != to.y()) {
            Pixel(x, y, colour);
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += sx;
            }
            if (twice <= dx) {
                error += dx;
                y += sy;
            }
        }
        m_at = to;
    }
    // Columns left..right−1, rows top..bottom−1.
    void FillRect(int left, int top, int right, int bottom, QRgb colour)
    {
        for (int y = std::min(top, bottom); y < std::max(top, bottom); ++y)
            for (int x = left; x < right; ++x)
                Pixel(x, y, colour);
    }

private:
    QImage& m_bitmap;
    QRgb* m_bits = nullptr;
    int m_stride = 0;
    QPoint m_at;
};

// Frame start: the background erases the previous frame.
void StartFrame(const QImage& background, QImage& bitmap)
{
    if (SamePixelBytes(background, bitmap)) {
        CopyPixels(background, background.rect() & bitmap.rect(), bitmap, QPoint(0, 0));
        return;
    }
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, background);
}

} // namespace

QImage NewVisBitmap()
{
    QImage bitmap(kVisBitmapSize, QImage::Format_RGB32);
    bitmap.fill(Qt::black);
    return bitmap;
}

bool SamePixelBytes(const QImage& source, const QImage& target)
{
    if (source.format() == target.format())
        return source.depth() == 32;
    return source.format() == QImage::Format_RGB32 &&
           (target.format() == QImage::Format_ARGB32 ||
            target.format() == QImage::Format_ARGB32_Premultiplied);
}

void CopyPixels(const QImage& source, QRect area, QImage& target, QPoint at)
{
    const auto rowBytes = std::size_t(area.width()) * 4;
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(target.scanLine(at.y() + y) + std::size_t(at.x()) * 4,
                    source.constScanLine(area.y() + y) + std::size_t(area.x()) * 4, rowBytes);
}

int DrawOscilloscopeBlock(std::span<const std::int16_t> samples, const QImage& background, QRgb color,
                          const OscilloscopeOptions& options, QImage& bitmap,
                          const std::function<void()>& showFrame)
{
    constexpr QPoint kStart(2, 11);
    const std::size_t step = std::size_t(std::max(1, options.sampleStep));
    Pen pen(bitmap);
    int x = kStart.x();
    int frames = 0;
    StartFrame(background, bitmap);
    pen.MoveTo(kStart);
    for (std::size_t pair = 0; pair < samples.size() / 2; pair += step) {
        const int y = 11 - RoundHalfEven(samples[pair * 2] * 22.0 / 32000.0);
        ++x;
        switch (options.style) {
        case OscilloscopeStyle::Points:
            pen.Pixel(x, y, color);
            break;
        case OscilloscopeStyle::Lines:
            pen.LineTo({x, y}, color);
            break;
        case OscilloscopeStyle::Solid:
            pen.MoveTo({x, 11});
            pen.LineTo({x, y}, color);
            break;
        }
        if (x > 100) {
            if (++frames > options.framesPerBlock)
                return frames - 1;
            if (showFrame)
                showFrame();
            x = kStart.x();
            StartFrame(background, bitmap);
            pen.Acquire();
            pen.MoveTo(kStart);
        }
    }
    return frames;
}

bool DrawSpectrum(std::span<const float> fft, const SpectrumOptions& options, const VisColors& colors,
                  const QImage& background, SpectrumLevels& levels, QImage& bitmap)
{
    constexpr int H = kVisHeight;
    const auto colour = [&colors](int index) { return colors[std::size_t(std::clamp(index, 0, 23))]; };
    Pen pen(bitmap);
    StartFrame(background, bitmap);
    for (int i = 1; i <= 507; ++i) {
        const std::size_t j = std::size_t(5 + i);
        const float value = j < fft.size() ? fft[j] : 0.0f;
        int v = std::abs(RoundHalfEven(double(H) * 10.0 * double(value)) + 1);
        v = std::min(v, H);
        std::int32_t& peak = levels.peak[j];
        if (v > peak)
            peak = v;
        if (v < peak)
            peak -= options.peakFall;
        std::int32_t& bar = levels.bar[j];
        if (v > bar)
            bar = v;
        if (v < bar)
            bar -= options.barFall;
        if (options.softFall)
            v = bar;
        const int peakY = H - peak;
        switch (options.style) {
        case SpectrumStyle::None:
            break;
        case SpectrumStyle::Bars:
            if (options.showPeaks)
                pen.FillRect(4 * i, peakY, 4 * i + 3, peakY + 1, colors[23]);
            pen.FillRect(4 * i, H - v, 4 * i + 3, H, colour(2 + RoundHalfEven(15.0 * (24 - v) / H)));
            if (i == 20)
                return true;
            break;
        case SpectrumStyle::Lines:
            if (options.showPeaks)
                pen.Pixel(i + 4, peakY, colors[23]);
            pen.MoveTo({i + 4, H});
            pen.LineTo({i + 4, H - v}, colour(std::min(15, 2 + RoundHalfEven(15.0 * (24 - v) / H))));
            if (i == 83)
                return true;
            break;
        case SpectrumStyle::Solid:
            if (options.showPeaks)
                pen.FillRect(4 * i, peakY, 4 * i + 3, peakY + 1, colors[23]);
            for (int k = 0; k <= v; ++k) {
                pen.MoveTo({4 * i, H - k});
                pen.LineTo({4 * i + 3, H - k}, colour(std::min(16, 2 + RoundHalfEven(15.0 * (24 - k) / 24))));
            }
            if (i == 20)
                return true;
            break;
        }
    }
    return false;
}

std::pair<int, int> MeterSteps(std::uint32_t level)
{
    const int left = int(level & 0xFFFF) / 2;
    const int right = int(level >> 16) / 2;
    return {std::min(left, 49), std::min(right, 49)};
}

} // namespace velmoro::visual
