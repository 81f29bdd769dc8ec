#include "day/OpenDay.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

#include "base/ByteFile.h"
#include "predict/Learner.h"
#include "predict/RacerStats.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "results/FinishTable.h"
#include "results/RacePayouts.h"
#include "results/ResultMatching.h"

namespace wakorin {

Outcome<OpenDay> OpenDay::Open(const std::string& path) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  return FromBytes(path, std::move(*bytes));
}

Outcome<OpenDay> OpenDay::FromBytes(std::string path, std::shared_ptr<const std::string> bytes) {
  auto index = IndexVenueBlocksIn(*bytes);
  if (!index) return index.error();
  OpenDay day;
  day.path_ = std::move(path);
  day.bytes_ = std::move(bytes);
  day.startFound_ = index->startFound;
  day.day_ = ProgramFileDay(*day.bytes_);
  day.duplicates_ = DuplicateVenueCodes(*index);
  // The venue list, and for each venue its first block: the one every read of it takes.
  const std::vector<std::string> entries = BuildVenueEntries(*index);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    DayVenue venue;
    venue.name = std::string(VenueNameOfEntry(entries[i]));
    venue.code = VenueCodeOfName(venue.name);
    venue.raceCount = RaceCountOfEntry(entries[i]);
    venue.venuesBefore = static_cast<int>(entries.size() - 1 - i);
    const auto block = std::find_if(index->blocks.begin(), index->blocks.end(),
                                    [&](const VenueIndexEntry& b) { return b.code == venue.code; });
    if (block == index->blocks.end()) continue;
    venue.layout = block->layout;
    venue.offset = block->offset;
    venue.length = block->length;
    day.venues_.push_back(std::move(venue));
  }
  return day;
}

TRaceCard OpenDay::Card(std::size_t venue, int race) const {
  const DayVenue& v = venues_.at(venue);
  const std::string_view block = std::string_view(*bytes_).substr(v.offset, v.length);
  return ReadRaceCard(block, race, v.name, v.layout);
}

std::vector<std::string> OpenDay::RacerNumbers() const {
  std::vector<std::string> racers;
  for (const DayVenue& v : venues_) {
    const std::string_view block = std::string_view(*bytes_).substr(v.offset, v.length);
    for (int r = 1; r <= std::min(v.raceCount, 12); ++r) {
      const CardNumbers numbers = ReadCardNumbers(block, r, v.layout);
      racers.insert(racers.end(), numbers.racers.begin(), numbers.racers.end());
    }
  }
  return racers;
}

namespace {

// The data mode's forecast of a race, with the racers' form when the predictor has it.
DataForecast DataOf(const TRaceCard& card, const std::string& code, const Predictor& predictor) {
  if (predictor.forms == nullptr) return ForecastDataRace(card, code, *predictor.model);
  const LaneForms forms = predictor.forms->FormsOf(card);
  return ForecastDataRace(card, code, *predictor.model, &forms);
}

}  // namespace

Outcome<std::pair<const RacerStatsTable*, std::string>> OpenDay::Stats(
    const Predictor& predictor, const std::string& workingFolder) const {
  if (predictor.stats != nullptr) return std::make_pair(predictor.stats.get(), std::string());
  StatsSearch search = SearchStatsFile(path_, workingFolder);
  if (!search.path) {
    return Error::Missing("Fan0510.txt", std::move(search.lookedFor), std::move(search.refused));
  }
  const std::optional<std::string>& path = search.path;
  struct stat info {};
  if (::stat(path->c_str(), &info) != 0) return Error::Io(errno);
  const std::int64_t modified =
      static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
  const auto size = static_cast<std::uint64_t>(info.st_size);
  if (!foundStats_ || foundStats_->path != *path || foundStats_->modified != modified ||
      foundStats_->size != size) {
    foundStats_.reset();
    auto table = RacerStatsTable::Load(*path);
    if (!table) return table.error();
    foundStats_ = FoundStats{*path, modified, size,
                             std::make_shared<const RacerStatsTable>(std::move(*table))};
  }
  return std::make_pair(foundStats_->table.get(), foundStats_->path);
}

Outcome<DayForecast> OpenDay::Forecast(std::size_t venue, int race, const Predictor& predictor,
                                       const std::string& workingFolder) const {
  if (predictor.model != nullptr) {
    const TRaceCard card = Card(venue, race);
    DayForecast forecast;
    forecast.data = DataOf(card, venues_.at(venue).code, predictor);
    forecast.forecast.tickets = forecast.data->tickets;
    return forecast;
  }
  auto stats = Stats(predictor, workingFolder);
  if (!stats) return stats.error();
  const TRaceCard card = Card(venue, race);
  auto lanes = stats->first->Lookup(NumbersOf(card).racers);
  if (!lanes) return lanes.error();
  auto forecast = ForecastRace(card, *lanes);
  if (!forecast) return forecast.error();
  return DayForecast{std::move(*forecast), stats->second, std::nullopt};
}

