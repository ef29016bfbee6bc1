#pragma once
// The texts of the about window: the version line, the licence and the
// notices of the libraries the program links, and the project's address.
#include <QDate>
#include <QString>
#include <QUrl>

namespace velmoro::dialogs {

// "Versione 0.5.0 - 9 Dicembre 2026": the version and the build's date in
// Italian words; only the version when the date is not a date.
QString VersionLine(const QString& version, const QString& isoBuildDate);
// The line of this build.
QString BuildVersionLine();

// The text of MemoCred: Velmoro's licence, then for each library the
// program links or loads its copyright and licence, as those licences ask
// of a program that is handed on in binary form.
QString CreditsText();

// The project's web address, behind Label2, the logo area and the first
// item of the player's menu.
QUrl ProjectAddress();

} // namespace velmoro::dialogs
