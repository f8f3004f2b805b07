#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>

// The short texts a reader met last, by their Windows-1251 bytes. A mine repeats its device
// models and many remarks thousands of times; a repeated text then shares one QString
// instead of taking a block of its own, which cuts both the reading time and the memory of
// a large mine.
class TRecentTexts {
public:
    static constexpr std::size_t kMaxBytes = 47;

    // The text of n bytes (n <= kMaxBytes), decoded or shared with its last occurrence.
    QString Decode(const char* bytes, std::size_t n);

private:
    struct Entry {
        std::uint8_t length = 0;
        char bytes[kMaxBytes];
        QString text;
    };
    std::array<Entry, 256> entries_{};
};
