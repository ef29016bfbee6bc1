#pragma once
// What the player reads from plug-in files it did not make: their folders'
// listings and the texts of their tables.
#include <QString>
#include <QStringList>

namespace velmoro::plugins {

// Texts are read up to this many bytes: a table may point at anything.
inline constexpr int kMaxPluginTextBytes = 255;

// A plug-in's text as something to show: UTF-8 (invalid bytes replaced),
// cut at the bound, control characters dropped. Null gives "".
QString PluginText(const char* text);

// The files matching pattern ("vfx_*.so") in the folders, in name order
// within each folder, a name found in an earlier folder not taken again.
QStringList PluginFiles(const QStringList& folders, const QString& pattern);

} // namespace velmoro::plugins
