// The options window over a recording audio library and host: every control
// shows its setting both ways, and the handlers apply their change at once.
#include "options/optionsfixture.h"

#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QRadioButton>
#include <QSpinBox>
#include <gtest/gtest.h>

using namespace velmoro;
using Kind = settings::Settings::Kind;
using test::OptionsFixture;

namespace {

template <typename W> W* Find(QWidget& form, const QString& name)
{
    return form.findChild<W*>(name);
}

// The value a control shows, as text, whatever its kind.
QString Shown(QWidget& form, const QString& name, Kind kind)
{
    switch (kind) {
    case Kind::Check:
    case Kind::Radio:
        return Find<QAbstractButton>(form, name)->isChecked() ? "checked" : "unchecked";
    case Kind::Track: {
        if (auto* spin = Find<QSpinBox>(form, name))
            return QString("%1 in %2..%3").arg(spin->value()).arg(spin->minimum()).arg(spin->maximum());
        auto* slider = Find<QAbstractSlider>(form, name);
        return QString("%1 in %2..%3").arg(slider->value()).arg(slider->minimum()).arg(slider->maximum());
    }
    case Kind::Edit:
        return Find<QLineEdit>(form, name)->text();
    case Kind::List: {
        auto* list = Find<QListWidget>(form, name);
        QStringList lines;
        for (int row = 0; row < list->count(); ++row)
            lines << list->item(row)->text() + (list->item(row)->isSelected() ? "*" : "");
        return lines.join('|') + QString(" @%1").arg(list->currentRow());
    }
    case Kind::Combo: {
        auto* combo = Find<QComboBox>(form, name);
        QStringList lines;
        for (int row = 0; row < combo->count(); ++row)
            lines << combo->itemText(row);
        return lines.join('|') + QString(" @%1").arg(combo->currentIndex());
    }
    }
    return {};
}

// The same, read from the settings.
QString Held(const settings::Settings& s, const QString& name, Kind kind)
{
    switch (kind) {
    case Kind::Check:
    case Kind::Radio:
        return s.Checked(name) ? "checked" : "unchecked";
    case Kind::Track:
        return QString("%1 in %2..%3").arg(s.Position(name)).arg(s.Minimum(name)).arg(s.Maximum(name));
    case Kind::Edit:
        return s.Text(name);
    case Kind::List: {
        QStringList lines = s.Lines(name);
        for (int row = 0; row < lines.size(); ++row)
            lines[row] += s.Selected(name, row) || row == s.ItemIndex(name) ? "*" : "";
        return lines.join('|') + QString(" @%1").arg(s.ItemIndex(name));
    }
    case Kind::Combo:
        return s.Lines(name).join('|') + QString(" @%1").arg(s.ItemIndex(name));
    }
    return {};
}

// Changes a control as a user would: another position, the other state,
// other text, another line.
void UserChanges(QWidget& form, const QString& name, Kind kind)
{
    switch (kind) {
    case Kind::Check:
        Find<QAbstractButton>(form, name)->click();
        break;
    case Kind::Radio:
        Find<QAbstractButton>(form, name)->setChecked(true);
        break;
    case Kind::Track:
        if (auto* spin = Find<QSpinBox>(form, name))
            spin->setValue(spin->value() == spin->maximum() ? spin->minimum() : spin->maximum());
        else if (auto* slider = Find<QAbstractSlider>(form, name))
            slider->setValue(slider->value() == slider->maximum() ? slider->minimum() : slider->maximum());
        break;
    case Kind::Edit: {
        auto* edit = Find<QLineEdit>(form, name);
        edit->selectAll();
        edit->insert("nuovo testo"); // as typed: textEdited
        break;
    }
    case Kind::List:
        if (auto* list = Find<QListWidget>(form, name); list->count() > 1)
            list->setCurrentRow(1);
        break;
    case Kind::Combo:
        if (auto* combo = Find<QComboBox>(form, name); combo->count() > 1)
            combo->setCurrentIndex(1);
        break;
    }
}

} // namespace

