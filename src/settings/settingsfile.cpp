#include "settings/settingsfile.h"

#include "platform/logging.h"

namespace velmoro::settings {

namespace {

const QString kSection = QStringLiteral("Opzioni");

// Lists whose lines come from elsewhere: the bookmarks have their own file,
// the skins are found in their folder (the skin in use is kept apart), the
// devices, languages and plug-ins are what the machine has at the time.
bool IsKeptList(const QString& name, Settings::Kind kind)
{
    return kind == Settings::Kind::List && name != u"BookmarksListBox" && name != u"SkinsList";
}

QString SelectedLines(const Settings& settings, const QString& name)
{
    QStringList selected;
    const QStringList lines = settings.Lines(name);
    for (int i = 0; i < lines.size(); ++i) {
        if (settings.Selected(name, i))
            selected << lines[i];
    }
    return selected.join(u',');
}

void SelectLines(Settings& settings, const QString& name, const QString& value)
{
    const QStringList wanted = value.split(u',', Qt::SkipEmptyParts);
    const QStringList lines = settings.Lines(name);
    for (int i = 0; i < lines.size(); ++i)
        settings.SetSelected(name, i, wanted.contains(lines[i]));
}

void ReadPosition(Settings& settings, const QString& name, const QString& value)
{
    bool number = false;
    const int position = value.toInt(&number);
    if (number && position >= settings.Minimum(name) && position <= settings.Maximum(name))
        settings.SetPosition(name, position);
    else
        qCWarning(lcSettings) << "kept the initial value of" << name << "instead of" << value;
}

} // namespace

bool RemembersSettings(const platform::ProfileFile& file)
{
    return file.Value(kSection, QString::fromLatin1(kRememberSettings), QStringLiteral("1")) != u"0";
}

void WriteSettings(const Settings& settings, platform::ProfileFile& file)
{
    for (const QString& name : settings.Names()) {
        switch (const Settings::Kind kind = settings.KindOf(name)) {
        case Settings::Kind::Check:
        case Settings::Kind::Radio:
            file.SetValue(kSection, name, settings.Checked(name) ? QStringLiteral("1") : QStringLiteral("0"));
            break;
        case Settings::Kind::Track:
            file.SetValue(kSection, name, QString::number(settings.Position(name)));
            break;
        case Settings::Kind::Edit:
            // Quoted, so that blanks at either end survive the reading.
            file.SetValue(kSection, name, u'"' + settings.Text(name) + u'"');
            break;
        case Settings::Kind::List:
            if (IsKeptList(name, kind))
                file.SetValue(kSection, name, SelectedLines(settings, name));
            break;
        case Settings::Kind::Combo:
            break;
        }
    }
}

void ReadSettings(const platform::ProfileFile& file, Settings& settings)
{
    for (const QString& name : settings.Names()) {
        if (!file.Contains(kSection, name))
            continue;
        const QString value = file.Value(kSection, name);
        switch (const Settings::Kind kind = settings.KindOf(name)) {
        case Settings::Kind::Check:
            if (value == u"0" || value == u"1")
                settings.SetChecked(name, value == u"1");
            break;
        case Settings::Kind::Radio:
            // Only the checked one counts: unchecking a radio button would
            // leave its group with none.
            if (value == u"1")
                settings.SetChecked(name, true);
            break;
        case Settings::Kind::Track:
            ReadPosition(settings, name, value);
            break;
        case Settings::Kind::Edit:
            settings.SetText(name, value);
            break;
        case Settings::Kind::List:
            if (IsKeptList(name, kind))
                SelectLines(settings, name, value);
            break;
        case Settings::Kind::Combo:
            break;
        }
    }
}

} // namespace velmoro::settings
