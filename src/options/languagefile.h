#pragma once
// Language files: the captions of every window as a profile file, one
// section per window named by the window, one key per captioned component
// named by the component. Writing one gives a translator the names and the
// texts to translate; applying one puts its texts on the windows. Captioned
// are the window itself, labels, buttons, check boxes, radio buttons, group
// boxes, tab pages and menu items other than separators; a label that shows a
// picture, or is marked as one by kPictureProperty, is not.
#include "platform/profilefile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace velmoro::options {

inline constexpr const char* kPictureProperty = "velmoroPicture";

// Writes the captions the windows show now, each window's section in the
// order given, then "[LangTags]". Keys the file has and the windows do not
// stay.
void WriteCaptions(const QList<QWidget*>& windows, platform::ProfileFile& file);

// Gives the window and its components the captions the file holds for them;
// a caption the file lacks stays as it is. The file is only read.
void ApplyCaptions(const platform::ProfileFile& file, QWidget& window);

// WriteCaptions into the file at path, replaced whole or not at all; 0 or
// the system's error code.
int WriteLanguageFile(const QString& path, const QList<QWidget*>& windows);

// The "*.txt" names of the folders, each once, sorted.
QStringList LanguageFileNames(const QStringList& folders);

// The language in force: the file last chosen, which windows made later get
// too.
class Language {
public:
    // Reads the file (UTF-8, or Latin-1 for older files); false, with the
    // language in force unchanged, when it cannot be read.
    bool Load(const QString& path);
    // No file chosen: the captions stay those the program is built with.
    void ApplyTo(QWidget& window) const;
    // The file's name without its folder; empty before a file is chosen.
    const QString& Name() const { return m_name; }

private:
    QString m_name;
    platform::ProfileFile m_file;
};

} // namespace velmoro::options
