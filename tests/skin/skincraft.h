#pragma once
// Skin files made by the tests themselves: bitmaps of every flavour, cursors
// (static and animated), and whole skin directories whose pixels encode the
// bitmap and the coordinates they come from, so a rendered window shows
// exactly which source pixel went where.
#include <QByteArray>
#include <QDir>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <vector>

namespace velmoro::test {

// ---- Bitmaps of every flavour ----

enum class BmpCompression { Rgb, Rle, BitFields };

struct BmpFlavour {
    int bits = 24;
    BmpCompression compression = BmpCompression::Rgb;
    int headerSize = 40; // 12 (core), 40, 52, 56, 108 (V4), 124 (V5)
    bool topDown = false;
    std::array<quint32, 4> masks{}; // red, green, blue, alpha for BitFields
};

// The image as a .bmp file of the flavour; palettized flavours take the
// image's colours in scan order.
QByteArray CraftBmp(const QImage& image, const BmpFlavour& flavour);

// A .bmp file with the given info header fields around raw pixel bytes.
QByteArray CraftRawBmp(int width, int height, int bits, quint32 compression, const std::vector<QRgb>& palette,
                       const QByteArray& pixels);

// The image as a PNG file.
QByteArray EncodePng(const QImage& image);

// A one-pixel PNG whose header claims width × height (its checksum fixed, so
// only the size is a lie).
QByteArray PngClaimingSize(quint32 width, quint32 height);

// ---- Cursors ----

// A .cur file with an entry for each picture index in `entries`; each picture
// (a PNG or a DIB) is stored once, however many entries point at it.
QByteArray CraftCursorOfPictures(const std::vector<QByteArray>& pictures, const std::vector<int>& entries);

// A .cur file with a 1-bit colour picture and an AND mask; pixels of
// `transparent` are masked, `black` picks colour 0 over colour 1 (white).
QByteArray CraftMonoCursor(int size, QPoint hotspot, const std::vector<QPoint>& black,
                           const std::vector<QPoint>& transparent);

// An animated cursor (RIFF "ACON") whose frames are whole .cur files.
QByteArray CraftAnimatedCursor(const std::vector<QByteArray>& frames, const std::vector<quint32>& sequence);

// A solid cursor image with one marked pixel at the hotspot.
QImage CursorPicture(QRgb colour, int size = 32);

// ---- Coordinate skins ----

// Bitmap identifiers of the coordinate skin (1..63).
enum SkinId {
    kMainId = 1,
    kTitlebarId,
    kCButtonsId,
    kVolumeId,
    kNumbersId,
    kShufRepId,
    kBalanceId,
    kPosBarId,
    kTextId,
    kPlayPausId,
    kMonoSterId,
    kNumsExId,
    kPleditId,
    kEqmainId,
};

QRgb CoordColor(int id, int x, int y);

struct Coord {
    int id = 0;
    int x = 0;
    int y = 0;
    bool operator==(const Coord&) const = default;
};

// What a pixel of a coordinate skin encodes; id 0 for black or transparent.
Coord DecodeCoord(QRgb pixel);

QImage CoordImage(int id, QSize size);

// Rectangle `to` of image shows rectangle `from` of coordinate sheet id,
// stretched by nearest neighbour where the sizes differ; only the part
// inside `visible` is checked when it is given.
testing::AssertionResult ShowsCoords(const QImage& image, QRect to, int id, QRect from, QRect visible = {});

// The file name and id of each standard sheet of the coordinate skin, in
// loading order, with its standard size.
struct CoordSheet {
    QString file;
    int id;
    QSize size;
};
std::vector<CoordSheet> CoordSheets();

// Writes every sheet as a 24-bit bitmap into dir (leaving out the names in
// `skip`), under the given case transform of each name.
void WriteCoordSkin(const QString& dir, const QStringList& skip = {}, bool upperCase = false);

// Writes the playlist window's sheets, pledit.bmp (280 x 186) and text.bmp,
// and, when colours is not null, pledit.txt with that text.
void WriteCoordPlaylistSkin(const QString& dir, const QByteArray& colours = {});

// Writes the equalizer window's sheet, eqmain.bmp (275 x 315), or one of
// another size.
void WriteCoordEqualizerSkin(const QString& dir, QSize size = QSize(275, 315));

void WriteFile(const QString& path, const QByteArray& bytes);

// The picture equals the reference PNG pixel for pixel; when it does not,
// it is saved beside the test as <name>.actual.png in actualDir.
testing::AssertionResult MatchesReference(const QImage& got, const QString& referencePath,
                                          const QString& actualDir);
// velmoro-render-skin with the built-in skin and these arguments draws
// `picture` of `references` pixel for pixel; a different picture is left as
// <name>.actual.png in actualDir.
testing::AssertionResult RendersAsReference(const QDir& references, const QString& actualDir,
                                            const QString& picture, const QStringList& arguments);

} // namespace velmoro::test
