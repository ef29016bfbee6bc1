#pragma once
// The data record of one MPEG audio file. Stored playlists keep it as a block
// of 492 bytes, so besides the fields it has a byte-exact serialised form.
#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <cstdint>

namespace velmoro::trackinfo {

struct TMPEGAudioData {
    QString Header; // "TAG" when an ID3v1 tag was read, "BAD" after a reset
    QString Title;  // at most 30 characters, as are Artist, Album and Comment
    QString Artist;
    QString Album;
    QString Year; // at most 4 characters
    QString Comment;
    std::uint8_t Genre = 0;
    std::uint8_t Track = 0;
    std::uint16_t Duration = 0;  // whole seconds
    std::int32_t FileLength = 0; // bytes
    std::uint8_t Version = 0;    // 0 unknown, 1 MPEG 1, 2 MPEG 2, 3 MPEG 2.5
    std::uint8_t Layer = 0;      // 0 unknown, 1, 2, 3
    std::int32_t SampleRate = 0; // Hz
    std::int32_t BitRate = 0;    // kbit/s, −1 for a Xing VBR file
    std::uint16_t Spare = 0;
    std::uint8_t Mode = 0; // 0 stereo, 1 joint, 2 dual, 3 single channel
    bool Copyright = false;
    bool Original = false;
    bool ErrorProt = false; // the header's protection bit as it stands
    bool Padding = false;
    std::uint16_t FrameLength = 0; // bytes; the average for VBR files
    std::uint16_t CRC = 0;
    QString FileName;              // full path
    std::int32_t FileDateTime = 0; // packed modification stamp
    std::uint16_t FileAttr = 0;
    QString VolumeLabel; // at most 20 characters
    std::uint16_t Selected = 0;

    friend bool operator==(const TMPEGAudioData&, const TMPEGAudioData&) = default;
};

inline constexpr int kRecordSize = 492;

// The 492-byte little-endian form. Tag texts are written in Latin-1 (other
// characters become '?'); the file name and volume label in UTF-8, cut to
// their fields' capacity on a character boundary. Bytes past a string's
// length and the reserved tail are zero.
QByteArray SerializeRecord(const TMPEGAudioData& data);

// Reads a stored record into data; false, with data untouched, when fewer than
// 492 bytes are given. Length bytes larger
// than their field are capped at the field's capacity, so a damaged record
// never reads past its own block. Names are taken as UTF-8 when they are valid
// UTF-8, else as Latin-1.
bool ParseRecord(QByteArrayView bytes, TMPEGAudioData& data);

// The same test for "this looks like UTF-8" that the playlist files use.
bool IsValidUtf8(QByteArrayView bytes);

} // namespace velmoro::trackinfo
