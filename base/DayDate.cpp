#include "base/DayDate.h"

#include <cstdio>
#include <string>

namespace wakorin {
namespace {

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// A number of `min`..`max` digits at `at` after any blanks; `at` moves past it.
std::optional<int> Number(const std::string& s, std::size_t& at, std::size_t min, std::size_t max) {
  while (at < s.size() && s[at] == ' ') ++at;
  std::size_t digits = 0;
  int value = 0;
  while (at < s.size() && IsDigit(s[at]) && digits < max) value = value * 10 + (s[at++] - '0'), ++digits;
  if (digits < min || (at < s.size() && IsDigit(s[at]))) return std::nullopt;
  return value;
}

bool IsCalendarDate(int year, int month, int day) {
  if (year < 1970 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= (month == 2 && !leap ? 28 : kDays[month - 1]);
}

// The first date whose year starts at or after `from` in normalised text.
std::optional<int> DateFrom(const std::string& s, std::size_t from) {
  for (std::size_t start = from; start + 4 <= s.size(); ++start) {
    if (!IsDigit(s[start]) || (start > 0 && IsDigit(s[start - 1]))) continue;
    std::size_t at = start;
    const auto year = Number(s, at, 4, 4);
    if (!year || at >= s.size() || s[at] != '/') continue;
    ++at;
    const auto month = Number(s, at, 1, 2);
    if (!month || at >= s.size() || s[at] != '/') continue;
    ++at;
    const auto day = Number(s, at, 1, 2);
    if (!day || !IsCalendarDate(*year, *month, *day)) continue;
    return *year * 10000 + *month * 100 + *day;
  }
  return std::nullopt;
}

}  // namespace

// The text is normalised as it is read: full-width digits as ASCII, 年 and 月 as "/", other
// characters as blanks or as themselves, so that both forms of a date read alike. A date never
// spans a line, so each line is searched once it is complete and the rest is never normalised.
std::optional<int> FindDayDate(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  std::size_t line = 0;  // where the line not yet searched starts in `s`
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!IsLeadByte(c) || i + 1 >= text.size()) {
      s += c == '\r' || c == '\n' ? '\n' : static_cast<char>(c);
    } else {
      const auto t = static_cast<unsigned char>(text[++i]);
      if (c == 0x82 && t >= 0x4F && t <= 0x58) {
        s += static_cast<char>('0' + (t - 0x4F));  // ０..９
      } else if ((c == 0x94 && t == 0x4E) || (c == 0x8C && t == 0x8E)) {
        s += '/';  // 年, 月
      } else {
        s += ' ';
      }
    }
    if (s.back() != '\n') continue;
    if (const auto day = DateFrom(s, line)) return day;
    line = s.size();
  }
  return DateFrom(s, line);
}

std::optional<int> DayOfFileName(std::string_view path, char letter) {
  const std::size_t slash = path.rfind('/');
  const std::string_view name = path.substr(slash == std::string_view::npos ? 0 : slash + 1);
  const char lower = static_cast<char>(letter | 0x20), upper = static_cast<char>(letter & ~0x20);
  if (name.size() < 7 || (name[0] != lower && name[0] != upper)) return std::nullopt;
  int digits[6];
  for (std::size_t k = 0; k < 6; ++k) {
    if (!IsDigit(name[k + 1])) return std::nullopt;
    digits[k] = name[k + 1] - '0';
  }
  const int yy = digits[0] * 10 + digits[1];
  return (yy >= 70 ? 1900 + yy : 2000 + yy) * 10000 + (digits[2] * 10 + digits[3]) * 100 +
         digits[4] * 10 + digits[5];
}

std::optional<int> ParseDayArgument(std::string_view text) {
  std::string s(text);
  std::size_t at = 0;
  const auto year = Number(s, at, 4, 4);
  if (!year || at >= s.size() || (s[at] != '-' && s[at] != '/')) return std::nullopt;
  const char separator = s[at++];
  const auto month = Number(s, at, 1, 2);
  if (!month || at >= s.size() || s[at] != separator) return std::nullopt;
  ++at;
  const auto day = Number(s, at, 1, 2);
  if (!day || at != s.size() || !IsCalendarDate(*year, *month, *day)) return std::nullopt;
  return *year * 10000 + *month * 100 + *day;
}

std::string DayText(int yyyymmdd) {
  char text[16];
  const std::chrono::year_month_day day = CalendarDay(yyyymmdd);
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(day.year()) % 10000,
                static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
  return text;
}

std::optional<int> FindFileDay(std::string_view file, std::string_view startMarker) {
  const std::size_t at = file.find(startMarker);
  if (at == std::string_view::npos) return std::nullopt;
  return FindDayDate(file.substr(at, kDayDateSearchBytes));
}

}  // namespace wakorin
