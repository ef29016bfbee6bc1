#pragma once
// The options window and the skin browser over a recording audio library, a
// real engine and a host that records what the windows ask of the player.
#include "app/enginefakes.h"
#include "app/playerstate.h"
#include "options/languagechoice.h"
#include "options/optionseffects.h"
#include "options/opzioniform.h"
#include "options/skinbrowserform.h"
#include "settings/settings.h"
#include "support/fakeaudio.h"

#include <QStringList>
#include <QTemporaryDir>

#include <optional>
#include <ostream>

// Readable strings in the failures of the tests that include this.
inline void PrintTo(const QString& s, std::ostream* out)
{
    *out << '"' << s.toStdString() << '"';
}

namespace velmoro::test {

struct RecordingHost : options::OptionsHost {
    QStringList loaded;       // every skin path the main window was asked to load
    QStringList failingSkins; // paths whose load fails
    int otherReloads = 0, playlistRefreshes = 0;
    QStringList opened;
    int LoadPlayerSkin(const QString& path) override
    {
        loaded << path;
        return failingSkins.contains(path) ? -1 : 0;
    }
    void ReloadOtherSkins() override { ++otherReloads; }
    void RefreshPlaylistList() override { ++playlistRefreshes; }
    void OpenStream(const QString& nameOrUrl) override { opened << nameOrUrl; }
    QList<QWidget*> windows; // the program's windows, as the language files see them
    QList<LazyWindows> windowsAsked;
    QList<QWidget*> LanguageWindows(LazyWindows lazy) override
    {
        windowsAsked << lazy;
        return windows;
    }
};

struct OptionsFixture {
    OptionsFixture()
    {
        state.Dirs.AppDir = dir.path() + '/';
        state.Dirs.SkinsDir = state.Dirs.AppDir + "Skins/";
        state.Dirs.SkinDir = state.Dirs.SkinsDir + "[Default]";
        // As the player's start lists them.
        settings.SetLines("SkinsList", options::ListSkins(state.Dirs.SkinsDir));
        languages.ListFiles();
        browser.FillList();
        form.FormCreate();
        form.AskText = [this](const QString& title, const QString&, const QString& text) {
            asked << title + ": " + text;
            return answer;
        };
        form.ShowMessage = [this](const QString& text) { messages << text; };
    }

    QTemporaryDir dir;
    app::PlayerState state;
    settings::Settings settings;
    FakeAudio audio;
    RecordingDisplay display;
    RecordingCommands commands;
    app::PlaybackEngine engine{state.Playback, state.Tracks, state.Dirs, settings, audio, display, commands};
    RecordingHost host;
    options::OptionsEffects effects{settings, audio, engine, state.Playback, host};
    options::LanguageChoice languages{settings, state.Dirs, host};
    options::TSkinBrowserForm browser{state, settings, host};
    options::TOpzioniForm form{state, settings, audio, effects.Fades(), languages, host, {}};
    std::optional<QString> answer; // what the input box answers; none is a cancel
    QStringList asked, messages;
};

} // namespace velmoro::test
