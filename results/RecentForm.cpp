#include "results/RecentForm.h"

#include <algorithm>
#include <vector>

#include "results/ResultFileLayout.h"

namespace wakorin {

int FormBook::NumberIndex(std::string_view racerNo) {
  if (racerNo.size() != 4) return -1;
  int number = 0;
  for (char c : racerNo) {
    if (c < '0' || c > '9') return -1;
    number = number * 10 + (c - '0');
  }
  return number;
}

FormBook::Ring& FormBook::RingOf(const std::string& racerNo) {
  int* slot = nullptr;
  if (const int number = NumberIndex(racerNo); number >= 0) {
    if (ringByNumber_.empty()) ringByNumber_.assign(10000, 0);
    slot = &ringByNumber_[static_cast<std::size_t>(number)];
  } else {
    const auto [at, added] = ringByKey_.try_emplace(racerNo, 0);
    slot = &at->second;
  }
  if (*slot == 0) {
    Ring ring;
    ring.first = starts_.size();
    starts_.resize(starts_.size() + static_cast<std::size_t>(keep_));
    rings_.push_back(ring);
    *slot = static_cast<int>(rings_.size());
  }
  return rings_[static_cast<std::size_t>(*slot - 1)];
}

const FormBook::Ring* FormBook::FindRing(std::string_view racerNo) const {
  int slot = 0;
  if (const int number = NumberIndex(racerNo); number >= 0) {
    if (!ringByNumber_.empty()) slot = ringByNumber_[static_cast<std::size_t>(number)];
  } else if (const auto found = ringByKey_.find(std::string(racerNo)); found != ringByKey_.end()) {
    slot = found->second;
  }
  return slot == 0 ? nullptr : &rings_[static_cast<std::size_t>(slot - 1)];
}

void FormBook::AddRace(const RaceFinish& race) {
  for (const Finisher& boat : race.boats) AddStart(boat);
}

void FormBook::AddStart(const Finisher& boat) {
  if (keep_ <= 0) return;                         // nothing is kept, so no racer has a form
  if (boat.course == 0 && !boat.timed) return;  // did not start: nothing to learn from
  Start start;
  // A flying start is counted as a start at the line: early, whatever the clock says.
  start.start = boat.timed ? static_cast<float>(boat.start < 0 ? 0.0 : boat.start) : -1.0f;
  start.place = static_cast<signed char>(boat.placeNo > 0 ? boat.placeNo : 6);
  start.front = static_cast<signed char>(boat.course > 0 ? boat.lane - boat.course : 0);
  // The latest keep_ starts in a ring: a new one takes the place of the oldest once it is full.
  Ring& ring = RingOf(boat.racerNo);
  if (ring.count < keep_) {
    starts_[ring.first + static_cast<std::size_t>((ring.head + ring.count) % keep_)] = start;
    ++ring.count;
  } else {
    starts_[ring.first + static_cast<std::size_t>(ring.head)] = start;
    ring.head = (ring.head + 1) % keep_;
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
      ForEachFinisher(bytes.substr(at - 2), bytes.substr(at - 2, 2),
                      [this](int, const Finisher& boat) { AddStart(boat); });
    }
  }
}

FormBook FormBook::Frozen(const std::vector<std::string>& racers) const {
  FormBook frozen(keep_);
  frozen.frozen_ = true;
  for (const std::string& racer : racers) {
    if (const int number = NumberIndex(racer); number >= 0) {
      if (frozen.formByNumber_.empty()) frozen.formByNumber_.assign(10000, 0);
      int& slot = frozen.formByNumber_[static_cast<std::size_t>(number)];
      if (slot != 0) continue;
      if (const std::optional<RacerForm> form = FormOf(racer)) {
        frozen.forms_.push_back(*form);
        slot = static_cast<int>(frozen.forms_.size());
      }
    } else if (frozen.formByKey_.count(racer) == 0) {
      if (const std::optional<RacerForm> form = FormOf(racer)) frozen.formByKey_.emplace(racer, *form);
    }
  }
  return frozen;
}

std::optional<RacerForm> FormBook::FormOf(std::string_view racerNo) const {
  if (frozen_) {
    if (const int number = NumberIndex(racerNo); number >= 0) {
      const int slot = formByNumber_.empty() ? 0 : formByNumber_[static_cast<std::size_t>(number)];
      return slot == 0 ? std::nullopt : std::optional<RacerForm>(forms_[static_cast<std::size_t>(slot - 1)]);
    }
    const auto kept = formByKey_.find(std::string(racerNo));
    return kept == formByKey_.end() ? std::nullopt : std::optional<RacerForm>(kept->second);
  }
  const Ring* ring = FindRing(racerNo);
  if (ring == nullptr || ring->count == 0) return std::nullopt;
  RacerForm form;
  double startSum = 0.0, placeSum = 0.0, frontSum = 0.0;
  int timed = 0, wins = 0;
  // Oldest first, as the sums have always run: from the ring's head to its end, then from its start.
  const Start* ring0 = starts_.data() + ring->first;
  for (int k = 0, at = ring->head; k < ring->count; ++k, at = at + 1 == keep_ ? 0 : at + 1) {
    const Start& s = ring0[at];
    if (s.start >= 0) {
      startSum += s.start;
      ++timed;
    }
    placeSum += s.place;
    wins += s.place == 1 ? 1 : 0;
    frontSum += s.front;
  }
  const double n = static_cast<double>(ring->count);
  form.races = ring->count;
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