Outcome<OpenDay::RaceResultLookup> OpenDay::LookUpRaceResult(std::size_t venue, int race) const {
  RaceResultLookup lookup;
  const std::string path = ResultPath();
  if (path.empty() || venue >= venues_.size()) return lookup;
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  const std::string_view file = **bytes;
  const ResultFileOutline outline = OutlineResultFile(file);
  if (day_ && outline.day && *day_ != *outline.day) {
    lookup.end = RaceResultLookup::End::OtherDay;
    lookup.otherDay = std::make_pair(*day_, *outline.day);
    return lookup;
  }
  const std::string& code = venues_[venue].code;
  const std::optional<std::size_t> key = outline.KeyOffset(code);
  lookup.end = RaceResultLookup::End::VenueMissing;
  if (!key) return lookup;
  lookup.end = RaceResultLookup::End::RaceMissing;
  for (RaceResult& found : ReadRaceResults(VenueResultBlock(file.substr(*key), code))) {
    if (found.race != race) continue;
    lookup.end = RaceResultLookup::End::Found;
    lookup.result = std::move(found);
    break;
  }
  if (lookup.end == RaceResultLookup::End::Found && !lookup.result.cancelled) {
    ResultSearchObserver quiet;
    auto summary = FindVenueResultIn(file, code, venues_[venue].venuesBefore, quiet);
    if (summary && summary->end == ResultSearchEnd::Found) {
      for (const PayoutDisagreement& d : CompareWithSummary({lookup.result.payouts}, summary->result)) {
        lookup.disagreeing.push_back(d.bet);
      }
    }
  }
  return lookup;
}

std::string OpenDay::ResultPath() const {
  if (resultPath_.empty() || !ByteFile::Exists(resultPath_)) resultPath_ = FindResultFile(path_);
  return resultPath_;
}

Outcome<VenueCheck> OpenDay::CheckVenue(std::size_t index, ResultSearchObserver& observer,
                                        const Predictor& predictor,
                                        std::optional<std::string_view> resultFile,
                                        const std::string& workingFolder) const {
  return CheckVenueIn(index, observer, predictor, resultFile, nullptr, workingFolder);
}

Outcome<VenueCheck> OpenDay::CheckVenue(std::size_t index, ResultSearchObserver& observer,
                                        const Predictor& predictor, std::string_view resultFile,
                                        const ResultFileOutline& outline,
                                        const std::string& workingFolder) const {
  return CheckVenueIn(index, observer, predictor, resultFile, &outline, workingFolder);
}

