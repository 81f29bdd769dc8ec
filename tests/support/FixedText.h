#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace wakorin::testsupport {

// Helpers for fixed-column CP932 text. Fields are raw bytes; widths count bytes.

// True for a CP932 byte that starts a two-byte character.
bool IsSjisLead(unsigned char byte);

// Splits CP932 bytes into characters (one or two bytes each); a lone trailing lead byte stays
// a character of its own.
std::vector<std::string_view> SjisChars(std::string_view sjis);

// `value` padded on the right with ASCII blanks to `width`; throws std::invalid_argument when
// it is longer, so that every later field keeps its offset. `what` names the field in the error.
std::string Field(std::string_view value, std::size_t width, std::string_view what = "field");

// `value` right-aligned in `width` with leading ASCII blanks; throws like Field.
std::string RightAligned(std::string_view value, std::size_t width,
                         std::string_view what = "field");

// CP932 text cut at a character boundary to at most `width` bytes, then padded with ASCII
// blanks. For free text inside lines that nothing reads by offset.
std::string FitSjis(std::string_view sjis, std::size_t width);

// CP932 text padded with full-width blanks to `width` (one ASCII blank first when the gap is
// odd); throws like Field when it is longer.
std::string PadFullWidth(std::string_view sjis, std::size_t width, std::string_view what = "field");

// Full-width digits of `n`, right-aligned in `digits` characters with full-width blanks:
// FullWidthNumber(4, 2) is "　４". Throws when `n` is negative or has more digits.
std::string FullWidthNumber(int n, int digits);

// CP932 text without leading bytes <= 0x20 and without trailing ASCII or full-width blanks.
std::string TrimSjis(std::string_view sjis);

}  // namespace wakorin::testsupport
