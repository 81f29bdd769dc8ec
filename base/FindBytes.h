#pragma once

#include <string_view>

namespace wakorin {

// The first position at or after `from` where `code` stands followed by `tail` (a venue's key
// or end line, "01KEND"), as std::string_view::find of the two joined gives it. The search runs
// on the tail: one on the code would stop at every digit of a result file.
inline std::size_t FindCodeAnd(std::string_view bytes, std::string_view code, std::string_view tail,
                               std::size_t from = 0) {
  if (from > bytes.size() || tail.empty()) return std::string_view::npos;
  for (std::size_t at = bytes.find(tail, from + code.size()); at != std::string_view::npos;
       at = bytes.find(tail, at + 1)) {
    if (bytes.substr(at - code.size(), code.size()) == code) return at - code.size();
  }
  return std::string_view::npos;
}

}  // namespace wakorin
