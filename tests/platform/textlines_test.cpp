// Line-by-line reading of list files: line breaks, per-line encoding, the
// line and entry caps, and files that are not regular files.
#include "platform/textlines.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <sys/stat.h>

using namespace velmoro::platform;

namespace {

struct Case {
    const char* name;
    QByteArray bytes;
    TextLineLimits limits;
    QStringList lines; // as handed to the handler
    TextLinesEnd end;
    qint64 entries;
    qint64 longLinesSkipped;
    qint64 fileLines; // what CountLines finds
};

// "#" lines are comments, "STOP" stops, any other line is an entry.
LineUse Classify(const QString& line)
{
    if (line == QStringLiteral("STOP"))
        return LineUse::Stop;
    return line.startsWith(u'#') ? LineUse::NotEntry : LineUse::Entry;
}

QString Utf8(const char* text)
{
    return QString::fromUtf8(text);
}

TEST(TextLinesTest, ReadsLineByLine)
{
    const TextLineLimits defaults;
    const TextLineLimits short8{8, 1'000'000};
    const TextLineLimits two{64, 2};
    // A CR LF split by the reader's 64 KiB chunks is still one line break.
    const QByteArray nearChunk(64 * 1024 - 1, 'x');
    const QList<Case> cases{
        {"every kind of line break",
         "a\r\nb\nc\rd",
         defaults,
         {"a", "b", "c", "d"},
         TextLinesEnd::EndOfFile,
         4,
         0,
         4},
        {"empty lines are handed on",
         "a\n\n#c\n",
         defaults,
         {"a", "", "#c"},
         TextLinesEnd::EndOfFile,
         2,
         0,
         3},
        {"only the first byte-order mark dropped",
         "\xEF\xBB\xBF"
         "a\n\xEF\xBB\xBF"
         "b\n",
         defaults,
         {"a", QString(QChar(0xFEFF)) + u'b'},
         TextLinesEnd::EndOfFile,
         2,
         0,
         2},
        {"encoding per line",
         "citt\xC3\xA0.mp3\ncaff\xE8.mp3\r\nn\xC3\xA9",
         defaults,
         {Utf8("città.mp3"), Utf8("caffè.mp3"), Utf8("né")},
         TextLinesEnd::EndOfFile,
         3,
         0,
         3},
        {"long lines skipped whole",
         "12345678\n123456789\nok\r\n123456789",
         short8,
         {"12345678", "ok"},
         TextLinesEnd::EndOfFile,
         2,
         2,
         4},
        {"entry cap", "a\n#c\nb\nc\n", two, {"a", "#c", "b"}, TextLinesEnd::EntryCapReached, 2, 0, 4},
        {"cap reached by the last entry", "a\nb\n\n  \n", two, {"a", "b"}, TextLinesEnd::EndOfFile, 2, 0, 4},
        {"stopped", "a\nSTOP\nb\n", defaults, {"a", "STOP"}, TextLinesEnd::Stopped, 1, 0, 3},
        {"CR LF across chunks",
         nearChunk + "\r\nb",
         TextLineLimits{128 * 1024, 10},
         {nearChunk, "b"},
         TextLinesEnd::EndOfFile,
         2,
         0,
         2},
        {"empty file", "", defaults, {}, TextLinesEnd::EndOfFile, 0, 0, 0},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath(QStringLiteral("list.txt"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.bytes);
        file.close();

        QStringList lines;
        const TextLinesResult result = ReadTextLines(path, c.limits, [&](const QString& line) {
            lines << line;
            return Classify(line);
        });
        EXPECT_EQ(lines, c.lines);
        EXPECT_EQ(result.end, c.end);
        EXPECT_EQ(result.error, 0);
        EXPECT_EQ(result.entries, c.entries);
        EXPECT_EQ(result.longLinesSkipped, c.longLinesSkipped);

        TextLineReader reader(c.limits);
        ASSERT_EQ(reader.Open(path), 0);
        EXPECT_EQ(reader.CountLines(), c.fileLines);
    }
}

TEST(TextLinesTest, OnlyRegularFilesAreOpened)
{
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        int error;
    } cases[] = {{dir.path(), EISDIR}, {fifo, EINVAL}, {dir.filePath(QStringLiteral("missing")), ENOENT}};
    for (const auto& c : cases) {
        bool called = false;
        const TextLinesResult result = ReadTextLines(c.path, {}, [&](const QString&) {
            called = true;
            return LineUse::Entry;
        });
        EXPECT_EQ(result.end, TextLinesEnd::Failed) << c.path.toStdString();
        EXPECT_EQ(result.error, c.error) << c.path.toStdString();
        EXPECT_FALSE(called);
    }
}

} // namespace
