#include "platform/filenames.h"
#include "platform/verify.h"

#include <gtest/gtest.h>

namespace velmoro::platform {
namespace {

TEST(FileNames, UpperExtensionLooksOnlyAtTheFileName)
{
    const struct {
        const char* path;
        const char* extension;
    } cases[] = {
        {"/music/song.mp3", ".MP3"},
        {"song.Mp2", ".MP2"},
        {"/music/a.b.pls", ".PLS"},
        {"/music.d/song", ""},
        {"/music.d/", ""},
        {"noext", ""},
        {"/x/.mp3", ".MP3"},
        {"trailing.", "."},
        {"", ""},
        {"http://host.example/live", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UpperExtension(QString::fromUtf8(c.path)), QString::fromUtf8(c.extension)) << c.path;
}

int CheckedIndex(int index, int count)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(index >= 0 && index < count)
    {
        return -1;
    }
    return index;
}

TEST(Verify, ABrokenContractStopsADebugBuildAndTakesTheFallbackInRelease)
{
    EXPECT_EQ(CheckedIndex(2, 3), 2);
    EXPECT_DEBUG_DEATH(EXPECT_EQ(CheckedIndex(3, 3), -1), "check failed: index >= 0 && index < count");
}

} // namespace
} // namespace velmoro::platform
