// wakorin-check: predicts every race of every venue of many days and checks the tickets against
// the official results, exactly as the window's check does, then prints hits and returns.
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

// CP932 bytes as UTF-8 for the terminal and the CSV file.
std::string Utf8(const std::string& cp932) {
  iconv_t convert = iconv_open("UTF-8", "CP932");
  if (convert == reinterpret_cast<iconv_t>(-1)) return cp932;
  std::string out(cp932.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(cp932.data());
  std::size_t inLeft = cp932.size();
  char* to = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(convert, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
      ++in;  // a malformed byte is left out; the rest still shows
      --inLeft;
    }
  }
  iconv_close(convert);
  out.resize(out.size() - outLeft);
  return out;
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

const PerBet<const char*> kCsvNames{{"quinella", "exacta", "trio", "trifecta"}};

// Per race and bet type: the result, then what the tickets staked, were paid and were paid back
// in yen, whether the bet type was skipped, and in the data mode the model's chance of what won,
// so that every figure of the summary can be worked again from the file alone.
void WriteCsvHeader(std::ostream& out, bool dataMode) {
  out << "file,venue,race,predicted";
  for (BetType bet : kBetTypes) {
    const std::string n = kCsvNames[bet];
    out << ',' << n << "_result," << n << "_payout," << n << "_hit_ticket";
  }
  for (BetType bet : kBetTypes) {
    const std::string n = kCsvNames[bet];
    out << ',' << n << "_stake," << n << "_paid," << n << "_refund," << n << "_skipped";
    if (dataMode) out << ',' << n << "_chance";
  }
  out << '\n';
}

void WriteCsv(std::ostream& out, const SeasonDay& day, bool dataMode) {
  // From the values of each cell: the combination (or the word the result file writes instead
  // of one), its payout as the file writes it and the ticket that hit it.
  auto cell = [&](const BetMatch& shown) {
    std::string yen = Utf8(shown.payout);
    yen.erase(0, yen.find_first_not_of(' '));
    std::string combination;
    switch (shown.result) {
      case BetMatch::Result::Paid: combination = Utf8(shown.combination); break;
      case BetMatch::Result::Cancelled: combination = "中　止"; break;
      case BetMatch::Result::Void: combination = "不成立"; break;
      case BetMatch::Result::Special: combination = "特払い"; break;
      case BetMatch::Result::NotShown: break;
    }
    out << ',' << combination << ',' << yen << ','
        << (shown.ticket > 0 ? std::to_string(shown.ticket) : std::string());
  };
  if (!day.check) return;
  const std::string name = fs::path(day.file).filename().string();
  for (const VenueCheck& venue : day.check->venues) {
    for (std::size_t r = 0; r < venue.races.size(); ++r) {
      const RaceCheck& race = venue.races[r];
      out << name << ',' << venue.code << ',' << race.race << ',' << (race.predicted ? 1 : 0);
      // A venue's races stand in the rows of the grid in order, the first race first.
      for (BetType bet : kBetTypes) cell(r < venue.rows.size() ? venue.rows[r].bets[bet] : BetMatch{});
      for (BetType bet : kBetTypes) {
        const BetTally& t = race.tally[bet];
        out << ',' << t.stake << ',' << t.payout << ',' << t.refund << ',' << t.skipped;
        if (!dataMode) continue;
        out << ',';
        if (race.outcomeChance[bet] >= 0) {
          char chance[32];
          std::snprintf(chance, sizeof chance, "%.6g", race.outcomeChance[bet]);
          out << chance;
        }
      }
      out << '\n';
    }
  }
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
    WriteCsvHeader(*csv, model != nullptr);
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
      if (csv) WriteCsv(*csv, day, model != nullptr);
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
      std::printf("\n%s %s\n", code.c_str(), Utf8(VenueNameOfCode(code)).c_str());
      PrintTally(tally, "  ");
    }
  }
  if (csv) {
    if (const std::optional<WriteFault> fault = WriteWholeFile(*options->csv, csv->str())) {
      std::cerr << "wakorin-check: " << day_text::CannotWrite(*options->csv, *fault) << "\n";
      return 1;
    }
  }
  return somethingSkipped || checkedDays == 0 ? 1 : 0;
}