// Every setting has its control, which shows its initial value and range;
// a change on either side shows on the other.
TEST(OpzioniForm, EveryControlShowsItsSettingBothWays)
{
    OptionsFixture f;
    for (const char* combo : {"LinguaComboBox", "DeviceCombo", "menuPluginCombo", "ListaVisPluginCombo"})
        f.settings.SetLines(combo, {"uno", "due"});
    for (const char* list : {"SkinsList", "BookmarksListBox"})
        f.settings.SetLines(list, {"uno", "due"});
    int walked = 0;
    for (const QString& name : f.settings.Names()) {
        SCOPED_TRACE(name.toStdString());
        const Kind kind = f.settings.KindOf(name);
        ASSERT_NE(f.form.findChild<QWidget*>(name), nullptr);
        EXPECT_EQ(Shown(f.form, name, kind), Held(f.settings, name, kind));
        const QString before = Held(f.settings, name, kind);
        UserChanges(f.form, name, kind);
        const bool fixed = kind == Kind::Track && f.settings.Minimum(name) == f.settings.Maximum(name);
        if ((kind != Kind::Radio || before == "unchecked") && !fixed) {
            EXPECT_NE(Held(f.settings, name, kind), before);
        }
        EXPECT_EQ(Held(f.settings, name, kind), Shown(f.form, name, kind));
        ++walked;
    }
    EXPECT_EQ(walked, f.settings.Names().size());
    // A setting changed elsewhere (a menu command) shows at once.
    f.settings.SetChecked("SpettroCheck", true);
    EXPECT_TRUE(Find<QRadioButton>(f.form, "SpettroCheck")->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(f.form, "VUMeterCheck")->isChecked());
    f.settings.SetPosition("RinfrescoTrack", 999);
    EXPECT_EQ(Find<QAbstractSlider>(f.form, "RinfrescoTrack")->value(), 250);
    // Several extensions stay selected together.
    auto* extensions = Find<QListWidget>(f.form, "ExtListBox");
    extensions->item(0)->setSelected(true);
    extensions->item(3)->setSelected(true);
    EXPECT_TRUE(f.settings.Selected("ExtListBox", 0) && f.settings.Selected("ExtListBox", 3));
    EXPECT_FALSE(f.settings.Selected("ExtListBox", 2));
}

TEST(OpzioniForm, PagesAndWindowControls)
{
    OptionsFixture f;
    QStringList pages;
    for (int i = 0; i < f.form.PageOpzioni->count(); ++i)
        pages << f.form.PageOpzioni->tabText(i) + "=" + f.form.PageOpzioni->widget(i)->objectName();
    EXPECT_EQ(pages.join(' '),
              "Generali=OpzioniGenerali Shell=TabSheet6 Output=TabSheet2 Cross Fade=TabSheet1 "
              "Skins=TabSheet4 Visualizazione=TabSheet3 Plugins=TabSheet5 Net=TabSheet7");
    EXPECT_EQ(f.form.windowTitle(), "Opzioni");
    EXPECT_EQ(f.form.PageOpzioni->currentIndex(), 0);
    EXPECT_EQ(f.form.ButtonChiudi->text(), "&Chiudi");
    for (const char* hidden : {"VisualCrossFadeButton", "ButtonSalvaLang", "ButtonCaricaLang",
                               "CaricaVisButton", "ButtonCaricaMenu"})
        EXPECT_TRUE(Find<QWidget>(f.form, hidden)->isHidden()) << hidden;
    EXPECT_EQ(f.form.CrossfadeImage->size(), QSize(119, 55));
    EXPECT_EQ(f.form.SkinFolderButton->text(), f.state.Dirs.SkinsDir);
}

