#include "player/bookmarks.h"

#include "platform/logging.h"
#include "platform/textlines.h"
#include "platform/wholefile.h"

#include <cerrno>

namespace velmoro::player {

QStringList BookmarkFile::Load(const QString& path)
{
    m_path = path;
    QStringList lines;
    const platform::TextLinesResult read = platform::ReadTextLines(path, {}, [&lines](const QString& line) {
        // A byte 0 ends the text.
        const qsizetype end = line.indexOf(QChar(0));
        if (end != 0)
            lines << line.left(end);
        return end < 0 ? platform::LineUse::Entry : platform::LineUse::Stop;
    });
    if (read.end == platform::TextLinesEnd::Failed && read.error == ENOENT) {
        m_state = State::Readable;
        m_loaded.clear();
        return {};
    }
    // Writing back part of the file would lose the rest of it.
    const bool whole = read.end != platform::TextLinesEnd::Failed &&
                       read.end != platform::TextLinesEnd::EntryCapReached && read.longLinesSkipped == 0;
    m_state = whole ? State::Readable : State::Unreadable;
    if (read.end == platform::TextLinesEnd::Failed)
        qCWarning(lcPlayer).nospace()
            << "the bookmarks in " << path << " cannot be read (" << qPrintable(qt_error_string(read.error))
            << "): the file is kept as it is";
    else if (!whole)
        qCWarning(lcPlayer) << "only part of" << path << "was read: the file is kept as it is";
    m_loaded = lines;
    return lines;
}

BookmarkFile::SaveResult BookmarkFile::Save(const QStringList& bookmarks) const
{
    if (m_state == State::NotRead)
        return {SaveOutcome::Skipped};
    if (m_state == State::Unreadable)
        return {bookmarks == m_loaded ? SaveOutcome::Skipped : SaveOutcome::ChangesDropped};
    QString text;
    for (const QString& line : bookmarks)
        text += line + QStringLiteral("\r\n");
    const int error = platform::WriteFileAtomically(m_path, platform::EncodeText(text));
    return {error != 0 ? SaveOutcome::Failed : SaveOutcome::Written, error};
}

} // namespace velmoro::player
