#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace wakorin {

// Hashes a short key (a four-byte racer number) as one number rather than byte by byte; longer
// keys as the library does.
struct ShortKeyHash {
  std::size_t operator()(const std::string& key) const noexcept {
    if (key.size() > 8) return std::hash<std::string>{}(key);
    std::uint64_t packed = key.size();
    for (char c : key) packed = packed << 8 | static_cast<unsigned char>(c);
    return static_cast<std::size_t>(packed * 0x9E3779B97F4A7C15ull >> 16);
  }
};

}  // namespace wakorin
