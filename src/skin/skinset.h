#pragma once
// The skin set of the main window: the eleven bitmaps, the colour table and
// the cursors, and how a skin directory is loaded over the built-in skin.
// Pure model code: no widget, no display.
#include "skin/cursorreader.h"
#include "skin/regionfile.h"
#include "skin/viscolor.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <array>
#include <optional>

namespace velmoro::skin {

inline constexpr int kFirstCursorSlot = 5;
inline constexpr int kLastCursorSlot = 27;
inline constexpr int kMainMenuCursorSlot = 27;

struct SkinSet {
    QImage MainBitmap;
    QImage TitlebarBitmap;
    QImage CButtonsBitmap;
    QImage VolumeBitmap;
    QImage NumbersBitmap;
    QImage ShufRepBitmap;
    QImage BalanceBitmap;
    QImage PosBarBitmap;
    QImage TextBitmap;
    QImage PlayPausBitmap;
    QImage MonoSterBitmap;
    // Set when the loaded directory has no balance.bmp: the balance slider
    // then shows the volume pictures.
    bool BalanceFromVolume = false;
    SkinColorTable SkinColors{};
    // region.txt's shapes; the built-in skin has none.
    WindowRegions Regions;
    // Indexed by screen cursor slot; only 5..27 are used.
    std::array<std::optional<CursorImage>, kLastCursorSlot + 1> Cursors;
};

struct BitmapSlot {
    QImage SkinSet::*bitmap;
    const char* file;     // in the skin directory, any case
    const char* resource; // name of the built-in picture
    QSize size;           // of the standard sheet
};

// The eleven bitmaps in loading order (numbers.bmp stands for nums_ex.bmp
// too); each may also come as a .png of the same name.
const std::array<BitmapSlot, 11>& BitmapSlots();

struct CursorSlot {
    int slot;
    const char* file;
    const char* resource;  // nullptr: no built-in cursor
    const char* laterFile; // what later skins call it, read when `file` is absent
};

// The 23 cursor files in loading order.
const std::array<CursorSlot, 23>& CursorSlots();

// Where the built-in skin's files live among the Qt resources: the sheets
// above ("MAIN", "bmp" ...), the cursors ("NORMAL", "cur" ...), and for the
// other windows "PLEDIT.bmp" with its colours "PLEDIT.txt", "EQMAIN.bmp"
// (275 x 315) and the visualization background "VISBG.bmp" (83 x 22).
QString BuiltInResourcePath(const char* resource, const char* extension);

// Loads the built-in skin: bitmaps, colours 0..23 and cursor slots 5..26
// (slot 27 is left alone). Always 0.
int LoadDefaultSkin(SkinSet& set);

// Loads a skin directory or archive (see OpenSkinSource) over the built-in
// skin; 0, or -1 when the archive or a bitmap cannot be read (what was
// loaded until then stays). A missing skin or file is no error, nor a colour
// line that is not numeric (that colour keeps its built-in value).
int LoadSkin(SkinSet& set, const QString& directory);

} // namespace velmoro::skin
