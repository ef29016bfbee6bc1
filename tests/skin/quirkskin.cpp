#include "quirkskin.h"

#include "archivecraft.h"
#include "skincraft.h"

#include "skin/skinwriter.h"

namespace velmoro::test {

namespace {

QByteArray Bmp(int id, QSize size)
{
    return skin::EncodeBmp24(CoordImage(id, size));
}

} // namespace

QByteArray QuirkSkinArchive()
{
    const QString top = QStringLiteral("Quirky Skin\\");
    std::vector<ArchiveEntry> entries;
    const auto add = [&](const char* name, const QByteArray& bytes) {
        entries.push_back({top + QString::fromLatin1(name), bytes});
    };
    for (const CoordSheet& sheet : CoordSheets()) {
        const QByteArray bmp = Bmp(sheet.id, sheet.size);
        if (sheet.file == u"main.bmp")
            add("main.bmp", Bmp(sheet.id, {290, 130}));
        else if (sheet.file == u"titlebar.bmp")
            add("titlebar.bmp", EncodePng(CoordImage(sheet.id, sheet.size)));
        else if (sheet.file == u"cbuttons.bmp")
            add("cbuttons.png", EncodePng(CoordImage(sheet.id, sheet.size)));
        else if (sheet.file == u"volume.bmp")
            add("volume.bmp", Bmp(sheet.id, {68, 420}));
        else if (sheet.file == u"balance.bmp")
            add("balance.bmp", Bmp(sheet.id, {68, 424}));
        else if (sheet.file == u"posbar.bmp")
            add("posbar.bmp", Bmp(sheet.id, {307, 6}));
        else if (sheet.file == u"monoster.bmp") {
            add("MONOSTER.BMP", Bmp(kNumsExId, sheet.size)); // overwritten by the next
            add("MonoSter.bmp", bmp);
        } else {
            add(sheet.file.toLatin1().constData(), bmp);
        }
    }
    add("pledit.bmp", Bmp(kPleditId, {280, 186}));
    add("eqmain.bmp", Bmp(kEqmainId, {275, 315}));
    QByteArray colours;
    for (int i = 0; i < 24; ++i)
        colours += QByteArray::number(10 * i) + ", " + QByteArray::number(250 - 10 * i) + ",\t" +
                   QByteArray::number(i % 2 ? 200 : 40) + (i % 3 ? " // colour\r\n" : ",// colour\r\n");
    add("viscolor.txt", colours);
    add("region.txt", "[Normal]\r\n"
                      "NumPoints=8\r\n"
                      "PointList=3,0, 272,0, 275,3, 275,113, 272,116, 3,116, 0,113, 0,3\r\n"
                      "[WindowShade]\r\n"
                      "NumPoints = 4, 4\r\n"
                      "PointList = 0,0 130,0 130,14 0,14  140,0 275,0 275,14 140,14\r\n"
                      "[Equalizer]\r\n"
                      "NumPoints=5\r\n"
                      "PointList=0,0 275,0 275,110 269,116 0,116\r\n");
    return CraftZip(entries);
}

} // namespace velmoro::test
