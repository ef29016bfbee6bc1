// velmoro-info: shows what the player reads from MPEG audio files.
#include "fieldlisting.h"
#include "trackinfo/templates.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

#include <cstring>
#include <optional>

using velmoro::trackinfo::TMPEGAudio;

namespace {

QString Usage()
{
    return QStringLiteral("usage: velmoro-info [--template TEMPLATE] [--search-limit BYTES] FILE...\n"
                          "  --search-limit  bytes searched for the first frame past the tags;\n"
                          "                  0 searches the whole file (default: %1)\n")
        .arg(velmoro::trackinfo::kDefaultSearchLimit);
}
// The smallest file the reader looks into: a frame header and a byte more.
constexpr qint64 kSmallestReadFile = 6;

struct Options {
    std::optional<QString> templ;
    std::int32_t searchLimit = velmoro::trackinfo::kDefaultSearchLimit;
    QStringList files;
    bool help = false;
};

// nullopt when the arguments are malformed.
std::optional<Options> ParseArguments(QStringList args)
{
    Options options;
    while (!args.isEmpty() && args.first().startsWith(u"--")) {
        const QString option = args.takeFirst();
        if (option == u"--")
            break;
        if (option == u"--help") {
            options.help = true;
            return options;
        }
        if (args.isEmpty())
            return std::nullopt;
        const QString value = args.takeFirst();
        if (option == u"--template") {
            options.templ = value;
        } else if (option == u"--search-limit") {
            bool ok = false;
            options.searchLimit = value.toInt(&ok);
            if (!ok || options.searchLimit < 0)
                return std::nullopt;
        } else {
            return std::nullopt;
        }
    }
    options.files = args;
    return options;
}

QString FailureReason(const QString& path, int result, std::int32_t searchLimit)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("file not found");
    if (result > 0)
        return QString::fromLocal8Bit(std::strerror(result));
    if (info.size() < kSmallestReadFile)
        return QStringLiteral("file too short to hold an MPEG audio frame (%1 bytes)").arg(info.size());
    if (searchLimit > 0 && info.size() > searchLimit)
        return QStringLiteral("no valid MPEG audio frame within %1 bytes past the tags (see --search-limit), "
                              "or a read error")
            .arg(searchLimit);
    return QStringLiteral("no valid MPEG audio frame, or a read error");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const std::optional<Options> options = ParseArguments(app.arguments().mid(1));
    if (!options || (!options->help && options->files.isEmpty())) {
        QTextStream(stderr) << Usage();
        return 2;
    }
    if (options->help) {
        QTextStream(stdout) << Usage();
        return 0;
    }

    QTextStream out(stdout);
    QTextStream err(stderr);
    int status = 0;
    bool first = true;
    for (const QString& path : options->files) {
        TMPEGAudio track;
        track.AutoLoad = false;
        track.SearchLimit = options->searchLimit;
        track.SetFileName(path);
        const int result = track.ReadData();
        if (options->templ) {
            out << velmoro::trackinfo::FormatTemplate(&track, *options->templ) << '\n';
        } else {
            if (!first)
                out << '\n';
            out << FieldListing(track).join(u'\n') << '\n';
        }
        first = false;
        // Files too short to hold a frame read as empty records without an
        // error; to a user asking about the file that is still a failure.
        if (result != 0 || !track.IsValid()) {
            out.flush();
            err << "velmoro-info: " << path << ": " << FailureReason(path, result, options->searchLimit)
                << '\n';
            err.flush();
            status = 1;
        }
    }
    return status;
}
