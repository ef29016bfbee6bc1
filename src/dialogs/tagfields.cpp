#include "dialogs/tagfields.h"

#include "trackinfo/genres.h"

#include <QFileInfo>
#include <QLocale>

#include <algorithm>
#include <array>

namespace velmoro::dialogs {

using trackinfo::TMPEGAudio;
using trackinfo::TMPEGAudioData;

namespace {

QString YesNo(const char* what, bool yes)
{
    return QString::fromLatin1(what) + (yes ? QStringLiteral(" Yes") : QStringLiteral(" No"));
}

} // namespace

QStringList HeaderLines(const TMPEGAudioData& d)
{
    static const std::array<const char*, 4> kModes{"Stereo", "Joint Stereo", "Dual Channel", "Mono"};
    return {
        QString::number(d.Duration) + QStringLiteral(" sec"),
        QString::number(d.SampleRate) + QStringLiteral(" Hz"),
        QString::number(d.BitRate) + QStringLiteral(" bpr"),
        QStringLiteral("Layer ") + QString::number(d.Layer),
        QString::fromLatin1(kModes[d.Mode & 3]),
        QStringLiteral("CRC %1h").arg(QString::number(d.CRC, 16).toUpper().rightJustified(8, u'0')),
        YesNo("Original", d.Original),
        YesNo("Copyright", d.Copyright),
    };
}

QString VersionLine(const TMPEGAudioData& d)
{
    return QStringLiteral("Tag Version ") + QString::number(d.Version);
}

QString SizeLine(const TMPEGAudioData& d)
{
    return QString::number(d.FileLength) + QStringLiteral(" Bytes");
}

QString VolumeLine(const TMPEGAudioData& d)
{
    return (QStringLiteral("Volume ") + d.VolumeLabel).left(27);
}

QString DateLine(const TMPEGAudio& track)
{
    const QDateTime date = track.FileDate();
    return date.isValid() ? QLocale::system().toString(date, QLocale::ShortFormat) : QString();
}

QString AutoBuildTitle(const QString& path)
{
    const QString name = path.section(u'/', -1);
    return name.chopped(std::min<qsizetype>(4, name.size()));
}

TagEdits EditsOf(const TMPEGAudio& track)
{
    const TMPEGAudioData& d = track.Data();
    TagEdits edits{
        track.DisplayTitle(), track.DisplayArtist(), d.Album, d.Year, d.Comment, std::nullopt, d.Track};
    if (d.Genre < trackinfo::kGenreCount)
        edits.genre = d.Genre;
    return edits;
}

QStringList FieldsNotLatin1(const TagEdits& edits)
{
    const std::pair<const char*, QString> fields[] = {
        {"Titolo", edits.title.left(30)},     {"Artista", edits.artist.left(30)},
        {"Album", edits.album.left(30)},      {"Anno", edits.year.left(4)},
        {"Commento", edits.comment.left(30)},
    };
    QStringList names;
    for (const auto& field : fields) {
        const bool latin1 = std::all_of(field.second.cbegin(), field.second.cend(),
                                        [](QChar c) { return c.unicode() <= 0xFF; });
        if (!latin1)
            names << QString::fromLatin1(field.first);
    }
    return names;
}

int SaveTag(const QString& path, const TagEdits& edits)
{
    TMPEGAudio track;
    track.SetFileName(path);
    track.SetTitle(edits.title);
    track.SetArtist(edits.artist);
    track.SetAlbum(edits.album);
    track.SetYear(edits.year);
    track.SetComment(edits.comment);
    track.SetGenre(edits.genre ? std::uint8_t(*edits.genre) : 255);
    track.SetTrack(std::uint8_t(edits.track));
    return track.WriteTag();
}

int RemoveTagOf(const QString& path)
{
    TMPEGAudio track;
    track.SetFileName(path);
    return track.RemoveTag();
}

QString TagFailureText(TagChange change, const QString& path, int result)
{
    const QString reason = result == -1 ? QStringLiteral("il file non esiste più") : qt_error_string(result);
    const QString what = change == TagChange::Save ? QStringLiteral("salvare") : QStringLiteral("rimuovere");
    return QStringLiteral("Impossibile %1 il tag del file %2: %3.\nIl file non è stato modificato.")
        .arg(what, QFileInfo(path).fileName(), reason);
}

} // namespace velmoro::dialogs
