#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/Error.h"
#include "predict/DataForecast.h"
#include "predict/RacerStatsTable.h"
#include "predict/RecommendedTickets.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "results/RaceResult.h"
#include "results/VenueCheck.h"
#include "results/RecentForm.h"
#include "results/ResultFile.h"

namespace wakorin {

// One venue of the open day.
struct DayVenue {
  std::string code;  // "01".."24"
  std::string name;  // six CP932 bytes, from the venue table
  int raceCount = 0;
  BlockLayout layout = BlockLayout::KyoteijoVenueLine;
  std::uint64_t offset = 0;  // its block in the day's bytes
  std::size_t length = 0;
  int venuesBefore = 0;  // listed venues before it in the file: where its results are looked for
};

// How a race is predicted: the engine on the statistics file's figures, or the model learned
// from past seasons (which needs no statistics file).
enum class PredictionMode { Standard, Data };

// What a forecast or a check predicts with, given with each call: the data mode's model (with the
// racers' recent form when there is one), else the standard mode on `stats` (when given; else the
// day finds its statistics file). Whoever holds the mode builds it; the day holds none of it.
struct Predictor {
  std::shared_ptr<const DataModel> model;
  std::shared_ptr<const FormBook> forms;
  std::shared_ptr<const RacerStatsTable> stats;
  // Also count six fixed favourites of each bet type in every race a check counts
  // (VenueCheck::favourites), a yardstick for a season's returns.
  bool favourites = false;
  // Also give each winning combination of a check its 人気 from the race's own payout lines,
  // which the window shows; the checker, which never does, is spared reading them.
  bool popularity = false;

  PredictionMode Mode() const { return model ? PredictionMode::Data : PredictionMode::Standard; }
};

// A forecast in either mode: the tickets (and in the standard mode the prediction and the
// statistics file its figures came from; in the data mode each boat's chances and the bet types
// skipped).
struct DayForecast {
  RaceForecast forecast;
  std::string statsFile;
  std::optional<DataForecast> data;
};

// The day a race program file holds, read once (an archive unpacked once) and indexed once: the
// window shows it and the checker checks it through the same questions. Not safe to share
// between threads when it finds its statistics itself (a Predictor without statistics).
class OpenDay {
 public:
  // Reads and indexes the race program file at `path`. A file without a start line opens, with
  // no venue: the caller says it is no race program file.
  static Outcome<OpenDay> Open(const std::string& path);
  // The same over bytes already read.
  static Outcome<OpenDay> FromBytes(std::string path, std::shared_ptr<const std::string> bytes);

  const std::string& Path() const { return path_; }
  std::string_view Bytes() const { return *bytes_; }
  bool HasStartLine() const { return startFound_; }
  // In the order of the venue list: the file's last venue first, each venue once.
  const std::vector<DayVenue>& Venues() const { return venues_; }
  // Codes of the venues whose block stands more than once in the file; the first is used.
  const std::vector<std::string>& DuplicateVenues() const { return duplicates_; }
  // The day, by the date inside the file (yyyymmdd).
  std::optional<int> Day() const { return day_; }

  // Race `race` (1-based) of venue `venue` (index into Venues()).
  TRaceCard Card(std::size_t venue, int race) const;
  // The racer number of every lane of every race a check reads, venue after venue.
  std::vector<std::string> RacerNumbers() const;

  // Forecasts race `race` of venue `venue` as `predictor` says. In the standard mode without
  // statistics given, the statistics file is found beside the race program file, else in
  // `workingFolder` (Fan0510.txt, else the day's period file), read once, and read again only
  // when the file found changes; a file under a statistics file's name whose bytes are no
  // statistics file is passed over. Fails with Error::Kind::Missing, naming where it looked and
  // what it passed over, when there is none.
  Outcome<DayForecast> Forecast(std::size_t venue, int race, const Predictor& predictor,
                                const std::string& workingFolder = ".") const;

  // Race `race` of venue `venue` as the day's result file beside the race program file gives it.
  // A result file that cannot be read fails with its error.
  struct RaceResultLookup {
    enum class End { NoResultFile, OtherDay, VenueMissing, RaceMissing, Found };
    End end = End::NoResultFile;
    std::optional<std::pair<int, int>> otherDay;  // program day, result day (yyyymmdd)
    RaceResult result;
    // Bet types whose payouts under the race disagree with the summary table at the venue's
    // top: the file is damaged there, and neither is to be trusted.
    std::vector<BetType> disagreeing;
  };
  Outcome<RaceResultLookup> LookUpRaceResult(std::size_t venue, int race) const;

  // The day's result file beside the race program file (any letter case, text or archive);
  // empty when there is none. Once found, it is kept.
  std::string ResultPath() const;

  // Checks venue `venue`: every race forecast, the venue's results looked for in the result
  // file, every race matched. A statistics file that cannot be read, or a result file that
  // cannot, ends the check with its error. `resultFile` is the result file's bytes when the
  // caller has read them; otherwise they are read from ResultPath().
  Outcome<VenueCheck> CheckVenue(std::size_t venue, ResultSearchObserver& observer,
                                 const Predictor& predictor,
                                 std::optional<std::string_view> resultFile = std::nullopt,
                                 const std::string& workingFolder = ".") const;
  // The same over result file bytes the caller has read and outlined once for every venue.
  Outcome<VenueCheck> CheckVenue(std::size_t venue, ResultSearchObserver& observer,
                                 const Predictor& predictor, std::string_view resultFile,
                                 const ResultFileOutline& outline,
                                 const std::string& workingFolder = ".") const;

 private:
  struct FoundStats {
    std::string path;
    std::int64_t modified = 0;
    std::uint64_t size = 0;
    std::shared_ptr<const RacerStatsTable> table;
  };
  Outcome<std::pair<const RacerStatsTable*, std::string>> Stats(const Predictor& predictor,
                                                                const std::string& workingFolder) const;
  Outcome<VenueCheck> CheckVenueIn(std::size_t venue, ResultSearchObserver& observer,
                                   const Predictor& predictor,
                                   std::optional<std::string_view> resultFile,
                                   const ResultFileOutline* outline,
                                   const std::string& workingFolder) const;

  std::string path_;
  std::shared_ptr<const std::string> bytes_;
  bool startFound_ = false;
  std::vector<DayVenue> venues_;
  std::vector<std::string> duplicates_;
  std::optional<int> day_;
  mutable std::optional<FoundStats> foundStats_;
  mutable std::string resultPath_;
};

}  // namespace wakorin
