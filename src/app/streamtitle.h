#pragma once
// What a station says of itself (its name, the song on air) made fit for the
// scrolling title and the playlist: the station chooses the bytes, so they
// are decoded with care and kept short and printable.
#include "audio/audiolibrary.h"

#include <QString>

#include <optional>

namespace velmoro::app {

// Characters kept of the station's name and of the song each; longer ones
// are cut and end with "...".
inline constexpr int kMaxStationTextChars = 120;

// UTF-8 when the bytes are valid UTF-8, else Latin-1; control and format
// characters become blanks, runs of blanks one, and the text is cut to
// kMaxStationTextChars.
QString CleanStationText(const std::string& bytes);

// "name - song", or the song alone from a station without a name; none while
// the station has sent no song, so that the title shown stays as it was.
std::optional<QString> StreamTitleText(const audio::StreamTags& tags);

} // namespace velmoro::app
