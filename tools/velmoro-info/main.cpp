// velmoro-info: shows what the player reads from MPEG audio files.
#include "fieldlisting.h"
#include "trackinfo/templates.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>

using velmoro::trackinfo::TMPEGAudio;

namespace {

constexpr const char* kUsage = "usage: velmoro-info [--template TEMPLATE] FILE...\n";

QString FailureReason(const QString& path, int result)
{
    if (!QFileInfo::exists(path))
        return QStringLiteral("file not found");
    if (result > 0)
        return QString::fromLocal8Bit(std::strerror(result));
    return QStringLiteral("no valid MPEG audio frame, or a read error");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString templ;
    bool haveTemplate = false;
    if (!args.isEmpty() && args.first() == u"--template") {
        if (args.size() < 2) {
            QTextStream(stderr) << kUsage;
            return 2;
        }
        templ = args[1];
        haveTemplate = true;
        args = args.mid(2);
    }
    if (!args.isEmpty() && args.first() == u"--")
        args.removeFirst();
    if (args.isEmpty() || args.first() == u"--help") {
        QTextStream(args.isEmpty() ? stderr : stdout) << kUsage;
        return args.isEmpty() ? 2 : 0;
    }

    QTextStream out(stdout);
    QTextStream err(stderr);
    int status = 0;
    bool first = true;
    for (const QString& path : args) {
        TMPEGAudio track;
        track.AutoLoad = false;
        track.SetFileName(path);
        const int result = track.ReadData();
        if (haveTemplate) {
            out << velmoro::trackinfo::FormatTemplate(&track, templ) << '\n';
        } else {
            if (!first)
                out << '\n';
            out << FieldListing(track).join(u'\n') << '\n';
        }
        first = false;
        if (result != 0) {
            out.flush();
            err << "velmoro-info: " << path << ": " << FailureReason(path, result) << '\n';
            err.flush();
            status = 1;
        }
    }
    return status;
}
