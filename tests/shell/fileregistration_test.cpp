// Velmoro as the user's program for its file types: the desktop entry, its
// launcher actions, and mimeapps.list edited without losing a line.
#include "shell/desktopentry.h"
#include "shell/fileregistration.h"
#include "shell/mimeapps.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro;

namespace {

QString ReadText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

// The value of a key of the desktop entry's main group.
QString EntryValue(const QString& text, const QString& key)
{
    for (const QString& line : text.section("\n\n", 0, 0).split('\n')) {
        if (line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return QString();
}

} // namespace

TEST(MimeApps, OursComesFirstAndEveryOtherLineStays)
{
    struct Case {
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        // A missing file: both sections are made.
        {"", "[Default Applications]\naudio/mpeg=velmoro.desktop;\n\n"
             "[Added Associations]\naudio/mpeg=velmoro.desktop;\n"},
        // Other types, comments and sections stay; the old default follows ours.
        {"# mine\n[Default "
         "Applications]\ntext/plain=gedit.desktop;\naudio/mpeg=vlc.desktop;velmoro.desktop;\n\n"
         "[Removed Associations]\naudio/mpeg=foo.desktop;\n",
         "# mine\n[Default "
         "Applications]\ntext/plain=gedit.desktop;\naudio/mpeg=velmoro.desktop;vlc.desktop;\n\n"
         "[Removed Associations]\naudio/mpeg=foo.desktop;\n\n"
         "[Added Associations]\naudio/mpeg=velmoro.desktop;\n"},
        // A key missing from a section goes after the section's last line.
        {"[Added Associations]\nimage/png=gimp.desktop;\n\n[Default Applications]\nimage/png=eog.desktop;\n",
         "[Added Associations]\nimage/png=gimp.desktop;\naudio/mpeg=velmoro.desktop;\n\n"
         "[Default Applications]\nimage/png=eog.desktop;\naudio/mpeg=velmoro.desktop;\n"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shell::WithDefaultApplication(c.before, "velmoro.desktop", {"audio/mpeg"}).toStdString(),
                  c.after);
}

TEST(MimeApps, TheFileIsCreatedOrRewrittenWhole)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/mimeapps.list");
    ASSERT_EQ(shell::SetDefaultApplication(path, "velmoro.desktop", {"audio/x-scpls"}), 0);
    ASSERT_EQ(shell::SetDefaultApplication(path, "velmoro.desktop", {"audio/x-scpls", "audio/mpeg"}), 0);
    EXPECT_EQ(ReadText(path).toStdString(), "[Default Applications]\naudio/x-scpls=velmoro.desktop;\n"
                                            "audio/mpeg=velmoro.desktop;\n\n[Added Associations]\n"
                                            "audio/x-scpls=velmoro.desktop;\naudio/mpeg=velmoro.desktop;\n");
    EXPECT_EQ(QDir(dir.filePath("config")).entryList(QDir::Files | QDir::Hidden),
              QStringList{"mimeapps.list"});
}

TEST(DesktopEntry, ArgumentsAreQuotedAsTheFormatAsks)
{
    const std::pair<const char*, const char*> cases[] = {
        {"velmoro", "velmoro"},
        {"/usr/lib/velmoro/velmoro", "/usr/lib/velmoro/velmoro"},
        {"/home/a b/velmoro", "\"/home/a b/velmoro\""},
        {"/opt/$x`y\"z\\", "\"/opt/\\$x\\`y\\\"z\\\\\""},
        {"/opt/100%", "/opt/100%%"},
    };
    for (const auto& [argument, quoted] : cases)
        EXPECT_EQ(shell::ExecArgument(argument).toStdString(), quoted);
    EXPECT_EQ(shell::MimeTypesOfExtensions({"MP1", "Mp3", "mp2", "M3U", "PLS", "WAV"}),
              (QStringList{"audio/mpeg", "audio/x-mpegurl", "audio/x-scpls"}));
}

TEST(FileRegistration, WritesTheTypesOfTheSelectedExtensionsOnly)
{
    QTemporaryDir dir;
    settings::Settings settings;
    app::AppDirectories dirs;
    dirs.AppDir = dirs.InstallDir = dir.filePath("app") + "/";
    QDir().mkpath(dirs.AppDir + "Ico");
    QImage picture(16, 16, QImage::Format_ARGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(dirs.AppDir + "Ico/rosso.ico", "ICO"));
    const shell::RegistrationOptions options{"/opt/velmoro dir/velmoro",
                                             {dir.filePath("data"), dir.filePath("config")},
                                             shell::DefaultsWriter::MimeAppsList};
    shell::FileRegistration registration(settings, dirs, options);

    // No extension selected: the entry alone, without types.
    ASSERT_EQ(registration.RegisterFileClass(), 0);
    ASSERT_EQ(registration.RegisterExtensions(), 0);
    const QString bare = ReadText(dir.filePath("data/applications/velmoro.desktop"));
    EXPECT_EQ(EntryValue(bare, "Exec"), "\"/opt/velmoro dir/velmoro\" %f");
    EXPECT_EQ(EntryValue(bare, "MimeType"), "");
    EXPECT_EQ(EntryValue(bare, "Icon"), registration.IconPath());
    EXPECT_FALSE(QImage(registration.IconPath()).isNull());
    EXPECT_FALSE(QFile::exists(registration.MimeAppsPath()));

    settings.SetSelected("ExtListBox", 0, true); // MP1
    settings.SetSelected("ExtListBox", 4, true); // PLS
    ASSERT_EQ(registration.RegisterFileClass(), 0);
    ASSERT_EQ(registration.RegisterExtensions(), 0);
    const QString entry = ReadText(registration.DesktopEntryPath());
    EXPECT_EQ(EntryValue(entry, "MimeType"), "audio/mpeg;audio/x-scpls;");
    EXPECT_EQ(ReadText(registration.MimeAppsPath()),
              shell::WithDefaultApplication("", "velmoro.desktop", {"audio/mpeg", "audio/x-scpls"}));
    // The launcher's actions send their commands to the running player.
    EXPECT_EQ(EntryValue(entry, "Actions"), "Play;Pause;Stop;Open;");
    for (const char* action :
         {"[Desktop Action Pause]\nName=Pausa\nExec=\"/opt/velmoro dir/velmoro\" --command pause",
          "[Desktop Action Open]\nName=Apri file ...\nExec=\"/opt/velmoro dir/velmoro\" --command open"})
        EXPECT_TRUE(entry.contains(action)) << action;
}
