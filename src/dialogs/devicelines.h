#pragma once
// The lines of the device information window, from what the audio library
// reports: the classic record's fourteen lines, then what the device on
// this system really is.
#include "audio/audiolibrary.h"

#include <QStringList>

namespace velmoro::dialogs {

// Fourteen lines in a fixed order; the first two in upper case.
QStringList DeviceInfoLines(const audio::DeviceInfo& info);

// The sound server and its version, the sink's name and description, the
// sample format, rate and channels, and the latency; none known: one line
// that says so.
QStringList DeviceReportLines(const audio::DeviceReport* report);

} // namespace velmoro::dialogs
