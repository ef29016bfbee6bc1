// The HTML page of the playlist, and the files a folder adds.
#include "listtest.h"
#include "playlist/folderfiles.h"
#include "playlist/htmlplaylist.h"

#include <QDir>
#include <QFile>

#include <cerrno>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {

class HtmlPlaylistTest : public ListTest {};

const QStringList kHead{
    "<html>",
    "<head>",
    "<meta http-equiv=\"Content-Language\" content=\"it\">",
    "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">",
    "<title>PLAYLIST</title>",
    "</head>",
    "<body bgcolor=\"#000066\">",
    "<p><b><font face=\"Arial\" size=\"8\" color=\"#FFFFFF\">PLAYLIST</font></b></p>",
    "<hr size=\"1\" color=\"#FFBF00\">",
};

QStringList Tail(const QString& status)
{
    return {"<hr size=\"1\" color=\"#FFBF00\">", "<p align=\"center\">",
            "<b><font size=\"4\" face=\"Arial\" color=\"#FFFFFF\">" + status + "</font></b></p>", "</body>",
            "</html>"};
}

TEST_F(HtmlPlaylistTest, AnEmptyListHasTheHeadAndTheTotalsOnly)
{
    const auto noRow = [](int) -> QString {
        ADD_FAILURE() << "no row to ask for";
        return {};
    };
    EXPECT_EQ(HtmlPlaylistLines(m_list, noRow, "1/0 (0MB)", "00:00"), kHead + Tail("1/0 (0MB), 00:00"));
}

TEST_F(HtmlPlaylistTest, TextsAreEscapedAndLinksAreUrls)
{
    TMPEGAudioData d;
    d.FileName = "/music/R&B \"live\" <1>.mp3";
    d.Title = "<script>alert('x')</script>";
    m_list.AddRecord(d);
    d.FileName = "http://radio.example/a?x=1&y=2";
    m_list.AddRecord(d);
    const auto row = [&](int i) { return QString::number(i + 1) + "." + m_list.Items(i).Data().Title; };
    const QStringList rows{
        "<p><a href=\"file:///music/R&amp;B%20%22live%22%20%3C1%3E.mp3\"><font color=\"#FFFFFF\" "
        "face=\"Courier New\">1.&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;</font></a></p>",
        "<p><a href=\"http://radio.example/a?x=1&amp;y=2\"><font color=\"#FFFFFF\" "
        "face=\"Courier New\">2.&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;</font></a></p>",
    };
    EXPECT_EQ(HtmlPlaylistLines(m_list, row, "1/2 (0MB)", "<b>"),
              kHead + rows + Tail("1/2 (0MB), &lt;b&gt;"));
}

TEST_F(HtmlPlaylistTest, WrittenAsUtf8LinesEndingInCrLf)
{
    const QString path = Path("HTMLPlaylist.Html");
    Write("HTMLPlaylist.Html", "old page");
    EXPECT_EQ(WriteHtmlPlaylist(path, {"<p>è</p>", "</html>"}), 0);
    EXPECT_EQ(ReadWholeFile(path), "<p>\xC3\xA8</p>\r\n</html>\r\n");
    EXPECT_EQ(WriteHtmlPlaylist(Path("missing/HTMLPlaylist.Html"), {"x"}), ENOENT);
}

TEST_F(HtmlPlaylistTest, AFolderGivesItsAudioAndListFilesInNaturalOrder)
{
    for (const char* name :
         {"10 - x.mp3", "2 - x.MP3", "b.m3u", "A.pls", "c.mp1", "d.Mp2", "notes.txt", "mp3", ".hidden.mp3"})
        Write(name, "x");
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("album.mp3"));
    ASSERT_TRUE(QFile::link(Path("c.mp1"), Path("link.mp3")));
    ASSERT_TRUE(QFile::link(Path("gone.mp3"), Path("broken.mp3")));
    ASSERT_TRUE(QFile::link(Path("album.mp3"), Path("folder.mp2")));
    ASSERT_TRUE(QFile::link("/dev/null", Path("device.mp3")));
    const QStringList expected{Path("2 - x.MP3"), Path("10 - x.mp3"), Path("A.pls"),   Path("b.m3u"),
                               Path("c.mp1"),     Path("d.Mp2"),      Path("link.mp3")};
    EXPECT_EQ(FolderAudioAndListFiles(m_dir.path()), expected);
    EXPECT_EQ(FolderAudioAndListFiles(m_dir.path() + "/"), expected);
    EXPECT_TRUE(FolderAudioAndListFiles(Path("nowhere")).isEmpty());
    EXPECT_TRUE(FolderAudioAndListFiles(Path("notes.txt")).isEmpty());
}

} // namespace
