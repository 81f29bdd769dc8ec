#include "results/DayCheck.h"

#include <cstdio>

#include "base/ByteField.h"
#include "base/DayDate.h"
#include "predict/RecommendedTickets.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "results/ResultFileLayout.h"

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

// The header of the first block after `key`'s first line (STARTB, STARTK).
std::string_view FirstHeader(std::string_view file, std::string_view marker) {
  const std::size_t at = file.find(marker);
  if (at == std::string_view::npos) return {};
  return file.substr(at, kDayDateSearchBytes);
}

}  // namespace

std::optional<int> ProgramFileDay(std::string_view programFile) {
  return FindDayDate(FirstHeader(programFile, "STARTB"));
}

std::optional<int> ResultFileDay(std::string_view resultFile) {
  return FindDayDate(FirstHeader(resultFile, result_layout::kStartMarker));
}

std::string DayText(int yyyymmdd) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", yyyymmdd / 10000, yyyymmdd / 100 % 100,
                yyyymmdd % 100);
  return text;
}

DayCheck CheckDay(std::string_view programFile, std::optional<std::string_view> resultFile,
                  const RacerStatsTable& stats) {
  DayCheck day;
  auto index = IndexVenueBlocksIn(programFile);
  if (!index || !index->startFound) {
    day.problems.push_back("not a race program file");
    return day;
  }
  if (resultFile) {
    const std::optional<int> programDay = ProgramFileDay(programFile);
    const std::optional<int> resultDay = ResultFileDay(*resultFile);
    if (programDay && resultDay && *programDay != *resultDay) {
      day.otherDay = std::make_pair(*programDay, *resultDay);
      day.problems.push_back("the race program file is of " + DayText(*programDay) +
                             ", the result file of " + DayText(*resultDay) + ": not checked");
      return day;
    }
    for (const std::string& code : DuplicateResultVenues(*resultFile)) {
      day.problems.push_back("the result file holds venue " + code +
                             " more than once: the first is checked");
    }
  }
  for (const std::string& code : DuplicateVenueCodes(*index)) {
    day.problems.push_back("venue " + code + " stands more than once in the race program file: " +
                           "the first is checked");
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
      venue.races.push_back(CheckRace(bytes, r, name, block->layout, stats));
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

}  // namespace wakorin
