// .wsz skins: which entry answers for a skin file name, and what refuses an
// archive before it costs memory.
#include "archivecraft.h"
#include "skincraft.h"

#include "skin/skinarchive.h"
#include "skin/skinset.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmoro::skin;
using namespace velmoro::test;

namespace {

std::unique_ptr<SkinArchive> Open(const std::vector<ArchiveEntry>& entries)
{
    return SkinArchive::FromBytes(CraftZip(entries), QStringLiteral("test.wsz"));
}

TEST(SkinArchiveTest, FindsFilesByTheNamesOfAnUnpackedSkin)
{
    struct Case {
        const char* layout;
        std::vector<ArchiveEntry> entries;
        std::optional<QByteArray> mainBmp; // what "MAIN.bmp" reads
    };
    const std::vector<Case> cases = {
        {"root", {{"main.bmp", "root"}}, "root"},
        {"single top folder", {{"Skin/", ""}, {"Skin/Main.BMP", "top"}}, "top"},
        {"backslashes", {{"Skin\\main.bmp", "back"}, {"skin\\text.bmp", "t"}}, "back"},
        {"the later of two cases", {{"main.bmp", "earlier"}, {"MAIN.BMP", "later"}}, "later"},
        {"root over top folder", {{"Skin/main.bmp", "top"}, {"main.bmp", "root"}}, "root"},
        {"readme in the root", {{"readme.txt", "r"}, {"Skin/main.bmp", "top"}}, "top"},
        {"Mac resource folder", {{"Skin/main.bmp", "top"}, {"__MACOSX/Skin/._main.bmp", "fork"}}, "top"},
        {"two top folders", {{"A/main.bmp", "a"}, {"B/main.bmp", "b"}}, std::nullopt},
        {"too deep", {{"Skin/Skin/main.bmp", "deep"}}, std::nullopt},
        {"empty file", {{"main.bmp", ""}}, ""},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<SkinArchive> archive = Open(c.entries);
        ASSERT_TRUE(archive) << c.layout;
        EXPECT_EQ(archive->Has(QStringLiteral("MAIN.bmp")), c.mainBmp.has_value()) << c.layout;
        EXPECT_EQ(archive->Read(QStringLiteral("MAIN.bmp"), 1024), c.mainBmp) << c.layout;
        EXPECT_EQ(archive->Where(), QStringLiteral("test.wsz"));
    }
}

TEST(SkinArchiveTest, AFileOverItsCapIsNotRead)
{
    const std::unique_ptr<SkinArchive> archive = Open({{"viscolor.txt", QByteArray(100, '7')}});
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->Read(QStringLiteral("viscolor.txt"), 99), std::nullopt);
    EXPECT_EQ(archive->Read(QStringLiteral("viscolor.txt"), 100), QByteArray(100, '7'));
}

// Damage and traps make a skin that fails to load: the player then falls
// back to the built-in skin.
TEST(SkinArchiveTest, BrokenOrHostileArchivesFailToLoad)
{
    QTemporaryDir skin;
    WriteCoordSkin(skin.path());
    const QByteArray good = CraftZip(FolderEntries(skin.path()));
    // Flipping bytes amid the packed data breaks its checksum, not the index.
    QByteArray corrupted = good;
    for (qsizetype at = 100; at < 140; ++at)
        corrupted[at] = char(corrupted[at] ^ 0x5a);
    std::vector<ArchiveEntry> overCap;
    for (int i = 0; i < 33; ++i)
        overCap.push_back({QStringLiteral("filler%1.bin").arg(i), QByteArray(1024 * 1024, '\0')});
    const QByteArray bomb = CraftZip({{"main.bmp", QByteArray(8 * 1024 * 1024, '\0')}});

    struct Case {
        const char* what;
        QByteArray bytes;
        int loaded; // LoadSkin's result
    };
    const std::vector<Case> cases = {
        {"a good archive", good, 0},
        {"cut short", good.left(good.size() / 2), -1},
        {"no archive at all", "BM this is not a zip", -1},
        {"an empty file", {}, -1},
        {"corrupted data", corrupted, -1},
        {"over 32 MiB unpacked", CraftZip(overCap), -1},
        {"a bomb by packing ratio", bomb, -1},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("skin.wsz"));
        WriteFile(path, c.bytes);
        SkinSet set;
        EXPECT_EQ(LoadSkin(set, path), c.loaded) << c.what;
    }
    EXPECT_EQ(SkinArchive::FromBytes(bomb, QStringLiteral("bomb.wsz")), nullptr);
}

TEST(SkinArchiveTest, AnArchiveLoadsAsItsFolderWould)
{
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Folder"));
    QDir().mkpath(folder);
    WriteCoordSkin(folder, {QStringLiteral("balance.bmp")});
    // Named without its extension, as a skins folder lists it; the brackets
    // of the skin the player starts with are no pattern.
    WriteFile(dir.filePath(QStringLiteral("[Default].WSZ")),
              CraftZip(FolderEntries(folder, QStringLiteral("Packed\\"))));
    SkinSet fromFolder;
    SkinSet fromArchive;
    ASSERT_EQ(LoadSkin(fromFolder, folder), 0);
    ASSERT_EQ(LoadSkin(fromArchive, dir.filePath(QStringLiteral("[Default]"))), 0);
    for (const BitmapSlot& slot : BitmapSlots())
        EXPECT_EQ(fromArchive.*slot.bitmap, fromFolder.*slot.bitmap) << slot.file;
    EXPECT_TRUE(fromArchive.BalanceFromVolume);
    EXPECT_EQ(fromArchive.SkinColors, fromFolder.SkinColors);
}

} // namespace
