#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "day/OpenDay.h"
#include "predict/DataForecast.h"
#include "results/RaceResult.h"

namespace wakorin {

// One race of the open day as the day's list shows it: where it stands, when betting closes,
// the data mode's forecast, and once the result file holds it, what came of the tickets.
struct DayRace {
  std::size_t venue = 0;  // index into the day's venues
  int race = 0;           // 1..12
  std::optional<int> deadline;  // minutes after midnight, from the card's 締切予定 (CP932 digits)
  std::string raceName, distance;  // the card's bytes
  DataForecast forecast;
  // From the day's result file: not yet there, or the race's result.
  bool resultKnown = false;
  bool cancelled = false;          // 中　止
  Combination trifecta;            // the winning ３連単 combination (count 0 when none stands)
  PerBet<bool> hit{};              // a recommended ticket of the bet type was paid as a hit
};

// Minutes after midnight of a deadline written as the card writes it ("１５：２０", "15:20").
std::optional<int> DeadlineMinutes(std::string_view cardTime);

// Every race of every venue of the day, forecast by `model` (with the racers' form when given),
// sorted by deadline (races without one last), then in the day's venue order and by race.
std::vector<DayRace> ListDayRaces(const OpenDay& day, const DataModel& model,
                                  const FormBook* forms = nullptr);

// Adds what the day's result file says of each race; the result file's error when it cannot be
// read. A day without a result file, or with another day's, leaves every race unknown.
Outcome<bool> AddDayResults(const OpenDay& day, std::vector<DayRace>& races);

// The first race in the list whose deadline is at `minutes` or later: the next to close.
std::optional<std::size_t> NextToClose(const std::vector<DayRace>& races, int minutes);

}  // namespace wakorin
