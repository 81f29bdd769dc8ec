#include "results/DayCheck.h"

#include "base/ByteField.h"
#include "predict/DataForecast.h"
#include "predict/RecommendedTickets.h"
#include "results/RecentForm.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"

namespace wakorin {
namespace {

const VenueIndexEntry* FirstBlockOf(const VenueIndex& index, std::string_view code) {
  for (const VenueIndexEntry& block : index.blocks) {
    if (block.code == code) return &block;
  }
  return nullptr;
}

RaceCheck CheckRace(std::string_view block, int race, const std::string& venueName,
                    BlockLayout layout, const RacerStatsTable& stats) {
  RaceCheck check;
  check.race = race;
  const TRaceCard card = ReadRaceCard(block, race, venueName, layout);
  auto lanes = stats.Lookup(NumbersOf(card).racers);
  auto forecast = lanes ? ForecastRace(card, *lanes) : Outcome<RaceForecast>(lanes.error());
  check.predicted = forecast.ok();
  check.estimated = forecast && !forecast->missingLanes.empty();
  // A race that could not be predicted keeps its tickets on sale and recommends nothing.
  check.tickets = forecast ? forecast->tickets : SlotFor(card.RChkt, {}, {}, {}, {});
  return check;
}

RaceCheck CheckDataRace(std::string_view block, int race, const std::string& venueName,
                        BlockLayout layout, const DataModel& model, const FormBook* forms) {
  RaceCheck check;
  check.race = race;
  const TRaceCard card = ReadRaceCard(block, race, venueName, layout);
  LaneForms laneForms;
  if (forms != nullptr) laneForms = forms->FormsOf(card);
  const DataForecast forecast =
      ForecastDataRace(card, GetCorseNo(venueName), model, forms != nullptr ? &laneForms : nullptr);
  check.predicted = true;
  check.tickets = forecast.tickets;
  check.skipped = forecast.skipped;
  return check;
}

template <typename CheckOne>
DayCheck CheckVenues(std::string_view programFile, std::optional<std::string_view> resultFile,
                     const CheckOne& checkRace);

}  // namespace

DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const RacerStatsTable& stats) {
  return CheckVenues(programFile, resultFile,
                     [&](std::string_view block, int race, const std::string& name, BlockLayout layout) {
                       return CheckRace(block, race, name, layout, stats);
                     });
}

DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const DataModel& model, const FormBook* forms) {
  return CheckVenues(programFile, resultFile,
                     [&](std::string_view block, int race, const std::string& name, BlockLayout layout) {
                       return CheckDataRace(block, race, name, layout, model, forms);
                     });
}

namespace {

template <typename CheckOne>
DayCheck CheckVenues(std::string_view programFile, std::optional<std::string_view> resultFile,
                     const CheckOne& checkRace) {
  DayCheck day;
  auto index = IndexVenueBlocksIn(programFile);
  if (!index || !index->startFound) {
    day.problems.push_back("not a race program file");
    return day;
  }
  const std::vector<std::string> entries = BuildVenueEntries(*index);
  if (entries.empty()) day.problems.push_back("no venue found");
  ResultSearchObserver quiet;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    const std::string name(VenueNameOfEntry(entries[i]));
    VenueCheck venue;
    venue.code = GetCorseNo(name);
    venue.raceCount = RaceCountOfEntry(entries[i]);
    const VenueIndexEntry* block = FirstBlockOf(*index, venue.code);
    if (block == nullptr) continue;  // every listed venue has its block; kept for safety
    const std::string_view bytes = programFile.substr(block->offset, block->length);
    std::array<RecommendedTickets, 12> tickets{};
    for (int r = 1; r <= std::min(venue.raceCount, 12); ++r) {
      venue.races.push_back(checkRace(bytes, r, name, block->layout));
      tickets[static_cast<std::size_t>(r - 1)] = venue.races.back().tickets;
      if (!venue.races.back().predicted) {
        day.problems.push_back("venue " + venue.code + " race " + std::to_string(r) +
                               ": statistics or equipment numbers do not convert");
      }
    }
    // The venues before this one in the file, as the window counts them from its list.
    const int before = static_cast<int>(entries.size() - 1 - i);
    if (resultFile) {
      auto search = FindVenueResultIn(*resultFile, venue.code, before, quiet);
      venue.resultFound = search.ok() && search->end == ResultSearchEnd::Found;
      venue.notPublished = search.ok() && search->end == ResultSearchEnd::NotPublished;
      if (venue.resultFound) {
        for (std::size_t r = 0; r < 12; ++r) {
          venue.tally.Add(tickets[r], search->result.Rows[r]);
          if (r < venue.races.size()) {
            venue.races[r].shown = FillResultRow(tickets[r], search->result.Rows[r]);
          }
        }
      }
    }
    if (venue.notPublished) {
      day.problems.push_back("venue " + venue.code + ": results not published yet");
    } else if (!venue.resultFound) {
      day.problems.push_back("venue " + venue.code + ": no result found");
    }
    day.tally += venue.tally;
    day.venues.push_back(std::move(venue));
  }
  return day;
}

}  // namespace

}  // namespace wakorin
