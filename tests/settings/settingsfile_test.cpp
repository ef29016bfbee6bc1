#include "settings/settingsfile.h"

#include <gtest/gtest.h>

using velmoro::platform::ProfileFile;
using velmoro::settings::Settings;

namespace {

ProfileFile Written(const Settings& settings)
{
    ProfileFile file;
    velmoro::settings::WriteSettings(settings, file);
    ProfileFile reread;
    reread.Parse(file.ToBytes());
    return reread;
}

} // namespace

TEST(SettingsFile, EveryKindComesBackAsItWas)
{
    Settings changed;
    changed.SetChecked("CountDownCheck", true);
    changed.SetChecked("AutoplayCheck", false);
    changed.SetChecked("SpettroCheck", true);
    changed.SetChecked("BarSpttCheck", true);
    changed.SetPosition("NextStartTrack", 12);
    changed.SetPosition("RinfrescoTrack", 250);
    changed.SetText("PlaylistEdit", "  %T,T%  ");
    changed.SetText("ScollTitleEdit", "\"%A\"");
    changed.SetText("EdittempMp3", "");
    changed.SetSelected("ExtListBox", 2, true);
    changed.SetSelected("ExtListBox", 4, true);
    changed.SetLines("BookmarksListBox", {"http://radio.example/"});

    Settings restored;
    velmoro::settings::ReadSettings(Written(changed), restored);
    for (const QString& name : restored.Names()) {
        SCOPED_TRACE(name.toStdString());
        switch (restored.KindOf(name)) {
        case Settings::Kind::Check:
        case Settings::Kind::Radio:
            EXPECT_EQ(restored.Checked(name), changed.Checked(name));
            break;
        case Settings::Kind::Track:
            EXPECT_EQ(restored.Position(name), changed.Position(name));
            break;
        case Settings::Kind::Edit:
            EXPECT_EQ(restored.Text(name), changed.Text(name));
            break;
        case Settings::Kind::List:
        case Settings::Kind::Combo:
            for (int i = 0; i < restored.Lines(name).size(); ++i)
                EXPECT_EQ(restored.Selected(name, i), changed.Selected(name, i));
            break;
        }
    }
    // The bookmarks have a file of their own.
    EXPECT_TRUE(restored.Lines("BookmarksListBox").isEmpty());
}

// A hand-edited file: what a setting cannot take leaves its initial value,
// and a radio group always keeps one button checked.
TEST(SettingsFile, NonsenseGivesTheInitialValue)
{
    ProfileFile file;
    file.Parse("[Opzioni]\r\n"
               "SensHookVal=abc\r\n"
               "NextStartTrack=16\r\n"
               "LunghezzaBufferTrack=-4\r\n"
               "RinfrescoTrack=99999999999\r\n"
               "CountDownCheck=yes\r\n"
               "AbilitaOscilloscopioCheck=0\r\n"
               "VolumeLineare=0\r\n"
               "VolumeLog=0\r\n"
               "OSCLineeCheck=1\r\n"
               "OSCSolidoCheck=1\r\n"
               "ExtListBox=mp3,PLS,,EXE\r\n"
               "TrackSlope=100\r\n");
    Settings s;
    velmoro::settings::ReadSettings(file, s);
    const Settings initial;
    for (const char* name : {"SensHookVal", "NextStartTrack", "LunghezzaBufferTrack", "RinfrescoTrack"})
        EXPECT_EQ(s.Position(name), initial.Position(name)) << name;
    EXPECT_FALSE(s.Checked("CountDownCheck"));
    EXPECT_EQ(s.CheckedInGroup("Visualizzazione"), "AbilitaOscilloscopioCheck");
    EXPECT_EQ(s.CheckedInGroup("Volume"), "VolumeLineare");
    EXPECT_EQ(s.CheckedInGroup("Modalita"), "OSCSolidoCheck"); // the last one checked
    // Lines are matched as they are written.
    EXPECT_FALSE(s.Selected("ExtListBox", 2));
    EXPECT_TRUE(s.Selected("ExtListBox", 4));
    EXPECT_EQ(s.Position("TrackSlope"), 100);
}

TEST(SettingsFile, RememberingIsOnUnlessTheFileSaysOff)
{
    ProfileFile file;
    EXPECT_TRUE(velmoro::settings::RemembersSettings(file));
    Settings s;
    s.SetChecked("RicordaImpostazioniCheck", false);
    EXPECT_FALSE(velmoro::settings::RemembersSettings(Written(s)));
    file.Parse("[opzioni]\nricordaimpostazionicheck = 1\n");
    EXPECT_TRUE(velmoro::settings::RemembersSettings(file));
}
