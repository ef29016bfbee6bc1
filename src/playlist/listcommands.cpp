// The window's whole-list commands, and the store's edits beneath them.
#include "playlist/listcommands.h"

#include "platform/logging.h"
#include "platform/verify.h"
#include "playlist/busyscope.h"

#include <QRandomGenerator>

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace velmoro::playlist {

namespace {

// Which of the entries 0..size−1 are not drawn yet, and the k-th of them in
// list order, both in logarithmic time: a shuffle of a long list must not
// shift the rest of the list at every draw.
class NotYetDrawn {
public:
    explicit NotYetDrawn(int size) : m_tree(std::size_t(size) + 1, 0)
    {
        // Each node counts the entries of its range; all are present.
        for (int i = 1; i <= size; ++i)
            m_tree[std::size_t(i)] = i & -i;
        m_top = 1;
        while (m_top * 2 <= size)
            m_top *= 2;
    }

    // The list index of the k-th entry not yet drawn (from 0), which is then
    // drawn.
    int Take(int k)
    {
        int at = 0;
        for (int step = m_top; step > 0; step /= 2) {
            const int next = at + step;
            if (next < int(m_tree.size()) && m_tree[std::size_t(next)] <= k) {
                at = next;
                k -= m_tree[std::size_t(next)];
            }
        }
        for (int i = at + 1; i < int(m_tree.size()); i += i & -i)
            --m_tree[std::size_t(i)];
        return at;
    }

private:
    std::vector<int> m_tree; // 1-based Fenwick tree
    int m_top = 1;
};

int SystemRandom(int n)
{
    return int(QRandomGenerator::global()->bounded(n));
}

} // namespace

void TMPEGAudioList::ChangeEach(const std::function<void(TMPEGAudio&)>& change)
{
    const BusyScope busy(m_busy, OnBusyChanged);
    for (const auto& entry : m_entries)
        change(*entry);
}

void TMPEGAudioList::RemoveIf(const std::function<bool(const TMPEGAudio&)>& remove)
{
    if (m_busy)
        return;
    const BusyScope busy(m_busy, OnBusyChanged);
    std::size_t kept = 0;
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (remove(*m_entries[i]))
            m_entries[i].reset();
        else
            m_entries[kept++] = std::move(m_entries[i]);
    }
    m_entries.resize(kept);
}

bool TMPEGAudioList::ReadAgainInDrawnOrder(const std::function<int(int n)>& pick)
{
    if (m_busy)
        return false;
    const BusyScope busy(m_busy, OnBusyChanged);
    // The list keeps its length throughout, so that a window repainting while
    // the files are read finds an entry in every row: the new entries come
    // first, the ones not yet drawn fill the rest, in slots that say which
    // entry of the old order each holds.
    const int total = Count();
    NotYetDrawn notDrawn(total);
    std::vector<int> slotOf(std::size_t(total), 0);
    std::iota(slotOf.begin(), slotOf.end(), 0);
    std::vector<int> oldIndexAt = slotOf;
    for (int slot = 0; slot < total; ++slot) {
        const int left = total - slot;
        int k = pick(left);
        VELMORO_VERIFY_OR_DEBUG_ASSERT(k >= 0 && k < left)
        {
            qCWarning(lcPlaylist) << "drawn" << k << "of" << left << "entries";
            k = std::clamp(k, 0, left - 1);
        }
        const int from = slotOf[std::size_t(notDrawn.Take(k))];
        // The entry not yet drawn that stood in this slot takes the drawn
        // one's place.
        std::swap(m_entries[std::size_t(slot)], m_entries[std::size_t(from)]);
        oldIndexAt[std::size_t(from)] = oldIndexAt[std::size_t(slot)];
        slotOf[std::size_t(oldIndexAt[std::size_t(from)])] = from;
        auto& entry = m_entries[std::size_t(slot)];
        entry = ReadEntry(entry->GetFileName());
        if (OnProgress && !OnProgress(*entry, entry->GetFileName(), slot + 1, total)) {
            RestoreOldOrder(slot + 1, oldIndexAt);
            return false;
        }
        ProcessMessagesEvery30(slot + 1);
    }
    return true;
}

void TMPEGAudioList::RestoreOldOrder(int from, const std::vector<int>& oldIndexAt)
{
    std::vector<std::pair<int, std::unique_ptr<TMPEGAudio>>> rest;
    rest.reserve(m_entries.size() - std::size_t(from));
    for (std::size_t slot = std::size_t(from); slot < m_entries.size(); ++slot)
        rest.emplace_back(oldIndexAt[slot], std::move(m_entries[slot]));
    std::sort(rest.begin(), rest.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < rest.size(); ++i)
        m_entries[std::size_t(from) + i] = std::move(rest[i].second);
}

QString SortKeyTemplate(SortKey key)
{
    switch (key) {
    case SortKey::Title:
        return QStringLiteral("%title%");
    case SortKey::Artist:
        return QStringLiteral("%artist%");
    case SortKey::Album:
        return QStringLiteral("%album%");
    case SortKey::FileName:
        return QStringLiteral("%filename%");
    case SortKey::Duration:
        return QStringLiteral("%duration%");
    case SortKey::FileDate:
        return QStringLiteral("%filedate%");
    }
    return {};
}

void SortByKey(TMPEGAudioList& list, SortKey key)
{
    list.SortMethod = SortByTemplate;
    list.SortTemplate = SortKeyTemplate(key);
    list.Sort();
}

void SetSortDirection(TMPEGAudioList& list, bool descending)
{
    list.SortDescending = descending;
}

void ChangeMarks(TMPEGAudioList& list, MarkChange change)
{
    list.ChangeEach([change](TMPEGAudio& entry) {
        switch (change) {
        case MarkChange::All:
            entry.SetSelected(1);
            break;
        case MarkChange::None:
            entry.SetSelected(0);
            break;
        case MarkChange::Invert:
            entry.SetSelected(entry.Data().Selected == 0 ? 1 : 0);
            break;
        }
    });
}

void RemoveEntries(TMPEGAudioList& list, RemoveWhich which)
{
    list.RemoveIf([which](const TMPEGAudio& entry) {
        switch (which) {
        case RemoveWhich::Marked:
            return entry.Data().Selected != 0;
        case RemoveWhich::Unmarked:
            return entry.Data().Selected == 0;
        case RemoveWhich::All:
            break;
        }
        return true;
    });
}

bool Shuffle(TMPEGAudioList& list, const std::function<int(int n)>& random)
{
    return list.ReadAgainInDrawnOrder(random ? random : std::function<int(int)>(SystemRandom));
}

} // namespace velmoro::playlist
