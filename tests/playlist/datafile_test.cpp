// Playlist data files of the three versions, made here byte by byte and read
// back field by field; damaged ones are read without leaving their records.
#include "listtest.h"
#include "support/capturedlog.h"
#include "platform/logging.h"
#include "playlist/datafile.h"

#include <QtEndian>

#include <cerrno>
#include <cmath>
#include <cstring>

using namespace velmoro::playlist;
using namespace velmoro::test;

namespace {

// Where each version keeps each field; -1 where it has none.
struct Layout {
    int version, size, duration, fileLength, fileVersion, layer, sampleRate, bitRate, spare, mode, copyright,
        original, errorProt, padding, frameLength, crc, fileName, fileNameCapacity, fileDateTime, fileAttr,
        volumeLabel, selected;
};
constexpr Layout k100{0x0100, 408, 136, 140, 144, 145, 146, 152, 156, 158, 159,
                      160,    161, -1,  -1,  162, 164, 159, 324, 332, 336, -1};
constexpr Layout k101{0x0101, 324, 135, 137, 141, 142, 143, 149, 153, 155, 156,
                      157,    158, -1,  -1,  159, 161, 79,  241, 249, 253, -1};
constexpr Layout k102{0x0102, 492, 135, 137, 141, 142, 143, 147, 151, 153, 154,
                      155,    156, 157, 158, 160, 162, 255, 418, 422, 424, 445};

// 2001-02-03 04:05:06 as days since 1899-12-30, and in the packed form.
const double kDays = QDate(1899, 12, 30).daysTo(QDate(2001, 2, 3)) + (4 * 3600 + 5 * 60 + 6) / 86400.0;
constexpr std::int32_t kPacked = 21 << 25 | 2 << 21 | 3 << 16 | 4 << 11 | 5 << 5 | 3;

QByteArray Real48(double value)
{
    QByteArray six(6, '\0');
    if (value == 0)
        return six;
    int exponent = 0;
    const double fraction =
        std::frexp(std::abs(value), &exponent); // value = fraction * 2^exponent, fraction in [0.5, 1)
    auto mantissa = std::uint64_t(std::llround((fraction * 2 - 1) * std::ldexp(1.0, 39)));
    six[0] = char(exponent - 1 + 129);
    for (int i = 1; i <= 5; ++i, mantissa >>= 8)
        six[i] = char(mantissa & 0xFF);
    if (value < 0)
        six[5] = char(six[5] | 0x80);
    return six;
}

class RecordBytes {
public:
    explicit RecordBytes(const Layout& layout) : m_layout(layout), m_bytes(layout.size, '\xEE') {}

    RecordBytes& String(int at, const QByteArray& text, int lengthByte = -1)
    {
        m_bytes[at] = char(lengthByte < 0 ? text.size() : lengthByte);
        m_bytes.replace(at + 1, text.size(), text);
        return *this;
    }
    template <typename T> RecordBytes& Int(int at, T value)
    {
        if (at >= 0)
            qToLittleEndian(value, m_bytes.data() + at);
        return *this;
    }
    RecordBytes& Raw(int at, const QByteArray& bytes)
    {
        m_bytes.replace(at, bytes.size(), bytes);
        return *this;
    }
    const QByteArray& Bytes() const { return m_bytes; }

    // Every field set, with values that tell the fields apart.
    static RecordBytes Sample(const Layout& l)
    {
        RecordBytes r(l);
        r.String(0, "TAG").String(4, "A title").String(35, "An artist").String(66, "An album");
        r.String(97, "1999").String(102, "A comment").Int<std::uint8_t>(133, 17).Int<std::uint8_t>(134, 5);
        r.Int<std::uint16_t>(l.duration, 245).Int<std::int32_t>(l.fileLength, 3920000);
        r.Int<std::uint8_t>(l.fileVersion, 1).Int<std::uint8_t>(l.layer, 3);
        if (l.version == 0x0102)
            r.Int<std::int32_t>(l.sampleRate, 44100);
        else
            r.Raw(l.sampleRate, Real48(44.1));
        r.Int<std::int32_t>(l.bitRate, 128).Int<std::uint16_t>(l.spare, 0xBEEF).Int<std::uint8_t>(l.mode, 1);
        r.Int<std::uint8_t>(l.copyright, 1)
            .Int<std::uint8_t>(l.original, 0)
            .Int<std::uint8_t>(l.errorProt, 1);
        r.Int<std::uint8_t>(l.padding, 1)
            .Int<std::uint16_t>(l.frameLength, 418)
            .Int<std::uint16_t>(l.crc, 0xCAFE);
        r.String(l.fileName, "C:\\Music\\a.mp3");
        if (l.version == 0x0102)
            r.Int<std::int32_t>(l.fileDateTime, kPacked);
        else
            r.Int<double>(l.fileDateTime, kDays);
        r.Int<std::uint16_t>(l.fileAttr, 0x21)
            .String(l.volumeLabel, "DISK")
            .Int<std::uint16_t>(l.selected, 1);
        if (l.version == 0x0102)
            r.Raw(447, QByteArray(45, '\0'));
        return r;
    }

private:
    const Layout& m_layout;
    QByteArray m_bytes;
};

QByteArray Header(int version, const QByteArray& description = "Velmoro", char lengthByte = 7,
                  const QByteArray& signature = "MP3DATA")
{
    QByteArray h;
    h += lengthByte;
    h += signature;
    h += char(version >> 8);
    h += char(version & 0xFF);
    h += char(description.size());
    h += description;
    h += '\x01'; // the byte after the description
    const QByteArray extra("extra");
    h += char(extra.size());
    if (version != 0x0100)
        h += '\0'; // the size's high byte
    h += extra;
    return h;
}

class DataFileTest : public ListTest {
protected:
    QString DataFile(const Layout& l, int records)
    {
        QByteArray bytes = Header(l.version);
        for (int i = 0; i < records; ++i)
            bytes += RecordBytes::Sample(l).Bytes();
        return Write("list.mp3data", bytes);
    }
};

} // namespace

