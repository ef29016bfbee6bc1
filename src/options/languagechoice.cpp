#include "options/languagechoice.h"

#include "platform/logging.h"

#include <QFileInfo>

namespace velmoro::options {

namespace {
const QString kLanguages = QStringLiteral("LinguaComboBox");
const QString kLanguageFolder = QStringLiteral("Lang");
} // namespace

LanguageChoice::LanguageChoice(settings::Settings& settings, const app::AppDirectories& dirs,
                               OptionsHost& host, QObject* parent)
    : QObject(parent), m_settings(settings), m_dirs(dirs), m_host(host)
{
}

void LanguageChoice::ListFiles()
{
    const QStringList languages = LanguageFileNames(m_dirs.SearchDirs(kLanguageFolder));
    m_settings.SetLines(kLanguages, languages);
    m_settings.SetItemIndex(kLanguages, languages.isEmpty() ? -1 : 0);
}

void LanguageChoice::ApplyChosen()
{
    const QStringList lines = m_settings.Lines(kLanguages);
    const int line = m_settings.ItemIndex(kLanguages);
    if (line < 0 || line >= lines.size())
        return;
    // The user's own folder first: a file saved there stands for the shipped one.
    QString path;
    for (const QString& folder : m_dirs.SearchDirs(kLanguageFolder)) {
        if (path.isEmpty() && QFileInfo::exists(folder + lines[line]))
            path = folder + lines[line];
    }
    if (path.isEmpty() || !m_language.Load(path)) {
        qCWarning(lcSettings) << "the language file" << lines[line] << "cannot be read";
        return;
    }
    const QList<QWidget*> windows = m_host.LanguageWindows(OptionsHost::LazyWindows::Skip);
    for (QWidget* window : windows)
        m_language.ApplyTo(*window);
    qCDebug(lcSettings) << "language" << m_language.Name() << "applied to" << windows.size() << "windows";
    emit Applied();
}

bool LanguageChoice::Choose(const QString& fileName)
{
    const int line = int(m_settings.Lines(kLanguages).indexOf(fileName));
    if (fileName.isEmpty() || line < 0)
        return false;
    m_settings.SetItemIndex(kLanguages, line);
    ApplyChosen();
    return true;
}

} // namespace velmoro::options
