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
    // Later skins name some of these areas differently: winbut.cur for the
    // window buttons, titlebar.cur for the title bar right of the title,
    // volbar.cur for the sliders, mmenu.cur for the menu button.
    static const std::array<CursorSlot, 23> table = {{
        {5, "normal.cur", "NORMAL", nullptr},         {6, "songname.cur", "SONGNAME", nullptr},
        {7, "wswinbut.cur", "WSWINBUT", nullptr},     {8, "wsmin.cur", "WSMIN", "titlebar.cur"},
        {9, "wsposbar.cur", "WSPOSBAR", nullptr},     {10, "wsclose.cur", "WSCLOSE", nullptr},
        {11, "wsnormal.cur", "WSNORMAL", nullptr},    {12, "min.cur", "MIN", nullptr},
        {13, "eqclose.cur", "EQCLOSE", nullptr},      {14, "eqslid.cur", "EQSLID", nullptr},
        {15, "eqtitle.cur", "EQTITLE", nullptr},      {16, "eqnormal.cur", "EQNORMAL", nullptr},
        {17, "pwssize.cur", "PWSSIZE", nullptr},      {18, "pwsnorm.cur", "PWSNORM", nullptr},
        {19, "pwinbut.cur", "PWINBUT", "winbut.cur"}, {20, "ptbar.cur", "PTBAR", nullptr},
        {21, "pclose.cur", "PCLOSE", nullptr},        {23, "pvscroll.cur", "PVSCROLL", nullptr},
        {25, "psize.cur", "PSIZE", nullptr},          {22, "close.cur", "CLOSE", nullptr},
        {26, "posbar.cur", "POSBAR", nullptr},        {24, "volbal.cur", "VOLBAL", "volbar.cur"},
        {27, "MAINMENU.cur", nullptr, "mmenu.cur"},
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
    set.Regions = {};
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
        if (slot.bitmap == &SkinSet::BalanceBitmap && PresentSheetName(dir, file).isEmpty())
            set.BalanceFromVolume = true;
    }

    // A cursor that cannot be read keeps the built-in one.
    for (const CursorSlot& slot : CursorSlots()) {
        const QString file = QLatin1String(slot.file);
        const bool later = !dir.Has(file) && slot.laterFile != nullptr;
        if (std::optional<CursorImage> cursor =
                LoadCursorFile(dir, later ? QLatin1String(slot.laterFile) : file))
            set.Cursors[std::size_t(slot.slot)] = std::move(cursor);
    }

    set.Regions = LoadRegionFile(dir);
    if (LoadColorFile(dir, QStringLiteral("viscolor.txt"), set.SkinColors) == FileLoad::Unreadable)
        return -1;
    return 0;
}

} // namespace velmoro::skin