Outcome<VenueCheck> OpenDay::CheckVenueIn(std::size_t index, ResultSearchObserver& observer,
                                          const Predictor& predictor,
                                          std::optional<std::string_view> resultFile,
                                          const ResultFileOutline* outline,
                                          const std::string& workingFolder) const {
  const DayVenue& venue = venues_.at(index);
  VenueCheck check;
  check.code = venue.code;
  check.raceCount = venue.raceCount;
  const RacerStatsTable* table = nullptr;
  const bool data = predictor.model != nullptr;
  if (!data) {
    auto stats = Stats(predictor, workingFolder);
    if (!stats) return stats.error();
    table = stats->first;
  }

  check.races.reserve(static_cast<std::size_t>(std::clamp(venue.raceCount, 0, 12)));
  const std::string_view block = std::string_view(*bytes_).substr(venue.offset, venue.length);
  // The tickets on sale are the venue's: found once, not once a race.
  const TicketSale sale = !data ? SaleAt(venue.name) : TicketSale::None;
  std::vector<PlaceChances> chances;  // data mode: each race's, for the chance of what won
  if (data) chances.reserve(check.races.capacity());
  for (int r = 1; r <= std::min(venue.raceCount, 12); ++r) {
    RaceCheck race;
    race.race = r;
    if (data) {
      DataForecast forecast = DataOf(ReadRaceCard(block, r, venue.name, venue.layout, CardFields::Figures),
                                     venue.code, predictor);
      race.predicted = true;
      race.tickets = std::move(forecast.tickets);
      race.skipped = forecast.skipped;
      chances.push_back(forecast.chances);
      check.races.push_back(std::move(race));
      continue;
    }
    // Only the numbers the prediction reads are cut from the card.
    const CardNumbers numbers = ReadCardNumbers(block, r, venue.layout);
    auto lanes = table->Lookup(numbers.racers);
    auto forecast = lanes ? ForecastRace(numbers, sale, *lanes) : Outcome<RaceForecast>(lanes.error());
    race.predicted = forecast.ok();
    race.estimated = forecast && !forecast->missingLanes.empty();
    if (!forecast) race.failure = forecast.error();
    // A race that could not be predicted keeps its tickets on sale and recommends nothing, so no
    // other race's tickets can be marked as its hits.
    race.tickets =
        forecast ? std::move(forecast->tickets) : TicketsFromLists(sale, {}, {}, {}, {});
    check.races.push_back(std::move(race));
  }

  std::shared_ptr<const std::string> read;
  if (!resultFile) {
    const std::string path = ResultPath();
    if (path.empty()) {
      check.resultFileMissing = true;
      return check;
    }
    auto bytes = ByteFile::ReadWhole(path);
    if (!bytes) return bytes.error();
    read = std::move(*bytes);
    resultFile = *read;
  }
  const bool callerOutline = outline != nullptr;
  std::optional<ResultFileOutline> own;
  if (outline == nullptr) outline = &own.emplace(OutlineResultFile(*resultFile));
  const std::optional<int> resultDay = outline->day;
  if (day_ && resultDay && *day_ != *resultDay) {
    check.otherDay = std::make_pair(*day_, *resultDay);
    return check;
  }
  const std::vector<std::string>& twice = outline->duplicates;
  check.duplicateInResults = std::find(twice.begin(), twice.end(), venue.code) != twice.end();
  // An outline the caller made once for every venue says where each venue stands; the window's
  // own check of one venue searches, so that its progress follows the search.
  auto search = callerOutline
                    ? FindVenueResultIn(*resultFile, venue.code, venue.venuesBefore, observer, *outline)
                    : FindVenueResultIn(*resultFile, venue.code, venue.venuesBefore, observer);
  if (!search) return search.error();
  check.resultFound = search->end == ResultSearchEnd::Found;
  check.notPublished = search->end == ResultSearchEnd::NotPublished;
  check.stopped = search->end == ResultSearchEnd::Stopped;
  if (!check.resultFound) return check;
  // The finishing tables and each bet's 人気 are read from the venue's first key line on, which
  // the outline has found: the block the table was read from, unless a damaged file had the
  // search take another.
  std::optional<ResultBlock> results;
  if (const std::optional<std::size_t> key = outline->KeyOffset(venue.code)) {
    results = search->block && search->block->key == *key ? *search->block
                                                          : ResultBlockAt(*resultFile, *key);
  }
  // Boats whose start was void or that did not start: tickets naming them are paid back.
  const std::array<unsigned, 12> refunded = results ? RefundedLanes(*results) : std::array<unsigned, 12>{};
  // Rows past the venue's last race are filled as holding no tickets.
  static const RecommendedTickets kNoTickets{};
  for (std::size_t r = 0; r < 12; ++r) {
    const ResultRow& row = search->result.Rows[r];
    const RecommendedTickets& bought = r < check.races.size() ? check.races[r].tickets : kNoTickets;
    const PerBet<bool> skipped = r < check.races.size() ? check.races[r].skipped : PerBet<bool>{};
    check.rows[r] = MatchResultRow(bought, row);
    CheckTally one;
    one.Add(bought, row, check.rows[r], refunded[r], skipped);
    check.tally += one;
    if (r >= check.races.size()) continue;
    if (predictor.favourites) {
      RecommendedTickets fixed;
      fixed.onSale = bought.onSale;
      fixed.tickets = FixedFavourites();
      check.favourites.Add(fixed, row, refunded[r]);
    }
    check.races[r].tally = one.bets;
    if (r >= chances.size()) continue;
    for (BetType bet : kBetTypes) {
      const BetMatch& won = check.rows[r].bets[bet];
      if (won.result != BetMatch::Result::Paid || !won.deadHeat.empty()) continue;
      const Combination& boats = won.won.combination;
      check.races[r].outcomeChance[bet] = ChanceOf(chances[r], bet, {boats.boats[0], boats.boats[1], boats.boats[2]});
    }
  }
  if (predictor.popularity && results) {
    for (const RacePayouts& race : ReadRacePayouts(results->Body())) {
      if (race.race >= 1 && race.race <= 12) AddPopularity(check.rows[static_cast<std::size_t>(race.race - 1)], race);
    }
  }
  return check;
}

}  // namespace wakorin
