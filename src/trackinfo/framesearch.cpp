#include "trackinfo/framesearch.h"

#include "trackinfo/mpegheader.h"

namespace velmoro::trackinfo {

namespace {
constexpr int kProgressBytes = 300;
constexpr std::uint32_t kSyncMask = 0xFFE00000u;
} // namespace

bool FindFrameHeader(BufferedFile& file, TMPEGAudioData& d, const HeaderSearch& search)
{
    const auto pastLimit = [&] { return search.limit != 0 && file.Pos() > search.limit; };
    const bool reportsProgress = search.onProgress && *search.onProgress;
    std::uint32_t word = 0;
    bool valid = file.ReadBigEndian32(word) && DecodeHeader(word, d, search.audioBytes);
    while (!valid && !file.AtEnd() && !pastLimit()) {
        std::uint8_t byte = 0;
        if (!file.ReadByte(byte))
            break;
        word = word << 8 | byte;
        if (reportsProgress && file.Pos() % kProgressBytes == 0)
            (*search.onProgress)();
        // Only a sync word can decode as valid; the full decode is skipped otherwise.
        if ((word & kSyncMask) == kSyncMask)
            valid = DecodeHeader(word, d, search.audioBytes);
    }
    return valid;
}

bool FrameFitsInFile(const TMPEGAudioData& d, std::int64_t framePos, std::int64_t fileLength)
{
    return fileLength - framePos - d.FrameLength + 2 * std::int64_t(d.ErrorProt) > 0;
}

bool NextHeaderFollows(BufferedFile& file, TMPEGAudioData& d, std::int64_t framePos, std::int64_t audioBytes)
{
    file.Seek(framePos + d.FrameLength);
    std::uint32_t word = 0;
    return file.ReadBigEndian32(word) && DecodeHeader(word, d, audioBytes);
}

} // namespace velmoro::trackinfo
