#pragma once

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

// A vector that keeps its first N values in itself and moves to the heap only beyond them.
// The per-object lists of a mine (a branch's pipes, a pipe's devices, a node's branches)
// nearly always stay that short, so a large mine needs no heap block for them. The heap
// pointer shares its bytes with the inline values; the capacity tells which is in use.
//
// Values must be movable without throwing (raw and unique pointers). Iterators are plain
// pointers and, as with std::vector, become invalid when the vector grows or shrinks.
template <class T, std::size_t N>
class TInlineVector {
    static_assert(N > 0, "an inline vector keeps at least one value in itself");
    static_assert(std::is_nothrow_move_constructible_v<T>, "values move without throwing");

public:
    using value_type = T;
    using iterator = T*;
    using const_iterator = const T*;

    TInlineVector() = default;
    TInlineVector(const TInlineVector&) = delete;
    TInlineVector& operator=(const TInlineVector&) = delete;
    TInlineVector(TInlineVector&& other) noexcept { TakeFrom(other); }
    TInlineVector& operator=(TInlineVector&& other) noexcept
    {
        if (this != &other) {
            Release();
            TakeFrom(other);
        }
        return *this;
    }
    ~TInlineVector() { Release(); }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }

    T* data() { return OnHeap() ? store_.heap : Local(); }
    const T* data() const { return OnHeap() ? store_.heap : Local(); }
    T& operator[](std::size_t i) { return data()[i]; }
    const T& operator[](std::size_t i) const { return data()[i]; }
    iterator begin() { return data(); }
    iterator end() { return data() + size_; }
    const_iterator begin() const { return data(); }
    const_iterator end() const { return data() + size_; }

    void reserve(std::size_t n)
    {
        if (n > capacity_)
            Grow(n);
    }

    void push_back(T value)
    {
        if (size_ == capacity_)
            Grow(capacity_ * 2);
        ::new (static_cast<void*>(data() + size_)) T(std::move(value));
        ++size_;
    }

    iterator insert(const_iterator pos, T value)
    {
        const std::size_t at = static_cast<std::size_t>(pos - begin());
        push_back(std::move(value));
        std::rotate(begin() + at, end() - 1, end());
        return begin() + at;
    }

    iterator erase(const_iterator pos) { return erase(pos, pos + 1); }
    iterator erase(const_iterator first, const_iterator last)
    {
        T* from = begin() + (first - begin());
        T* to = begin() + (last - begin());
        T* newEnd = std::move(to, end(), from);
        std::destroy(newEnd, end());
        size_ = static_cast<unsigned>(newEnd - begin());
        return from;
    }

    template <class It>
    void assign(It first, It last)
    {
        clear();
        reserve(static_cast<std::size_t>(std::distance(first, last)));
        for (; first != last; ++first)
            push_back(*first);
    }

    // Drops the values; a heap block is kept for the values to come.
    void clear()
    {
        std::destroy(begin(), end());
        size_ = 0;
    }

private:
    bool OnHeap() const { return capacity_ > N; }
    T* Local() { return std::launder(reinterpret_cast<T*>(store_.local)); }
    const T* Local() const { return std::launder(reinterpret_cast<const T*>(store_.local)); }

    void Grow(std::size_t wanted)
    {
        const std::size_t n = std::max<std::size_t>(wanted, N + 1);
        T* bigger = std::allocator<T>().allocate(n);
        T* old = data();
        std::uninitialized_move(old, old + size_, bigger);
        std::destroy(old, old + size_);
        if (OnHeap())
            std::allocator<T>().deallocate(store_.heap, capacity_);
        store_.heap = bigger;
        capacity_ = static_cast<unsigned>(n);
    }

    void Release()
    {
        clear();
        if (OnHeap())
            std::allocator<T>().deallocate(store_.heap, capacity_);
        capacity_ = N;
    }

    // Leaves the other vector empty with its inline room.
    void TakeFrom(TInlineVector& other)
    {
        if (other.OnHeap()) {
            store_.heap = other.store_.heap;
            capacity_ = other.capacity_;
            size_ = other.size_;
            other.capacity_ = N;
            other.size_ = 0;
            return;
        }
        std::uninitialized_move(other.begin(), other.end(), Local());
        size_ = other.size_;
        other.clear();
    }

    union Store {
        T* heap;
        alignas(T) unsigned char local[N * sizeof(T)];
    } store_;
    unsigned size_ = 0;
    unsigned capacity_ = N;
};
