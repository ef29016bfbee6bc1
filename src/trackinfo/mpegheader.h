#pragma once
// Decoding of MPEG audio frame headers and of the Xing VBR header: pure
// functions over bytes and the data record, so every table can be tested on
// crafted headers.
#include "trackinfo/mpegaudiodata.h"

#include <QByteArrayView>
#include <cstdint>

namespace velmoro::trackinfo {

// True when the record describes a playable file (the validity test).
bool IsValidRecord(const TMPEGAudioData& d);

// Decodes the 32-bit header h (four file bytes, big-endian) into d's header
// fields, computes Duration from audioBytes at the header's bit rate and the
// frame length, and returns the validity test of the result.
bool DecodeHeader(std::uint32_t h, TMPEGAudioData& d, std::int64_t audioBytes);

// Bytes from the frame start to where a Xing header would stand.
int XingOffset(std::uint8_t version, std::uint8_t mode);

// PCM samples carried by one frame of the given version and layer.
int SamplesPerFrame(std::uint8_t version, std::uint8_t layer);

struct XingInfo {
    std::uint32_t flags = 0;
    std::uint32_t frames = 0; // 0 when the flags do not announce a frame count
};

// Parses the bytes following the "Xing" tag (flags word, then the optional
// fields). Missing bytes count as absent fields.
XingInfo ParseXing(QByteArrayView afterTag);

// Applies a Xing header to a confirmed record: VBR bit rate, duration from the
// frame count, average frame length. Saturates rather than wraps.
void ApplyXing(const XingInfo& xing, TMPEGAudioData& d);

// Size of a well-formed ID3v2 tag at the start of a file (header, body and
// footer), or 0 when head holds none or the tag would not fit in fileSize.
std::int64_t Id3v2TagSize(QByteArrayView head, std::int64_t fileSize);

} // namespace velmoro::trackinfo
