#pragma once
// Cursors of skins. Many skins' .cur files are really animated cursors (RIFF
// "ACON" data), and some carry non-zero reserved bytes that generic readers
// refuse, so both forms are read here: a static cursor with its hotspot, and
// the first frame of an animated one (the first step of its sequence).
#include <QByteArrayView>
#include <QImage>
#include <QPoint>

#include <optional>

namespace velmoro::skin {

struct CursorImage {
    QImage image; // Format_ARGB32
    QPoint hotspot;
};

// Reads a .cur or .ico file, or an animated cursor; nullopt when the bytes
// hold neither.
std::optional<CursorImage> ReadCursor(QByteArrayView file);

} // namespace velmoro::skin
