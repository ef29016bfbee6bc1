#pragma once
// The ID3v1 genre names, codes 0 to 125.
#include <QString>
#include <array>

namespace velmoro::trackinfo {

inline constexpr int kGenreCount = 126;

const std::array<QString, kGenreCount>& GenreNames();

// The name of a genre code; "Unknown" for codes above the table.
QString GenreName(int code);

} // namespace velmoro::trackinfo
