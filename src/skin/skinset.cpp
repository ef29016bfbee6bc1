#include "skin/skinset.h"

#include "skin/mainwindowtable.h"
#include "skin/sheetloader.h"
#include "skin/skindirectory.h"

namespace velmoro::skin {

const std::array<BitmapSlot, 11>& BitmapSlots()
{
    static const std::array<BitmapSlot, 11> table = {{
        {&SkinSet::MainBitmap, "main.bmp", "MAIN", kMainWindow.size},
        {&SkinSet::TitlebarBitmap, "titlebar.bmp", "TITLEBAR", {344, 87}},
        {&SkinSet::CButtonsBitmap, "cbuttons.bmp", "CBUTTONS", {136, 36}},
        {&SkinSet::VolumeBitmap, "volume.bmp", "VOLUME", {68, 433}},
        {&SkinSet::NumbersBitmap, "numbers.bmp", "NUMBERS", {99, 13}},
        {&SkinSet::ShufRepBitmap, "shufrep.bmp", "SHUFREP", {92, 85}},
        {&SkinSet::BalanceBitmap, "balance.bmp", "BALANCE", {68, 433}},
        {&SkinSet::PosBarBitmap, "posbar.bmp", "POSBAR", {307, 10}},
        {&SkinSet::TextBitmap, "text.bmp", "TEXT", {155, 18}},
        {&SkinSet::PlayPausBitmap, "playpaus.bmp", "PLAYPAUS", {42, 9}},
        {&SkinSet::MonoSterBitmap, "monoster.bmp", "MONOSTER", {58, 24}},
    }};
    return table;
}

const std::array<CursorSlot, 23>& CursorSlots()
{
    static const std::array<CursorSlot, 23> table = {{
        {5, "normal.cur", "NORMAL"},      {6, "songname.cur", "SONGNAME"}, {7, "wswinbut.cur", "WSWINBUT"},
        {8, "wsmin.cur", "WSMIN"},        {9, "wsposbar.cur", "WSPOSBAR"}, {10, "wsclose.cur", "WSCLOSE"},
        {11, "wsnormal.cur", "WSNORMAL"}, {12, "min.cur", "MIN"},          {13, "eqclose.cur", "EQCLOSE"},
        {14, "eqslid.cur", "EQSLID"},     {15, "eqtitle.cur", "EQTITLE"},  {16, "eqnormal.cur", "EQNORMAL"},
        {17, "pwssize.cur", "PWSSIZE"},   {18, "pwsnorm.cur", "PWSNORM"},  {19, "pwinbut.cur", "PWINBUT"},
        {20, "ptbar.cur", "PTBAR"},       {21, "pclose.cur", "PCLOSE"},    {23, "pvscroll.cur", "PVSCROLL"},
        {25, "psize.cur", "PSIZE"},       {22, "close.cur", "CLOSE"},      {26, "posbar.cur", "POSBAR"},
        {24, "volbal.cur", "VOLBAL"},     {27, "MAINMENU.cur", nullptr},
    }};
    return table;
}

QString BuiltInResourcePath(const char* resource, const char* extension)
{
    return QStringLiteral(":/velmoro/skin/%1.%2").arg(QLatin1String(resource), QLatin1String(extension));
}

int LoadDefaultSkin(SkinSet& set)
{
    const SkinSource& builtIn = BuiltInSkin();
    for (const BitmapSlot& slot : BitmapSlots()) {
        QImage& sheet = set.*slot.bitmap;
        if (LoadSheet(builtIn, QLatin1String(slot.file), sheet) != FileLoad::Loaded) {
            // Only while the built-in skin is being rebuilt.
            sheet = QImage(slot.size, QImage::Format_RGB32);
            sheet.fill(Qt::black);
        }
    }
    set.SkinColors = BuiltInSkinColors();
    for (const CursorSlot& slot : CursorSlots()) {
        if (slot.resource != nullptr)
            set.Cursors[std::size_t(slot.slot)] = LoadCursorFile(builtIn, QLatin1String(slot.file));
    }
    return 0;
}

int LoadSkin(SkinSet& set, const QString& directory)
{
    set.BalanceFromVolume = false;
    LoadDefaultSkin(set);
    std::unique_ptr<SkinSource> source = OpenSkinSource(directory);
    if (!source) {
        // Nothing there is an empty skin; an archive that cannot be read fails.
        if (!LocateSkin(directory).isEmpty())
            return -1;
        source = std::make_unique<SkinDirectory>(QString());
    }
    const SkinSource& dir = *source;

    for (const BitmapSlot& slot : BitmapSlots()) {
        const QString file = QLatin1String(slot.file);
        // nums_ex.bmp is the extended digit sheet and wins over numbers.bmp.
        QStringList names{file};
        if (slot.bitmap == &SkinSet::NumbersBitmap)
            names << QStringLiteral("nums_ex.bmp");
        for (const QString& name : names)
            if (LoadSheet(dir, name, set.*slot.bitmap) == FileLoad::Unreadable)
                return -1;
        if (slot.bitmap == &SkinSet::BalanceBitmap && !dir.Has(file))
            set.BalanceFromVolume = true;
    }

    // A cursor that cannot be read keeps the built-in one.
    for (const CursorSlot& slot : CursorSlots()) {
        if (std::optional<CursorImage> cursor = LoadCursorFile(dir, QLatin1String(slot.file)))
            set.Cursors[std::size_t(slot.slot)] = std::move(cursor);
    }

    if (LoadColorFile(dir, QStringLiteral("viscolor.txt"), set.SkinColors) == FileLoad::Unreadable)
        return -1;
    return 0;
}

} // namespace velmoro::skin
