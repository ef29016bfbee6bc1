#pragma once
// The colour lines of "viscolor.txt". Skin authors wrote these by hand in
// many shapes ("24,33,41", "24,33,41, // comment", "24,33,41 // comment",
// tab-separated comments); the rules below accept exactly what the classic
// players accepted, down to the pure blue of a line of the wrong length.
#include <QByteArrayView>
#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace velmoro::skin {

// A colour in the 0x00BBGGRR form.
using SkinColor = std::uint32_t;

inline constexpr int kSkinColorCount = 25;
using SkinColorTable = std::array<SkinColor, kSkinColorCount>;

// What a candidate of the wrong length gives.
inline constexpr SkinColor kPureBlue = 0x00FF0000;

// Parses one line; nullopt when a component is not a number. Components
// outside 0..255 are clamped.
std::optional<SkinColor> ParseColorLine(const QString& line);

// The built-in colours for indices 0..23 (24 is black).
const SkinColorTable& BuiltInSkinColors();

// Fills table from the non-empty lines of a colour file, from index 0, until
// index 24; false at the first line with a non-numeric component, whose
// earlier lines stay applied.
bool ParseColorFile(QByteArrayView text, SkinColorTable& table);

} // namespace velmoro::skin
