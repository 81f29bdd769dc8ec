#include "base/OfficialText.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>

namespace wakorin {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

bool MarkedUtf16Or32(std::string_view bytes) {
  return StartsWith(bytes, "\xFF\xFE") || StartsWith(bytes, "\xFE\xFF") ||
         StartsWith(bytes, std::string_view("\x00\x00\xFE\xFF", 4));
}

// Whether `bytes` are well-formed UTF-8 with at least one character beyond ASCII. CP932
// Japanese text practically never is: its lead and trail bytes break UTF-8's sequences.
bool IsUtf8BeyondAscii(std::string_view bytes) {
  bool beyond = false;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* end = p + bytes.size();
  while (p < end) {
    const unsigned char c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    std::size_t more = 0;
    unsigned int code = 0;
    if (c >= 0xC2 && c <= 0xDF) {
      more = 1, code = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
      more = 2, code = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      more = 3, code = c & 0x07;
    } else {
      return false;
    }
    if (static_cast<std::size_t>(end - p) <= more) return false;
    for (std::size_t i = 1; i <= more; ++i) {
      if ((p[i] & 0xC0) != 0x80) return false;
      code = (code << 6) | (p[i] & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF are not UTF-8.
    if ((more == 2 && code < 0x800) || (more == 3 && (code < 0x10000 || code > 0x10FFFF)) ||
        (code >= 0xD800 && code <= 0xDFFF)) {
      return false;
    }
    beyond = true;
    p += more + 1;
  }
  return beyond;
}

// Line ends turned into CR LF, but only where the file has not one CR LF and more than one line
// end: an official file with a stray LF somewhere, or a record cut short after its CR, is left
// as it is.
std::optional<std::string> WithCrLf(std::string_view bytes) {
  if (bytes.find("\r\n") != std::string_view::npos) return std::nullopt;
  const auto ends = std::count_if(bytes.begin(), bytes.end(),
                                  [](char c) { return c == '\r' || c == '\n'; });
  if (ends < 2) return std::nullopt;
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 32);
  for (char c : bytes) {
    if (c == '\r' || c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

// Some converters map CP932's wave dash, double bar, minus and the like to the JIS characters
// instead of the full-width forms iconv uses; both come back to the same CP932 bytes.
constexpr std::pair<char32_t, std::string_view> kJisVariants[] = {
    {U'\u301C', "\x81\x60"}, {U'\u2016', "\x81\x61"}, {U'\u2212', "\x81\x7C"},
    {U'\u00A2', "\x81\x91"}, {U'\u00A3', "\x81\x92"}, {U'\u00AC', "\x81\xCA"},
    {U'\u2014', "\x81\x5C"}, {U'\u00A5', "\x5C"},     {U'\u203E', "\x7E"},
};

// The UTF-8 character at `in` (valid by now), with its length.
std::pair<char32_t, std::size_t> DecodeOne(const char* in, std::size_t left) {
  const auto c = static_cast<unsigned char>(in[0]);
  const std::size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
  if (length > left) return {0, left};
  char32_t code = length == 1 ? c : c & (0x3F >> (length - 1));
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (in[i] & 0x3F);
  return {code, length};
}

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  iconv_t convert = iconv_open("CP932", "UTF-8");
  if (convert == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out(utf8.size() + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* to = out.data();
  std::size_t outLeft = out.size();
  bool ok = true;
  while (inLeft > 0 && ok) {
    if (iconv(convert, &in, &inLeft, &to, &outLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      const std::size_t done = out.size() - outLeft;
      out.resize(out.size() * 2);
      to = out.data() + done;
      outLeft = out.size() - done;
      continue;
    }
    ok = false;
    const auto [code, length] = DecodeOne(in, inLeft);
    for (const auto& [variant, cp932] : kJisVariants) {
      if (variant != code) continue;
      if (outLeft < cp932.size()) break;
      std::memcpy(to, cp932.data(), cp932.size());
      to += cp932.size(), outLeft -= cp932.size();
      in += length, inLeft -= length;
      ok = true;
      break;
    }
  }
  iconv_close(convert);
  if (!ok) return std::nullopt;
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace

Outcome<std::shared_ptr<const std::string>> AsOfficialText(std::shared_ptr<const std::string> bytes) {
  std::string_view text = *bytes;
  if (MarkedUtf16Or32(text)) return Error::Text(TextFault::Utf16);
  const bool marked = StartsWith(text, kUtf8Mark);
  if (marked) text.remove_prefix(kUtf8Mark.size());
  std::optional<std::string> converted;
  if (IsUtf8BeyondAscii(text)) {
    converted = Utf8ToCp932(text);
    if (!converted) return Error::Text(TextFault::NotCp932);
  } else if (marked) {
    // A marked file of plain ASCII is taken as it is; a marked file that is not UTF-8 is foreign.
    const bool ascii = std::all_of(text.begin(), text.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) return Error::Text(TextFault::BadUtf8);
    converted = std::string(text);
  }
  std::optional<std::string> lines = WithCrLf(converted ? std::string_view(*converted) : text);
  if (lines) converted = std::move(lines);
  if (!converted) return bytes;
  return std::make_shared<const std::string>(std::move(*converted));
}

}  // namespace wakorin
