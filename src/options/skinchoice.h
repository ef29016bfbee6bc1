#pragma once
// The rules of choosing a skin, shared by the options window and the skin
// browser: which skins a skins folder holds, a skin's readme, a new skins
// folder, and putting a skin on the windows with the fallback to "[Default]".
#include "app/shared.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace velmoro::options {

inline const QString kDefaultSkinName = QStringLiteral("[Default]");

// The skins of a skins folder: its subfolders and its .wsz and .zip archives
// (any case), an archive named without its extension, the way LocateSkin
// finds it. Sorted without regard to case; a name that is both a folder and
// an archive is listed once. A missing folder holds none.
QStringList ListSkins(const QString& skinsDir);

// The readme.txt of the skin that skinPath names (folder or archive), at
// most its first 64 KiB, as UTF-8 when valid, else Latin-1. Empty when there
// is none.
inline constexpr qsizetype kReadmeBytes = 64 * 1024;
QString ReadSkinReadme(const QString& skinPath);

// The skins folder that the user's answer asks for, ending with "/": none
// when the answer names no existing folder or the one in use.
std::optional<QString> AcceptSkinsFolder(const QString& answer, const QString& skinsDir);

// The windows that wear the skin in use.
class SkinTarget {
public:
    virtual ~SkinTarget() = default;
    // The main window's skin from a folder or archive: 0, or −1 when it
    // cannot be loaded.
    virtual int LoadPlayerSkin(const QString& skinPath) = 0;
    // The other windows take the skin in SkinDir: the display area's
    // background and colours, the playlist and the equalizer windows.
    virtual void ReloadOtherSkins() = 0;
};

// SkinDir := SkinsDir + name, put on the main window; a skin that does not
// load gives way to "[Default]". Then the other windows follow.
void ApplySkin(app::AppDirectories& dirs, const QString& name, SkinTarget& target);

} // namespace velmoro::options
