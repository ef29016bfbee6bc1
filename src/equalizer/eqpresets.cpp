#include "equalizer/eqpresets.h"

#include <QRegularExpression>

#include <algorithm>

namespace velmoro::equalizer {

namespace {

const QString kListSection = QStringLiteral("PresetList");
const QString kCountKey = QStringLiteral("PresetCount");

QString NameKey(int n)
{
    return QStringLiteral("Preset%1").arg(n);
}

QString GainKey(int band)
{
    return QStringLiteral("Slider%1").arg(band);
}

// The highest n of the "Preset"n keys present: a count larger than that
// (two billion, or a count whose names were lost) lists only what is there.
int LastNameNumber(const platform::ProfileFile& file)
{
    static const QRegularExpression kNumbered(QStringLiteral("^preset([1-9]\\d{0,3})$"),
                                              QRegularExpression::CaseInsensitiveOption);
    int last = 0;
    for (const QString& key : file.Keys(kListSection)) {
        const QRegularExpressionMatch m = kNumbered.match(key);
        if (m.hasMatch())
            last = std::max(last, m.captured(1).toInt());
    }
    return last;
}

} // namespace

const QString kPresetNameRefused =
    QStringLiteral("Il nome del preset non può contenere i caratteri \"]\" e \"=\" né andare a capo.");

QStringList PresetNames(const platform::ProfileFile& file)
{
    const int count = file.Value(kListSection, kCountKey, QStringLiteral("0")).toInt();
    const int listed = std::min({count, kMaxPresets, LastNameNumber(file)});
    QStringList names;
    for (int n = 1; n <= listed; ++n)
        names << file.Value(kListSection, NameKey(n), QStringLiteral("No Name"));
    return names;
}

PresetGains PresetGainsOf(const platform::ProfileFile& file, const QString& name)
{
    PresetGains gains{};
    for (int band = 1; band <= 10; ++band) {
        bool number = false;
        const int value = file.Value(name, GainKey(band)).toInt(&number);
        gains[std::size_t(band - 1)] = number ? std::clamp(value, -14, 14) : 0;
    }
    return gains;
}

bool PresetNameAllowed(const QString& name)
{
    return !name.contains(u']') && !name.contains(u'=') && !name.contains(u'\n') && !name.contains(u'\r');
}

void SavePreset(platform::ProfileFile& file, const QStringList& shown, const QString& name,
                const PresetGains& gains)
{
    const bool known = std::any_of(shown.begin(), shown.end(), [&](const QString& entry) {
        return entry.compare(name, Qt::CaseInsensitive) == 0;
    });
    if (!known) {
        // The list as shown, not a count the file may exaggerate.
        const int count = int(shown.size()) + 1;
        file.SetValue(kListSection, kCountKey, QString::number(count));
        file.SetValue(kListSection, NameKey(count), name);
    }
    for (int band = 1; band <= 10; ++band)
        file.SetValue(name, GainKey(band), QString::number(gains[std::size_t(band - 1)]));
}

void WritePresetNames(platform::ProfileFile& file, const QStringList& names)
{
    for (int n = 1; n <= int(names.size()); ++n)
        file.SetValue(kListSection, NameKey(n), names[n - 1]);
    file.SetValue(kListSection, kCountKey, QString::number(names.size()));
}

} // namespace velmoro::equalizer
