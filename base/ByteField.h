#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace wakorin {

// Cuts `width` bytes at `offset` out of `bytes`, the bytes actually read. The field is cut short
// at the end of those bytes and at the first NUL, so a short read or a damaged file can never
// make a field reach past the buffer or carry stale bytes.
inline std::string_view CutField(std::string_view bytes, std::size_t offset, std::size_t width) {
  if (offset >= bytes.size()) return {};
  std::string_view field = bytes.substr(offset, width);
  // Most fields are a few bytes, looked through where they stand rather than by a library call.
  if (field.size() <= 16) {
    for (std::size_t i = 0; i < field.size(); ++i) {
      if (field[i] == '\0') return field.substr(0, i);
    }
    return field;
  }
  if (std::size_t nul = field.find('\0'); nul != std::string_view::npos)
    field = field.substr(0, nul);
  return field;
}

// Same with a 1-based column range first..last of a line, as the file layouts are written.
inline std::string_view CutColumns(std::string_view line, std::size_t first, std::size_t last) {
  return CutField(line, first - 1, last - first + 1);
}

// Removes bytes <= 0x20 at both ends; full-width blanks (two bytes above 0x20) stay.
inline std::string_view TrimControlAndBlanks(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
  while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
  return text.substr(begin, end - begin);
}

inline bool StartsWith(std::string_view bytes, std::size_t offset, std::string_view expected) {
  return offset <= bytes.size() && bytes.substr(offset, expected.size()) == expected;
}

}  // namespace wakorin
