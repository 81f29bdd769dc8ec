#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace wakorin {

// The first date written in `text` (CP932) as year, month and day, in either form the official
// files use: "２０２４年　４月　１日" in a race program file, "2024/ 4/ 1" in a result file.
// Returned as yyyymmdd (20240401); nullopt when there is none or it is no calendar date.
std::optional<int> FindDayDate(std::string_view text);

// The day a day's file name tells: `letter` (either case) then YYMMDD, at the start of the name
// ("b240101.lzh", "K060415.TXT" -> 20240101, 20060415); 70..99 are 19xx. nullopt otherwise.
std::optional<int> DayOfFileName(std::string_view path, char letter);

// A day as people type it on a command line: "2024-04-01", "2024/04/01", "2024/4/1". nullopt
// for anything else, or a day the calendar does not have ("2024-13-01", "2023-02-29").
std::optional<int> ParseDayArgument(std::string_view text);

// The one place a yyyymmdd number is taken apart: its calendar date (check ok() before use).
constexpr std::chrono::year_month_day CalendarDay(int yyyymmdd) {
  return std::chrono::year_month_day{std::chrono::year{yyyymmdd / 10000},
                                     std::chrono::month{static_cast<unsigned>(yyyymmdd / 100 % 100)},
                                     std::chrono::day{static_cast<unsigned>(yyyymmdd % 100)}};
}

// "2024-04-01", for messages.
std::string DayText(int yyyymmdd);

// The day of a race program or result file: the date in the header of its first venue block.
// A file's blocks are all of one day; the header is within this many bytes of the start.
inline constexpr std::size_t kDayDateSearchBytes = 2048;
// The date in the first kDayDateSearchBytes after `startMarker` (STARTB, STARTK).
std::optional<int> FindFileDay(std::string_view file, std::string_view startMarker);

}  // namespace wakorin
