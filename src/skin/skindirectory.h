#pragma once
// A skin directory as Windows saw it: file names compared without regard to
// case, since skins were made where "MAIN.BMP", "Main.bmp" and "main.bmp" are
// one file. When several names differ only in case, the one spelled exactly
// as asked wins, else the first in code-unit order; every skin file (bitmaps,
// cursors, colour and text files) is found through this one rule.
#include "skin/skinsource.h"

#include <QString>
#include <QStringList>

namespace velmoro::skin {

class SkinDirectory final : public SkinSource {
public:
    // Lists the directory once; a missing directory holds no files.
    explicit SkinDirectory(const QString& path);

    // The full path of the file called name (any case), or empty.
    QString Find(const QString& name) const;

    bool Has(const QString& name) const override { return !Find(name).isEmpty(); }
    std::optional<QByteArray> Read(const QString& name, qsizetype maxBytes) const override;
    QString Where() const override { return m_path; }

private:
    QString m_path;
    QStringList m_files; // sorted by code unit
};

} // namespace velmoro::skin
