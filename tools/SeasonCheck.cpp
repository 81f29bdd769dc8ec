// wakorin-check: predicts every race of every venue of many days and checks the tickets against
// the official results, exactly as the window's check does, then prints hits and returns.
#include <dlfcn.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/DayDate.h"
#include "program/VenueTable.h"
#include "day/DayCheck.h"
#include "predict/DataModel.h"
#include "predict/DefaultModel.h"
#include "day/RaceDays.h"
#include "day/SeasonCheck.h"
#include "tools/DayFilesText.h"
#include "ui/season/PlotModule.h"
#include "ui/season/SeasonCsv.h"
#include "tools/SeasonCheckText.h"

namespace fs = std::filesystem;
using namespace wakorin;

namespace {

using check_text::Problem;
using cli::Say;
namespace text = check_text;

struct Options {
  std::vector<std::string> paths;
  std::optional<std::string> stats;
  std::optional<std::string> csv;
  std::optional<std::string> plot;
  bool byVenue = false;
  bool quiet = false;
  bool dataMode = false;
  std::optional<std::string> model;
  int from = 0, to = 99999999;  // yyyymmdd
  unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
};

std::optional<Options> Parse(int argc, char** argv) {
  Options options;
  bool modeGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    if (arg == "-h" || arg == "--help") {
      std::cout << Say(text::kUsage);
      std::exit(0);
    } else if (arg == "-s" || arg == "--stats") {
      if (!(options.stats = value())) return std::nullopt;
    } else if (arg == "--csv") {
      if (!(options.csv = value())) return std::nullopt;
    } else if (arg == "--plot") {
      if (!(options.plot = value())) return std::nullopt;
    } else if (arg == "-m" || arg == "--mode") {
      const auto mode = value();
      if (!mode || (*mode != "standard" && *mode != "data")) return std::nullopt;
      options.dataMode = *mode == "data";
      modeGiven = true;
    } else if (arg == "--model") {
      if (!(options.model = value())) return std::nullopt;
    } else if (arg == "--from" || arg == "--to") {
      const auto day = value();
      const std::optional<int> date = day ? ParseDayArgument(*day) : std::nullopt;
      if (!date) {
        if (day) std::cerr << "wakorin-check: " << *day << ": " << Say(text::kNotADate) << "\n";
        return std::nullopt;
      }
      (arg == "--from" ? options.from : options.to) = *date;
    } else if (arg == "-v" || arg == "--by-venue") {
      options.byVenue = true;
    } else if (arg == "-q" || arg == "--quiet") {
      options.quiet = true;
    } else if (arg == "-j" || arg == "--jobs") {
      const auto jobs = value();
      if (!jobs || std::atoi(jobs->c_str()) < 1) return std::nullopt;
      options.jobs = static_cast<unsigned>(std::atoi(jobs->c_str()));
    } else if (!arg.empty() && arg[0] == '-') {
      return std::nullopt;
    } else {
      options.paths.push_back(arg);
    }
  }
  if (options.paths.empty()) return std::nullopt;
  // A model is the data mode's: given alone, it asks for that mode.
  if (options.model && !modeGiven) options.dataMode = true;
  if (options.model && !options.dataMode) {
    std::cerr << "wakorin-check: " << Say(text::kModelIsForData) << "\n";
    return std::nullopt;
  }
  return options;
}

std::string Reason(const Error& error) {
  return day_text::FileError(error);
}

// "1 day", "2 days"; in Japanese the counter word follows the number closely: "2日".
std::string Count(std::size_t n, const text::Text& one, const text::Text& many) {
  const bool japanese = cli::CurrentLanguage() == cli::Language::Japanese;
  return std::to_string(n) + (japanese ? "" : " ") + Say(n == 1 ? one : many);
}

// Why a statistics file cannot be read: "its racer statistics file X cannot be read (why)".
std::string StatsCannotBeRead(const std::string& path, const Error& error) {
  return Say(text::kStatsCannotBeRead) + path + " " + Say(day_text::kCannotBeRead) + Reason(error) +
         Say(day_text::kCannotBeReadEnd);
}

