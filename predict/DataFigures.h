#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "program/RaceCard.h"

namespace wakorin {

// A racer's recent form from the result files of earlier days: known before the race.
struct RacerForm {
  int races = 0;            // starts counted (the latest ones kept)
  double meanStart = 0.15;  // mean start timing, seconds
  double meanPlace = 3.5;   // mean place; a boat that did not finish counts as sixth
  double winShare = 0.0;
  double front = 0.0;       // mean of lane minus course taken: how far inside the racer gets
};

using LaneForms = std::array<std::optional<RacerForm>, 6>;

// The figures of one lane as numbers, blanks and unreadable fields replaced by typical values.
struct LaneFigures {
  int clas = 2;  // 0 A1, 1 A2, 2 B1, 3 B2
  double gwin = 5.0, gwsd = 30.0, rwin = 5.0, rwsd = 30.0;
  bool local = false;  // the racer has a record at this venue
  double motor = 33.0, boat = 33.0;
  double age = 35.0, weight = 52.0;
  int meetingRaces = 0;  // this meeting's results so far (今節成績)
  double meetingMean = 3.5, meetingWins = 0.0, meetingFaults = 0.0;
  std::optional<RacerForm> form;
};

// One race as the learned mode sees it.
struct RaceFigures {
  int venue = 0;  // 1..24, 0 when the code is not a venue's
  std::array<LaneFigures, 6> lanes;
};

RaceFigures FiguresOf(const TRaceCard& card, std::string_view venueCode,
                      const LaneForms* forms = nullptr);

// The learned mode's features of one boat: the columns of its conditional logit.
inline constexpr int kVenues = 24;
int FeatureCount();
const std::vector<std::string>& FeatureNames();
// Writes FeatureCount() values for lane (1..6) of the race into `out`.
void FeaturesOf(const RaceFigures& race, int lane, double* out);
// The same features less those that are 0: their numbers in `index` and values in `value`, in
// feature order; returns how many, at most kLaneFeaturesAtMost (most features are another
// lane's or another venue's). A race is forecast from these alone.
inline constexpr int kLaneFeaturesAtMost = 29;
int LaneFeaturesOf(const RaceFigures& race, int lane, std::uint16_t* index, double* value);

}  // namespace wakorin
