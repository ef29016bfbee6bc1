#pragma once
// Skin archives made by the tests and benchmarks themselves, written in
// memory with the library the program reads them with. Header-only, so that
// any program linked with the skin library can make one.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <zip.h>

#include <stdexcept>
#include <vector>

namespace velmoro::test {

struct ArchiveEntry {
    QString name; // as stored: "\" and any case allowed
    QByteArray bytes;
};

// A zip archive of the entries in their order, each deflated.
inline QByteArray CraftZip(const std::vector<ArchiveEntry>& entries)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_t* archive = buffer ? zip_open_from_source(buffer, ZIP_TRUNCATE, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive)
        throw std::runtime_error("cannot make an archive");
    zip_source_keep(buffer); // read back after the archive is closed
    for (const ArchiveEntry& entry : entries) {
        zip_source_t* data =
            zip_source_buffer(archive, entry.bytes.constData(), zip_uint64_t(entry.bytes.size()), 0);
        const QByteArray name = entry.name.toUtf8();
        const zip_int64_t index = zip_file_add(archive, name.constData(), data, ZIP_FL_ENC_UTF_8);
        if (index < 0 || zip_set_file_compression(archive, zip_uint64_t(index), ZIP_CM_DEFLATE, 9) != 0)
            throw std::runtime_error("cannot add an entry");
    }
    QByteArray bytes;
    zip_stat_t stat;
    if (zip_close(archive) != 0 || zip_source_open(buffer) != 0 || zip_source_stat(buffer, &stat) != 0)
        throw std::runtime_error("cannot close an archive");
    bytes.resize(qsizetype(stat.size));
    const zip_int64_t read = zip_source_read(buffer, bytes.data(), stat.size);
    zip_source_close(buffer);
    zip_source_free(buffer);
    if (read != zip_int64_t(stat.size))
        throw std::runtime_error("cannot read an archive back");
    return bytes;
}

// Every file of dir as an entry under prefix ("", "Skin/", "Skin\\" ...).
inline std::vector<ArchiveEntry> FolderEntries(const QString& dir, const QString& prefix = {})
{
    std::vector<ArchiveEntry> entries;
    for (const QString& name : QDir(dir).entryList(QDir::Files, QDir::Name)) {
        QFile file(QDir(dir).filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            throw std::runtime_error("cannot read a skin file");
        entries.push_back({prefix + name, file.readAll()});
    }
    return entries;
}

} // namespace velmoro::test