// Why a day has no statistics file: each file passed over and why, else that none was found;
// then where it looked.
std::string NoStatsProblem(const SeasonStats::ForDay& stats) {
  std::string problem;
  for (const auto& [path, error] : stats.refused) {
    problem += (problem.empty() ? "" : "; ") + StatsCannotBeRead(path, error);
  }
  if (stats.named) return problem;
  if (problem.empty()) problem = Say(text::kNoStatsFile);
  if (!stats.lookedFor.empty()) {
    problem += "; " + std::string(Say(text::kLookedFor));
    for (std::size_t i = 0; i < stats.lookedFor.size(); ++i) {
      problem += (i == 0 ? "" : ", ") + stats.lookedFor[i];
    }
    problem += Say(text::kEarlierPeriods);
  }
  return problem + "; " + Say(text::kDataModeNeedsNone);
}

std::string DescribeStats(const SeasonStats& stats) {
  std::string text;
  for (const auto& [path, racers] : stats.Tables()) {
    if (!text.empty()) text += ", ";
    text += path + " (" + Count(racers, check_text::kRacer, check_text::kRacers) + ")";
  }
  return text.empty() ? Say(check_text::kNone) : text;
}

// Every line a day of the season has to say, in the order they happened.
std::vector<std::string> DayProblems(const SeasonDay& day) {
  std::vector<std::string> lines;
  if (day.noStats) {
    lines.push_back(day.file + ": " + NoStatsProblem(*day.noStats));
    return lines;
  }
  for (const RefusedFile& file : day.refused) lines.push_back(day_text::Refused(file, day.date));
  if (day.gap) {
    RaceDay left;
    left.date = day.date;
    left.gap = day.gap;
    lines.push_back(day_text::LeftOut(left));
  }
  if (day.unreadable) lines.push_back(day.file + ": " + day_text::CannotBeRead(*day.unreadable));
  if (day.check) {
    for (const DayProblem& p : day.check->problems) {
      lines.push_back(day.file + ": " + Problem(p, day.check->otherDay));
    }
  }
  return lines;
}

// `passed`: in the data mode, the races each bet type was skipped (見送り); `races` counts the
// races bet.
void PrintTally(const CheckTally& tally, const std::string& indent,
                const PerBet<long long>* passed = nullptr) {
  std::printf(Say(passed ? text::kTallyHeaderData : text::kTallyHeader), indent.c_str());
  const PerBet<const char*> names{{"２連複", "２連単", "３連複", "３連単"}};
  for (BetType type : kBetTypes) {
    const char* name = names[type];
    const BetTally* bet = &tally[type];
    const double hitRate = bet->races ? 100.0 * bet->hits / bet->races : 0.0;
    char skipped[16] = "";
    if (passed) std::snprintf(skipped, sizeof skipped, " %8lld", (*passed)[type]);
    std::printf("%s%s  %7d%s %7d  %7.1f%%  %9lld円  %9lld円  %7lld円  %10.1f%%\n", indent.c_str(),
                name, bet->races, skipped, bet->hits, hitRate, bet->stake, bet->payout,
                bet->refund, bet->ReturnPercent());
  }
}

