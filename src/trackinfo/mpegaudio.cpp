#include "trackinfo/mpegaudio.h"

#include "platform/filedate.h"
#include "platform/fileio.h"
#include "platform/logging.h"
#include "platform/volumes.h"
#include "trackinfo/bufferedfile.h"
#include "trackinfo/framesearch.h"
#include "trackinfo/genres.h"
#include "trackinfo/id3v1.h"
#include "trackinfo/mpegheader.h"
#include "trackinfo/templates.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <cerrno>
#include <limits>

namespace velmoro::trackinfo {

namespace {

QString ExpandedPath(const QString& name)
{
    return QDir::cleanPath(QFileInfo(name).absoluteFilePath());
}

QString NameWithoutDirectory(const QString& path)
{
    return path.section(u'/', -1);
}

std::int32_t ClampToInt32(std::int64_t value)
{
    return std::int32_t(std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

QString TableText(const std::array<const char*, 4>& table, unsigned index)
{
    return index < table.size() ? QString::fromLatin1(table[index]) : QString();
}

// The search resets the record for every rejected candidate: copying one
// made once costs a fraction of building it anew.
const TMPEGAudioData& ResetRecord()
{
    static const TMPEGAudioData reset = [] {
        TMPEGAudioData d;
        d.Header = QStringLiteral("BAD");
        d.Title = d.Artist = d.Album = d.Comment = QStringLiteral("[notag]");
        d.Year = QStringLiteral("    ");
        d.Genre = 255;
        return d;
    }();
    return reset;
}

} // namespace

TMPEGAudio::TMPEGAudio() = default;

void TMPEGAudio::SetData(const TMPEGAudioData& data)
{
    m_data = data;
    RebuildText();
}

void TMPEGAudio::SetFileName(const QString& name)
{
    // The whole path is kept: only a stored record has to fit it in 255 bytes.
    m_data.FileName = name;
    if (AutoLoad)
        ReadData();
}

void TMPEGAudio::ResetData()
{
    m_data = ResetRecord();
    RebuildText();
}

bool TMPEGAudio::IsValid() const
{
    return IsValidRecord(m_data);
}

int TMPEGAudio::ReadData()
{
    const QString path = ExpandedPath(m_data.FileName);
    for (;;) {
        // Every attempt, a retry too, starts from a reset record.
        ResetData();
        m_data.FileName = path;
        int result = ReadOnce();
        if (result == 0 || !OnReadError)
            return result;
        result = OnReadError(m_data);
        if (result != ReadErrorRetry)
            return result;
    }
}

int TMPEGAudio::ReadOnce()
{
    const QString path = m_data.FileName;
    platform::NativeFile file;
    const int openError = file.Open(path, platform::NativeFile::Mode::ReadOnly);
    platform::FileStatus status;
    const bool statusKnown = openError == 0 && file.Status(status);
    const bool missing = openError == ENOENT || openError == ENOTDIR || openError == ENAMETOOLONG ||
                         openError == ELOOP || (statusKnown && !status.isRegular);
    if (missing) {
        m_data.Title = (QStringLiteral("[not found: ") + NameWithoutDirectory(path) + u']').left(30);
        RebuildText();
        return -1;
    }
    if (openError != 0)
        return openError;
    if (!statusKnown) {
        qCWarning(lcTrackInfo) << "cannot examine" << path;
        return -1;
    }
    if (status.size <= 5)
        return 0;

    FillFileIdentity(status);
    BufferedFile reader(file, status.size);
    const ScanResult scan = ScanFile(reader, status.size);
    RebuildText();
    if (scan == ScanResult::IoError || reader.Failed()) {
        qCWarning(lcTrackInfo) << "read error in" << path;
        return -1;
    }
    return scan == ScanResult::Found ? 0 : -1;
}

void TMPEGAudio::FillFileIdentity(const platform::FileStatus& status)
{
    const QString& path = m_data.FileName;
    m_data.FileDateTime = platform::PackDateTime(QDateTime::fromSecsSinceEpoch(status.modifiedSecs));
    m_data.FileAttr =
        platform::FileAttributes(NameWithoutDirectory(path), {.ownerWritable = status.ownerWritable});
    m_data.VolumeLabel = platform::VolumeLabelOfDevice(status.device).left(20);
    m_data.FileLength = ClampToInt32(status.size);
}

void TMPEGAudio::ResetKeepingIdentity()
{
    QString fileName = std::move(m_data.FileName);
    QString volumeLabel = std::move(m_data.VolumeLabel);
    const std::int32_t dateTime = m_data.FileDateTime;
    const std::uint16_t attributes = m_data.FileAttr;
    const std::int32_t length = m_data.FileLength;
    m_data = ResetRecord();
    m_data.FileName = std::move(fileName);
    m_data.VolumeLabel = std::move(volumeLabel);
    m_data.FileDateTime = dateTime;
    m_data.FileAttr = attributes;
    m_data.FileLength = length;
}

TMPEGAudio::ScanResult TMPEGAudio::ScanFile(BufferedFile& file, std::int64_t size)
{
    // Leading ID3v2 tags are skipped whole: their pictures can hold false
    // frame headers, and their bytes are no part of the audio's playing time.
    // Some taggers add a tag before an old one instead of replacing it, so
    // every well-formed tag in a row goes.
    std::int64_t audioStart = 0;
    for (;;) {
        std::array<char, 10> head{};
        file.Seek(audioStart);
        const std::int64_t headRead = file.Read(head.data(), std::int64_t(head.size()));
        const std::int64_t tagSize = Id3v2TagSize(QByteArrayView(head.data(), headRead), size - audioStart);
        if (tagSize == 0)
            break;
        audioStart += tagSize;
    }
    const std::int64_t audioBytes = size - audioStart;
    const std::int64_t limit = SearchLimit > 0 ? audioStart + SearchLimit : 0;
    const auto pastLimit = [&] { return limit != 0 && file.Pos() > limit; };

    file.Seek(audioStart);
    const HeaderSearch search{.audioBytes = audioBytes, .limit = limit, .onProgress = &OnSearchProgress};
    ScanResult result = ScanResult::NotFound;
    do {
        const bool valid = FindFrameHeader(file, m_data, search);
        if (file.Failed())
            return ScanResult::IoError;

        FirstFramePos = ClampToInt32(file.Pos() - 4);
        if (!valid || !FrameFitsInFile(m_data, FirstFramePos, m_data.FileLength)) {
            ResetKeepingIdentity();
            FirstFramePos = ClampToInt32(std::int64_t(m_data.FileLength) + 1);
            result = ScanResult::NotFound;
            continue;
        }

        // The candidate counts only if another header follows one frame later.
        if (!NextHeaderFollows(file, m_data, FirstFramePos, audioBytes)) {
            if (file.Failed())
                return ScanResult::IoError;
            ResetKeepingIdentity();
            file.Seek(std::int64_t(FirstFramePos) + 1);
            result = ScanResult::NotFound;
            continue;
        }

        result = ScanResult::Found;
        std::array<char, 4 + 116> xing{};
        file.Seek(std::int64_t(FirstFramePos) + XingOffset(m_data.Version, m_data.Mode));
        const std::int64_t xingRead = file.Read(xing.data(), std::int64_t(xing.size()));
        if (xingRead >= 4 && QByteArrayView(xing.data(), 4) == "Xing")
            ApplyXing(ParseXing(QByteArrayView(xing.data() + 4, xingRead - 4)), m_data);

        if (m_data.FileLength > kTagSize) {
            std::array<char, kTagSize> tag{};
            file.Seek(size - kTagSize);
            if (file.Read(tag.data(), kTagSize) != kTagSize)
                return ScanResult::IoError;
            const QByteArrayView block(tag.data(), kTagSize);
            if (IsId3v1Tag(block))
                ApplyId3v1(block, m_data);
            else
                m_data.Title = NameWithoutDirectory(m_data.FileName).left(30);
        }
    } while (!IsValid() && !file.AtEnd() && !pastLimit());
    return result;
}

void TMPEGAudio::RebuildText()
{
    m_text = m_macro.isEmpty() ? QString() : FormatTemplate(this, m_macro);
}

void TMPEGAudio::SetMacro(const QString& macro)
{
    m_macro = macro;
    RebuildText();
}

QString TMPEGAudio::VersionText() const
{
    return TableText({"Unknown", "1.0", "2.0", "2.5"}, m_data.Version);
}

QString TMPEGAudio::LayerText() const
{
    return TableText({"Unknown", "I", "II", "III"}, m_data.Layer);
}

QString TMPEGAudio::ModeText() const
{
    return TableText({"Stereo", "Joint-Stereo", "Dual-Channel", "Single-Channel"}, m_data.Mode);
}

QDateTime TMPEGAudio::FileDate() const
{
    return platform::UnpackDateTime(m_data.FileDateTime);
}

QString TMPEGAudio::ShortFileName() const
{
    // Linux has no 8+3 names: the path is its own short form.
    return m_data.FileName;
}

QString TMPEGAudio::LocateFile() const
{
    const QString expanded = ExpandedPath(m_data.FileName);
    // Without a label there is no volume to recognise the file by.
    if (QFileInfo(expanded).isFile() || m_data.VolumeLabel.isEmpty())
        return expanded;
    const QString found =
        platform::FindOnVolumes(expanded, m_data.VolumeLabel, DriveTypes, platform::MountedVolumes());
    return found.isEmpty() ? expanded : found;
}

QTime TMPEGAudio::DurationToTime(int seconds)
{
    seconds = std::max(seconds, 0);
    return QTime(seconds / 3600 % 24, seconds % 3600 / 60, seconds % 60);
}

} // namespace velmoro::trackinfo
