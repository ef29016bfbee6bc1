// Whole-file reads, atomic rewrites and all-or-nothing appends, including
// what a failure half-way leaves behind.
#include "platform/wholefile.h"

#include "support/capturedlog.h"
#include "support/filesizelimit.h"
#include "platform/logging.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace velmoro::platform;

namespace {

QByteArray Contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

using velmoro::test::FileSizeLimit;

class WholeFileTest : public testing::Test {
protected:
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    QStringList Names() const { return QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden); }
    QTemporaryDir m_dir;
};

} // namespace

TEST_F(WholeFileTest, ReadsWholeFilesUpToTheLimit)
{
    Put(Path("a.txt"), "0123456789");
    QByteArray out;
    EXPECT_EQ(ReadWholeFile(Path("a.txt"), 10, out), 0);
    EXPECT_EQ(out, "0123456789");
    EXPECT_EQ(ReadWholeFile(Path("a.txt"), 9, out), EFBIG);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(ReadWholeFile(Path("missing.txt"), 10, out), ENOENT);
    EXPECT_EQ(ReadWholeFile(m_dir.path(), 10, out), EISDIR);
}

TEST_F(WholeFileTest, AtomicWriteReplacesAndKeepsPermissions)
{
    const QString path = Path("list.m3u");
    ASSERT_EQ(WriteFileAtomically(path, "new file"), 0);
    EXPECT_EQ(Contents(path), "new file");

    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    ASSERT_EQ(WriteFileAtomically(path, "second"), 0);
    EXPECT_EQ(Contents(path), "second");
    EXPECT_EQ(QFile::permissions(path), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_EQ(Names(), QStringList{"list.m3u"}); // no temporary file left
}

TEST_F(WholeFileTest, AtomicWriteKeepsSymbolicLinksAndWritesTheirLastTarget)
{
    ASSERT_TRUE(QDir(m_dir.path()).mkpath("music/lists"));
    Put(Path("music/lists/real.m3u"), "old");
    struct Case {
        const char* name;
        const char* link;
        QByteArray linkTo; // as written in the link: relative to its directory, or absolute
        const char* written;
    };
    const Case cases[] = {
        {"existing target", "abs.m3u", QFile::encodeName(Path("music/lists/real.m3u")),
         "music/lists/real.m3u"},
        {"relative target", "rel.m3u", "music/lists/real.m3u", "music/lists/real.m3u"},
        {"a chain of links", "chain.m3u", "rel.m3u", "music/lists/real.m3u"},
        {"target not there yet", "new.m3u", "music/lists/new.m3u", "music/lists/new.m3u"},
        {"link inside the folder", "music/inner.m3u", "lists/inner-target.m3u",
         "music/lists/inner-target.m3u"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(::symlink(c.linkTo.constData(), QFile::encodeName(Path(c.link)).constData()), 0);
        ASSERT_EQ(WriteFileAtomically(Path(c.link), c.name), 0);
        EXPECT_TRUE(QFileInfo(Path(c.link)).isSymLink());
        EXPECT_EQ(Contents(Path(c.written)), c.name);
        EXPECT_EQ(QDir(Path("music/lists")).entryList(QDir::Files | QDir::Hidden).filter(".tmp-"),
                  QStringList());
    }
    ASSERT_EQ(::symlink("loop.m3u", QFile::encodeName(Path("loop.m3u")).constData()), 0);
    const velmoro::test::CapturedLog log(velmoro::lcPlatform());
    EXPECT_EQ(WriteFileAtomically(Path("loop.m3u"), "x"), ELOOP);
}

TEST_F(WholeFileTest, StaleTemporaryFilesOfOurOwnAreRemoved)
{
    const QDateTime old = QDateTime::currentDateTime().addSecs(-2 * kStaleTemporarySeconds);
    struct Case {
        const char* name;
        bool stale;
        bool removed;
    };
    const Case cases[] = {
        {".default.m3u.tmp-1a2b3c4d", true, true},
        {".BookMarks.txt.tmp-0", true, true},
        {".default.m3u.tmp-9f", false, false},       // a rewrite may be running
        {".default.m3u.tmp-notours", true, false},   // not our pattern
        {".default.m3u.tmp-123456789", true, false}, // longer than our 32-bit number
        {".tmp-12", true, false},                    // no file name before the mark
        {"default.m3u", true, false},
    };
    for (const Case& c : cases) {
        Put(Path(c.name), "x");
        if (c.stale) {
            QFile f(Path(c.name));
            ASSERT_TRUE(f.open(QIODevice::ReadWrite));
            ASSERT_TRUE(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
    }
    // A link is never ours, whatever it is called.
    ASSERT_TRUE(QFile::link(Path("default.m3u"), Path(".link.m3u.tmp-ab")));

    EXPECT_EQ(RemoveStaleTemporaryFiles(m_dir.path()), 2);
    for (const Case& c : cases)
        EXPECT_EQ(QFileInfo::exists(Path(c.name)), !c.removed) << c.name;
    EXPECT_TRUE(QFileInfo(Path(".link.m3u.tmp-ab")).isSymLink());
    EXPECT_EQ(RemoveStaleTemporaryFiles(Path("missing")), 0);
}

TEST_F(WholeFileTest, FailedAtomicWriteLeavesTheOldFileWhole)
{
    const QString path = Path("default.m3u");
    Put(path, "the old list\r\n");
    const velmoro::test::CapturedLog log(velmoro::lcPlatform());
    {
        const FileSizeLimit diskFull(100);
        EXPECT_EQ(WriteFileAtomically(path, QByteArray(5000, 'x')), EFBIG);
    }
    EXPECT_EQ(Contents(path), "the old list\r\n");
    EXPECT_EQ(Names(), QStringList{"default.m3u"});

    EXPECT_EQ(WriteFileAtomically(Path("no-such-dir/a.m3u"), "x"), ENOENT);
    EXPECT_EQ(LastWriteFailure().path, Path("no-such-dir/a.m3u"));
    EXPECT_EQ(LastWriteFailure().error, ENOENT);
    // Each failure is told once: the step, and the system's words for it.
    ASSERT_EQ(log.Messages().size(), 2) << log.Text();
    EXPECT_TRUE(log.Messages()[0].contains(QStringLiteral("writing: ") + qt_error_string(EFBIG)))
        << log.Text();
    EXPECT_TRUE(log.Messages()[1].contains(qt_error_string(ENOENT))) << log.Text();
}

TEST_F(WholeFileTest, AppendIsAllOrNothing)
{
    const QString path = Path("list.m3u");
    Put(path, "a\r\n");
    const velmoro::test::CapturedLog log(velmoro::lcPlatform());
    ASSERT_EQ(AppendToFile(path, "b\r\n"), 0);
    EXPECT_EQ(Contents(path), "a\r\nb\r\n");
    {
        const FileSizeLimit diskFull(100);
        EXPECT_NE(AppendToFile(path, QByteArray(5000, 'x')), 0);
    }
    EXPECT_EQ(Contents(path), "a\r\nb\r\n");
    EXPECT_EQ(AppendToFile(Path("missing.m3u"), "x"), ENOENT);
    EXPECT_EQ(log.Messages().size(), 2) << log.Text();
}

TEST(TextDecoding, Utf8WhenValidElseLatin1)
{
    EXPECT_EQ(DecodeText("caff\xC3\xA8"), QString::fromUtf8("caffè"));
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "abc"),
              "abc");
    EXPECT_EQ(DecodeText("caff\xE8"), QString::fromUtf8("caffè"));
    // Overlong forms are not UTF-8, so the bytes are read one by one.
    EXPECT_EQ(DecodeText("\xC0\xAF").size(), 2);
}

TEST(TextLinesSplit, EveryLineBreakKind)
{
    const TextLines mixed = SplitLines("a\r\nb\rc\nd");
    EXPECT_EQ(mixed.lines, (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(mixed.lineBreak, "\r\n");
    EXPECT_FALSE(mixed.finalLineBreak);

    const TextLines unix = SplitLines("a\n\nb\n");
    EXPECT_EQ(unix.lines, (QStringList{"a", "", "b"}));
    EXPECT_EQ(unix.lineBreak, "\n");
    EXPECT_TRUE(unix.finalLineBreak);
    EXPECT_TRUE(SplitLines("").lines.isEmpty());
}
