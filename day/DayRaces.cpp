#include "day/DayRaces.h"

#include <algorithm>

#include "base/ByteFile.h"
#include "results/FinishTable.h"
#include "results/RacePayouts.h"
#include "results/ResultFile.h"

namespace wakorin {
namespace {

// A digit, ASCII or full width (０..９ are 0x82 0x4F..0x58 in CP932), and how many bytes it took.
std::optional<int> DigitAt(std::string_view text, std::size_t& at) {
  if (at < text.size() && text[at] >= '0' && text[at] <= '9') return text[at++] - '0';
  if (at + 1 < text.size() && static_cast<unsigned char>(text[at]) == 0x82) {
    const auto trail = static_cast<unsigned char>(text[at + 1]);
    if (trail >= 0x4F && trail <= 0x58) {
      at += 2;
      return trail - 0x4F;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<int> DeadlineMinutes(std::string_view text) {
  std::size_t at = 0;
  int hours = 0, minutes = 0, digits = 0;
  while (at < text.size() && (text[at] == ' ' || text.substr(at, 2) == "\x81\x40")) at += text[at] == ' ' ? 1 : 2;
  while (auto d = DigitAt(text, at)) {
    hours = hours * 10 + *d;
    if (++digits > 2) return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  if (at < text.size() && text[at] == ':') {
    ++at;
  } else if (text.substr(at, 2) == "\x81\x46") {  // ：
    at += 2;
  } else {
    return std::nullopt;
  }
  digits = 0;
  while (auto d = DigitAt(text, at)) {
    minutes = minutes * 10 + *d;
    if (++digits > 2) return std::nullopt;
  }
  if (digits != 2 || hours > 23 || minutes > 59) return std::nullopt;
  return hours * 60 + minutes;
}

std::vector<DayRace> ListDayRaces(const OpenDay& day, const DataModel& model, const FormBook* forms) {
  std::vector<DayRace> races;
  for (std::size_t v = 0; v < day.Venues().size(); ++v) {
    const DayVenue& venue = day.Venues()[v];
    for (int r = 1; r <= std::min(venue.raceCount, 12); ++r) {
      const TRaceCard card = day.Card(v, r);
      DayRace race;
      race.venue = v;
      race.race = r;
      race.deadline = DeadlineMinutes(card.RTime);
      race.raceName = card.RName;
      race.distance = card.RLeng;
      if (forms != nullptr) {
        const LaneForms lanes = forms->FormsOf(card);
        race.forecast = ForecastDataRace(card, venue.code, model, &lanes);
      } else {
        race.forecast = ForecastDataRace(card, venue.code, model);
      }
      races.push_back(std::move(race));
    }
  }
  std::stable_sort(races.begin(), races.end(), [](const DayRace& a, const DayRace& b) {
    if (a.deadline.has_value() != b.deadline.has_value()) return a.deadline.has_value();
    return a.deadline && *a.deadline < *b.deadline;
  });
  return races;
}

Outcome<bool> AddDayResults(const OpenDay& day, std::vector<DayRace>& races) {
  const std::string path = day.ResultPath();
  if (path.empty()) return false;
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  const std::string_view file = **bytes;
  const ResultFileOutline outline = OutlineResultFile(file);
  if (day.Day() && outline.day && *day.Day() != *outline.day) return false;
  std::vector<std::vector<RaceResult>> byVenue(day.Venues().size());
  for (std::size_t v = 0; v < day.Venues().size(); ++v) {
    const std::string& code = day.Venues()[v].code;
    if (const auto key = outline.KeyOffset(code)) {
      byVenue[v] = ReadRaceResults(VenueResultBlock(file.substr(*key), code));
    }
  }
  for (DayRace& race : races) {
    for (const RaceResult& result : byVenue[race.venue]) {
      if (result.race != race.race) continue;
      race.resultKnown = true;
      race.cancelled = result.cancelled;
      if (race.cancelled) break;
      const BetSettlement& trifecta = result.payouts.Of(AnyBet::Trifecta);
      if (trifecta.state == BetSettlement::State::Paid && !trifecta.paid.empty()) {
        race.trifecta = trifecta.paid.front().combination;
      }
      unsigned refunded = 0;
      for (const FinishLine& row : result.boats) {
        if (row.boat.Refunded()) refunded |= 1u << row.boat.lane;
      }
      for (BetType bet : kBetTypes) {
        for (const std::string& ticket : race.forecast.tickets.tickets[bet]) {
          const auto paid = SettleRecommended(bet, ticket, &result.payouts, refunded);
          race.hit[bet] = race.hit[bet] || (paid && paid->paid.hit);
        }
      }
      break;
    }
  }
  return true;
}

std::optional<std::size_t> NextToClose(const std::vector<DayRace>& races, int minutes) {
  for (std::size_t i = 0; i < races.size(); ++i) {
    if (races[i].deadline && *races[i].deadline >= minutes) return i;
  }
  return std::nullopt;
}

}  // namespace wakorin
