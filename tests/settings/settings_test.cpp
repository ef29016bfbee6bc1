#include "settings/settings.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using velmoro::settings::Settings;

TEST(Settings, InitialValues)
{
    const Settings s;
    EXPECT_TRUE(s.Checked("AutoplayCheck"));
    EXPECT_FALSE(s.Checked("CountDownCheck"));
    EXPECT_EQ(s.Position("SensHookVal"), 20);
    EXPECT_EQ(s.Position("LunghezzaBufferTrack"), 5);
    EXPECT_EQ(s.Position("TrackFadeSpeed"), 10);
    EXPECT_EQ(s.Position("TrackSlope"), 1);
    EXPECT_EQ(s.Position("NextStartTrack"), 5);
    EXPECT_EQ(s.Position("PrioritaGUITrack"), 3);
    EXPECT_EQ(s.Position("RinfrescoTrack"), 10);
    EXPECT_EQ(s.Text("ScollTitleEdit"), "*** Author: %A,T% * Title: %T,T% * Duration: %DF,T% ***");
    EXPECT_EQ(s.Text("PlaylistEdit"), "[%DF,T%]  %A,T%  - %T,T%");
    EXPECT_EQ(s.Text("EdittempMp3"), "NetTemp.mp3");
    EXPECT_EQ(s.Lines("ExtListBox"), (QStringList{"MP1", "MP2", "Mp3", "M3U", "PLS"}));
    EXPECT_FALSE(s.Selected("ExtListBox", 2));
    EXPECT_EQ(s.ItemIndex("DeviceCombo"), -1);
    EXPECT_TRUE(s.Lines("DeviceCombo").isEmpty());
    EXPECT_EQ(s.CheckedInGroup("Visualizzazione"), "AbilitaOscilloscopioCheck");
    EXPECT_EQ(s.CheckedInGroup("Volume"), "VolumeLineare");
    EXPECT_EQ(s.CheckedInGroup("Fade"), "FadeOffsetCheck");
    EXPECT_EQ(s.CheckedInGroup("Modalita"), "OSCPuntiCheck");
    EXPECT_EQ(s.CheckedInGroup("DisegnoSpettro"), "SpetLineeCheck");
    EXPECT_EQ(s.CheckedInGroup("Barra"), "MostraNellaBarraCheck");
    // Two fresh objects agree: nothing carries over.
    Settings changed;
    changed.SetChecked("CountDownCheck", true);
    EXPECT_FALSE(Settings().Checked("CountDownCheck"));
}

TEST(Settings, RangesAreEnforcedWhenSet)
{
    Settings s;
    s.SetPosition("NextStartTrack", 99);
    EXPECT_EQ(s.Position("NextStartTrack"), 15);
    s.SetPosition("LunghezzaBufferTrack", 1);
    EXPECT_EQ(s.Position("LunghezzaBufferTrack"), 3);
    s.SetPosition("TrackSlope", 100);
    EXPECT_EQ(s.Position("TrackSlope"), 100);
    // Icon track bars get their range from the icons found.
    EXPECT_EQ(s.Maximum("TrackIcone"), 0);
    s.SetPosition("TrackIcone", 3);
    EXPECT_EQ(s.Position("TrackIcone"), 0);
    s.SetRange("TrackIcone", 0, 4);
    s.SetPosition("TrackIcone", 3);
    EXPECT_EQ(s.Position("TrackIcone"), 3);
    s.SetRange("TrackIcone", 0, 1);
    EXPECT_EQ(s.Position("TrackIcone"), 1);
}

TEST(Settings, RadioGroupsAndChangeSignals)
{
    Settings s;
    QSignalSpy spy(&s, &Settings::Changed);
    s.SetChecked("SpettroCheck", true);
    EXPECT_TRUE(s.Checked("SpettroCheck"));
    EXPECT_FALSE(s.Checked("AbilitaOscilloscopioCheck"));
    EXPECT_EQ(s.CheckedInGroup("Visualizzazione"), "SpettroCheck");
    EXPECT_TRUE(s.Checked("SpetLineeCheck")); // other groups untouched
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][0].toString(), "SpettroCheck");
    EXPECT_EQ(spy[1][0].toString(), "AbilitaOscilloscopioCheck");
    spy.clear();
    s.SetChecked("SpettroCheck", true); // no change, no signal
    s.SetPosition("RinfrescoTrack", 10);
    s.SetText("EdittempMp3", "NetTemp.mp3");
    EXPECT_EQ(spy.count(), 0);
    s.SetText("EdittempMp3", "");
    EXPECT_EQ(spy.count(), 1);
}

TEST(Settings, ListsAndDropDowns)
{
    Settings s;
    s.SetLines("DeviceCombo", {"1 - Uno", "2 - Due"});
    s.SetItemIndex("DeviceCombo", 1);
    EXPECT_EQ(s.ItemIndex("DeviceCombo"), 1);
    s.SetItemIndex("DeviceCombo", 5);
    EXPECT_EQ(s.ItemIndex("DeviceCombo"), -1);
    s.SetItemIndex("DeviceCombo", 1);
    s.SetLines("DeviceCombo", {"1 - Solo"});
    EXPECT_EQ(s.ItemIndex("DeviceCombo"), 0); // kept within the new lines
    s.SetSelected("ExtListBox", 2, true);
    s.SetSelected("ExtListBox", 9, true);
    EXPECT_TRUE(s.Selected("ExtListBox", 2));
    EXPECT_FALSE(s.Selected("ExtListBox", 9));
}

TEST(SettingsDeathTest, AWrongNameOrKindStopsDebugBuildsAndChangesNothingInRelease)
{
    Settings s;
    EXPECT_DEBUG_DEATH(EXPECT_FALSE(s.Checked("NoSuchCheck")), "check failed: found");
    EXPECT_DEBUG_DEATH(s.SetPosition("AutoplayCheck", 3), "check failed: found");
    EXPECT_DEBUG_DEATH(EXPECT_EQ(s.Text("AutoplayCheck"), QString()), "check failed: found");
    EXPECT_TRUE(s.Checked("AutoplayCheck"));
    EXPECT_EQ(s.KindOf("AutoplayCheck"), Settings::Kind::Check);
}
