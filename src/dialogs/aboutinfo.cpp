#include "dialogs/aboutinfo.h"

#include "app/version.h"

#include <QStringList>
#include <QtGlobal>

#include <array>

namespace velmoro::dialogs {

namespace {

constexpr std::array<const char*, 12> kMonths{
    "Gennaio", "Febbraio", "Marzo",     "Aprile",  "Maggio",   "Giugno",
    "Luglio",  "Agosto",   "Settembre", "Ottobre", "Novembre", "Dicembre",
};

// Each notice as its licence asks it to be carried: the copyright line and
// the licence's name with where its full text is; the permissive licences
// (curl, BSD) with their whole permission text and disclaimer.
const char* const kCredits = R"(Velmoro %1
Copyright (C) Gli autori di Velmoro

Questo programma è software libero: potete ridistribuirlo e/o modificarlo secondo i termini della GNU General Public License pubblicata dalla Free Software Foundation, versione 3 della licenza o (a vostra scelta) una versione successiva (GPL-3.0-or-later).

Questo programma è distribuito nella speranza che sia utile, ma SENZA ALCUNA GARANZIA, nemmeno la garanzia implicita di COMMERCIABILITÀ o di IDONEITÀ A UN PARTICOLARE SCOPO. Il testo completo della licenza è nel file LICENSE che accompagna il programma, e su https://www.gnu.org/licenses/.

Velmoro usa le seguenti librerie, ciascuna con la propria licenza:

Qt %2
Copyright (C) The Qt Company Ltd. e altri contributori. Usata secondo i termini della GNU Lesser General Public License versione 3 (LGPL-3.0). Il codice sorgente è su https://download.qt.io/ e nei pacchetti sorgente della vostra distribuzione; potete sostituire le librerie Qt con una vostra versione modificata.

libmpg123 (decodifica MPEG audio)
Copyright (C) 1995-2023 Michael Hipp e il progetto mpg123. Usata secondo i termini della GNU Lesser General Public License versione 2.1 (LGPL-2.1). Sorgenti su https://www.mpg123.de/.

libpulse (client del server audio PulseAudio)
Copyright (C) Lennart Poettering, Pierre Ossman e altri contributori. Usata secondo i termini della GNU Lesser General Public License versione 2.1 o successiva (LGPL-2.1-or-later). Sorgenti su https://www.freedesktop.org/wiki/Software/PulseAudio/.

libcurl (flussi HTTP e FTP)
COPYRIGHT AND PERMISSION NOTICE
Copyright (c) 1996 - 2024, Daniel Stenberg, <daniel@haxx.se>, and many contributors, see the THANKS file. All rights reserved.
Permission to use, copy, modify, and distribute this software for any purpose with or without fee is hereby granted, provided that the above copyright notice and this permission notice appear in all copies.
THE SOFTWARE IS PROVIDED "AS IS", WITHOUT WARRANTY OF ANY KIND, EXPRESS OR IMPLIED, INCLUDING BUT NOT LIMITED TO THE WARRANTIES OF MERCHANTABILITY, FITNESS FOR A PARTICULAR PURPOSE AND NONINFRINGEMENT OF THIRD PARTY RIGHTS. IN NO EVENT SHALL THE AUTHORS OR COPYRIGHT HOLDERS BE LIABLE FOR ANY CLAIM, DAMAGES OR OTHER LIABILITY, WHETHER IN AN ACTION OF CONTRACT, TORT OR OTHERWISE, ARISING FROM, OUT OF OR IN CONNECTION WITH THE SOFTWARE OR THE USE OR OTHER DEALINGS IN THE SOFTWARE.
Except as contained in this notice, the name of a copyright holder shall not be used in advertising or otherwise to promote the sale, use or other dealings in this Software without prior written authorization of the copyright holder.

KissFFT (spettro)
Copyright (c) 2003-2010, Mark Borgerding. All rights reserved.
%3
libzip (skin in archivi .wsz)
Copyright (C) 1999-2020 Dieter Baron and Thomas Klausner.
%3
Le altre librerie di sistema caricate da queste (per esempio OpenSSL, che libcurl usa per HTTPS) hanno le proprie licenze, che la distribuzione installa in /usr/share/doc/<pacchetto>/copyright.
)";

// The three-clause BSD licence of KissFFT and libzip, whose binary form
// must carry it.
const char* const kBsd3 =
    R"(Redistribution and use in source and binary forms, with or without modification, are permitted provided that the following conditions are met:
1. Redistributions of source code must retain the above copyright notice, this list of conditions and the following disclaimer.
2. Redistributions in binary form must reproduce the above copyright notice, this list of conditions and the following disclaimer in the documentation and/or other materials provided with the distribution.
3. Neither the name of the copyright holder nor the names of its contributors may be used to endorse or promote products derived from this software without specific prior written permission.
THIS SOFTWARE IS PROVIDED BY THE COPYRIGHT HOLDERS AND CONTRIBUTORS "AS IS" AND ANY EXPRESS OR IMPLIED WARRANTIES, INCLUDING, BUT NOT LIMITED TO, THE IMPLIED WARRANTIES OF MERCHANTABILITY AND FITNESS FOR A PARTICULAR PURPOSE ARE DISCLAIMED. IN NO EVENT SHALL THE COPYRIGHT HOLDER OR CONTRIBUTORS BE LIABLE FOR ANY DIRECT, INDIRECT, INCIDENTAL, SPECIAL, EXEMPLARY, OR CONSEQUENTIAL DAMAGES (INCLUDING, BUT NOT LIMITED TO, PROCUREMENT OF SUBSTITUTE GOODS OR SERVICES; LOSS OF USE, DATA, OR PROFITS; OR BUSINESS INTERRUPTION) HOWEVER CAUSED AND ON ANY THEORY OF LIABILITY, WHETHER IN CONTRACT, STRICT LIABILITY, OR TORT (INCLUDING NEGLIGENCE OR OTHERWISE) ARISING IN ANY WAY OUT OF THE USE OF THIS SOFTWARE, EVEN IF ADVISED OF THE POSSIBILITY OF SUCH DAMAGE.
)";

} // namespace

QString VersionLine(const QString& version, const QString& isoBuildDate)
{
    const QString line = QStringLiteral("Versione ") + version;
    const QDate date = QDate::fromString(isoBuildDate, Qt::ISODate);
    if (!date.isValid())
        return line;
    return line + QStringLiteral(" - %1 %2 %3")
                      .arg(date.day())
                      .arg(QString::fromLatin1(kMonths[std::size_t(date.month() - 1)]))
                      .arg(date.year());
}

QString BuildVersionLine()
{
    return VersionLine(QString::fromLatin1(app::kVersionText), QString::fromLatin1(app::kBuildDate));
}

QString CreditsText()
{
    return QString::fromUtf8(kCredits).arg(QString::fromLatin1(app::kVersionText),
                                           QString::fromLatin1(qVersion()), QString::fromUtf8(kBsd3));
}

QUrl ProjectAddress()
{
    return QUrl(QStringLiteral("https://velmoro.example/"));
}

} // namespace velmoro::dialogs
