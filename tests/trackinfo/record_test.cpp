// The 492-byte stored form of the data record.
#include "trackinfo/mpegaudiodata.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace velmoro::trackinfo;

namespace {

TMPEGAudioData Sample()
{
    TMPEGAudioData d;
    d.Header = "TAG";
    d.Title = "Title";
    d.Artist = "Artist";
    d.Album = "Album";
    d.Year = "1999";
    d.Comment = "Comment";
    d.Genre = 17;
    d.Track = 5;
    d.Duration = 0x1234;
    d.FileLength = 0x01020304;
    d.Version = 2;
    d.Layer = 3;
    d.SampleRate = 22050;
    d.BitRate = -1;
    d.Spare = 0xBEEF;
    d.Mode = 3;
    d.Copyright = true;
    d.Original = false;
    d.ErrorProt = true;
    d.Padding = true;
    d.FrameLength = 417;
    d.CRC = 0xCAFE;
    d.FileName = QString::fromUtf8("/musica/perché.mp3");
    d.FileDateTime = 0x5A21634F;
    d.FileAttr = 0x21;
    d.VolumeLabel = "DISCO";
    d.Selected = 1;
    return d;
}

template <typename T> T At(const QByteArray& b, int offset)
{
    return qFromLittleEndian<T>(b.constData() + offset);
}

QByteArray StringAt(const QByteArray& b, int offset)
{
    return b.mid(offset + 1, std::uint8_t(b[offset]));
}

} // namespace

TEST(Record, LayoutIsByteExact)
{
    const QByteArray b = SerializeRecord(Sample());
    ASSERT_EQ(b.size(), 492);
    EXPECT_EQ(StringAt(b, 0), "TAG");
    EXPECT_EQ(StringAt(b, 4), "Title");
    EXPECT_EQ(StringAt(b, 35), "Artist");
    EXPECT_EQ(StringAt(b, 66), "Album");
    EXPECT_EQ(StringAt(b, 97), "1999");
    EXPECT_EQ(StringAt(b, 102), "Comment");
    EXPECT_EQ(At<std::uint8_t>(b, 133), 17);
    EXPECT_EQ(At<std::uint8_t>(b, 134), 5);
    EXPECT_EQ(At<std::uint16_t>(b, 135), 0x1234);
    EXPECT_EQ(At<std::int32_t>(b, 137), 0x01020304);
    EXPECT_EQ(At<std::uint8_t>(b, 141), 2);
    EXPECT_EQ(At<std::uint8_t>(b, 142), 3);
    EXPECT_EQ(At<std::int32_t>(b, 143), 22050);
    EXPECT_EQ(At<std::int32_t>(b, 147), -1);
    EXPECT_EQ(At<std::uint16_t>(b, 151), 0xBEEF);
    EXPECT_EQ(At<std::uint8_t>(b, 153), 3);
    EXPECT_EQ(b.mid(154, 4), QByteArray("\x01\x00\x01\x01", 4));
    EXPECT_EQ(At<std::uint16_t>(b, 158), 417);
    EXPECT_EQ(At<std::uint16_t>(b, 160), 0xCAFE);
    EXPECT_EQ(StringAt(b, 162), QByteArray("/musica/perch\xC3\xA9.mp3"));
    EXPECT_EQ(At<std::int32_t>(b, 418), 0x5A21634F);
    EXPECT_EQ(At<std::uint16_t>(b, 422), 0x21);
    EXPECT_EQ(StringAt(b, 424), "DISCO");
    EXPECT_EQ(At<std::uint16_t>(b, 445), 1);
    EXPECT_EQ(b.mid(447), QByteArray(45, '\0'));
    // Room past a string's length is zero, not left over.
    EXPECT_EQ(b.mid(4 + 1 + 5, 25), QByteArray(25, '\0'));
}

TEST(Record, RoundTrip)
{
    TMPEGAudioData back;
    ASSERT_TRUE(ParseRecord(SerializeRecord(Sample()), back));
    EXPECT_EQ(back, Sample());
    EXPECT_FALSE(ParseRecord(QByteArray(491, '\0'), back));
    EXPECT_EQ(back, Sample()); // a short block changes nothing
}

TEST(Record, LongTextsAreCutToTheirFields)
{
    TMPEGAudioData d;
    d.Title = QString(40, u'x');
    d.Year = "12345";
    d.FileName = "/" + QString(199, u'a') + QString::fromUtf8("ééééééééééééééééééééééééééééééé");
    d.VolumeLabel = QString::fromUtf8("ÉTIQUETTE-TRÈS-LONGUE");
    TMPEGAudioData back;
    ASSERT_TRUE(ParseRecord(SerializeRecord(d), back));
    EXPECT_EQ(back.Title, QString(30, u'x'));
    EXPECT_EQ(back.Year, "1234");
    // 255 bytes at most, never half a character.
    EXPECT_TRUE(d.FileName.startsWith(back.FileName));
    EXPECT_EQ(back.FileName.toUtf8().size(), 255 - 1);
    EXPECT_TRUE(d.VolumeLabel.startsWith(back.VolumeLabel));
    EXPECT_LE(back.VolumeLabel.toUtf8().size(), 20);
}

TEST(Record, DamagedLengthsAreCappedAndOldNamesReadAsLatin1)
{
    QByteArray b = SerializeRecord(Sample());
    b[4] = char(255);   // title claims 255 characters
    b[97] = char(200);  // year claims 200
    b[424] = char(250); // volume label claims 250
    b[162] = 6;
    b.replace(163, 6, "/caf\xE9s"); // Latin-1, as a Windows-era record
    TMPEGAudioData back;
    ASSERT_TRUE(ParseRecord(b, back));
    EXPECT_EQ(back.Title.size(), 30);
    EXPECT_EQ(back.Year.size(), 4);
    EXPECT_EQ(back.VolumeLabel.size(), 20);
    EXPECT_EQ(back.FileName, QString::fromUtf8("/cafés"));
}

TEST(Record, Utf8Validation)
{
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain"));
    EXPECT_TRUE(IsValidUtf8("\xC3\xA9\xE2\x98\x83\xF0\x9F\x8E\xB5"));
    EXPECT_FALSE(IsValidUtf8("\xE9t\xE9"));        // Latin-1
    EXPECT_FALSE(IsValidUtf8("\xC3"));             // cut short
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // past U+10FFFF
}