// The window's chart of the return rate, drawn by the plot module (loaded only now, so that the
// checker links no Qt), written whole. The module stands beside the checker in a build, and in
// the library folder of the tree it was installed in.
std::optional<WriteFault> WritePlot(const std::string& path, bool dataMode, const SeasonTotals& totals,
                                    std::string* missing) {
  std::vector<std::string> places;
  std::error_code error;
  const fs::path self = fs::read_symlink("/proc/self/exe", error);
  if (error) {
    *missing = kWakorinPlotModule;
    return WriteFault{WriteFault::Kind::Other, 0};
  }
  places.push_back((self.parent_path() / kWakorinPlotModule).string());
  places.push_back((self.parent_path() / WAKORIN_PLOT_MODULE_DIR / kWakorinPlotModule).lexically_normal().string());
  void* module = nullptr;
  for (const std::string& place : places) {
    if ((module = ::dlopen(place.c_str(), RTLD_NOW | RTLD_LOCAL)) != nullptr) break;
    *missing = ::dlerror();
  }
  if (module == nullptr) return WriteFault{WriteFault::Kind::Other, 0};
  const auto write = reinterpret_cast<WakorinWriteSeasonPlot>(::dlsym(module, kWakorinPlotSymbol));
  if (write == nullptr) {
    *missing = ::dlerror();
    return WriteFault{WriteFault::Kind::Other, 0};
  }
  missing->clear();
  int errorNumber = 0;
  const int written = write(path.c_str(), dataMode ? 1 : 0, &totals, &errorNumber);
  // The module stays loaded: Qt's own threads may still run until the process ends.
  if (written == 0) return std::nullopt;
  return WriteFault{static_cast<WriteFault::Kind>(written - 1), errorNumber};
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) {
    std::cerr << Say(text::kUsage);
    return 2;
  }
  std::shared_ptr<const DataModel> loaded;
  if (options->model) {
    ModelRead read = LoadDataModel(*options->model);
    if (!read.model) {
      std::cerr << "wakorin-check: " << *options->model << ": " << day_text::ModelFault(read.fault) << "\n";
      return 2;
    }
    loaded = std::make_shared<const DataModel>(std::move(*read.model));
  }
  const std::shared_ptr<const DataModel> model =
      !options->dataMode ? nullptr : loaded ? loaded : SharedDefaultModel();

  // Days in date order, so that the data mode learns each racer's form from the days before.
  const DayListing listing = ListRaceDays(options->paths);
  std::vector<std::string> problems;
  for (const PathProblem& problem : listing.problems) problems.push_back(day_text::PathProblem(problem));
  // A day is checked from its race program file; a result file alone only informs the form.
  const std::vector<DayCopies> counted = DaysToCheck(listing, options->from, options->to);

  SeasonStats stats(options->stats);
  if (model == nullptr) stats.Prepare(counted);

  // The CSV is gathered and written whole at the end: a full disk or a cancelled run leaves
  // the file that stood there untouched.
  std::optional<std::ostringstream> csv;
  if (options->csv) {
    if (!day_text::WritableTarget(*options->csv)) {
      std::cerr << "wakorin-check: "
                << day_text::CannotWrite(*options->csv, {WriteFault::Kind::NotRegularFile, 0})
                << "\n";
      return 2;
    }
    csv.emplace();
    WriteSeasonCsvHeader(*csv, model != nullptr);
  }
  if (options->plot && !day_text::WritableTarget(*options->plot)) {
    std::cerr << "wakorin-check: "
              << day_text::CannotWrite(*options->plot, {WriteFault::Kind::NotRegularFile, 0}) << "\n";
    return 2;
  }

  SeasonTotals totals;
  std::size_t skipped = problems.size();
  // A statistics file passed over for the next candidate skips no day, but is named all the same.
  for (const auto& [path, error] : stats.PassedOver()) problems.push_back(StatsCannotBeRead(path, error));
  bool somethingSkipped = !problems.empty();
  const bool bar = !options->quiet && ::isatty(2);
  std::size_t done = 0;
  auto consume = [&](SeasonDay&& day) {
    const std::vector<std::string> lines = DayProblems(day);
    if (bar && !lines.empty()) std::fprintf(stderr, "\r%*s\r", 60, "");
    for (const std::string& line : lines) std::cerr << "wakorin-check: " << line << "\n";
    if (!lines.empty()) somethingSkipped = true;
    if (!day.counted) return;  // an earlier day, read only for the racers' form
    if (totals.Add(day)) {
      if (csv) WriteSeasonCsv(*csv, day, model != nullptr);
    } else {
      ++skipped;
    }
    if (bar) {
      ++done;
      const int filled = counted.empty() ? 40 : static_cast<int>(40 * done / counted.size());
      std::fprintf(stderr, Say(text::kDaysBar), std::string(filled, '#').c_str(),
                   std::string(40 - filled, ' ').c_str(), done, counted.size());
    }
  };
  SeasonOptions season;
  season.model = model;
  season.stats = &stats;
  season.from = options->from;
  season.to = options->to;
  season.jobs = options->jobs;
  season.favourites = options->plot.has_value();  // the chart's line for reference
  CheckSeason(listing, season, consume);
  const std::size_t checkedDays = totals.days.size();
  const int firstDay = totals.firstDay, lastDay = totals.lastDay;
  if (bar) std::fprintf(stderr, "\r%*s\r", 60, "");
  for (const std::string& problem : problems) std::cerr << "wakorin-check: " << problem << "\n";

  const std::string source = model != nullptr
                                 ? (options->model ? *options->model : std::string(Say(text::kBuiltIn)))
                                 : DescribeStats(stats);
  std::printf(Say(model != nullptr ? text::kSummaryData : text::kSummary),
              Count(checkedDays, text::kDay, text::kDays).c_str(),
              Count(totals.venues, text::kVenue, text::kVenues).c_str(),
              Count(totals.races, text::kRace, text::kRaces).c_str(),
              Count(skipped, text::kFile, text::kFiles).c_str(), source.c_str());
  if (totals.estimated > 0) {
    std::printf(Say(text::kEstimated), Count(totals.estimated, text::kRace, text::kRaces).c_str());
  }
  if (model != nullptr && checkedDays > 0) {
    // The model's header names the days it learned from: figures on them flatter it.
    const std::string& learned = model->learnedFrom;
    const std::optional<int> from = learned.size() >= 22 ? ParseDayArgument(learned.substr(0, 10))
                                                         : std::nullopt;
    const std::optional<int> to = from && learned.compare(10, 2, "..") == 0
                                      ? ParseDayArgument(learned.substr(12, 10))
                                      : std::nullopt;
    if (from && to && firstDay <= *to && lastDay >= *from) {
      std::printf(Say(text::kLearnedOn), learned.substr(0, 22).c_str());
    }
  }
  std::printf("\n");
  PrintTally(totals.total, "", model != nullptr ? &totals.skipped : nullptr);
  if (model != nullptr) {
    std::fputs(Say(text::kLossHeader), stdout);
    const PerBet<const char*> names{{"２連複", "２連単", "３連複", "３連単"}};
    const PerBet<int> combinations{{15, 30, 20, 120}};
    for (BetType bet : kBetTypes) {
      const LogLossSum& l = totals.loss[bet];
      if (l.races == 0) continue;
      std::printf("%s   %7d   %6.3f   %6.3f   %6.3f\n", names[bet], l.races, l.model / l.races,
                  l.market / l.races, std::log(static_cast<double>(combinations[bet])));
    }
  }
  if (options->byVenue) {
    for (const auto& [code, tally] : totals.byVenue) {
      std::printf("\n%s %s\n", code.c_str(), Cp932ToUtf8(VenueNameOfCode(code)).c_str());
      PrintTally(tally, "  ");
    }
  }
  if (csv) {
    if (const std::optional<WriteFault> fault = WriteWholeFile(*options->csv, csv->str())) {
      std::cerr << "wakorin-check: " << day_text::CannotWrite(*options->csv, *fault) << "\n";
      return 1;
    }
  }
  if (options->plot) {
    std::string missing;
    if (const std::optional<WriteFault> fault = WritePlot(*options->plot, model != nullptr, totals, &missing)) {
      std::cerr << "wakorin-check: "
                << (missing.empty() ? day_text::CannotWrite(*options->plot, *fault)
                                    : Say(text::kNoPlotModule) + missing)
                << "\n";
      return 1;
    }
  }
  return somethingSkipped || checkedDays == 0 ? 1 : 0;
}
