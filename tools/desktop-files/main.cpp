// velmoro-desktop-files OUTDIR: the files a Linux desktop needs besides the
// program, drawn and written at build time so the repository holds no
// pictures: OUTDIR/Ico/velmoro.ico (the tray and file-type icon beside the
// program), OUTDIR/icons/hicolor/NxN/apps/velmoro.png and
// OUTDIR/velmoro.desktop (the installed desktop entry).
#include "shell/desktopentry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QTextStream>

#include <array>

namespace {

constexpr std::array kSizes{16, 24, 32, 48, 64, 128, 256};

// A dark rounded square with a green play sign, legible from 16 pixels up.
QImage DrawIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const double s = size;
    QPainterPath square;
    square.addRoundedRect(QRectF(0.5, 0.5, s - 1, s - 1), s * 0.18, s * 0.18);
    QLinearGradient shade(0, 0, 0, s);
    shade.setColorAt(0, QColor(0x3a, 0x3f, 0x58));
    shade.setColorAt(1, QColor(0x14, 0x16, 0x22));
    painter.fillPath(square, shade);
    painter.setPen(QPen(QColor(0x9a, 0xa0, 0xb8), std::max(1.0, s / 32)));
    painter.drawPath(square);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x38, 0xe0, 0x48));
    painter.drawPolygon(
        QPolygonF({QPointF(s * 0.34, s * 0.24), QPointF(s * 0.78, s * 0.5), QPointF(s * 0.34, s * 0.76)}));
    return image;
}

bool Save(const QImage& image, const QString& path, const char* format)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QImageWriter writer(path, format);
    if (writer.write(image))
        return true;
    QTextStream(stderr) << "velmoro-desktop-files: " << path << ": " << writer.errorString() << '\n';
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv); // the image format plug-ins
    if (argc != 2) {
        QTextStream(stderr) << "usage: velmoro-desktop-files OUTDIR\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = Save(DrawIcon(32), out.filePath("Ico/velmoro.ico"), "ico");
    for (const int size : kSizes)
        ok = Save(DrawIcon(size),
                  out.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/velmoro.png").arg(size)), "png") &&
             ok;
    const velmoro::shell::DesktopEntry entry{
        QStringLiteral("velmoro"),
        QStringLiteral("velmoro"),
        {QStringLiteral("audio/mpeg"), QStringLiteral("audio/x-mpegurl"), QStringLiteral("audio/x-scpls")}};
    QFile desktop(out.filePath("velmoro.desktop"));
    ok = desktop.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
         desktop.write(velmoro::shell::DesktopEntryText(entry).toUtf8()) > 0 && ok;
    return ok ? 0 : 1;
}
