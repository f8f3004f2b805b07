#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

// Objects by number, for the mine's lookups: a flat table with open addressing, so a mine of
// a hundred thousand nodes costs one block instead of one per node. A number may index
// several objects (numbers are nearly always unique, but a mine may hold duplicates while
// it is edited); they are found in no particular order.
template <class T>
class TNumberIndex {
public:
    void Add(int number, T* obj)
    {
        if ((used_ + 1) * 4 > slots_.size() * 3)
            Rehash(std::max<std::size_t>(16, live_ * 2 + 2));
        Slot* s = &slots_[Home(number)];
        while (s->obj && s->obj != Gone())
            s = Next(s);
        if (!s->obj)
            ++used_;
        *s = Slot{number, obj};
        ++live_;
    }

    // Takes out the entry of the object under the number, if there is one.
    void Remove(int number, const T* obj)
    {
        if (slots_.empty())
            return;
        for (Slot* s = &slots_[Home(number)]; s->obj; s = Next(s))
            if (s->number == number && s->obj == obj) {
                s->obj = Gone();
                --live_;
                return;
            }
    }

    template <class Visit>
    void ForEach(int number, Visit visit) const
    {
        if (slots_.empty())
            return;
        for (const Slot* s = &slots_[Home(number)]; s->obj; s = Next(s))
            if (s->number == number && s->obj != Gone())
                visit(s->obj);
    }

    void Clear()
    {
        slots_.clear();
        used_ = live_ = 0;
    }
    std::size_t Size() const { return live_; }

private:
    struct Slot {
        int number = 0;
        T* obj = nullptr;  // null: never used; Gone(): removed, the probe goes on past it
    };
    static T* Gone() { return reinterpret_cast<T*>(alignof(T) > 1 ? alignof(T) - 1 : 1); }

    // Fibonacci hashing spreads the runs of consecutive numbers mines are made of.
    std::size_t Home(int number) const
    {
        const std::uint64_t h = static_cast<std::uint32_t>(number) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(h >> shift_);
    }
    Slot* Next(Slot* s) { return s + 1 == slots_.data() + slots_.size() ? slots_.data() : s + 1; }
    const Slot* Next(const Slot* s) const { return s + 1 == slots_.data() + slots_.size() ? slots_.data() : s + 1; }

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
        shift_ = 64 - bits;
        used_ = live_ = 0;
        for (const Slot& s : old)
            if (s.obj && s.obj != Gone())
                Add(s.number, s.obj);
    }

    std::vector<Slot> slots_;
    std::size_t used_ = 0;  // slots ever taken since the last rehash, removed ones included
    std::size_t live_ = 0;
    unsigned shift_ = 60;
};
