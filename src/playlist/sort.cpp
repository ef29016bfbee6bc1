#include "playlist/busyscope.h"
#include "playlist/mpegaudiolist.h"
#include "playlist/quicksort.h"
#include "trackinfo/templates.h"

#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <numeric>

namespace velmoro::playlist {

namespace {

// Byte by byte by character code; UTF-8 bytes order as the code points do.
int CompareKeys(const QByteArray& a, const QByteArray& b)
{
    const int c = std::memcmp(a.constData(), b.constData(), std::size_t(std::min(a.size(), b.size())));
    if (c != 0)
        return c;
    return (a.size() > b.size()) - (a.size() < b.size());
}

} // namespace

void TMPEGAudioList::Sort()
{
    if (SortMethod == SortNone || m_entries.empty() || m_busy)
        return;
    const BusyScope busy(m_busy, OnBusyChanged);
    const int direction = SortDescending ? -1 : 1;
    // The entries stay where they are while the order of their numbers is
    // sorted; the list is rearranged once at the end.
    std::vector<int> order(m_entries.size());
    std::iota(order.begin(), order.end(), 0);
    if (SortMethod == SortByCompare && OnCompare) {
        const auto compare = [&](int a, int b) {
            return OnCompare(*m_entries[std::size_t(a)], *m_entries[std::size_t(b)]);
        };
        PlaylistQuickSort(order, compare, direction, OnSortProgress);
    } else if (SortTemplate.contains(u'%')) {
        // Each key is formatted once: the entries do not change during a sort.
        std::vector<QByteArray> keys;
        keys.reserve(m_entries.size());
        for (const auto& entry : m_entries)
            keys.push_back(trackinfo::FormatTemplate(entry.get(), SortTemplate).toUtf8());
        const auto compare = [&](int a, int b) {
            return CompareKeys(keys[std::size_t(a)], keys[std::size_t(b)]);
        };
        PlaylistQuickSort(order, compare, direction, OnSortProgress);
    } else {
        return;
    }
    std::vector<std::unique_ptr<TMPEGAudio>> sorted;
    sorted.reserve(m_entries.size());
    for (const int index : order)
        sorted.push_back(std::move(m_entries[std::size_t(index)]));
    m_entries = std::move(sorted);
}

} // namespace velmoro::playlist
