#include "playlist/htmlplaylist.h"

#include "platform/logging.h"
#include "platform/wholefile.h"
#include "playlist/listpaths.h"

#include <QUrl>

namespace velmoro::playlist {

namespace {

// Safe both between tags and inside a double- or single-quoted attribute.
QString Escaped(const QString& text)
{
    return text.toHtmlEscaped().replace(u'\'', QStringLiteral("&#39;"));
}

QString Link(const QString& fileName)
{
    if (IsAddress(fileName))
        return Escaped(fileName);
    return Escaped(QString::fromLatin1(QUrl::fromLocalFile(fileName).toEncoded()));
}

const QString kRule = QStringLiteral("<hr size=\"1\" color=\"#FFBF00\">");

} // namespace

QStringList HtmlPlaylistLines(const TMPEGAudioList& list, const std::function<QString(int row)>& rowText,
                              const QString& positionStatus, const QString& timeStatus)
{
    QStringList lines{
        QStringLiteral("<html>"),
        QStringLiteral("<head>"),
        QStringLiteral("<meta http-equiv=\"Content-Language\" content=\"it\">"),
        QStringLiteral("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"),
        QStringLiteral("<title>PLAYLIST</title>"),
        QStringLiteral("</head>"),
        QStringLiteral("<body bgcolor=\"#000066\">"),
        QStringLiteral("<p><b><font face=\"Arial\" size=\"8\" color=\"#FFFFFF\">PLAYLIST</font></b></p>"),
        kRule,
    };
    lines.reserve(list.Count() + 15);
    for (int i = 0; i < list.Count(); ++i)
        lines << QStringLiteral("<p><a href=\"") + Link(list.Items(i).GetFileName()) +
                     QStringLiteral("\"><font color=\"#FFFFFF\" face=\"Courier New\">") +
                     Escaped(rowText(i)) + QStringLiteral("</font></a></p>");
    lines << kRule << QStringLiteral("<p align=\"center\">")
          << QStringLiteral("<b><font size=\"4\" face=\"Arial\" color=\"#FFFFFF\">") +
                 Escaped(positionStatus) + QStringLiteral(", ") + Escaped(timeStatus) +
                 QStringLiteral("</font></b></p>")
          << QStringLiteral("</body>") << QStringLiteral("</html>");
    return lines;
}

int WriteHtmlPlaylist(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + "\r\n";
    const int error = platform::WriteFileAtomically(path, bytes);
    if (error != 0)
        qCWarning(lcPlaylist) << "cannot write the HTML playlist" << path << "-"
                              << qPrintable(qt_error_string(error));
    return error;
}

} // namespace velmoro::playlist
