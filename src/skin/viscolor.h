#pragma once
// The colour lines of "viscolor.txt". Skin authors wrote these by hand in
// many shapes ("24,33,41", "24, 33, 41 // comment", "24,33,41,// comment",
// tab-separated comments): a line gives the three numbers it starts with,
// whatever blanks and comments surround them, as the skins were made to show.
#include <QByteArrayView>
#include <QStringView>

#include <array>
#include <cstdint>

namespace velmoro::skin {

// A colour in the 0x00BBGGRR form.
using SkinColor = std::uint32_t;

inline constexpr int kSkinColorCount = 25;
using SkinColorTable = std::array<SkinColor, kSkinColorCount>;

// What a candidate of the wrong length gives.
inline constexpr SkinColor kPureBlue = 0x00FF0000;

struct ColorLine {
    enum Kind {
        Read,       // three numbers, clamped to 0..255
        PureBlue,   // fewer than three comma-separated parts before a comment
        NotNumeric, // one of the three is no number: the colour keeps its value
    };
    Kind kind;
    SkinColor color; // for Read and PureBlue
};

ColorLine ParseColorLine(QStringView line);

// The built-in colours for indices 0..23 (24 is black).
const SkinColorTable& BuiltInSkinColors();

// Fills table from the non-empty lines of a colour file, from index 0, until
// index 24. A line with a non-numeric component leaves its index as it was;
// how many did is returned.
int ParseColorFile(QByteArrayView text, SkinColorTable& table);

} // namespace velmoro::skin
