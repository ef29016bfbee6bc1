#include "fieldlisting.h"

using velmoro::trackinfo::TMPEGAudio;

namespace {

QString YesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

} // namespace

QStringList FieldListing(const TMPEGAudio& track)
{
    const auto& d = track.Data();
    QStringList lines;
    const auto add = [&](const char* name, const QString& value) {
        lines << QString::fromLatin1(name) + QStringLiteral(": ") + value;
    };
    const auto number = [](auto value) { return QString::number(value); };
    add("Header", d.Header);
    add("Title", d.Title);
    add("Artist", d.Artist);
    add("Album", d.Album);
    add("Year", d.Year);
    add("Comment", d.Comment);
    add("Genre", number(d.Genre));
    add("Track", number(d.Track));
    add("Duration", number(d.Duration));
    add("FileLength", number(d.FileLength));
    add("Version", number(d.Version));
    add("Layer", number(d.Layer));
    add("SampleRate", number(d.SampleRate));
    add("BitRate", number(d.BitRate));
    add("Spare", number(d.Spare));
    add("Mode", number(d.Mode));
    add("Copyright", YesNo(d.Copyright));
    add("Original", YesNo(d.Original));
    add("ErrorProt", YesNo(d.ErrorProt));
    add("Padding", YesNo(d.Padding));
    add("FrameLength", number(d.FrameLength));
    add("CRC", number(d.CRC));
    add("FileName", d.FileName);
    add("FileDateTime", number(d.FileDateTime));
    add("FileAttr", number(d.FileAttr));
    add("VolumeLabel", d.VolumeLabel);
    add("Selected", number(d.Selected));
    add("FirstFramePos", number(track.FirstFramePos));
    add("GenreText", track.GenreText());
    add("HasTag", YesNo(track.HasTag()));
    add("Valid", YesNo(track.IsValid()));
    return lines;
}
