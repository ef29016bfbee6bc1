#pragma once
// The language files the user may choose (LinguaComboBox) and the one in
// force. It lives with the player, not with the options window: the language
// kept from the last run is applied at start, when that window is not made
// yet, and every window made later takes its captions from it.
#include "app/shared.h"
#include "options/languagefile.h"
#include "options/optionshost.h"
#include "settings/settings.h"

#include <QObject>

namespace velmoro::options {

class LanguageChoice : public QObject {
    Q_OBJECT
public:
    LanguageChoice(settings::Settings& settings, const app::AppDirectories& dirs, OptionsHost& host,
                   QObject* parent = nullptr);

    // The files of the user's and the shipped "Lang" folders, the first one
    // chosen (not applied).
    void ListFiles();
    // Applies the file of the chosen line to every window made so far.
    void ApplyChosen();
    // Chooses the named file's line and applies it; false when no line has
    // that name.
    bool Choose(const QString& fileName);
    const Language& InForce() const { return m_language; }

signals:
    // A file has been applied: captions that show values need them again.
    void Applied();

private:
    settings::Settings& m_settings;
    const app::AppDirectories& m_dirs;
    OptionsHost& m_host;
    Language m_language;
};

} // namespace velmoro::options
