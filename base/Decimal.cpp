#include "base/Decimal.h"

#include <limits>
#include <string>

namespace wakorin {

Outcome<int> ParseDecimal(std::string_view text) {
  auto fail = [&] { return Error::NotInteger(std::string(text)); };
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return fail();
  long long value = 0;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c < '0' || c > '9') return fail();
    value = value * 10 + (c - '0');
    // Past the range of int the text is not an integer of ours; stop before overflowing.
    if (value > static_cast<long long>(std::numeric_limits<int>::max()) + 1) return fail();
  }
  if (negative) value = -value;
  if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min()) {
    return fail();
  }
  return static_cast<int>(value);
}

}  // namespace wakorin
