#pragma once
// The settings as a profile file, so that a run starts where the last one
// ended. Each value is kept under its control's name in "[Opzioni]"; a
// value read back is used only when it is one its setting can take, so a
// hand-edited file with nonsense in it gives the initial value for that key.
#include "platform/profilefile.h"
#include "settings/settings.h"

namespace velmoro::settings {

// The check box that turns remembering on and off.
inline constexpr const char* kRememberSettings = "RicordaImpostazioniCheck";

// Whether the file asks for its settings to be used: no file, or a file
// written with remembering on, does.
bool RemembersSettings(const platform::ProfileFile& file);

// Writes every kept setting into the file, over the values it held; the
// file's other lines stay.
void WriteSettings(const Settings& settings, platform::ProfileFile& file);

// Sets every setting the file holds a usable value for.
void ReadSettings(const platform::ProfileFile& file, Settings& settings);

} // namespace velmoro::settings
