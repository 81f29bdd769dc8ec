#include "predict/DataFigures.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "base/ByteField.h"

namespace wakorin {
namespace {

// 0.1, 0.01, ...: each the one before divided by 10, as the digits after the point are added.
constexpr std::array<double, 8> kPlaceValues = [] {
  std::array<double, 8> values{};
  double scale = 1.0;
  for (double& value : values) value = scale /= 10.0;
  return values;
}();

// " 5.19", "100.00" -> the number; nullopt for blanks or anything else.
std::optional<double> Number(std::string_view text) {
  text = TrimControlAndBlanks(text);
  if (text.empty() || text.size() > 8) return std::nullopt;
  double value = 0.0;
  std::size_t k = 0;
  for (; k < text.size() && text[k] != '.'; ++k) {
    const char c = text[k];
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10.0 + (c - '0');
  }
  // After the point, each digit is worth a tenth of the one before.
  for (std::size_t place = 0, at = k + 1; at < text.size(); ++at, ++place) {
    const char c = text[at];
    if (c < '0' || c > '9') return std::nullopt;
    value += (c - '0') * kPlaceValues[place];
  }
  return value;
}

void Take(std::string_view text, double& into) {
  if (auto value = Number(text)) into = *value;
}

int ClassOf(std::string_view text) {
  if (text == "A1") return 0;
  if (text == "A2") return 1;
  if (text == "B2") return 3;
  return 2;
}

// The lane's results so far in the meeting: each byte of the six 2-byte slots is a place, a
// fault letter (F, L, K, S) or a blank.
void MeetingOf(const TRacerEntry& racer, LaneFigures& lane) {
  int places = 0, sum = 0, wins = 0, faults = 0;
  for (const std::string& slot : racer.MeetingResults) {
    for (char c : slot) {
      if (c >= '1' && c <= '6') {
        ++places;
        sum += c - '0';
        wins += c == '1' ? 1 : 0;
      } else if (c == 'F' || c == 'L' || c == 'K' || c == 'S') {
        ++faults;
      }
    }
  }
  lane.meetingRaces = places + faults;
  if (places > 0) lane.meetingMean = static_cast<double>(sum) / places;
  if (lane.meetingRaces > 0) {
    lane.meetingWins = static_cast<double>(wins) / lane.meetingRaces;
    lane.meetingFaults = static_cast<double>(faults) / lane.meetingRaces;
  }
}

// Names and order of the features: main effects, lane interactions, venue by the inner lanes.
struct Layout {
  std::vector<std::string> names;
  Layout() {
    for (int lane = 2; lane <= 6; ++lane) names.push_back("lane" + std::to_string(lane));
    for (const char* name :
         {"classA1", "classA2", "classB2", "gwin", "gwsd", "rwin", "rwsd", "nolocal", "motor",
          "boat", "age", "weight", "meetmean", "meetwin", "meetruns", "meetfault", "formstart",
          "formplace", "formwin", "formfront", "noform"}) {
      names.emplace_back(name);
    }
    for (const char* figure : {"gwin", "classA1", "meetmean", "motor", "formstart", "formfront"}) {
      for (int lane = 1; lane <= 5; ++lane) {
        names.push_back("lane" + std::to_string(lane) + "x" + figure);
      }
    }
    for (int lane = 1; lane <= 2; ++lane) {
      for (int venue = 1; venue <= kVenues; ++venue) {
        names.push_back("venue" + std::string(venue < 10 ? "0" : "") + std::to_string(venue) +
                        "xlane" + std::to_string(lane));
      }
    }
  }
};

const Layout& TheLayout() {
  static const Layout layout;
  return layout;
}

}  // namespace

RaceFigures FiguresOf(const TRaceCard& card, std::string_view venueCode, const LaneForms* forms) {
  RaceFigures race;
  if (auto code = Number(venueCode); code && *code >= 1 && *code <= kVenues && venueCode.size() == 2)
    race.venue = static_cast<int>(*code);
  for (std::size_t k = 0; k < 6; ++k) {
    const TRacerEntry& racer = card.Racers[k];
    LaneFigures& lane = race.lanes[k];
    lane.clas = ClassOf(racer.Clas);
    Take(racer.GWin, lane.gwin);
    Take(racer.GWSd, lane.gwsd);
    // A local rate of 0.00 is a racer new to the venue: the national rates stand in.
    const auto rwin = Number(racer.RWin), rwsd = Number(racer.RWSd);
    lane.local = rwin && *rwin > 0.0;
    lane.rwin = lane.local ? *rwin : lane.gwin;
    lane.rwsd = lane.local && rwsd ? *rwsd : lane.gwsd;
    Take(racer.MtWn, lane.motor);
    Take(racer.BtWn, lane.boat);
    Take(racer.Old, lane.age);
    Take(racer.Wght, lane.weight);
    MeetingOf(racer, lane);
    if (forms != nullptr) lane.form = (*forms)[k];
  }
  return race;
}

int FeatureCount() { return static_cast<int>(TheLayout().names.size()); }

const std::vector<std::string>& FeatureNames() { return TheLayout().names; }

void FeaturesOf(const RaceFigures& race, int lane, double* out) {
  std::fill(out, out + FeatureCount(), 0.0);
  std::array<std::uint16_t, kLaneFeaturesAtMost> index;
  std::array<double, kLaneFeaturesAtMost> value;
  const int count = LaneFeaturesOf(race, lane, index.data(), value.data());
  for (std::size_t k = 0; k < static_cast<std::size_t>(count); ++k) out[index[k]] = value[k];
}

int LaneFeaturesOf(const RaceFigures& race, int lane, std::uint16_t* index, double* value) {
  const LaneFigures& f = race.lanes[static_cast<std::size_t>(lane - 1)];
  int count = 0;
  auto put = [&](int feature, double x) {  // written always, kept when not 0: no branch
    index[count] = static_cast<std::uint16_t>(feature);
    value[count] = x;
    count += x != 0.0 ? 1 : 0;
  };
  // The features in the order of TheLayout(): the lanes 2..6 first.
  if (lane >= 2 && lane <= 6) put(lane - 2, 1.0);
  const double a1 = f.clas == 0 ? 1.0 : 0.0;
  const RacerForm form = f.form.value_or(RacerForm{});
  // Scaled so that one unit is a typical difference between racers.
  const double gwin = f.gwin - 5.0, meetmean = f.meetingRaces > 0 ? f.meetingMean - 3.5 : 0.0;
  const double motor = (f.motor - 33.0) / 10.0;
  const double formstart = f.form ? (form.meanStart - 0.15) * 10.0 : 0.0;
  const double formfront = f.form ? form.front : 0.0;
  int feature = 5;
  for (double x : {a1, f.clas == 1 ? 1.0 : 0.0, f.clas == 3 ? 1.0 : 0.0, gwin, (f.gwsd - 30.0) / 10.0,
                   f.rwin - 5.0, (f.rwsd - 30.0) / 10.0, f.local ? 0.0 : 1.0, motor, (f.boat - 33.0) / 10.0,
                   (f.age - 35.0) / 10.0, (f.weight - 52.0) / 5.0, meetmean, f.meetingWins,
                   std::min(f.meetingRaces, 12) / 6.0, f.meetingFaults, formstart,
                   f.form ? form.meanPlace - 3.5 : 0.0, f.form ? form.winShare : 0.0, formfront,
                   f.form ? 0.0 : 1.0}) {
    put(feature++, x);
  }
  // Six figures, each by the lanes 1..5, then the venues by the lanes 1..2.
  if (lane >= 1 && lane <= 5) {
    for (double figure : {gwin, a1, meetmean, motor, formstart, formfront}) {
      put(feature + lane - 1, figure);
      feature += 5;
    }
  } else {
    feature += 30;
  }
  if (lane >= 1 && lane <= 2 && race.venue >= 1 && race.venue <= kVenues)
    put(feature + (lane - 1) * kVenues + race.venue - 1, 1.0);
  return count;
}

}  // namespace wakorin
