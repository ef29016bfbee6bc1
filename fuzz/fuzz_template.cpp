// Expands arbitrary templates against a track whose fields come from the same
// input: templates are user-edited and stored in option files, and tag texts
// come from whatever files the user opens.
#include "trackinfo/mpegaudio.h"
#include "trackinfo/templates.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <cstddef>
#include <cstdint>

using namespace velmoro::trackinfo;

namespace {

QString ConsumeText(FuzzedDataProvider& in, std::size_t maxLength)
{
    const std::string bytes = in.ConsumeRandomLengthString(maxLength);
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    return IsValidUtf8(view) ? QString::fromUtf8(view) : QString::fromLatin1(view);
}

QChar ConsumeChar(FuzzedDataProvider& in)
{
    return QChar(in.ConsumeIntegral<char16_t>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);

    TMPEGAudioData d;
    d.Header = in.ConsumeBool() ? QStringLiteral("TAG") : QStringLiteral("BAD");
    d.Genre = in.ConsumeIntegral<std::uint8_t>();
    d.Track = in.ConsumeIntegral<std::uint8_t>();
    d.Duration = in.ConsumeIntegral<std::uint16_t>();
    d.FileLength = in.ConsumeIntegral<std::int32_t>();
    d.Version = in.ConsumeIntegral<std::uint8_t>();
    d.Layer = in.ConsumeIntegral<std::uint8_t>();
    d.SampleRate = in.ConsumeIntegral<std::int32_t>();
    d.BitRate = in.ConsumeIntegral<std::int32_t>();
    d.Mode = in.ConsumeIntegral<std::uint8_t>();
    d.Copyright = in.ConsumeBool();
    d.Original = in.ConsumeBool();
    d.ErrorProt = in.ConsumeBool();
    d.FileDateTime = in.ConsumeIntegral<std::int32_t>();
    d.Title = ConsumeText(in, 40);
    d.Artist = ConsumeText(in, 40);
    d.Album = ConsumeText(in, 40);
    d.Year = ConsumeText(in, 8);
    d.Comment = ConsumeText(in, 40);
    d.FileName = ConsumeText(in, 300);
    d.VolumeLabel = ConsumeText(in, 24);

    TMPEGAudio track;
    track.UnknownTitle = ConsumeText(in, 20);
    track.UnknownArtist = ConsumeText(in, 20);
    track.SetData(d);

    TMacroDefinitions& definitions = MacroDefinitions();
    definitions.Formats.shortDate = ConsumeText(in, 16);
    definitions.Formats.longTime = ConsumeText(in, 16);
    definitions.Formats.timeSeparator = ConsumeChar(in);
    definitions.Formats.groupSeparator = ConsumeChar(in);
    definitions.Formats.decimalSeparator = ConsumeChar(in);
    definitions.Delimiter = in.ConsumeBool() ? QChar(u'%') : ConsumeChar(in);
    const bool withTrack = in.ConsumeBool();
    const bool withListData = in.ConsumeBool();

    const std::string rest = in.ConsumeRemainingBytesAsString();
    const QByteArrayView bytes(rest.data(), qsizetype(rest.size()));
    const QString templ = IsValidUtf8(bytes) ? QString::fromUtf8(bytes) : QString::fromLatin1(bytes);

    // Twice, as the second run takes the remembered parse.
    for (int run = 0; run < 2; ++run)
        definitions.ExpandTemplate(templ, withTrack ? &track : nullptr, withListData ? &d : nullptr);
    return 0;
}
