#include "playlist/mpegaudiolist.h"

#include "playlist/busyscope.h"

#include <QtGlobal>

namespace velmoro::playlist {

TMPEGAudio& TMPEGAudioList::Items(int index)
{
    Q_ASSERT_X(index >= 0 && index < Count(), "TMPEGAudioList::Items", "index out of range");
    return *m_entries[std::size_t(index)];
}

const TMPEGAudio& TMPEGAudioList::Items(int index) const
{
    Q_ASSERT_X(index >= 0 && index < Count(), "TMPEGAudioList::Items", "index out of range");
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

int TMPEGAudioList::AddFile(const QString& fileName)
{
    const BusyScope busy(m_busy);
    auto created = NewEntry();
    created->AutoLoad = false;
    created->SetFileName(fileName);
    // A missing or damaged file is listed all the same, as the read left it.
    created->ReadData();
    TMPEGAudio& entry = Append(std::move(created));
    const int index = Count() - 1;
    if (OnProgress && !OnProgress(entry, entry.GetFileName(), 1, 1))
        return -2;
    return index;
}

void TMPEGAudioList::AddRecord(const TMPEGAudioData& record)
{
    auto entry = NewEntry();
    entry->SetData(record);
    Append(std::move(entry));
}

void TMPEGAudioList::Delete(int index)
{
    Q_ASSERT_X(index >= 0 && index < Count(), "TMPEGAudioList::Delete", "index out of range");
    if (m_busy || index < 0 || index >= Count())
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

int TMPEGAudioList::ReadWithRetry(const QString& fileName, const std::function<bool()>& read) const
{
    while (!read()) {
        const int answer = OnFileError ? OnFileError(fileName) : 0;
        if (answer == FileErrorAbort)
            return -2;
        if (answer != FileErrorRetry)
            return -1;
    }
    return 0;
}

bool TMPEGAudioList::AddListEntry(const QString& name, const QString& source, int number, int total,
                                  int& result)
{
    const int index = AddFile(name);
    if (index < 0) {
        result = index;
        return false;
    }
    result = index;
    if (OnProgress && !OnProgress(Items(index), source, number, total)) {
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
