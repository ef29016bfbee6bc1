// The about window's pictures, in the built-in skin's colours: a banner of
// the name over a sound wave, and a small mark of a play sign in a disc.
#include "art.h"

#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

namespace velmoro::skingen {

using namespace colours;

namespace {

// The skin's 5 x 6 font, enlarged by whole pixels so it stays sharp.
QImage BigPixelText(const QString& text, const QColor& colour, int scale)
{
    QImage small(PixelTextWidth(text), 6, QImage::Format_ARGB32);
    small.fill(Qt::transparent);
    PixelText(small, 0, 0, text, colour);
    return small.scaled(small.width() * scale, small.height() * scale, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

} // namespace

QImage AboutBanner()
{
    constexpr int kWidth = 284, kHeight = 86;
    QImage image = NewImage(kWidth, kHeight, kInk);
    QPainter p(&image);
    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, kBody);
    sky.setColorAt(1, kGlass);
    p.fillRect(image.rect(), sky);

    // Two waves that cross, as a crossfade sounds.
    p.setRenderHint(QPainter::Antialiasing);
    for (const auto& [colour, phase, amplitude] :
         {std::tuple{kGlyphDim, 0.0, 14.0}, std::tuple{kAmberDim, 1.6, 10.0}}) {
        QPainterPath wave;
        for (int x = 0; x <= kWidth; ++x) {
            const double y = 60 + amplitude * std::sin(x / 17.0 + phase) * std::sin(x / 97.0 + 0.4);
            x == 0 ? wave.moveTo(x, y) : wave.lineTo(x, y);
        }
        p.setPen(QPen(colour, 2));
        p.drawPath(wave);
    }
    p.setRenderHint(QPainter::Antialiasing, false);

    const QImage name = BigPixelText(QStringLiteral("VELMORO"), kGlyph, 5);
    p.drawImage((kWidth - name.width()) / 2, 12, name);
    const QImage motto = BigPixelText(QStringLiteral("MP3 PLAYER"), kAmber, 1);
    p.drawImage((kWidth - motto.width()) / 2, 12 + name.height() + 6, motto);
    p.setPen(kLight);
    p.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QImage AboutIcon()
{
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kLight, 2));
    p.setBrush(kBody);
    p.drawEllipse(QRectF(2, 2, 28, 28));
    DrawIcon(p, Icon::Play, QPoint(17, 16), kAmber, 2);
    return image;
}

} // namespace velmoro::skingen
