#include "shell/shellpage.h"

#include "platform/logging.h"
#include "shell/iconfiles.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace velmoro::shell {

namespace {

struct IconTrack {
    const char* track;
    const char* preview;
};
constexpr IconTrack kIconTracks[] = {{"TrackIcone", "IconaImg"}, {"TrackTryIco", "TrayImg"}};

void ShowIcon(QWidget& options, const settings::Settings& settings, const QStringList& icons,
              const IconTrack& track)
{
    auto* preview = options.findChild<QLabel*>(QString::fromLatin1(track.preview));
    if (!preview)
        return;
    const QString file = IconFileAt(icons, settings.Position(QString::fromLatin1(track.track)));
    const QIcon icon = file.isEmpty() ? QIcon() : QIcon(file);
    preview->setPixmap(icon.isNull() ? QPixmap() : icon.pixmap(preview->size()));
}

} // namespace

QStringList SpanIconTracks(settings::Settings& settings, const app::AppDirectories& dirs)
{
    const QStringList icons = IconFiles(dirs);
    for (const IconTrack& track : kIconTracks)
        settings.SetRange(QString::fromLatin1(track.track), 0, std::max(0, int(icons.size()) - 1));
    return icons;
}

void ConnectShellPage(QWidget& options, settings::Settings& settings, const QStringList& icons,
                      FileRegistration& registration)
{
    for (const IconTrack& track : kIconTracks)
        ShowIcon(options, settings, icons, track);
    QObject::connect(&settings, &settings::Settings::Changed, &options,
                     [&options, &settings, icons](const QString& name) {
                         for (const IconTrack& track : kIconTracks) {
                             if (name == QLatin1String(track.track))
                                 ShowIcon(options, settings, icons, track);
                         }
                     });
    if (auto* button = options.findChild<QPushButton*>(QStringLiteral("ButtonRegClass"))) {
        QObject::connect(button, &QPushButton::clicked, &options, [&registration] {
            if (registration.RegisterFileClass() != 0 || registration.RegisterExtensions() != 0)
                qCWarning(lcPlatform) << "the file types were not all registered";
        });
    }
}

} // namespace velmoro::shell
