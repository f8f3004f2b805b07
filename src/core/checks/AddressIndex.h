#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// The index of every object of a list, found by the object's address without reading the
// object. In a large mine the objects lie far apart, and reading one only to learn its
// place in its list costs a trip to main memory; this table stays in the cache.
template <class T>
class TAddressIndex {
public:
    template <class List>
    explicit TAddressIndex(const List& list)
    {
        size_t capacity = 16;
        while (capacity < 2 * static_cast<size_t>(list.Count()))
            capacity *= 2;
        mask_ = capacity - 1;
        slots_.assign(capacity, {nullptr, -1});
        int index = 0;
        for (const T* object : list) {
            size_t at = Hash(object);
            while (slots_[at].first && slots_[at].first != object)
                at = (at + 1) & mask_;
            // An object listed twice keeps its first place.
            if (!slots_[at].first)
                slots_[at] = {object, index};
            ++index;
        }
    }

    // −1 when the object is not in the list.
    int Find(const T* object) const
    {
        if (!object)
            return -1;
        for (size_t at = Hash(object);; at = (at + 1) & mask_) {
            if (slots_[at].first == object)
                return slots_[at].second;
            if (!slots_[at].first)
                return -1;
        }
    }

private:
    size_t Hash(const T* object) const
    {
        const uint64_t address = reinterpret_cast<uintptr_t>(object);
        return static_cast<size_t>(((address >> 4) * 0x9E3779B97F4A7C15ull) >> 20) & mask_;
    }

    std::vector<std::pair<const T*, int>> slots_;
    size_t mask_ = 0;
};
