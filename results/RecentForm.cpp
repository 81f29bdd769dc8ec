#include "results/RecentForm.h"

#include <algorithm>
#include <vector>

#include "results/ResultFileLayout.h"

namespace wakorin {

void FormBook::AddRace(const RaceFinish& race) {
  for (const Finisher& boat : race.boats) {
    if (boat.course == 0 && !boat.timed) continue;  // did not start: nothing to learn from
    Start start;
    // A flying start is counted as a start at the line: early, whatever the clock says.
    start.start = boat.timed ? static_cast<float>(boat.start < 0 ? 0.0 : boat.start) : -1.0f;
    start.place = static_cast<signed char>(boat.placeNo > 0 ? boat.placeNo : 6);
    start.front = static_cast<signed char>(boat.course > 0 ? boat.lane - boat.course : 0);
    std::deque<Start>& starts = starts_[boat.racerNo];
    starts.push_back(start);
    while (static_cast<int>(starts.size()) > keep_) starts.pop_front();
  }
}

void FormBook::AddResultFile(std::string_view bytes) {
  const std::string_view tail = result_layout::kKeyTail;
  std::vector<std::string_view> venues;  // a venue that stands twice is one venue's starts
  for (std::size_t at = bytes.find(tail, 2); at != std::string_view::npos;
       at = bytes.find(tail, at + 1)) {
    if (at >= 2 && (at == 2 || bytes[at - 3] == '\n')) {
      const std::string_view code = bytes.substr(at - 2, 2);
      if (std::find(venues.begin(), venues.end(), code) != venues.end()) continue;
      venues.push_back(code);
      for (const RaceFinish& race : ReadFinishTables(bytes.substr(at - 2), bytes.substr(at - 2, 2)))
        AddRace(race);
    }
  }
}

FormBook FormBook::Frozen(const std::vector<std::string>& racers) const {
  FormBook frozen(keep_);
  frozen.frozen_ = true;
  for (const std::string& racer : racers) {
    if (frozen.forms_.count(racer) != 0) continue;
    if (const std::optional<RacerForm> form = FormOf(racer)) frozen.forms_.emplace(racer, *form);
  }
  return frozen;
}

std::optional<RacerForm> FormBook::FormOf(std::string_view racerNo) const {
  if (frozen_) {
    const auto kept = forms_.find(std::string(racerNo));
    return kept == forms_.end() ? std::nullopt : std::optional<RacerForm>(kept->second);
  }
  const auto found = starts_.find(std::string(racerNo));
  if (found == starts_.end() || found->second.empty()) return std::nullopt;
  RacerForm form;
  double startSum = 0.0, placeSum = 0.0, frontSum = 0.0;
  int timed = 0, wins = 0;
  for (const Start& s : found->second) {
    if (s.start >= 0) {
      startSum += s.start;
      ++timed;
    }
    placeSum += s.place;
    wins += s.place == 1 ? 1 : 0;
    frontSum += s.front;
  }
  const double n = static_cast<double>(found->second.size());
  form.races = static_cast<int>(n);
  if (timed > 0) form.meanStart = startSum / timed;
  form.meanPlace = placeSum / n;
  form.winShare = wins / n;
  form.front = frontSum / n;
  return form;
}

LaneForms FormBook::FormsOf(const TRaceCard& card) const {
  LaneForms forms;
  for (std::size_t k = 0; k < 6; ++k) forms[k] = FormOf(card.Racers[k].RacerNo);
  return forms;
}

}  // namespace wakorin
