// The frame-header search that the track reader and the playlist's file
// recognition share, over crafted byte strings.
#include "support/mpegcraft.h"
#include "trackinfo/framesearch.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::trackinfo;
using namespace velmoro::test;

namespace {

const QByteArray kHeader = HeaderBytes(MakeHeader({})); // MPEG 1 Layer III, frames of 417 bytes
// A sync word whose version bits are the reserved ones: no header.
const QByteArray kFalseSync = HeaderBytes(MakeHeader({.versionBits = 1}));

struct SearchCase {
    const char* what;
    QByteArray bytes;
    std::int64_t limit;
    bool found;
    std::int64_t posAfter; // where the search leaves the file
    int progressCalls;
};

TEST(FrameSearch, FindsTheFirstValidHeaderWithinTheLimit)
{
    const SearchCase cases[] = {
        {"at the start", kHeader + QByteArray(500, '\0'), 0, true, 4, 0},
        {"after junk", "abc" + kHeader, 0, true, 7, 0},
        {"after a false sync word", "x" + kFalseSync + kHeader, 0, true, 9, 0},
        {"none", QByteArray(1000, 'j'), 0, false, 1000, 3},
        {"fewer than four bytes", kHeader.left(3), 0, false, 3, 0},
        {"ending on the limit", QByteArray(296, 'j') + kHeader, 300, true, 300, 1},
        // The byte that passes the limit is still examined.
        {"ending just past the limit", QByteArray(297, 'j') + kHeader, 300, true, 301, 1},
        {"beyond the limit", QByteArray(298, 'j') + kHeader, 300, false, 301, 1},
    };
    QTemporaryDir dir;
    for (const SearchCase& c : cases) {
        const QString path = WriteFile(dir.filePath("search.bin"), c.bytes);
        velmoro::platform::NativeFile file;
        ASSERT_EQ(file.Open(path, velmoro::platform::NativeFile::Mode::ReadOnly), 0) << c.what;
        BufferedFile in(file, c.bytes.size());
        int calls = 0;
        const std::function<void()> progress = [&] { ++calls; };
        TMPEGAudioData d;
        d.FileLength = 1000;
        d.FileDateTime = 1;
        const bool found =
            FindFrameHeader(in, d, {.audioBytes = 16000, .limit = c.limit, .onProgress = &progress});
        EXPECT_EQ(found, c.found) << c.what;
        EXPECT_EQ(in.Pos(), c.posAfter) << c.what;
        EXPECT_EQ(calls, c.progressCalls) << c.what;
        EXPECT_FALSE(in.Failed()) << c.what;
        if (c.found) {
            EXPECT_EQ(d.FrameLength, 417) << c.what;
            EXPECT_EQ(d.Duration, 1) << c.what; // 16,000 bytes at 128 kbit/s
        }
    }
}

TEST(FrameSearch, AFrameMustFitAndBeFollowedByAnother)
{
    QTemporaryDir dir;
    const QByteArray bytes = "ab" + Frames(MakeHeader({}), 417, 2);
    const QString path = WriteFile(dir.filePath("two.bin"), bytes);
    velmoro::platform::NativeFile file;
    ASSERT_EQ(file.Open(path, velmoro::platform::NativeFile::Mode::ReadOnly), 0);
    BufferedFile in(file, bytes.size());
    TMPEGAudioData d;
    d.FileLength = 1000;
    d.FileDateTime = 1;
    ASSERT_TRUE(FindFrameHeader(in, d, {.audioBytes = bytes.size()}));
    const TMPEGAudioData first = d;
    // The protection bit set (no CRC) lends the frame two bytes.
    EXPECT_TRUE(FrameFitsInFile(first, 2, 418));
    EXPECT_FALSE(FrameFitsInFile(first, 2, 417));
    EXPECT_TRUE(NextHeaderFollows(in, d, 2, bytes.size()));
    EXPECT_EQ(in.Pos(), 2 + 417 + 4);
    for (const std::int64_t framePos : {3, 419}) { // off by one; the last frame
        d = first;
        EXPECT_FALSE(NextHeaderFollows(in, d, framePos, bytes.size())) << framePos;
    }
}

} // namespace