TEST_F(DataFileTest, EveryVersionFieldByField)
{
    for (const Layout* l : {&k100, &k101, &k102}) {
        m_list.Clear();
        ASSERT_EQ(m_list.LoadMP3Data(DataFile(*l, 2)), 0) << l->version;
        ASSERT_EQ(m_list.Count(), 2);
        const TMPEGAudioData& d = m_list.Items(1).Data();
        const bool old = l->version != 0x0102;
        EXPECT_EQ(d.Header, "TAG");
        EXPECT_EQ(d.Title, "A title");
        EXPECT_EQ(d.Artist, "An artist");
        EXPECT_EQ(d.Album, "An album");
        EXPECT_EQ(d.Year, "1999");
        EXPECT_EQ(d.Comment, "A comment");
        EXPECT_EQ(d.Genre, 17);
        EXPECT_EQ(d.Track, 5);
        EXPECT_EQ(d.Duration, 245);
        EXPECT_EQ(d.FileLength, 3920000);
        EXPECT_EQ(d.Version, 1);
        EXPECT_EQ(d.Layer, 3);
        EXPECT_EQ(d.SampleRate, 44100);
        EXPECT_EQ(d.BitRate, 128);
        EXPECT_EQ(d.Spare, 0xBEEF);
        EXPECT_EQ(d.Mode, 1);
        EXPECT_TRUE(d.Copyright);
        EXPECT_FALSE(d.Original);
        EXPECT_TRUE(d.ErrorProt);
        EXPECT_EQ(d.CRC, 0xCAFE);
        EXPECT_EQ(d.FileName, "C:\\Music\\a.mp3");
        EXPECT_EQ(d.FileDateTime, kPacked);
        EXPECT_EQ(d.FileAttr, 0x21);
        EXPECT_EQ(d.VolumeLabel, "DISK");
        // Not in the older layouts: the values of a reset record.
        EXPECT_EQ(d.Padding, !old);
        EXPECT_EQ(d.FrameLength, old ? 0 : 418);
        EXPECT_EQ(d.Selected, old ? 0 : 1);
        EXPECT_TRUE(m_list.Items(1).IsValid());
    }
}

TEST(DataRecordNumbers, SixByteReals)
{
    EXPECT_NEAR(Real48ToDouble(Real48(44.1)), 44.1, 1e-10);
    EXPECT_EQ(Real48ToDouble(Real48(-0.1875)), -0.1875);
    EXPECT_EQ(Real48ToDouble(QByteArray("\x00\xFF\xFF\xFF\xFF\xFF", 6)), 0.0); // exponent 0 is zero
    EXPECT_EQ(Real48ToDouble(QByteArray("\x81\x00\x00\x00\x00\x40", 6)), 1.5);
}

TEST_F(DataFileTest, SampleRatesRoundHalfToEvenAndImpossibleOnesAreZero)
{
    const std::pair<QByteArray, std::int32_t> cases[] = {
        {Real48(0.0625), 62},                                                   // 62.5 Hz
        {Real48(0.1875), 188},                                                  // 187.5 Hz
        {Real48(22.05), 22050}, {QByteArray("\xFF\x00\x00\x00\x00\x00", 6), 0}, // 2^126 kHz
        {Real48(-3e6), 0},
    };
    QByteArray bytes = Header(0x0101);
    for (const auto& [real, hz] : cases)
        bytes += RecordBytes::Sample(k101).Raw(k101.sampleRate, real).Bytes();
    ASSERT_EQ(m_list.LoadMP3Data(Write("rates.mp3data", bytes)), 0);
    for (int i = 0; i < m_list.Count(); ++i)
        EXPECT_EQ(m_list.Items(i).Data().SampleRate, cases[i].second) << i;
}

