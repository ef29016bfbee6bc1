#pragma once
// What the skin benchmarks share: the application they paint in, and skins
// painted like published ones, as files and as .wsz archives.
#include "skin/archivecraft.h"
#include "skin/skinset.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImage>

#include <random>
#include <vector>

namespace velmoro::bench {

inline QApplication& App()
{
    static int argc = 1;
    static char name[] = "velmoro_bench";
    static char* argv[] = {name, nullptr};
    // Other benchmarks of the same program may have made it first.
    static QApplication* app = [] {
        if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance()))
            return existing;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

inline void Put(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

// A sheet as a 24-bit BMP, in runs of a few colours so that it packs about
// as well as the sheets of published skins do.
inline QByteArray PaintedSheet(QSize size, std::mt19937& random)
{
    QImage image(size, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(24, 33, 41), qRgb(90, 110, 140), qRgb(200, 200, 210), qRgb(0, 0, 0)};
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, random() % 4 == 0 ? QRgb(random()) : colours[(x / 3 + y / 2) % 4]);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_RGB888).save(&buffer, "BMP");
    return buffer.data();
}

// A whole skin as a .wsz archive of painted sheets under a "Skin/" folder,
// with the extra files given.
inline QByteArray PaintedSkinArchive(unsigned seed, const std::vector<test::ArchiveEntry>& extra = {})
{
    std::mt19937 random(seed);
    std::vector<test::ArchiveEntry> entries;
    for (const skin::BitmapSlot& slot : skin::BitmapSlots())
        entries.push_back(
            {QStringLiteral("Skin/") + QLatin1String(slot.file), PaintedSheet(slot.size, random)});
    entries.push_back({QStringLiteral("Skin/pledit.bmp"), PaintedSheet({280, 186}, random)});
    entries.push_back({QStringLiteral("Skin/eqmain.bmp"), PaintedSheet({275, 315}, random)});
    entries.push_back({QStringLiteral("Skin/pledit.txt"), "[Text]\nNormal=#00FF00\nCurrent=#FFFFFF\n"});
    entries.push_back({QStringLiteral("Skin/viscolor.txt"), QByteArray("24,33,41\n").repeated(24)});
    entries.insert(entries.end(), extra.begin(), extra.end());
    return test::CraftZip(entries);
}

} // namespace velmoro::bench
