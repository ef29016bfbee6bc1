#pragma once
// The presets file eqpreset.ini: the list of names in section "PresetList"
// ("PresetCount", "Preset1" …) and one section of ten gains per preset
// ("Slider1" … "Slider10"). Pure model over a profile file; the dialog loads
// and saves it. The file is edited by hand too, so what comes from it is
// held within reason: gains at −14…+14 (a value that is not a number is 0),
// at most kMaxPresets names, and never more names than the file holds.
#include "platform/profilefile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace velmoro::equalizer {

using PresetGains = std::array<std::int32_t, 10>;

inline constexpr int kMaxPresets = 1000;
inline const QString kPresetFileName = QStringLiteral("eqpreset.ini");

// The names in list order: "Preset"n for n = 1 to the count, "No Name" for
// a missing one, but never past the last "Preset"n the file has.
QStringList PresetNames(const platform::ProfileFile& file);

// The gains of the section named `name` (any case); a missing one is 0.
PresetGains PresetGainsOf(const platform::ProfileFile& file, const QString& name);

// A name that would break the file's lines (a "]" ends a section name, "="
// a key, a line break the line) is refused.
bool PresetNameAllowed(const QString& name);
extern const QString kPresetNameRefused; // what the user is told

// Saves gains under a name: a name not among `shown` (compared without
// regard to case) is added at the end of the list; its section is written
// in either case.
void SavePreset(platform::ProfileFile& file, const QStringList& shown, const QString& name,
                const PresetGains& gains);

// Writes the list anew: "Preset"1… in order and the count. Keys numbered
// past the count stay in the file, unread.
void WritePresetNames(platform::ProfileFile& file, const QStringList& names);

} // namespace velmoro::equalizer
