#include "player/keptsettings.h"

#include "platform/profilefile.h"
#include "settings/settingsfile.h"
#include "skin/skinsource.h"

#include <QDir>
#include <QFileInfo>

namespace velmoro::player {

namespace {

const QString kWindows = QStringLiteral("Finestre");
const QString kSkin = QStringLiteral("Skin");
const QString kLanguage = QStringLiteral("Lingua");

// "x,y" or "x,y,w,h" with as many numbers as asked, else nothing.
std::optional<QList<int>> Numbers(const QString& text, int count)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != count)
        return std::nullopt;
    QList<int> numbers;
    for (const QString& part : parts) {
        bool ok = false;
        numbers << part.trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    return numbers;
}

// The playlist window is never smaller than its skin's least size, nor
// absurdly large.
bool PlausibleSize(int width, int height)
{
    return width >= 275 && height >= 116 && width <= 16384 && height <= 16384;
}

WindowPlaces ReadPlaces(const platform::ProfileFile& file)
{
    WindowPlaces places;
    if (const auto p = Numbers(file.Value(kWindows, QStringLiteral("Player")), 2))
        places.player = QPoint((*p)[0], (*p)[1]);
    if (const auto p = Numbers(file.Value(kWindows, QStringLiteral("Playlist")), 4);
        p && PlausibleSize((*p)[2], (*p)[3]))
        places.playlist = QRect((*p)[0], (*p)[1], (*p)[2], (*p)[3]);
    places.playlistShown = file.Value(kWindows, QStringLiteral("PlaylistShown")) == u"1";
    if (const auto p = Numbers(file.Value(kWindows, QStringLiteral("Equalizer")), 2))
        places.equalizer = QPoint((*p)[0], (*p)[1]);
    places.equalizerShown = file.Value(kWindows, QStringLiteral("EqualizerShown")) == u"1";
    places.language = file.Value(kLanguage, QStringLiteral("File"));
    return places;
}

void WritePlaces(const WindowPlaces& places, platform::ProfileFile& file)
{
    if (places.player)
        file.SetValue(kWindows, QStringLiteral("Player"),
                      QStringLiteral("%1,%2").arg(places.player->x()).arg(places.player->y()));
    if (const auto& r = places.playlist)
        file.SetValue(kWindows, QStringLiteral("Playlist"),
                      QStringLiteral("%1,%2,%3,%4").arg(r->x()).arg(r->y()).arg(r->width()).arg(r->height()));
    file.SetValue(kWindows, QStringLiteral("PlaylistShown"),
                  places.playlistShown ? QStringLiteral("1") : QStringLiteral("0"));
    if (places.equalizer)
        file.SetValue(kWindows, QStringLiteral("Equalizer"),
                      QStringLiteral("%1,%2").arg(places.equalizer->x()).arg(places.equalizer->y()));
    file.SetValue(kWindows, QStringLiteral("EqualizerShown"),
                  places.equalizerShown ? QStringLiteral("1") : QStringLiteral("0"));
    file.SetValue(kLanguage, QStringLiteral("File"), places.language);
}

void ReadDirectories(const platform::ProfileFile& file, app::AppDirectories& dirs)
{
    const QString skinsDir = file.Value(kSkin, QStringLiteral("SkinsDir"));
    if (!skinsDir.isEmpty() && QFileInfo(skinsDir).isDir())
        dirs.SkinsDir = app::IncludeTrailingSlash(skinsDir);
    const QString skinDir = file.Value(kSkin, QStringLiteral("SkinDir"));
    if (!skinDir.isEmpty() && !skin::LocateSkin(skinDir).isEmpty())
        dirs.SkinDir = skinDir;
}

} // namespace

std::optional<QPoint> PlaceOnScreens(QPoint saved, QSize size, const QList<QRect>& screens)
{
    // The strip a user grabs to move the window.
    const QRect titleBar(saved, QSize(size.width(), 14));
    for (const QRect& screen : screens) {
        if (screen.intersected(titleBar).width() >= 16)
            return saved;
    }
    return std::nullopt;
}

WindowPlaces KeptSettings::Restore(settings::Settings& settings, app::AppDirectories& dirs) const
{
    if (m_path.isEmpty())
        return {};
    platform::ProfileFile file;
    if (file.Load(m_path) != 0)
        return {};
    if (!settings::RemembersSettings(file)) {
        settings.SetChecked(QString::fromLatin1(settings::kRememberSettings), false);
        return {};
    }
    settings::ReadSettings(file, settings);
    ReadDirectories(file, dirs);
    return ReadPlaces(file);
}

int KeptSettings::Save(const settings::Settings& settings, const app::AppDirectories& dirs,
                       const WindowPlaces& places) const
{
    if (m_path.isEmpty())
        return 0;
    platform::ProfileFile file;
    file.Load(m_path); // a file that is not there yet is made
    const bool remember = settings.Checked(QString::fromLatin1(settings::kRememberSettings));
    if (!remember && !settings::RemembersSettings(file))
        return 0;
    if (remember) {
        settings::WriteSettings(settings, file);
        file.SetValue(kSkin, QStringLiteral("SkinsDir"), dirs.SkinsDir);
        file.SetValue(kSkin, QStringLiteral("SkinDir"), dirs.SkinDir);
        WritePlaces(places, file);
    } else {
        file.SetValue(QStringLiteral("Opzioni"), QString::fromLatin1(settings::kRememberSettings),
                      QStringLiteral("0"));
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    return file.Save(m_path);
}

} // namespace velmoro::player
