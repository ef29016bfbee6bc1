#pragma once
// Where a skin's files come from: a folder today, an archive later, and the
// built-in skin. Windows ask a source for their sheets, cursors and colour
// files by name; how the source stores them is its own affair.
#include <QByteArray>
#include <QString>

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

} // namespace velmoro::skin
