#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <type_traits>

// A vector of plain values that holds its first value in itself: per-object lists that
// nearly always have one entry cost no heap block. Reading looks like std::vector's.
template <class T>
class TSmallVector {
    static_assert(std::is_trivially_copyable_v<T>, "values are copied as bytes");

public:
    TSmallVector() = default;
    TSmallVector(std::initializer_list<T> values)
    {
        for (const T& v : values)
            push_back(v);
    }
    TSmallVector(const TSmallVector& other) { *this = other; }
    TSmallVector& operator=(const TSmallVector& other)
    {
        if (this != &other) {
            clear();
            for (const T& v : other)
                push_back(v);
        }
        return *this;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const T* data() const { return heap_ ? heap_.get() : &local_; }
    T* data() { return heap_ ? heap_.get() : &local_; }
    const T& operator[](std::size_t i) const { return data()[i]; }
    T& operator[](std::size_t i) { return data()[i]; }
    const T* begin() const { return data(); }
    const T* end() const { return data() + size_; }

    void push_back(const T& value)
    {
        if (size_ == capacity_) {
            const std::size_t grown = capacity_ * 2;
            auto bigger = std::make_unique<T[]>(grown);
            std::memcpy(bigger.get(), data(), size_ * sizeof(T));
            heap_ = std::move(bigger);
            capacity_ = grown;
        }
        data()[size_++] = value;
    }
    void clear() { size_ = 0; }

private:
    std::unique_ptr<T[]> heap_;
    unsigned size_ = 0;
    unsigned capacity_ = 1;
    T local_{};
};
