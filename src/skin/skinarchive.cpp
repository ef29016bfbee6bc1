#include "skin/skinarchive.h"

#include "platform/logging.h"
#include "platform/wholefile.h"

#include <QSet>
#include <QStringList>

#include <zip.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace velmoro::skin {

namespace {

// Skin sheets of a flat colour pack a hundred to one and more, but they are
// small; a large file packed that tightly was made to fill memory.
constexpr zip_uint64_t kRatioCheckedAbove = 1024 * 1024;
constexpr zip_uint64_t kMaxPackingRatio = 100;

// Archives packed on a Mac carry a second top folder of resource forks.
const QString kMacResourceFolder = QStringLiteral("__macosx");

QString Folded(const QString& name)
{
    return name.toCaseFolded();
}

// An entry's path split at "/" and "\", and whether it names a folder.
struct EntryPath {
    QStringList parts;
    bool folder = false;
};

EntryPath SplitEntryName(const char* raw)
{
    QString name = QString::fromUtf8(raw);
    name.replace(u'\\', u'/');
    return {name.split(u'/', Qt::SkipEmptyParts), name.endsWith(u'/')};
}

using ArchiveFiles = std::vector<std::pair<EntryPath, zip_uint64_t>>; // path, entry index

// The skin's files by folded name: the root's files, or the files of a
// single top folder where the root has none of that name; of two entries of
// one name, the later.
QHash<QString, quint64> SkinFileIndex(const ArchiveFiles& files)
{
    QHash<QString, quint64> index;
    QSet<QString> topFolders;
    for (const auto& [path, entry] : files)
        if (path.parts.size() > 1 && Folded(path.parts.front()) != kMacResourceFolder)
            topFolders.insert(Folded(path.parts.front()));
    if (topFolders.size() == 1) {
        for (const auto& [path, entry] : files)
            if (path.parts.size() == 2 && Folded(path.parts.front()) == *topFolders.cbegin())
                index.insert(Folded(path.parts.back()), entry);
    }
    for (const auto& [path, entry] : files)
        if (path.parts.size() == 1)
            index.insert(Folded(path.parts.back()), entry);
    return index;
}

struct ZipError {
    zip_error_t error;
    ZipError() { zip_error_init(&error); }
    ~ZipError() { zip_error_fini(&error); }
    ZipError(const ZipError&) = delete;
    ZipError& operator=(const ZipError&) = delete;
    const char* Text() { return zip_error_strerror(&error); }
};

} // namespace

struct SkinArchive::Zip {
    zip_t* archive = nullptr;
    ~Zip()
    {
        if (archive)
            zip_discard(archive);
    }
};

SkinArchive::SkinArchive(QByteArray bytes, QString where)
    : m_bytes(std::move(bytes)), m_where(std::move(where)), m_zip(std::make_unique<Zip>())
{
}

SkinArchive::~SkinArchive() = default;

std::unique_ptr<SkinArchive> SkinArchive::FromFile(const QString& path)
{
    QByteArray bytes;
    if (const int error = platform::ReadWholeFile(path, kMaxSkinArchiveBytes, bytes); error != 0) {
        qCWarning(lcSkin) << "cannot read the skin archive" << path << ":" << std::strerror(error);
        return nullptr;
    }
    return FromBytes(bytes, path);
}

std::unique_ptr<SkinArchive> SkinArchive::FromBytes(const QByteArray& bytes, const QString& where)
{
    const auto refuse = [&where](const char* why) {
        qCWarning(lcSkin) << "the skin archive" << where << "is refused:" << why;
        return nullptr;
    };
    if (bytes.size() > kMaxSkinArchiveBytes)
        return refuse("larger than a skin may be");
    // The library would open an empty file as a new, empty archive.
    if (bytes.isEmpty())
        return refuse("empty");
    std::unique_ptr<SkinArchive> skin(new SkinArchive(bytes, where));
    ZipError error;
    // The source reads the archive's own copy, which lives as long as it.
    zip_source_t* source = zip_source_buffer_create(skin->m_bytes.constData(),
                                                    zip_uint64_t(skin->m_bytes.size()), 0, &error.error);
    if (!source)
        return refuse(error.Text());
    skin->m_zip->archive = zip_open_from_source(source, ZIP_RDONLY, &error.error);
    if (!skin->m_zip->archive) {
        zip_source_free(source);
        return refuse(error.Text());
    }

    // Checked from the central directory before anything is unpacked; a
    // file's read then stops at its stated size.
    zip_t* archive = skin->m_zip->archive;
    const zip_int64_t count = zip_get_num_entries(archive, 0);
    zip_uint64_t total = 0;
    ArchiveFiles files;
    for (zip_uint64_t index = 0; index < zip_uint64_t(std::max<zip_int64_t>(count, 0)); ++index) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        const zip_uint64_t needed = ZIP_STAT_NAME | ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE;
        if (zip_stat_index(archive, index, 0, &stat) != 0 || (stat.valid & needed) != needed)
            return refuse("an entry cannot be read");
        EntryPath path = SplitEntryName(stat.name);
        if (path.folder || path.parts.isEmpty())
            continue;
        if (stat.size > zip_uint64_t(kMaxSkinArchiveBytes) - total)
            return refuse("its files unpack to more than a skin may hold");
        total += stat.size;
        if (stat.size > kRatioCheckedAbove && stat.size / kMaxPackingRatio > stat.comp_size)
            return refuse("a file is packed too tightly to be a picture");
        files.emplace_back(std::move(path), index);
    }

    skin->m_entries = SkinFileIndex(files);
    return skin;
}

bool SkinArchive::Has(const QString& name) const
{
    return m_entries.contains(Folded(name));
}

std::optional<QByteArray> SkinArchive::Read(const QString& name, qsizetype maxBytes) const
{
    const auto found = m_entries.constFind(Folded(name));
    if (found == m_entries.cend())
        return std::nullopt;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(m_zip->archive, *found, 0, &stat) != 0 || stat.size > zip_uint64_t(maxBytes))
        return std::nullopt;
    zip_file_t* file = zip_fopen_index(m_zip->archive, *found, 0);
    if (!file)
        return std::nullopt;
    QByteArray bytes(qsizetype(stat.size), Qt::Uninitialized);
    const zip_int64_t read = zip_fread(file, bytes.data(), stat.size);
    // Data that goes on past the stated size, or a checksum that does not
    // match, is a damaged file, not a longer one.
    char beyond = 0;
    const zip_int64_t more = zip_fread(file, &beyond, 1);
    zip_fclose(file);
    if (read < 0 || zip_uint64_t(read) != stat.size || more != 0)
        return std::nullopt;
    return bytes;
}

} // namespace velmoro::skin
