#pragma once
// A skin packed as a .wsz (a zip archive under another name, as skins are
// published), read in memory and never unpacked to disk. Names follow the
// rules of a Windows disk the archive would have been unpacked on: case and
// "\" against "/" do not matter, and of two entries differing only in case
// the later one wins, as it would overwrite the earlier. The skin's files are
// the archive's root files, or when the root holds none, the files of its
// single top folder.
#include "skin/skinsource.h"

#include <QByteArray>
#include <QHash>
#include <QString>

#include <memory>

namespace velmoro::skin {

// Beyond this a skin is no skin but a trap: the archive file and the sum of
// its files unpacked.
inline constexpr qint64 kMaxSkinArchiveBytes = 32 * 1024 * 1024;

class SkinArchive final : public SkinSource {
public:
    // The archive's bytes as its source, or nullptr (the reason logged) when
    // they are no zip archive, are damaged or break a size or ratio bound.
    static std::unique_ptr<SkinArchive> FromBytes(const QByteArray& bytes, const QString& where);
    // The archive file at path; nullptr as above, or when it cannot be read.
    static std::unique_ptr<SkinArchive> FromFile(const QString& path);

    ~SkinArchive() override;

    bool Has(const QString& name) const override;
    std::optional<QByteArray> Read(const QString& name, qsizetype maxBytes) const override;
    QString Where() const override { return m_where; }

private:
    struct Zip;
    SkinArchive(QByteArray bytes, QString where);

    QByteArray m_bytes; // the archive reads from these
    QString m_where;
    std::unique_ptr<Zip> m_zip;
    QHash<QString, quint64> m_entries; // folded skin file name → entry index
};

} // namespace velmoro::skin
