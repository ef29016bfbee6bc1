#pragma once
// TOpzioniForm: the options window. Its controls show and edit the settings
// object (bound by name, both ways); its handlers apply at once what the
// rest of the program does not read on use: the audio device, the volume
// curves, the buffer, the fades and their graph, the skin, the bookmarks.
// Made once with the player and shown modeless, on the page a menu asks for.
#include "app/audiodevice.h"
#include "app/engine.h"
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "options/fadeeditor.h"
#include "options/languagefile.h"
#include "options/optionspages.h"
#include "options/skinchoice.h"
#include "settings/settings.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <optional>

namespace velmoro::options {

class TSkinBrowserForm;

// What the options window asks of the player's other windows.
class OptionsHost : public SkinTarget {
public:
    // The playlist window lists its rows again (the row template, numbers).
    virtual void RefreshPlaylistList() = 0;
    // Opens a file or an address as the current stream and plays it.
    virtual void OpenStream(const QString& nameOrUrl) = 0;
    // Every window of the program in the order it makes them. Windows made
    // on first use are left out unless asked to be made now.
    enum class LazyWindows { Skip, Make };
    virtual QList<QWidget*> LanguageWindows(LazyWindows lazy) = 0;
};

class TOpzioniForm : public QWidget {
    Q_OBJECT
public:
    TOpzioniForm(app::PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
                 app::PlaybackEngine& engine, OptionsHost& host, TSkinBrowserForm& skinBrowser,
                 app::ShowErrorFunction showError, QWidget* parent = nullptr);

    // Once the program's directories are known: the graph, the skins folder
    // and the skins of the browser's list.
    void FormCreate();
    // Shows the window modeless, on a page or as it was left.
    void ShowOptions();
    void ShowPage(OptionsPage page);

    // Handlers
    void DeviceComboChange();
    void VisualCrossFadeButtonClick(); // draws the crossfade graph
    void SkinsListClick(int row);
    void SkinFolderButtonClick();
    void ButtonBMEditClick();
    void ButtonBMCancClick();
    void BookmarksListBoxDblClick(int row);
    void TextHelpButtonClick();
    void ButtonRinfrPlaylistClick() { m_host.RefreshPlaylistList(); }
    // Writes the captions shown now to "Lang/Italiano.txt" under AppDir.
    void ButtonSalvaLangClick();
    // Applies the file of the line chosen in LinguaComboBox to every window.
    void ButtonCaricaLangClick();
    void LinguaComboBoxChange() { ButtonCaricaLangClick(); }
    // Chooses the named file's line and applies it; false when no line has
    // that name.
    bool ChooseLanguage(const QString& fileName);
    // Windows made later take their captions from it.
    const Language& LanguageInForce() const { return m_language; }

    // The input box (none when cancelled) and the message box; tests answer
    // for the user.
    std::function<std::optional<QString>(const QString& title, const QString& prompt, const QString& text)>
        AskText;
    std::function<void(const QString& text)> ShowMessage;

    QTabWidget* PageOpzioni;
    QPushButton* ButtonChiudi;
    QPushButton* VisualCrossFadeButton;
    QPushButton* ButtonSalvaLang;
    QPushButton* ButtonCaricaLang;
    QLabel* CrossfadeImage;
    QLabel* CrossfadeLabel;
    QLabel* LabelBufferLength;
    QListWidget* SkinsList;
    QListWidget* BookmarksListBox;
    QPushButton* SkinFolderButton;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void ConnectHandlers();
    void SettingChanged(const QString& name);
    void ShowBufferLength();
    QString CrossfadeCaption(int seconds) const;

    app::PlayerState& m_state;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    OptionsHost& m_host;
    TSkinBrowserForm& m_skinBrowser;
    app::ShowErrorFunction m_showError;
    FadeEditor m_fades;
    Language m_language;
};

} // namespace velmoro::options
