#pragma once
// TOpzioniForm: the options window. Its controls show and edit the settings
// object (bound by name, both ways); its handlers apply at once what the
// rest of the program does not read on use: the audio device, the volume
// curves, the buffer, the fades and their graph, the skin, the bookmarks.
// Made the first time it is wanted and shown modeless, on the page a menu
// asks for. What its settings change elsewhere is OptionsEffects' work, and
// the language in force is LanguageChoice's: both run without the window.
#include "app/audiodevice.h"
#include "app/playerstate.h"
#include "audio/audiolibrary.h"
#include "options/fadeeditor.h"
#include "options/languagechoice.h"
#include "options/optionshost.h"
#include "options/optionspages.h"
#include "settings/settings.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include <functional>
#include <optional>

namespace velmoro::options {

class TOpzioniForm : public QWidget {
    Q_OBJECT
public:
    TOpzioniForm(app::PlayerState& state, settings::Settings& settings, audio::IAudioLibrary& audio,
                 const FadeEditor& fades, LanguageChoice& languages, OptionsHost& host,
                 app::ShowErrorFunction showError, QWidget* parent = nullptr);

    // The captions that show the program's folders and the fades: again
    // whenever the folders may have changed since the window was made.
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
    bool ChooseLanguage(const QString& fileName) { return m_languages.Choose(fileName); }
    const Language& LanguageInForce() const { return m_languages.InForce(); }

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
    // The captions that show values, not words, after a language file.
    void ShowValueCaptions();
    QString CrossfadeCaption(int seconds) const;

    app::PlayerState& m_state;
    settings::Settings& m_settings;
    audio::IAudioLibrary& m_audio;
    OptionsHost& m_host;
    app::ShowErrorFunction m_showError;
    const FadeEditor& m_fades;
    LanguageChoice& m_languages;
};

} // namespace velmoro::options
