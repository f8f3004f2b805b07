#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// Objects by number, for the mine's lookups: a flat table with open addressing, so a mine of
// a hundred thousand nodes costs one block instead of one per node. A number may index
// several objects (numbers are nearly always unique, but a mine may hold duplicates while
// it is edited); they are found in no particular order.
//
// Mines number their nodes and branches in runs of consecutive numbers. Such a run takes
// consecutive slots, so building and walking the index stays within the cache. Entries are
// kept in Robin Hood order (along a run of taken slots, by the slot they wanted), so a lookup
// stops as soon as it meets an entry that wanted a later slot, however long the run.
template <class T>
class TNumberIndex {
public:
    void Add(int number, T* obj)
    {
        if ((live_ + 1) * 4 > slots_.size() * 3)
            Rehash(std::max<std::size_t>(16, live_ * 2 + 2));
        Slot entry{number, obj};
        std::size_t i = Home(number);
        for (std::size_t distance = 0;; i = Following(i), ++distance) {
            Slot& s = slots_[i];
            if (!s.obj) {
                s = entry;
                ++live_;
                return;
            }
            // The poorer entry takes the slot; the richer one moves on.
            const std::size_t theirs = Distance(i, s.number);
            if (theirs < distance) {
                std::swap(entry, s);
                distance = theirs;
            }
        }
    }

    // Takes out the entry of the object under the number, if there is one; the entries
    // after it move back a slot, so no gap breaks a later lookup.
    void Remove(int number, const T* obj)
    {
        std::size_t i = Find(number, [obj](const T* candidate) { return candidate == obj; });
        if (i == kNone)
            return;
        for (std::size_t next = Following(i); slots_[next].obj && Distance(next, slots_[next].number) > 0;
             i = next, next = Following(next))
            slots_[i] = slots_[next];
        slots_[i] = Slot{};
        --live_;
    }

    template <class Visit>
    void ForEach(int number, Visit visit) const
    {
        Find(number, [&visit](T* candidate) {
            visit(candidate);
            return false;
        });
    }

    void Clear()
    {
        slots_.clear();
        live_ = 0;
    }
    std::size_t Size() const { return live_; }

private:
    struct Slot {
        int number = 0;
        T* obj = nullptr;  // null: free
    };
    static constexpr std::size_t kNone = ~std::size_t{0};

    // The run's own slot; the high bits are folded in so that numbers apart by the table's
    // size do not all want one slot.
    std::size_t Home(int number) const
    {
        const auto n = static_cast<std::uint32_t>(number);
        return static_cast<std::size_t>((n ^ (n >> bits_) ^ (n >> std::min(2 * bits_, 31u))) & (slots_.size() - 1));
    }
    std::size_t Following(std::size_t i) const { return (i + 1) & (slots_.size() - 1); }
    std::size_t Distance(std::size_t i, int number) const { return (i - Home(number)) & (slots_.size() - 1); }

    // The slot of the first entry under the number the predicate accepts, or kNone.
    template <class Accept>
    std::size_t Find(int number, Accept accept) const
    {
        if (slots_.empty())
            return kNone;
        std::size_t i = Home(number);
        for (std::size_t distance = 0;; i = Following(i), ++distance) {
            const Slot& s = slots_[i];
            if (!s.obj || Distance(i, s.number) < distance)
                return kNone;
            if (s.number == number && accept(s.obj))
                return i;
        }
    }

    void Rehash(std::size_t wanted)
    {
        std::size_t size = 16;
        unsigned bits = 4;
        while (size < wanted * 4 / 3 + 1) {
            size *= 2;
            ++bits;
        }
        std::vector<Slot> old;
        old.swap(slots_);
        slots_.assign(size, Slot{});
        bits_ = bits;
        live_ = 0;
        for (const Slot& s : old)
            if (s.obj)
                Add(s.number, s.obj);
    }

    std::vector<Slot> slots_;
    std::size_t live_ = 0;
    unsigned bits_ = 4;
};
