#include "playlist/mpegaudiolist.h"

#include "platform/logging.h"
#include "platform/verify.h"
#include "playlist/busyscope.h"
#include "playlist/listpaths.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace velmoro::playlist {

TMPEGAudio& TMPEGAudioList::BlankStandIn() const
{
    if (!m_standIn)
        m_standIn = std::make_unique<TMPEGAudio>();
    else
        *m_standIn = TMPEGAudio();
    return *m_standIn;
}

TMPEGAudio& TMPEGAudioList::Items(int index)
{
    return const_cast<TMPEGAudio&>(std::as_const(*this).Items(index));
}

const TMPEGAudio& TMPEGAudioList::Items(int index) const
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(index >= 0 && index < Count())
    {
        qCWarning(lcPlaylist) << "no entry" << index << "in a list of" << Count();
        return BlankStandIn();
    }
    return *m_entries[std::size_t(index)];
}

std::unique_ptr<TMPEGAudio> TMPEGAudioList::NewEntry() const
{
    auto entry = std::make_unique<TMPEGAudio>();
    entry->SearchLimit = SearchLimit;
    entry->OnReadError = OnReadError;
    entry->UnknownArtist = UnknownArtist;
    entry->UnknownTitle = UnknownTitle;
    entry->OnSearchProgress = OnProcessMessages;
    return entry;
}

TMPEGAudio& TMPEGAudioList::Append(std::unique_ptr<TMPEGAudio> entry)
{
    m_entries.push_back(std::move(entry));
    return *m_entries.back();
}

std::unique_ptr<TMPEGAudio> TMPEGAudioList::ReadEntry(const QString& fileName) const
{
    auto created = NewEntry();
    created->AutoLoad = false;
    created->SetFileName(fileName);
    // A missing or damaged file is listed all the same, as the read left it.
    // An address is no file: reading it as one would turn it into a path.
    if (!IsAddress(fileName))
        created->ReadData();
    return created;
}

int TMPEGAudioList::AddFile(const QString& fileName)
{
    const BusyScope busy(m_busy, OnBusyChanged);
    TMPEGAudio& entry = Append(ReadEntry(fileName));
    const int index = Count() - 1;
    if (OnProgress && !OnProgress(entry, entry.GetFileName(), 1, 1))
        return -2;
    return index;
}

int TMPEGAudioList::AddFiles(const QStringList& files, const QString& source)
{
    const BusyScope busy(m_busy, OnBusyChanged);
    int result = 0;
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (!AddListEntry(files[i], source, i + 1, files.size(), result))
            break;
        ProcessMessagesEvery30(i + 1);
    }
    return result;
}

void TMPEGAudioList::AddRecord(const TMPEGAudioData& record)
{
    auto entry = NewEntry();
    entry->SetData(record);
    Append(std::move(entry));
}

void TMPEGAudioList::Delete(int index)
{
    VELMORO_VERIFY_OR_DEBUG_ASSERT(index >= 0 && index < Count())
    {
        return;
    }
    if (m_busy)
        return;
    m_entries.erase(m_entries.begin() + index);
}

void TMPEGAudioList::Clear()
{
    if (m_busy)
        return;
    // Freed in index order, as callers of the old store could observe.
    for (auto& entry : m_entries)
        entry.reset();
    m_entries.clear();
}

int TMPEGAudioList::ReadWithRetry(const QString& fileName, const std::function<int()>& read) const
{
    while (const int error = read()) {
        qCWarning(lcPlaylist) << "cannot read the list" << fileName << "-"
                              << qPrintable(qt_error_string(error));
        const int answer = OnFileError ? OnFileError(fileName) : 0;
        if (answer == FileErrorAbort)
            return -2;
        if (answer != FileErrorRetry)
            return -1;
    }
    return 0;
}

int TMPEGAudioList::ReadListLines(const QString& fileName, const platform::TextLineHandler& onLine,
                                  const std::function<void(platform::TextLineReader&)>& beforeRead)
{
    platform::TextLineReader reader(ListLimits);
    if (const int opened = ReadWithRetry(fileName, [&] { return reader.Open(fileName); }))
        return opened;
    if (beforeRead)
        beforeRead(reader);
    const platform::TextLinesResult read = reader.Read(onLine);
    if (read.end == platform::TextLinesEnd::Failed)
        qCWarning(lcPlaylist) << "stopped reading the list" << fileName << "-"
                              << qPrintable(qt_error_string(read.error));
    if (read.end == platform::TextLinesEnd::EntryCapReached && OnEntryCapReached)
        OnEntryCapReached(fileName, read.entries);
    return 0;
}

bool TMPEGAudioList::AddListEntry(const QString& name, const QString& source, std::int64_t number,
                                  std::int64_t total, int& result)
{
    const auto capped = [](std::int64_t n) { return int(std::clamp<std::int64_t>(n, INT_MIN, INT_MAX)); };
    const int index = AddFile(name);
    if (index < 0) {
        result = index;
        return false;
    }
    result = index;
    if (OnProgress && !OnProgress(Items(index), source, capped(number), capped(total))) {
        result = -2;
        return false;
    }
    return true;
}

void TMPEGAudioList::ProcessMessagesEvery30(std::int64_t number) const
{
    if (number % 30 == 0 && OnProcessMessages)
        OnProcessMessages();
}

} // namespace velmoro::playlist
