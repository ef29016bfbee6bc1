#pragma once
// Where a skin's files come from: a folder, a .wsz archive, or the built-in
// skin. Windows ask a source for their sheets, cursors and colour
// files by name; how the source stores them is its own affair.
#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

namespace velmoro::skin {

class SkinSource {
public:
    virtual ~SkinSource() = default;

    // Whether the skin has a file called name, in any case.
    virtual bool Has(const QString& name) const = 0;

    // The contents of the file called name (any case), up to maxBytes;
    // nullopt when it is missing, cannot be read or is larger.
    virtual std::optional<QByteArray> Read(const QString& name, qsizetype maxBytes) const = 0;

    // Where the skin comes from, for messages.
    virtual QString Where() const = 0;
};

// The built-in skin, drawn at build time and carried among the resources.
const SkinSource& BuiltInSkin();

// The folder or archive file that path names: path itself, or, when nothing
// is there, "path.wsz" or "path.zip" (the extension in any case), since a
// skins folder lists archives by their names alone. Empty when there is none.
QString LocateSkin(const QString& path);

// The skin that path names (see LocateSkin) as a source: a folder, or any
// other file read as an archive. nullptr when there is none, or the archive
// cannot be read or is refused (the reason logged).
std::unique_ptr<SkinSource> OpenSkinSource(const QString& path);

} // namespace velmoro::skin
