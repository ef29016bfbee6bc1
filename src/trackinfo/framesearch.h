#pragma once
// The search for MPEG audio frame headers in a file, shared by the track
// reader and by the recognition of playlist files: both must agree on what
// counts as a frame.
#include "trackinfo/bufferedfile.h"
#include "trackinfo/mpegaudiodata.h"

#include <cstdint>
#include <functional>

namespace velmoro::trackinfo {

struct HeaderSearch {
    std::int64_t audioBytes = 0; // the audio's size, for the duration a header gives
    std::int64_t limit = 0;      // the file position past which the search gives up; 0 = none
    // Called each time the position passes a multiple of 300 bytes, so a
    // window can stay responsive during a long search; may be null or empty.
    const std::function<void()>* onProgress = nullptr;
};

// From the file's position on, finds the first four bytes that decode as a
// valid header (into d): first the four bytes there, then one byte further
// at a time. True with the file just past them; false when the end of the
// file, the limit or a read error (file.Failed()) came first.
bool FindFrameHeader(BufferedFile& file, TMPEGAudioData& d, const HeaderSearch& search);

// True when the frame of the header decoded in d, starting at framePos,
// leaves room in a file of fileLength bytes, measured as the search always
// has: with the protection bit set (no CRC), two bytes more are allowed.
bool FrameFitsInFile(const TMPEGAudioData& d, std::int64_t framePos, std::int64_t fileLength);

// True when another valid header (decoded into d) follows one frame after
// framePos, the frame length being d's. Too few bytes left there is a false,
// not a read error.
bool NextHeaderFollows(BufferedFile& file, TMPEGAudioData& d, std::int64_t framePos, std::int64_t audioBytes);

} // namespace velmoro::trackinfo
