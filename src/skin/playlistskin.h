#pragma once
// The playlist window's part of a skin: the frame sheet pledit.bmp, the
// 5 x 6 font text.bmp for the status texts, and the colours and font name of
// pledit.txt. Pure model code: painting it is playlistpainter.h's.
#include "skin/skinsource.h"

#include <QByteArrayView>
#include <QFont>
#include <QImage>
#include <QRgb>
#include <QString>

#include <cstdint>

namespace velmoro::skin {

// A skin colour text "#RRGGBB" as $00BBGGRR: blanks trimmed, the first
// character dropped, the next six read as hexadecimal pairs; any other or
// missing character counts as 0, so "#0000" is black.
std::uint32_t SkinColorToInt(const QString& text);

// The same colour as Qt holds it, opaque.
QRgb SkinColorToRgb(const QString& text);

// Section "Text" of pledit.txt.
struct PlaylistColors {
    QRgb normal;     // text of ordinary rows
    QRgb current;    // text of the current song's row
    QRgb selectedBg; // behind marked and selected rows
    QRgb normalBg;   // behind every other row
    QString font;    // the family asked for; fontconfig picks what stands in

    bool operator==(const PlaylistColors&) const = default;
};

// The colours a skin without pledit.txt (or without one of its keys) gets.
PlaylistColors DefaultPlaylistColors();

// The colours of a pledit.txt file's text; missing keys keep the defaults.
PlaylistColors ParsePlaylistColors(QByteArrayView text);

class PlaylistSkin {
public:
    // The built-in skin's pictures and colours.
    PlaylistSkin();

    // Loads a skin over the present one: pledit.bmp and text.bmp replace
    // their pictures when the source has them (a missing or unreadable one,
    // logged, keeps the previous picture); pledit.txt is read afresh, and
    // without it every colour is the default, whatever came before.
    void Load(const SkinSource& source);

    const PlaylistColors& Colors() const { return m_colors; }
    const QImage& Frame() const { return m_frame; } // pledit.bmp
    const QImage& Font() const { return m_font; }   // text.bmp

    // The rows' font: the match for Colors().font, 9 pixels high, drawn
    // without antialiasing (the classic look, and the same pixels on every
    // run) and with full hinting so the small glyphs stay crisp.
    QFont RowFont() const;

private:
    QImage m_frame;
    QImage m_font;
    PlaylistColors m_colors;
};

} // namespace velmoro::skin
