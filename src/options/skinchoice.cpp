#include "options/skinchoice.h"

#include "platform/logging.h"
#include "platform/wholefile.h"
#include "skin/skinarchive.h"
#include "skin/skindirectory.h"
#include "skin/skinsource.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace velmoro::options {

QStringList ListSkins(const QString& skinsDir)
{
    const QDir folder(skinsDir);
    QStringList names = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString& file : folder.entryList(QDir::Files)) {
        const QFileInfo info(file);
        const QString extension = info.suffix().toLower();
        if (extension == u"wsz" || extension == u"zip")
            names << info.completeBaseName();
    }
    std::sort(names.begin(), names.end(),
              [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

namespace {

// A cut may split a character: its first bytes are left out, so that the
// rest still reads as UTF-8.
QByteArray CutWhole(QByteArray bytes)
{
    if (bytes.size() <= kReadmeBytes)
        return bytes;
    bytes.truncate(kReadmeBytes);
    for (qsizetype i = bytes.size() - 1; i >= 0 && i >= bytes.size() - 4; --i) {
        const quint8 byte = quint8(bytes[i]);
        if ((byte & 0xC0) == 0x80)
            continue; // inside a character: look for its first byte
        const int length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        if (bytes.size() - i < length)
            bytes.truncate(i);
        break;
    }
    return bytes;
}

// The first bytes of a folder's file, however large the file is.
std::optional<QByteArray> ReadHead(const QString& path, qsizetype count)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.read(count);
}

} // namespace

QString ReadSkinReadme(const QString& skinPath)
{
    const QString readme = QStringLiteral("readme.txt");
    const QString located = skin::LocateSkin(skinPath);
    std::optional<QByteArray> bytes;
    if (QFileInfo(located).isDir()) {
        const QString file = skin::SkinDirectory(located).Find(readme);
        if (file.isEmpty())
            return {};
        bytes = ReadHead(file, kReadmeBytes + 1);
    } else {
        // An archive's member is read whole, within the archive's own limit.
        const std::unique_ptr<skin::SkinSource> source = skin::OpenSkinSource(skinPath);
        if (!source || !source->Has(readme))
            return {};
        bytes = source->Read(readme, skin::kMaxSkinArchiveBytes);
    }
    if (!bytes) {
        qCWarning(lcSkin) << "the readme of" << skinPath << "cannot be read";
        return {};
    }
    return platform::DecodeText(CutWhole(*bytes));
}

std::optional<QString> AcceptSkinsFolder(const QString& answer, const QString& skinsDir)
{
    if (answer.isEmpty() || !QFileInfo(answer).isDir())
        return std::nullopt;
    // Skin paths are the folder and a skin's name put together.
    const QString folder = app::IncludeTrailingSlash(answer);
    if (folder == skinsDir)
        return std::nullopt;
    return folder;
}

void ApplySkin(app::AppDirectories& dirs, const QString& name, SkinTarget& target)
{
    dirs.SkinDir = dirs.SkinsDir + name;
    if (target.LoadPlayerSkin(dirs.SkinDir) != 0) {
        qCWarning(lcSkin) << "the skin" << dirs.SkinDir << "cannot be loaded: the default skin is used";
        dirs.SkinDir = dirs.SkinsDir + kDefaultSkinName;
        target.LoadPlayerSkin(dirs.SkinDir);
    }
    target.ReloadOtherSkins();
}

} // namespace velmoro::options
