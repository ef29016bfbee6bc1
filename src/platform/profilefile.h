#pragma once
// Profile (INI) files as the program has always read and written them:
// "[section]" lines and "key=value" lines, sections and keys compared without
// regard to case, values without surrounding blanks and enclosing double
// quotes, at most 1023 characters. Writing a key changes only its own line
// (or adds one), so the rest of the file stays as it was.
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringList>

namespace velmoro::platform {

class ProfileFile {
public:
    static constexpr int kMaxValueLength = 1023;
    // Larger files are refused: no real profile file comes near this.
    static constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

    // Reads a file; 0, or the system's error code with the contents emptied.
    int Load(const QString& path);
    // Takes the text of a file (decoded as DecodeText does).
    void Parse(QByteArrayView bytes);

    // The value of the first such key in file order, or defaultValue.
    QString Value(const QString& section, const QString& key, const QString& defaultValue = {}) const;
    bool Contains(const QString& section, const QString& key) const;
    // The keys of a section as written, in file order, each once.
    QStringList Keys(const QString& section) const;

    // Changes the key's line, or adds the key at the end of its section, or
    // adds the section at the end of the file. Line breaks in the value are
    // written as blanks, so a value cannot add lines of its own.
    void SetValue(const QString& section, const QString& key, const QString& value);

    // The file's text in UTF-8, with the line breaks the file had (CR LF for
    // a new file).
    QByteArray ToBytes() const;
    // Writes the file atomically; 0 or the system's error code.
    int Save(const QString& path) const;

private:
    struct Entry {
        QString key;
        QString value;
    };
    struct Section {
        int headerLine = -1; // -1 for the keys before any section header
        int lastLine = -1;   // the last non-blank line that belongs to it
        QList<Entry> entries;
        QHash<QString, qsizetype> byKey; // case-folded key → index in entries
    };

    void Index();
    const Section* Find(const QString& section) const;

    QStringList m_lines;
    QString m_lineBreak = QStringLiteral("\r\n");
    bool m_finalLineBreak = true;
    QList<Section> m_sections;
    QHash<QString, qsizetype> m_byName; // case-folded name → first section of that name
};

} // namespace velmoro::platform
