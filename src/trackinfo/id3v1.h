#pragma once
// The 128-byte ID3v1 (1.1) block at the end of a file.
#include "trackinfo/mpegaudiodata.h"

#include <QByteArray>
#include <QByteArrayView>

namespace velmoro::trackinfo {

inline constexpr int kTagSize = 128;

bool IsId3v1Tag(QByteArrayView block);

// Fills the tag fields of d from a block that starts with "TAG". The track
// is read only from an ID3v1.1 block (byte 125 zero), else it is 0.
void ApplyId3v1(QByteArrayView block, TMPEGAudioData& d);

// The block for d's tag fields: with a track, the ID3v1.1 layout (28 comment
// characters, a zero, the track); without, a 30-character comment.
QByteArray BuildId3v1(const TMPEGAudioData& d);

} // namespace velmoro::trackinfo
