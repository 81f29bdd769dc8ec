#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/ShortKeyHash.h"
#include "predict/DataFigures.h"
#include "program/RaceCard.h"
#include "results/FinishTable.h"

namespace wakorin {

// Each racer's latest starts, gathered from result files of earlier days. Feed it whole days
// in date order, and only days before the race to forecast: a race's own result must never
// inform its forecast.
class FormBook {
 public:
  explicit FormBook(int keep = 20) : keep_(keep) {}

  void AddRace(const RaceFinish& race);
  // Every venue's finishing tables in a result file's bytes.
  void AddResultFile(std::string_view bytes);

  // nullopt for a racer without a start in the days fed.
  std::optional<RacerForm> FormOf(std::string_view racerNo) const;
  LaneForms FormsOf(const TRaceCard& card) const;

  // The forms of `racers` as they stand now, worked out once and kept apart from what is fed
  // later: a day's races can then be forecast on another thread while the next day's results
  // are fed. Any other racer has no form in it.
  FormBook Frozen(const std::vector<std::string>& racers) const;

 private:
  struct Start {
    float start;  // seconds, < 0 when not timed
    signed char place;  // 1..6; 6 for a boat that did not finish
    signed char front;  // lane minus course, 0 when unknown
  };
  // A racer's latest starts: up to keep_ of them from rings_[first], the oldest at `head`.
  struct Ring {
    std::size_t first = 0;
    int count = 0, head = 0;
  };
  // A racer number of four digits is its own index (nearly every racer is looked up some forty
  // times a day); anything else a file holds goes through a map.
  static int NumberIndex(std::string_view racerNo);
  void AddStart(const Finisher& boat);
  Ring& RingOf(const std::string& racerNo);
  const Ring* FindRing(std::string_view racerNo) const;

  int keep_;
  std::vector<int> ringByNumber_;  // per racer number, its ring in rings_ + 1, or 0
  std::unordered_map<std::string, int, ShortKeyHash> ringByKey_;  // its ring in rings_
  std::vector<Ring> rings_;
  std::vector<Start> starts_;
  bool frozen_ = false;
  // Frozen's: per racer number the form in forms_ + 1, or 0; other keys in formByKey_.
  std::vector<int> formByNumber_;
  std::vector<RacerForm> forms_;
  std::unordered_map<std::string, RacerForm, ShortKeyHash> formByKey_;
};

}  // namespace wakorin
