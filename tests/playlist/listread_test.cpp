// What M3U and PLS reading share: each line decoded on its own, addresses
// kept as written, no bound on a list's size but one on its entries.
#include "listtest.h"
#include "playlist/listpaths.h"

#include <tuple>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {

class ListReadTest : public ListTest {
protected:
    // The same names as an M3U and as a PLS list: both must read alike.
    QStringList LoadBoth(const QList<QByteArray>& lines)
    {
        QByteArray m3u;
        QByteArray pls = "[playlist]\r\nNumberOfEntries=" + QByteArray::number(lines.size()) + "\r\n";
        for (int i = 0; i < lines.size(); ++i) {
            m3u += lines[i] + "\r\n";
            pls += "File" + QByteArray::number(i + 1) + '=' + lines[i] + "\r\n";
        }
        TMPEGAudioList fromPls;
        fromPls.ListLimits = m_list.ListLimits;
        fromPls.OnEntryCapReached = m_list.OnEntryCapReached;
        m_list.LoadM3U(Write("x.m3u", m3u));
        fromPls.LoadPLS(Write("x.pls", pls));
        EXPECT_EQ(Names(fromPls), Names(m_list));
        return Names(m_list);
    }
};

} // namespace

TEST(ListPaths, AddressesAreKeptAsWritten)
{
    // Name, whether it is an address, whether the player streams it.
    const QList<std::tuple<QString, bool, bool>> names{{"http://host/stream", true, true},
                                                       {"HTTPS://host:8000/a?b=c", true, true},
                                                       {"Ftp://host/song.mp3", true, true},
                                                       {"a+b-c.d://x", true, false},
                                                       {"C://x", false, false},
                                                       {"1http://x", false, false},
                                                       {"http:/host/stream", false, false},
                                                       {"/music/http://x", false, false},
                                                       {"my file://x", false, false},
                                                       {"://x", false, false}};
    for (const auto& [name, address, stream] : names) {
        EXPECT_EQ(IsAddress(name), address) << name.toStdString();
        EXPECT_EQ(IsStreamAddress(name), stream) << name.toStdString();
        if (address) {
            EXPECT_EQ(ResolveEntryName(name, "/lists/"), name);
        }
    }
}

TEST_F(ListReadTest, AddressesSurviveLoadAndSave)
{
    const QByteArray address = "http://host/radio//stream?x=../y";
    EXPECT_EQ(LoadBoth({address, "a.mp3"}), (QStringList{address, Path("a.mp3")}));
    ASSERT_EQ(m_list.SaveM3U(Path("saved.m3u"), {.relativeNames = true}), 0);
    EXPECT_EQ(ReadWholeFile(Path("saved.m3u")), address + "\r\na.mp3\r\n");
}

TEST_F(ListReadTest, EachLineDecodedOnItsOwn)
{
    // One stray Latin-1 line in a UTF-8 list.
    EXPECT_EQ(LoadBoth({"citt\xC3\xA0.mp3", "caff\xE8.mp3", "perch\xC3\xA9.mp3"}),
              (QStringList{Path(QString::fromUtf8("città.mp3")), Path(QString::fromUtf8("caffè.mp3")),
                           Path(QString::fromUtf8("perché.mp3"))}));
    ASSERT_EQ(m_list.SaveM3U(Path("saved.m3u"), {.relativeNames = true}), 0);
    EXPECT_EQ(ReadWholeFile(Path("saved.m3u")),
              "citt\xC3\xA0.mp3\r\ncaff\xC3\xA8.mp3\r\nperch\xC3\xA9.mp3\r\n");

    // A long Latin-1 name doubles as UTF-8 and still reads back.
    m_list.Clear();
    m_list.LoadM3U(Write("long.m3u", QByteArray(100'000, '\xE8')));
    ASSERT_EQ(m_list.SaveM3U(Path("saved.m3u"), {.relativeNames = true}), 0);
    TMPEGAudioList back;
    back.LoadM3U(Path("saved.m3u"));
    EXPECT_EQ(back.Count(), 1);
    EXPECT_EQ(Names(back), Names(m_list));

    // A name that begins with U+FEFF, saved as the first line, is no mark.
    m_list.Clear();
    m_list.LoadM3U(Write("mark.m3u", "#\r\n\xEF\xBB\xBF"
                                     "a.mp3\r\n"));
    ASSERT_EQ(m_list.Count(), 1);
    ASSERT_EQ(m_list.SaveM3U(Path("saved.m3u"), {.relativeNames = true}), 0);
    TMPEGAudioList marked;
    marked.LoadM3U(Path("saved.m3u"));
    EXPECT_EQ(Names(marked), Names(m_list));
}

TEST_F(ListReadTest, NoBoundOnTheSizeButOnTheEntries)
{
    // Past the 32 MiB that once bounded a list, in lines as long as a line
    // may be: the name after them is still read.
    const QByteArray comment = '#' + QByteArray(m_list.ListLimits.maxLineBytes - 1, 'x') + "\r\n";
    const QByteArray huge = comment.repeated(33 * 1024 * 1024 / comment.size() + 1) + "last.mp3\r\n";
    ASSERT_GT(huge.size(), 33 * 1024 * 1024);
    EXPECT_EQ(m_list.LoadM3U(Write("huge.m3u", huge)), 0);
    EXPECT_EQ(Names(m_list), QStringList{Path("last.mp3")});

    m_list.Clear();
    m_list.ListLimits.maxEntries = 2;
    QStringList capped;
    m_list.OnEntryCapReached = [&](const QString& list, qint64 read) {
        capped << QStringLiteral("%1 %2").arg(list.section(u'/', -1)).arg(read);
    };
    EXPECT_EQ(LoadBoth({"a.mp3", "b.mp3", "c.mp3"}), (QStringList{Path("a.mp3"), Path("b.mp3")}));
    EXPECT_EQ(capped, (QStringList{"x.m3u 2", "x.pls 2"}));
}
