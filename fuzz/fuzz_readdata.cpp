// ReadData, WriteTag and RemoveTag on arbitrary file contents: no crash, no
// hang, no read outside the file, and the tag operations never change a byte
// before the tag.
#include "trackinfo/mpegaudio.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdlib>
#include <unistd.h>

using velmoro::trackinfo::TMPEGAudio;

namespace {

QString ScratchFile()
{
    // Memory-backed when possible: every input is written and synced twice.
    static const QString dir =
        QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm") : QStringLiteral("/tmp");
    static const QString path = dir + QStringLiteral("/velmoro-fuzz-readdata-%1.mp3").arg(::getpid());
    return path;
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray ReadBack(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString path = ScratchFile();
    if (!Write(path, bytes))
        return 0;

    TMPEGAudio track;
    track.AutoLoad = false;
    track.SetMacro(QStringLiteral("%A% - %T% [%DF%] %BR% %SR% %V% %LY% %M% %G% %L%"));
    track.SearchLimit = size > 0 ? data[0] * 64 : 0;
    track.SetFileName(path);
    const int result = track.ReadData();
    if (result != 0 && result != -1)
        std::abort();
    if (track.IsValid() && (track.FirstFramePos < 0 || track.FirstFramePos >= std::int64_t(size)))
        std::abort();

    // What the file itself ends with decides, whether or not a frame was found.
    const bool hadTag = bytes.size() > 128 && bytes.sliced(bytes.size() - 128).startsWith("TAG");
    const qsizetype audio = hadTag ? bytes.size() - 128 : bytes.size();
    track.SetTitle(QStringLiteral("fuzz"));
    if (track.WriteTag() != 0)
        std::abort();
    const QByteArray written = ReadBack(path);
    if (written.left(audio) != bytes.left(audio) || written.size() != audio + 128)
        std::abort();
    // A file of 128 bytes or less is never taken for a tag, so it keeps it.
    const qsizetype afterRemoval = written.size() > 128 ? audio : written.size();
    if (track.RemoveTag() != 0 || ReadBack(path).size() != afterRemoval)
        std::abort();
    return 0;
}
