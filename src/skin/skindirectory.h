#pragma once
// A skin directory as Windows saw it: file names compared without regard to
// case, since skins were made where "MAIN.BMP", "Main.bmp" and "main.bmp" are
// one file. When several names differ only in case, the one spelled exactly
// as asked wins, else the first in code-unit order; every skin file (bitmaps,
// cursors, colour and text files) is found through this one rule.
#include <QString>
#include <QStringList>

#include <optional>

class QByteArray;

namespace velmoro::skin {

class SkinDirectory {
public:
    // Lists the directory once; a missing directory holds no files.
    explicit SkinDirectory(const QString& path);

    // The full path of the file called name (any case), or empty.
    QString Find(const QString& name) const;

    // The contents of the file called name, up to maxBytes; nullopt when the
    // file is missing, cannot be read or is larger.
    std::optional<QByteArray> Read(const QString& name, qsizetype maxBytes) const;

private:
    QString m_path;
    QStringList m_files; // sorted by code unit
};

} // namespace velmoro::skin