// Opened on a page by the menus; while it shows, the key commands are quiet.
TEST(OpzioniForm, ShownOnAPageQuietensTheKeys)
{
    OptionsFixture f;
    f.form.ShowPage(options::OptionsPage::Net);
    EXPECT_EQ(f.form.PageOpzioni->currentWidget()->objectName(), "TabSheet7");
    EXPECT_FALSE(f.state.Windows.HotKeysEnabled);
    EXPECT_TRUE(f.state.Windows.DialogOpen);
    f.form.ButtonChiudi->click();
    EXPECT_FALSE(f.form.isVisible());
    EXPECT_TRUE(f.state.Windows.HotKeysEnabled);
    EXPECT_FALSE(f.state.Windows.DialogOpen);
    f.form.ShowOptions(); // as it was left
    EXPECT_EQ(f.form.PageOpzioni->currentWidget()->objectName(), "TabSheet7");
}

TEST(OpzioniForm, BufferTrackSetsTheBufferAndItsLabel)
{
    OptionsFixture f;
    EXPECT_EQ(f.form.LabelBufferLength->text(), "500 ms");
    EXPECT_EQ(f.audio.bufferSeconds, -1) << "nothing is sent at start";
    const struct {
        int position;
        float seconds;
        const char* label;
    } cases[] = {{3, 0.3f, "300 ms"}, {20, 2.0f, "2000 ms"}, {7, 0.7f, "700 ms"}};
    for (const auto& c : cases) {
        Find<QAbstractSlider>(f.form, "LunghezzaBufferTrack")->setValue(c.position);
        EXPECT_FLOAT_EQ(f.audio.bufferSeconds, c.seconds);
        EXPECT_EQ(f.form.LabelBufferLength->text(), c.label);
    }
}

TEST(OpzioniForm, VolumeCurvesAndCrossfadeLabel)
{
    OptionsFixture f;
    EXPECT_TRUE(f.audio.logCurves.empty());
    Find<QRadioButton>(f.form, "VolumeLog")->click();
    Find<QRadioButton>(f.form, "VolumeLineare")->click();
    EXPECT_EQ(f.audio.logCurves, (std::vector<std::pair<bool, bool>>{{true, false}, {false, false}}));

    EXPECT_EQ(f.form.CrossfadeLabel->text(), "Crossfade tra una canzone e l'altra (5 sec)");
    Find<QAbstractSlider>(f.form, "NextStartTrack")->setValue(12);
    EXPECT_EQ(f.settings.Position("NextStartTrack"), 12);
    EXPECT_EQ(f.form.CrossfadeLabel->text(), "Crossfade tra una canzone e l'altra (12sec)");
}

// The two bars edit the chosen fade only, and show it when it is chosen.
TEST(OpzioniForm, FadeEditingWritesOnlyTheChosenFade)
{
    OptionsFixture f;
    auto* speed = Find<QAbstractSlider>(f.form, "TrackFadeSpeed");
    auto* slope = Find<QAbstractSlider>(f.form, "TrackSlope");
    const auto graphShows = [&f](const options::CrossfadeShape& shape) {
        return f.form.CrossfadeImage->pixmap().toImage() == options::DrawCrossfadeGraph(shape);
    };
    EXPECT_TRUE(graphShows({10, 1, 10, 1}));

    Find<QRadioButton>(f.form, "FadeOffsetCheck1")->click(); // "In uscita"
    speed->setValue(30);
    slope->setValue(7);
    EXPECT_EQ(f.engine.TimerFadeOut.interval(), 30);
    EXPECT_EQ(f.state.Playback.FadeOutStep, 7);
    EXPECT_EQ(f.engine.TimerFadeIn.interval(), 10);
    EXPECT_EQ(f.state.Playback.FadeInStep, 1);
    EXPECT_TRUE(graphShows({10, 1, 30, 7}));

    Find<QRadioButton>(f.form, "FadeOffsetCheck")->click(); // back to "In ingresso"
    EXPECT_EQ(speed->value(), 10);
    EXPECT_EQ(slope->value(), 1);
    EXPECT_EQ(f.engine.TimerFadeOut.interval(), 30) << "showing the fade-in leaves the fade-out alone";
    slope->setValue(100);
    speed->setValue(1);
    EXPECT_EQ(f.state.Playback.FadeInStep, 100);
    EXPECT_EQ(f.engine.TimerFadeIn.interval(), 1);
    EXPECT_EQ(f.state.Playback.FadeOutStep, 7);
    EXPECT_TRUE(graphShows({1, 100, 30, 7}));

    Find<QRadioButton>(f.form, "FadeOffsetCheck1")->click();
    EXPECT_EQ(speed->value(), 30);
    EXPECT_EQ(slope->value(), 7);
}

