// Recognising a file: playlist data file by its signature, MPEG audio by two
// consecutive frame headers, M3U and PLS lists by their extensions.
#include "platform/fileio.h"
#include "platform/filenames.h"
#include "playlist/busyscope.h"
#include "playlist/mpegaudiolist.h"
#include "trackinfo/bufferedfile.h"
#include "trackinfo/framesearch.h"

#include <QByteArrayView>

#include <array>
#include <limits>

namespace velmoro::playlist {

namespace {

enum class Search { Found, NotFound, IoError };

// Looks for a valid frame header that another valid header follows one frame
// later, from the start of the file.
Search SearchFrames(trackinfo::BufferedFile& in, std::int32_t searchLimit,
                    const std::function<void()>& keepAlive)
{
    const std::int64_t size = in.Size();
    // Only the header decides: the file identity the validity test also asks
    // for is taken as present.
    trackinfo::TMPEGAudioData d;
    d.FileLength = std::int32_t(std::min<std::int64_t>(size, std::numeric_limits<std::int32_t>::max()));
    d.FileDateTime = 1;
    const trackinfo::HeaderSearch search{
        .audioBytes = size, .limit = std::max<std::int64_t>(searchLimit, 0), .onProgress = &keepAlive};
    for (;;) {
        const bool valid = trackinfo::FindFrameHeader(in, d, search);
        if (in.Failed())
            return Search::IoError;
        if (!valid)
            return Search::NotFound;
        const std::int64_t p = in.Pos() - 4;
        if (!trackinfo::FrameFitsInFile(d, p, size))
            return Search::NotFound;
        // Fewer than four bytes left there is no header, not an error.
        if (trackinfo::NextHeaderFollows(in, d, p, size))
            return Search::Found;
        if (in.Failed())
            return Search::IoError;
        in.Seek(p + 1);
    }
}

} // namespace

int TMPEGAudioList::DetectFileKind(const QString& fileName) const
{
    platform::NativeFile file;
    if (file.Open(fileName, platform::NativeFile::Mode::ReadOnly) != 0)
        return KindError;
    platform::FileStatus status;
    if (!file.Status(status) || !status.isRegular)
        return KindError;
    const std::int64_t size = status.size;

    if (size > 11) {
        std::array<char, 11> head{};
        if (file.ReadAt(0, head.data(), std::int64_t(head.size())) != std::int64_t(head.size()))
            return KindError;
        if (std::uint8_t(head[0]) >= 7 &&
            QByteArrayView(head.data() + 1, 7).toByteArray().toUpper() == QByteArrayView("MP3DATA"))
            return KindMP3Data;
    }
    if (size > 4) {
        trackinfo::BufferedFile in(file, size);
        switch (SearchFrames(in, SearchLimit, OnProcessMessages)) {
        case Search::Found:
            return KindMPEGAudio;
        case Search::IoError:
            return KindError;
        case Search::NotFound:
            break;
        }
    }
    const QString extension = platform::UpperExtension(fileName);
    if (extension == QStringLiteral(".M3U"))
        return KindM3U;
    if (extension == QStringLiteral(".PLS"))
        return KindPLS;
    return KindNone;
}

int TMPEGAudioList::LoadFile(const QString& fileName)
{
    const BusyScope busy(m_busy, OnBusyChanged);
    switch (DetectFileKind(fileName)) {
    case KindM3U:
        return LoadM3U(fileName);
    case KindMP3Data:
        return LoadMP3Data(fileName);
    case KindMPEGAudio:
        return AddFile(fileName);
    case KindPLS:
        return LoadPLS(fileName);
    default:
        return -1;
    }
}

} // namespace velmoro::playlist
