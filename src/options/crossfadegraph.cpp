#include "options/crossfadegraph.h"

#include <QPainter>

#include <cstdlib>

namespace velmoro::options {

namespace {

constexpr QRgb kGridColour = qRgb(0x2A, 0x2A, 0x2A);
constexpr QRgb kFadeInColour = qRgb(255, 0, 0);
constexpr QRgb kFadeOutColour = qRgb(0, 0, 255);
constexpr int kLevelY = 15; // full volume

void Plot(QImage& image, int x, int y, QRgb colour)
{
    if (image.rect().contains(x, y))
        image.setPixel(x, y, colour);
}

// Bresenham's line from one point to the other, the end point left out: the
// next segment starts there, so a corner is drawn once.
void Segment(QImage& image, QPoint from, QPoint to, QRgb colour)
{
    const int dx = std::abs(to.x() - from.x());
    const int dy = -std::abs(to.y() - from.y());
    const int sx = from.x() < to.x() ? 1 : -1;
    const int sy = from.y() < to.y() ? 1 : -1;
    int error = dx + dy;
    QPoint p = from;
    while (p != to) {
        Plot(image, p.x(), p.y(), colour);
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            p.rx() += sx;
        }
        if (twice <= dx) {
            error += dx;
            p.ry() += sy;
        }
    }
}

void Polyline(QImage& image, std::initializer_list<QPoint> points, QRgb colour)
{
    const QPoint* previous = nullptr;
    for (const QPoint& point : points) {
        if (previous)
            Segment(image, *previous, point, colour);
        previous = &point;
    }
}

} // namespace

QImage DrawCrossfadeGraph(const CrossfadeShape& shape, GraphCaption caption)
{
    const int w = kCrossfadeGraphSize.width();
    const int h = kCrossfadeGraphSize.height();
    QImage image(kCrossfadeGraphSize, QImage::Format_RGB32);
    image.fill(Qt::black);
    if (caption == GraphCaption::Shown) {
        QPainter painter(&image);
        QFont font = painter.font();
        font.setPixelSize(8);
        font.setStyleStrategy(QFont::NoAntialias);
        painter.setFont(font);
        painter.setPen(Qt::white);
        painter.drawText(QRect(10, 5, w - 10, h - 5), Qt::AlignLeft | Qt::AlignTop,
                         QStringLiteral("Andamento del Crossfade"));
    }
    for (int x = 0; x <= w / 2; ++x)
        for (int y = 0; y <= h / 2; ++y)
            Plot(image, 2 * x, 2 * y, kGridColour);
    const int in = shape.fadeInIntervalMs;
    Polyline(image, {{0, kLevelY}, {in, kLevelY}, {in + 100 - shape.fadeInStep, h}}, kFadeInColour);
    const int out = shape.fadeOutIntervalMs;
    Polyline(image, {{w, kLevelY}, {w - out, kLevelY}, {w - out - (100 - shape.fadeOutStep), h}},
             kFadeOutColour);
    return image;
}

} // namespace velmoro::options
