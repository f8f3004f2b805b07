#pragma once

// A lookup from an object to a number for lookups many times over: the pairs sorted by
// address in one array, found by binary search. Built in one sort, freed in one release,
// with none of a hash table's allocation per entry — the results of a large mine hold
// hundreds of thousands of them.

#include <algorithm>
#include <utility>
#include <vector>

template <class T>
class TPointerIndex {
public:
    void Clear() { entries_.clear(); }
    void Reserve(size_t n) { entries_.reserve(n); }
    // Adds an entry; Sort before looking up. With equal keys the first added wins.
    void Add(const T* key, int value) { entries_.emplace_back(key, value); }
    void Sort()
    {
        std::stable_sort(entries_.begin(), entries_.end(),
                         [](const Entry& a, const Entry& b) { return std::less<const T*>()(a.first, b.first); });
        entries_.erase(std::unique(entries_.begin(), entries_.end(),
                                   [](const Entry& a, const Entry& b) { return a.first == b.first; }),
                       entries_.end());
    }
    // The value of the key, −1 without one.
    int Find(const T* key) const
    {
        const auto it = std::lower_bound(entries_.begin(), entries_.end(), key, [](const Entry& e, const T* k) {
            return std::less<const T*>()(e.first, k);
        });
        return it != entries_.end() && it->first == key ? it->second : -1;
    }

private:
    using Entry = std::pair<const T*, int>;
    std::vector<Entry> entries_;
};
