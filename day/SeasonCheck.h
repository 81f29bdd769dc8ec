#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/Error.h"
#include "day/DayCheck.h"
#include "day/RaceDays.h"
#include "day/SeasonStats.h"
#include "predict/DataModel.h"

namespace wakorin {

// One day of a season as the check went: a day checked, or why it was not. In the data mode an
// earlier day, or a result file alone, comes too (`counted` false) with the copies it refused,
// since its results feed the racers' form.
struct SeasonDay {
  int date = 0;  // yyyymmdd
  bool counted = false;  // in the range, with a race program file: a day to check
  std::string file;      // the race program file taken, else the first one tried
  std::vector<RefusedFile> refused;  // copies not taken, and why
  std::optional<DayGap> gap;         // left out: it lacks a file it needs
  std::optional<Error> unreadable;   // the copy taken does not open as a race program file
  // The standard mode found no statistics file for the day: nothing was checked.
  std::optional<SeasonStats::ForDay> noStats;
  std::optional<DayCheck> check;  // its problems stand in check->problems

  // Whether any venue was checked.
  bool Checked() const { return check && !check->venues.empty(); }
  // Whether there is anything to say about it: a copy refused, a day left out or unchecked, a
  // problem of the check.
  bool Troubled() const {
    return !refused.empty() || gap || unreadable || noStats || (check && !check->problems.empty());
  }
};

struct SeasonOptions {
  // The data mode's model; without one, the standard mode on `stats` (prepared for the days).
  std::shared_ptr<const DataModel> model;
  const SeasonStats* stats = nullptr;
  int from = 0, to = 99999999;  // yyyymmdd, both included
  unsigned jobs = 1;            // days checked at once
  const std::atomic<bool>* stop = nullptr;  // set: no further day is begun
  // Also count the six fixed favourites of each bet type in every race (VenueCheck::favourites).
  bool favourites = false;
};

// The days of `listing` that are checked: in the range, with a race program file.
std::vector<DayCopies> DaysToCheck(const DayListing& listing, int from, int to);

// Checks every day of `listing` in the range through the road of the window's check, several at
// a time, and hands each to `take` in date order on the caller's thread; only a few days are held
// at once, so memory stays the same however many days there are. In the data mode each day's
// racers' form is fixed from the days before it. False when stopped before the end.
bool CheckSeason(const DayListing& listing, const SeasonOptions& options,
                 const std::function<void(SeasonDay&&)>& take);

// Sums of the log-loss of what won, over races with one winning combination and a payout.
struct LogLossSum {
  int races = 0;
  double model = 0, market = 0;
};

// What a season's days add up to: the figures of the checker's summary, of each venue and of
// each day.
struct SeasonTotals {
  struct Day {
    int date = 0;
    std::string file;
    CheckTally tally, favourites;
  };
  CheckTally total, favourites;
  PerBet<long long> skipped{};  // races a bet type was on sale and skipped (data mode)
  PerBet<LogLossSum> loss{};    // data mode
  std::map<std::string, CheckTally> byVenue;
  std::map<std::string, int> racesByVenue;
  std::vector<Day> days;  // the days checked, in date order
  std::size_t venues = 0, races = 0, estimated = 0;
  int firstDay = 0, lastDay = 0;

  // Counts a day that was checked; false (nothing counted) for one that was not.
  bool Add(const SeasonDay& day);
};

// The return rate (percent of the stake paid back, refunds included) of everything staked up to
// and including a day: bet type by bet type and over all four, of the tickets checked and of the
// six favourites. 0 until something is staked.
struct SeasonPoint {
  int date = 0;
  PerBet<double> rate{}, favourites{};
  double allRate = 0, allFavourites = 0;
};
std::vector<SeasonPoint> CumulativeReturns(const std::vector<SeasonTotals::Day>& days);

// Each month's sums (yyyymm), in order, of the tickets checked.
std::vector<std::pair<int, CheckTally>> MonthTotals(const std::vector<SeasonTotals::Day>& days);

// The four bet types as one.
BetTally AllBets(const CheckTally& tally);

}  // namespace wakorin
