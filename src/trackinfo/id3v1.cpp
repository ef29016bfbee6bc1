#include "trackinfo/id3v1.h"

#include <algorithm>

namespace velmoro::trackinfo {

namespace {

QByteArrayView UpToZero(QByteArrayView field)
{
    const qsizetype zero = field.indexOf('\0');
    return zero < 0 ? field : field.first(zero);
}

// Blanks and zero bytes both pad a text field; leading blanks are kept.
QString TextField(QByteArrayView block, int at, int length)
{
    QByteArrayView field = UpToZero(block.sliced(at, length));
    while (!field.isEmpty() && (field.back() == ' ' || field.back() == '\0'))
        field.chop(1);
    return QString::fromLatin1(field);
}

void Put(QByteArray& block, int at, int capacity, const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    std::copy_n(bytes.constData(), std::min<qsizetype>(bytes.size(), capacity), block.data() + at);
}

} // namespace

bool IsId3v1Tag(QByteArrayView block)
{
    return block.size() >= kTagSize && block.startsWith("TAG");
}

void ApplyId3v1(QByteArrayView block, TMPEGAudioData& d)
{
    d.Header = QString::fromLatin1(block.first(3));
    d.Title = TextField(block, 3, 30);
    d.Artist = TextField(block, 33, 30);
    d.Album = TextField(block, 63, 30);
    d.Year = QString::fromLatin1(UpToZero(block.sliced(93, 4)));
    d.Comment = TextField(block, 97, 30);
    // Only an ID3v1.1 tag, with a zero before it, has a track byte: in a
    // 1.0 tag byte 126 is the comment's last character.
    d.Track = block[125] == '\0' ? std::uint8_t(block[126]) : 0;
    d.Genre = std::uint8_t(block[127]);
}

QByteArray BuildId3v1(const TMPEGAudioData& d)
{
    QByteArray block(kTagSize, '\0');
    Put(block, 0, 3, QStringLiteral("TAG"));
    Put(block, 3, 30, d.Title);
    Put(block, 33, 30, d.Artist);
    Put(block, 63, 30, d.Album);
    Put(block, 93, 4, d.Year);
    // A track needs the ID3v1.1 layout (a zero, then the track); without one
    // the comment keeps all its 30 characters.
    if (d.Track != 0) {
        Put(block, 97, 28, d.Comment);
        block[126] = char(d.Track);
    } else {
        Put(block, 97, 30, d.Comment);
    }
    block[127] = char(d.Genre);
    return block;
}

} // namespace velmoro::trackinfo
