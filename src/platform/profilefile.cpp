#include "platform/profilefile.h"

#include "platform/wholefile.h"

namespace velmoro::platform {

namespace {

QString Folded(const QString& name)
{
    return name.trimmed().toCaseFolded();
}

QString Unquoted(QString value)
{
    value = value.trimmed();
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        value = value.mid(1, value.size() - 2);
    if (value.size() > ProfileFile::kMaxValueLength) {
        value.truncate(ProfileFile::kMaxValueLength);
        if (value.back().isHighSurrogate())
            value.chop(1);
    }
    return value;
}

} // namespace

int ProfileFile::Load(const QString& path)
{
    QByteArray bytes;
    const int error = ReadWholeFile(path, kMaxFileSize, bytes);
    Parse(error == 0 ? QByteArrayView(bytes) : QByteArrayView());
    return error;
}

void ProfileFile::Parse(QByteArrayView bytes)
{
    TextLines text = SplitLines(DecodeText(bytes));
    m_lines = std::move(text.lines);
    m_lineBreak = text.lineBreak;
    m_finalLineBreak = text.finalLineBreak;
    Index();
}

void ProfileFile::Index()
{
    m_sections.clear();
    m_byName.clear();
    m_sections.append(Section{});
    qsizetype current = 0;
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString line = m_lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(u';'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = Folded(line.mid(1, close < 0 ? -1 : close - 1));
            // A section that appears twice is read as one.
            current = m_byName.value(name, -1);
            if (current < 0) {
                current = m_sections.size();
                m_byName.insert(name, current);
                m_sections.append(Section{i, i, {}, {}});
            }
            m_sections[current].lastLine = i;
            continue;
        }
        Section& section = m_sections[current];
        section.lastLine = i;
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString folded = key.toCaseFolded();
        if (section.byKey.contains(folded))
            continue;
        section.byKey.insert(folded, section.entries.size());
        section.entries.append(Entry{key, Unquoted(line.mid(equals + 1))});
    }
}

const ProfileFile::Section* ProfileFile::Find(const QString& section) const
{
    const qsizetype index = m_byName.value(Folded(section), -1);
    return index < 0 ? nullptr : &m_sections[index];
}

QString ProfileFile::Value(const QString& section, const QString& key, const QString& defaultValue) const
{
    const Section* s = Find(section);
    if (!s)
        return defaultValue;
    const qsizetype index = s->byKey.value(Folded(key), -1);
    return index < 0 ? defaultValue : s->entries[index].value;
}

bool ProfileFile::Contains(const QString& section, const QString& key) const
{
    const Section* s = Find(section);
    return s && s->byKey.contains(Folded(key));
}

QStringList ProfileFile::Keys(const QString& section) const
{
    QStringList keys;
    if (const Section* s = Find(section)) {
        for (const Entry& entry : s->entries)
            keys << entry.key;
    }
    return keys;
}

void ProfileFile::SetValue(const QString& section, const QString& key, const QString& value)
{
    QString flat = value;
    flat.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString line = key.trimmed() + u'=' + flat;
    const Section* s = Find(section);
    if (!s) {
        m_lines << u'[' + section.trimmed() + u']' << line;
    } else {
        // The line of the key: the first line of the section that names it.
        int keyLine = -1;
        bool inSection = false;
        const QString folded = Folded(key);
        for (int i = s->headerLine; i < m_lines.size() && keyLine < 0; ++i) {
            const QString text = m_lines[i].trimmed();
            if (text.startsWith(u'[')) {
                const qsizetype close = text.indexOf(u']');
                inSection = Folded(text.mid(1, close < 0 ? -1 : close - 1)) == Folded(section);
            } else if (inSection && !text.startsWith(u';') && text.indexOf(u'=') > 0 &&
                       Folded(text.left(text.indexOf(u'='))) == folded) {
                keyLine = i;
            }
        }
        if (keyLine >= 0)
            m_lines[keyLine] = line;
        else
            m_lines.insert(s->lastLine + 1, line);
    }
    Index();
}

QByteArray ProfileFile::ToBytes() const
{
    QString text = m_lines.join(m_lineBreak);
    if (m_finalLineBreak && !m_lines.isEmpty())
        text += m_lineBreak;
    return EncodeText(text);
}

int ProfileFile::Save(const QString& path) const
{
    return WriteFileAtomically(path, ToBytes());
}

} // namespace velmoro::platform
