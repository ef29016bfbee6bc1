// Recognising a file: playlist data file by its signature, MPEG audio by two
// consecutive frame headers, M3U and PLS lists by their extensions.
#include "platform/fileio.h"
#include "playlist/busyscope.h"
#include "playlist/mpegaudiolist.h"
#include "trackinfo/bufferedfile.h"
#include "trackinfo/mpegheader.h"

#include <QByteArrayView>

#include <array>
#include <limits>

namespace velmoro::playlist {

namespace {

constexpr int kProgressBytes = 300;

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
    const auto pastLimit = [&] { return searchLimit > 0 && in.Pos() > searchLimit; };
    for (;;) {
        std::uint32_t w = 0;
        bool valid = in.ReadBigEndian32(w) && trackinfo::DecodeHeader(w, d, size);
        while (!valid && !in.AtEnd() && !pastLimit()) {
            std::uint8_t byte = 0;
            if (!in.ReadByte(byte))
                break;
            w = w << 8 | byte;
            if (in.Pos() % kProgressBytes == 0 && keepAlive)
                keepAlive();
            if ((w & 0xFFE00000u) == 0xFFE00000u)
                valid = trackinfo::DecodeHeader(w, d, size);
        }
        if (in.Failed())
            return Search::IoError;
        if (!valid)
            return Search::NotFound;
        const std::int64_t p = in.Pos() - 4;
        const std::int64_t rest = size - p - d.FrameLength + 2 * std::int64_t(d.ErrorProt);
        if (rest <= 0)
            return Search::NotFound;
        in.Seek(p + d.FrameLength);
        // Fewer than four bytes left there is no header, not an error.
        if (in.ReadBigEndian32(w) && trackinfo::DecodeHeader(w, d, size))
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
    const QString extension = fileName.mid(fileName.lastIndexOf(u'.')).toUpper();
    if (extension == QStringLiteral(".M3U"))
        return KindM3U;
    if (extension == QStringLiteral(".PLS"))
        return KindPLS;
    return KindNone;
}

int TMPEGAudioList::LoadFile(const QString& fileName)
{
    const BusyScope busy(m_busy);
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
