// Writes Velmoro's built-in skin into a directory, as a skin directory with
// the resource names: the build turns it into Qt resources.
// Usage: velmoro-skingen OUTPUT_DIRECTORY
//        velmoro-skingen --about OUTPUT_DIRECTORY   (the about window's
//        banner.png and icon.png)
#include "art.h"

#include "skin/skinwriter.h"

#include <QDir>
#include <QFile>

#include <cstdio>

using namespace velmoro;

namespace {

bool Write(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "velmoro-skingen: cannot write %s\n", qPrintable(file.fileName()));
        return false;
    }
    return true;
}

bool WriteAboutPictures(const QDir& dir)
{
    bool ok = true;
    for (const auto& [name, image] :
         {std::pair{"banner.png", skingen::AboutBanner()}, std::pair{"icon.png", skingen::AboutIcon()}}) {
        if (!image.save(dir.filePath(QString::fromLatin1(name)), "PNG")) {
            std::fprintf(stderr, "velmoro-skingen: cannot write %s\n", qPrintable(dir.filePath(name)));
            ok = false;
        }
    }
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    const bool about = argc == 3 && qstrcmp(argv[1], "--about") == 0;
    if (argc != 2 && !about) {
        std::fprintf(stderr, "usage: velmoro-skingen [--about] OUTPUT_DIRECTORY\n");
        return 2;
    }
    if (about) {
        const QDir dir(QString::fromLocal8Bit(argv[2]));
        return QDir().mkpath(dir.path()) && WriteAboutPictures(dir) ? 0 : 1;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path()))
        return 1;

    const std::pair<const char*, QImage> bitmaps[] = {
        {"MAIN", skingen::Main()},         {"TITLEBAR", skingen::Titlebar()},
        {"CBUTTONS", skingen::CButtons()}, {"VOLUME", skingen::Volume()},
        {"NUMBERS", skingen::Numbers()},   {"SHUFREP", skingen::ShufRep()},
        {"BALANCE", skingen::Balance()},   {"POSBAR", skingen::PosBar()},
        {"TEXT", skingen::Text()},         {"PLAYPAUS", skingen::PlayPaus()},
        {"MONOSTER", skingen::MonoSter()}, {"PLEDIT", skingen::PlaylistFrame()},
        {"EQMAIN", skingen::Equalizer()},  {"VISBG", skingen::VisBackground()},
    };
    bool ok = true;
    for (const auto& [name, image] : bitmaps)
        ok = Write(dir, QString::fromLatin1(name) + ".bmp", skin::EncodeBmp24(image)) && ok;
    for (const skingen::Cursor& cursor : skingen::Cursors())
        ok = Write(dir, QString::fromLatin1(cursor.name) + ".cur",
                   skin::EncodeCursor(cursor.image, cursor.hotspot)) &&
             ok;
    ok = Write(dir, QStringLiteral("PLEDIT.txt"), skingen::PlaylistColours()) && ok;
    return ok ? 0 : 1;
}