TEST(DataRecordNumbers, DatesOutsideTheRangeAreZero)
{
    EXPECT_EQ(PackedFromDays(kDays), kPacked);
    const double lastSecond = QDate(1899, 12, 30).daysTo(QDate(2100, 1, 1)) - 1 / 86400.0;
    EXPECT_EQ(PackedFromDays(lastSecond), 119 << 25 | 12 << 21 | 31 << 16 | 23 << 11 | 59 << 5 | 29);
    EXPECT_EQ(PackedFromDays(lastSecond + 1 / 86400.0), 0); // 2100
    EXPECT_EQ(PackedFromDays(QDate(1899, 12, 30).daysTo(QDate(1980, 1, 1))), 1 << 21 | 1 << 16);
    EXPECT_EQ(PackedFromDays(QDate(1899, 12, 30).daysTo(QDate(1979, 12, 31))), 0);
    EXPECT_EQ(PackedFromDays(std::nan("")), 0);
    EXPECT_EQ(PackedFromDays(1e300), 0);
    EXPECT_EQ(PackedFromDays(-1e300), 0);
}

TEST_F(DataFileTest, OversizedLengthsAreCappedInsideTheRecord)
{
    for (const Layout* l : {&k100, &k101, &k102}) {
        m_list.Clear();
        RecordBytes r = RecordBytes::Sample(*l);
        r.String(0, "TAGX", 255).String(4, QByteArray(30, 't'), 255).String(97, "19999", 200);
        r.String(l->fileName, QByteArray(l->fileNameCapacity, 'n'), 255);
        // The label is the last string of the record and of the file: a
        // reader that trusted its length would run off the end.
        r.String(l->volumeLabel, QByteArray(20, 'v'), 255);
        const QByteArray record =
            r.Bytes().left(l->volumeLabel + 21) + QByteArray(l->size - l->volumeLabel - 21, '\xFF');
        ASSERT_EQ(m_list.LoadMP3Data(Write("long.mp3data", Header(l->version) + record)), 0);
        const TMPEGAudioData& d = m_list.Items(0).Data();
        EXPECT_EQ(d.Header, "TAG");
        EXPECT_EQ(d.Title, QString(30, u't'));
        EXPECT_EQ(d.Year, "1999");
        EXPECT_EQ(d.FileName.size(), l->fileNameCapacity);
        EXPECT_EQ(d.VolumeLabel, QString(20, u'v'));
    }
}

TEST_F(DataFileTest, SignatureCaseLengthByteAndVersion)
{
    const CapturedLog log(velmoro::lcPlaylist());
    const QByteArray record = RecordBytes::Sample(k102).Bytes();
    const QString lower = Write("lower.dat", Header(0x0102, "", 7, "mp3data") + record);
    EXPECT_EQ(m_list.DetectFileKind(lower), KindMP3Data);
    EXPECT_EQ(m_list.LoadMP3Data(lower), -1);
    EXPECT_EQ(m_list.LoadFile(lower), -1);

    EXPECT_EQ(m_list.LoadMP3Data(Write("eight.dat", Header(0x0102, "", 8) + record)), 0);
    EXPECT_EQ(m_list.LoadMP3Data(Write("six.dat", Header(0x0102, "", 6) + record)), -1);
    EXPECT_EQ(m_list.DetectFileKind(Path("six.dat")), KindNone);
    EXPECT_EQ(m_list.LoadMP3Data(Write("v2.dat", Header(0x0200) + record)), -1);
    EXPECT_EQ(m_list.LoadMP3Data(Write("short.dat", Header(0x0102).left(12))), -1);
    EXPECT_EQ(m_list.LoadMP3Data(Path("missing.dat")), -1);
    EXPECT_EQ(m_list.Count(), 1);
    // Each refusal is told once, with what was wrong.
    ASSERT_EQ(log.Messages().size(), 6) << log.Text();
    EXPECT_TRUE(log.Messages()[0].contains("signature")) << log.Text();
    EXPECT_TRUE(log.Messages()[3].contains("unknown version 0x0200")) << log.Text();
    EXPECT_TRUE(log.Messages()[5].contains(qt_error_string(ENOENT))) << log.Text();
}

TEST_F(DataFileTest, SizeMustBeWholeRecords)
{
    for (const Layout* l : {&k100, &k101, &k102}) {
        const QByteArray bytes = Header(l->version) + RecordBytes::Sample(*l).Bytes().repeated(3);
        EXPECT_EQ(m_list.LoadMP3Data(Write("plus.dat", bytes + 'x')), -3) << l->version;
        EXPECT_EQ(m_list.LoadMP3Data(Write("minus.dat", bytes.chopped(1))), -3) << l->version;
        EXPECT_EQ(m_list.Count(), 0);
    }
    EXPECT_EQ(m_list.LoadMP3Data(Write("empty.dat", Header(0x0101))), 0);
}

TEST_F(DataFileTest, ProgressAndAbortThroughLoadFile)
{
    const QString file = DataFile(k102, 3);
    QList<int> calls;
    m_list.OnProgress = [&](TMPEGAudio& entry, const QString& source, int number, int total) {
        EXPECT_EQ(source, file);
        EXPECT_EQ(entry.Data().Title, "A title");
        calls << number << total;
        return number < 2;
    };
    EXPECT_EQ(m_list.LoadFile(file), -2);
    EXPECT_EQ(calls, (QList<int>{1, 3, 2, 3}));
    EXPECT_EQ(m_list.Count(), 2); // what was read stays
}
