#include "tests/support/FixedText.h"

#include <stdexcept>

namespace wakorin::testsupport {
namespace {

constexpr std::string_view kFullWidthBlank = "\x81\x40";

[[noreturn]] void ThrowTooLong(std::string_view what, std::size_t size, std::size_t width) {
  throw std::invalid_argument(std::string(what) + ": " + std::to_string(size) +
                              " bytes do not fit in " + std::to_string(width));
}

}  // namespace

bool IsSjisLead(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::vector<std::string_view> SjisChars(std::string_view sjis) {
  std::vector<std::string_view> chars;
  std::size_t i = 0;
  while (i < sjis.size()) {
    const std::size_t len =
        IsSjisLead(static_cast<unsigned char>(sjis[i])) && i + 1 < sjis.size() ? 2 : 1;
    chars.push_back(sjis.substr(i, len));
    i += len;
  }
  return chars;
}

std::string Field(std::string_view value, std::size_t width, std::string_view what) {
  if (value.size() > width) ThrowTooLong(what, value.size(), width);
  std::string out(value);
  out.append(width - value.size(), ' ');
  return out;
}

std::string RightAligned(std::string_view value, std::size_t width, std::string_view what) {
  if (value.size() > width) ThrowTooLong(what, value.size(), width);
  std::string out(width - value.size(), ' ');
  out += value;
  return out;
}

std::string FitSjis(std::string_view sjis, std::size_t width) {
  std::string out;
  for (std::string_view c : SjisChars(sjis)) {
    if (out.size() + c.size() > width) break;
    out += c;
  }
  out.append(width - out.size(), ' ');
  return out;
}

std::string PadFullWidth(std::string_view sjis, std::size_t width, std::string_view what) {
  if (sjis.size() > width) ThrowTooLong(what, sjis.size(), width);
  std::string out(sjis);
  if ((width - out.size()) % 2 != 0) out += ' ';
  while (out.size() < width) out += kFullWidthBlank;
  return out;
}

std::string FullWidthNumber(int n, int digits) {
  if (n < 0) throw std::invalid_argument("FullWidthNumber: negative number");
  const std::string plain = std::to_string(n);
  if (plain.size() > static_cast<std::size_t>(digits)) {
    throw std::invalid_argument("FullWidthNumber: " + plain + " has more than " +
                                std::to_string(digits) + " digits");
  }
  std::string out;
  for (std::size_t i = plain.size(); i < static_cast<std::size_t>(digits); ++i) {
    out += kFullWidthBlank;
  }
  for (char d : plain) {
    out += '\x82';
    out += static_cast<char>(0x4F + (d - '0'));
  }
  return out;
}

std::string TrimSjis(std::string_view sjis) {
  std::size_t start = 0;
  while (start < sjis.size() && static_cast<unsigned char>(sjis[start]) <= 0x20) ++start;
  std::vector<std::string_view> chars = SjisChars(sjis.substr(start));
  while (!chars.empty() &&
         (chars.back() == " " || chars.back() == kFullWidthBlank ||
          (chars.back().size() == 1 && static_cast<unsigned char>(chars.back()[0]) < 0x20))) {
    chars.pop_back();
  }
  std::string out;
  for (std::string_view c : chars) out += c;
  return out;
}

}  // namespace wakorin::testsupport