TEST(OpzioniForm, DeviceChangeReopensTheOutputWithTheCheckedFlags)
{
    OptionsFixture f;
    f.settings.SetLines("DeviceCombo", {"1 - Scheda audio", "2 - Cuffie"});
    f.settings.SetItemIndex("DeviceCombo", 0);
    Find<QCheckBox>(f.form, "uscita8Check")->click();
    Find<QCheckBox>(f.form, "A3dSuppCheck")->click();
    EXPECT_TRUE(f.audio.calls.empty()) << "the check boxes wait for a device change";
    auto* devices = Find<QComboBox>(f.form, "DeviceCombo");
    devices->setCurrentIndex(1);
    emit devices->activated(1);
    EXPECT_EQ(f.audio.calls, (std::vector<std::string>{"Free", "Init", "Start"}));
    EXPECT_EQ(f.audio.initDevice, 1);
    EXPECT_EQ(f.audio.initFlags, 1u | 8u);
}

TEST(OpzioniForm, BookmarksEditAndDeleteTheSelectedLine)
{
    const QStringList marks{"http://uno.it/a.mp3", "/musica/due.mp3", "ftp://tre.it/c.mp3"};
    const struct {
        const char* what;
        int selected;
        std::optional<QString> answer;
        bool remove;
        QStringList after;
        int asked;
    } cases[] = {
        {"edited", 1, "/musica/nuova.mp3", false, {marks[0], "/musica/nuova.mp3", marks[2]}, 1},
        {"cancelled", 1, std::nullopt, false, marks, 1},
        {"answered unchanged", 2, marks[2], false, marks, 1},
        {"edit without a selection", -1, "x", false, marks, 0},
        {"deleted", 0, std::nullopt, true, {marks[1], marks[2]}, 0},
        {"delete without a selection", -1, std::nullopt, true, marks, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        OptionsFixture f;
        f.settings.SetLines("BookmarksListBox", marks);
        f.form.BookmarksListBox->setCurrentRow(c.selected);
        EXPECT_EQ(f.settings.ItemIndex("BookmarksListBox"), c.selected);
        f.answer = c.answer;
        Find<QPushButton>(f.form, c.remove ? "ButtonBMCanc" : "ButtonBMEdit")->click();
        EXPECT_EQ(f.settings.Lines("BookmarksListBox"), c.after);
        EXPECT_EQ(f.asked.size(), c.asked);
        if (c.asked) {
            EXPECT_EQ(f.asked[0], "Cambia segnalibro: " + marks[c.selected]);
        }
        EXPECT_EQ(Shown(f.form, "BookmarksListBox", Kind::List),
                  Held(f.settings, "BookmarksListBox", Kind::List));
    }
    OptionsFixture f;
    f.settings.SetLines("BookmarksListBox", marks);
    f.form.BookmarksListBoxDblClick(2);
    f.form.BookmarksListBoxDblClick(-1);
    EXPECT_EQ(f.host.opened, QStringList{marks[2]});
}

TEST(OpzioniForm, HelpRefreshAndNumberedRows)
{
    OptionsFixture f;
    Find<QPushButton>(f.form, "TextHelpButton")->click();
    EXPECT_EQ(f.messages, QStringList{"non implementato!"});
    Find<QPushButton>(f.form, "ButtonRinfrPlaylist")->click();
    EXPECT_EQ(f.host.playlistRefreshes, 1);
    Find<QCheckBox>(f.form, "NumPlaylistfiles")->click();
    EXPECT_EQ(f.host.playlistRefreshes, 2);
}
