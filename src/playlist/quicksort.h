#pragma once
// The playlist's quicksort, step for step as the program has always sorted:
// middle pivot taken once per round, Hoare partition, the left part sorted
// before the right one. Keeping the exact steps keeps the exact order of
// entries with equal keys, which users see.
#include <functional>
#include <utility>
#include <vector>

namespace velmoro::playlist {

// Sorts items[0..size-1] in place. compare(a, b) returns its sign's worth;
// direction is +1 or −1. progress (may be empty) gets I after every
// partition step. The scans never leave the range, even for a compare that
// contradicts itself, so a faulty comparison cannot read outside the list.
template <typename T, typename Compare>
void PlaylistQuickSort(std::vector<T>& items, Compare compare, int direction,
                       const std::function<void(int)>& progress)
{
    if (items.empty())
        return;
    const auto sign = [&](const T& a, const T& b) {
        const int c = compare(a, b);
        return (c > 0) - (c < 0);
    };
    // The ranges still to sort after the current one; the most recently
    // pushed is the one the recursive form would return to first.
    std::vector<std::pair<int, int>> pending;
    int l = 0;
    int r = int(items.size()) - 1;
    for (;;) {
        int i = l;
        int j = r;
        const T pivot = items[std::size_t((l + r) >> 1)];
        do {
            while (i < r && sign(items[std::size_t(i)], pivot) * direction < 0)
                ++i;
            while (j > l && sign(items[std::size_t(j)], pivot) * direction > 0)
                --j;
            if (i <= j) {
                std::swap(items[std::size_t(i)], items[std::size_t(j)]);
                ++i;
                --j;
            }
            if (progress)
                progress(i);
        } while (i <= j);
        if (i < r)
            pending.emplace_back(i, r);
        if (l < j) {
            r = j;
            continue;
        }
        if (pending.empty())
            return;
        std::tie(l, r) = pending.back();
        pending.pop_back();
    }
}

} // namespace velmoro::playlist
