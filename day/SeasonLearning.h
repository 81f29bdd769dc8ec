#pragma once

#include <functional>
#include <vector>

#include "predict/BetType.h"
#include "predict/DataModel.h"
#include "predict/Learner.h"
#include "day/RaceDays.h"

namespace wakorin {

// Which part of the figures a day is for.
enum class SeasonPart { None, Learn, Tune, Test };

// How many days a part was read from, and the first and last of them (yyyymmdd).
struct PartDays {
  int days = 0, from = 0, to = 0;
  void Add(int date);
};

struct SeasonRaces {
  std::vector<LearnRace> learn, tune, test;
  PartDays learnDays, tuneDays, testDays;
  // Days left out (`gap` set) or read from another copy than the first (`refused`), in date
  // order; their bytes are not kept.
  std::vector<RaceDay> troubles;
};

// Reads the days in date order (RaceDays.h: each day once, from files that are what they say),
// each day's races with the racers' form from the days before it, into the part `partOf` gives.
// Every good result file joins the form, also of a day of no part. `progress` is told each day
// read; false from it stops the reading (the races so far are returned).
SeasonRaces ReadSeason(const std::vector<DayCopies>& days,
                       const std::function<SeasonPart(int date)>& partOf,
                       const std::function<bool(int done, int total)>& progress = {});

// What a model's tickets returned on days it never saw, beside the two lists that need no model
// (every combination once; six fixed favourites), on the same races.
// The mean log-loss (nats) of the realised outcome under the model, under the market (75 ÷ the
// winning payout per 100 yen: the stake the pool pays back over what it paid) and under a
// uniform guess, over races with one winning combination (dead heats and special payouts left
// out).
struct LogLossFigures {
  int races = 0;
  double model = 0.0, market = 0.0, uniform = 0.0;
};
struct HeldOutFigures {
  int races = 0;
  int from = 0, to = 0;  // yyyymmdd
  // The model's tickets as its skip rule buys them, the same six in every race, and the gain of
  // the rule over buying every race.
  PerBet<ReturnFigures> model, all, every, fixed;
  PerBet<GainFigures> skipGain;
  PerBet<LogLossFigures> logLoss;
};
HeldOutFigures MeasureHeldOut(const DataModel& model, const std::vector<LearnRace>& test);

}  // namespace wakorin
