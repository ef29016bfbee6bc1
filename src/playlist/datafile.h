#pragma once
// Playlist data files: a header beginning with the signature "MP3DATA",
// then one stored record per entry. Versions 1.00 and 1.01 hold the record
// in older, smaller layouts; 1.02 holds the 492-byte record as it is.
#include "trackinfo/mpegaudiodata.h"

#include <QByteArrayView>
#include <cstdint>

namespace velmoro::playlist {

enum DataFileVersion : int { DataVersion100 = 0x0100, DataVersion101 = 0x0101, DataVersion102 = 0x0102 };

// The most a header can take: signature and version, a description of up to
// 255 bytes, one byte, an extra block of up to 65,535 bytes and its size.
inline constexpr int kMaxDataHeaderSize = 10 + 1 + 255 + 1 + 2 + 65535;

struct DataFileHeader {
    int version = 0;
    std::int64_t recordsOffset = 0; // where the first record starts
};

// Parses the header from the first bytes of a file. False when the
// signature is wrong (exact case) or the bytes end inside the header.
bool ParseDataFileHeader(QByteArrayView head, DataFileHeader& header);

// Bytes per record: 408 for 1.00, 324 for 1.01, 492 for every other version.
int DataRecordSize(int version);

// Reads one record of a known version into d. The fields the older layouts
// lack keep the values d has. Length bytes larger than their field are
// capped, so a damaged record never reads outside itself; impossible numbers
// (a sample rate beyond 32 bits, a date that is no date) become 0. False for
// an unknown version or too few bytes.
bool ParseDataRecord(QByteArrayView record, int version, trackinfo::TMPEGAudioData& d);

// A six-byte real (exponent biased by 129, 0 meaning zero; 39-bit mantissa
// with an implied leading 1, least significant byte first; sign in the top
// bit of the last byte).
double Real48ToDouble(QByteArrayView six);

// A date-time stored as days since 1899-12-30 (the fraction being the time of
// day) in the packed form of file stamps; 0 outside the years 1980..2099.
std::int32_t PackedFromDays(double days);

} // namespace velmoro::playlist
