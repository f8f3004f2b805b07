#include "core/file/RecentTexts.h"

#include "core/file/Cp1251.h"

#include <cstring>

QString TRecentTexts::Decode(const char* bytes, std::size_t n)
{
    std::uint32_t h = 2166136261u;  // FNV-1a
    for (std::size_t i = 0; i < n; ++i)
        h = (h ^ static_cast<std::uint8_t>(bytes[i])) * 16777619u;
    Entry& e = entries_[(h ^ (h >> 16)) & (entries_.size() - 1)];
    if (e.length == n && n > 0 && std::memcmp(e.bytes, bytes, n) == 0)
        return e.text;
    e.text = fromCp1251(bytes, n);
    e.length = static_cast<std::uint8_t>(n);
    std::memcpy(e.bytes, bytes, n);
    return e.text;
}
