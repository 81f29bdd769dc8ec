// wakorin-check: predicts every race of every venue of many days and checks the tickets against
// the official results, exactly as the window's check does, then prints hits and returns.
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>
#include <map>
#include <set>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/ByteFile.h"
#include "base/DayDate.h"
#include "predict/RacerStats.h"
#include "predict/RacerStatsTable.h"
#include "program/VenueTable.h"
#include "day/DayCheck.h"
#include "day/OpenDay.h"
#include "predict/DataModel.h"
#include "predict/DefaultModel.h"
#include "results/RecentForm.h"
#include "results/ResultFile.h"
#include "day/RaceDays.h"
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

struct DayResult {
  int date = 0;
  std::string file;  // the race program file taken, else the first one tried
  std::optional<DayCheck> check;
  std::vector<std::string> problems;  // each a whole line: what, and why
  std::shared_ptr<const std::string> results;  // the result file's bytes, for the recent form
};

std::string FolderOf(const std::string& file) {
  const std::string folder = fs::path(file).parent_path().string();
  return folder.empty() ? "." : folder;
}

// The race program file a day's statistics file is looked for beside.
std::string ProgramPathOf(const DayCopies& day) {
  return day.programs.empty() ? std::string() : day.programs.front();
}

// What a day needs from its statistics file: the table, or why there is none.
struct DayStats {
  std::shared_ptr<const RacerStatsTable> table;
  std::string problem;
};

// A day's files read (each copy refused is named) and its race program file opened; `open` is
// empty when there is nothing to check.
struct OpenedDay {
  DayResult day;
  std::optional<OpenDay> open;
};

OpenedDay OpenDayFiles(const DayCopies& copies) {
  OpenedDay opened;
  DayResult& day = opened.day;
  day.date = copies.date;
  day.file = ProgramPathOf(copies);
  const RaceDay read = ReadRaceDay(copies, DayNeeds::ProgramAndResults);
  for (const RefusedFile& file : read.refused) {
    day.problems.push_back(day_text::Refused(file, copies.date));
  }
  if (!read.programPath.empty()) day.file = read.programPath;
  day.results = read.result;
  if (read.gap) {
    day.problems.push_back(day_text::LeftOut(read));
    return opened;
  }
  auto open = OpenDay::FromBytes(read.programPath, read.program);
  if (!open) {
    day.problems.push_back(day.file + ": " + day_text::CannotBeRead(open.error()));
    return opened;
  }
  opened.open.emplace(std::move(*open));
  return opened;
}

// Checks a day opened, told how it predicts.
void CheckOpened(DayResult& day, const OpenDay& open) {
  day.check = CheckDay(open, std::string_view(*day.results));
  for (const DayProblem& p : day.check->problems) {
    day.problems.push_back(day.file + ": " + Problem(p, day.check->otherDay));
  }
  if (day.check->venues.empty()) day.check.reset();
}

// Reads the day's files and checks it on its statistics.
DayResult CheckDayFiles(const DayCopies& copies, const DayStats& stats) {
  if (stats.table == nullptr) {
    DayResult day;
    day.date = copies.date;
    day.file = ProgramPathOf(copies);
    day.problems.push_back(day.file + ": " + stats.problem);
    return day;
  }
  OpenedDay opened = OpenDayFiles(copies);
  if (opened.open) {
    opened.open->UseStats(stats.table);
    CheckOpened(opened.day, *opened.open);
  }
  return std::move(opened.day);
}

// Runs jobs on a few threads and hands their answers back in the order they were given.
template <typename T>
class OrderedJobs {
 public:
  explicit OrderedJobs(unsigned workers) {
    for (unsigned w = 0; w < std::max(1u, workers); ++w) threads_.emplace_back([this] { Work(); });
  }
  ~OrderedJobs() {
    {
      const std::lock_guard lock(mutex_);
      closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }

  void Submit(std::function<T()> job) {
    {
      const std::lock_guard lock(mutex_);
      queue_.emplace_back(given_++, std::move(job));
    }
    changed_.notify_all();
  }
  // Jobs given and not handed back yet.
  std::size_t Pending() {
    const std::lock_guard lock(mutex_);
    return given_ - handed_;
  }
  // The answer of the oldest job not handed back, waiting for it.
  T Next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_.count(handed_) != 0; });
    auto found = done_.find(handed_);
    T answer = std::move(found->second);
    done_.erase(found);
    ++handed_;
    return answer;
  }

 private:
  void Work() {
    while (true) {
      std::pair<std::size_t, std::function<T()>> job;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
        if (queue_.empty()) return;
        job = std::move(queue_.front());
        queue_.pop_front();
      }
      T answer = job.second();
      {
        const std::lock_guard lock(mutex_);
        done_.emplace(job.first, std::move(answer));
      }
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::pair<std::size_t, std::function<T()>>> queue_;
  std::map<std::size_t, T> done_;
  std::size_t given_ = 0, handed_ = 0;
  bool closing_ = false;
  std::vector<std::thread> threads_;
};

// "1 day", "2 days"; in Japanese the counter word follows the number closely: "2日".
std::string Count(std::size_t n, const text::Text& one, const text::Text& many) {
  const bool japanese = cli::CurrentLanguage() == cli::Language::Japanese;
  return std::to_string(n) + (japanese ? "" : " ") + Say(n == 1 ? one : many);
}

// The statistics file of each day: the one given, else the one beside its race program file,
// else the one in the working directory (Fan0510.txt, else the day's period file). Each folder
// is listed once and each file read once, however many days share it; a file that cannot be
// read costs only the days that need it.
class StatsFiles {
 public:
  explicit StatsFiles(std::optional<std::string> given) : given_(std::move(given)) {}

  void Prepare(const std::vector<DayCopies>& days) {
    std::map<std::string, StatsFolder> folders;
    auto folder = [&](const std::string& path) -> const StatsFolder& {
      auto found = folders.find(path);
      if (found == folders.end()) found = folders.emplace(path, StatsFolder(path)).first;
      return found->second;
    };
    // Each file is loaded once; one that fails (no statistics file by its bytes, or unreadable)
    // is passed over for the next candidate, and named if the day finds none.
    auto load = [&](const std::string& path) {
      if (tables_.count(path) != 0 || broken_.count(path) != 0) return;
      auto table = RacerStatsTable::Load(path);
      if (table) {
        tables_.emplace(path, std::make_shared<const RacerStatsTable>(std::move(*table)));
      } else {
        broken_[path] = Reason(table.error());
      }
    };
    for (const DayCopies& day : days) {
      const std::string file = ProgramPathOf(day);
      if (given_) {
        statsOf_[file] = *given_;
        load(*given_);
        continue;
      }
      const std::optional<int> month = day.date / 100;
      Missing& missing = missing_[file];
      std::vector<std::string> where{FolderOf(file)};
      std::error_code error;
      if (!fs::equivalent(where.front(), ".", error)) where.push_back(".");
      for (const std::string& in : where) {
        const auto names = StatsFileNamesIn(in, month);
        missing.lookedFor.insert(missing.lookedFor.end(), names.begin(), names.end());
        for (const std::string& path : folder(in).Candidates(month)) {
          load(path);
          if (tables_.count(path) == 0) {
            missing.refused.push_back(path);
            continue;
          }
          statsOf_[file] = path;
          break;
        }
        if (statsOf_.count(file) != 0) break;
      }
      if (statsOf_.count(file) != 0) {
        for (const std::string& refused : missing.refused) passedOver_.insert(refused);
        missing_.erase(file);
      }
    }
  }

  DayStats For(const DayCopies& day) const {
    const std::string file = ProgramPathOf(day);
    const auto path = statsOf_.find(file);
    if (path == statsOf_.end()) {
      // Each file passed over and why, else that none was found; then where it looked.
      const auto missing = missing_.find(file);
      std::string problem;
      if (missing != missing_.end()) {
        for (const std::string& refused : missing->second.refused) {
          problem += (problem.empty() ? "" : "; ") + CannotBeRead(refused);
        }
      }
      if (problem.empty()) problem = Say(text::kNoStatsFile);
      if (missing != missing_.end() && !missing->second.lookedFor.empty()) {
        problem += "; " + std::string(Say(text::kLookedFor));
        for (std::size_t i = 0; i < missing->second.lookedFor.size(); ++i) {
          problem += (i == 0 ? "" : ", ") + missing->second.lookedFor[i];
        }
        problem += Say(text::kEarlierPeriods);
      }
      return {nullptr, problem + "; " + Say(text::kDataModeNeedsNone)};
    }
    if (const auto table = tables_.find(path->second); table != tables_.end()) {
      return {table->second, {}};
    }
    return {nullptr, CannotBeRead(path->second)};
  }

  // Statistics files passed over for a later candidate, each once, with why.
  std::vector<std::string> PassedOver() const {
    std::vector<std::string> said;
    for (const std::string& path : passedOver_) said.push_back(CannotBeRead(path));
    return said;
  }

  std::string Describe() const {
    std::string text;
    for (const auto& [path, table] : tables_) {
      if (!text.empty()) text += ", ";
      text +=
          path + " (" + Count(table->RecordCount(), check_text::kRacer, check_text::kRacers) + ")";
    }
    return text.empty() ? Say(check_text::kNone) : text;
  }

 private:
  struct Missing {
    std::vector<std::string> lookedFor;
    std::vector<std::string> refused;
  };
  std::string CannotBeRead(const std::string& path) const {
    return Say(text::kStatsCannotBeRead) + path + " " + Say(day_text::kCannotBeRead) +
           broken_.at(path) + Say(day_text::kCannotBeReadEnd);
  }

  std::optional<std::string> given_;
  std::map<std::string, Missing> missing_;  // days that found no usable file
  std::map<std::string, std::string> statsOf_;
  std::map<std::string, std::shared_ptr<const RacerStatsTable>> tables_;
  std::map<std::string, std::string> broken_;  // path, why it cannot be read
  std::set<std::string> passedOver_;
};

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

// Sums of the log-loss of what won, over races with one winning combination and a payout.
struct LogLoss {
  int races = 0;
  double model = 0, market = 0;
};

void AddLogLoss(const DayResult& day, PerBet<LogLoss>& loss) {
  if (!day.check) return;
  for (const VenueCheck& venue : day.check->venues) {
    for (std::size_t r = 0; r < venue.races.size() && r < venue.rows.size(); ++r) {
      for (BetType bet : kBetTypes) {
        const double chance = venue.races[r].outcomeChance[bet];
        const std::string& payout = venue.rows[r].bets[bet].payout;
        const std::size_t digits = payout.find_first_not_of(' ');
        if (chance < 0 || digits == std::string::npos) continue;
        const long long yen = std::atoll(payout.c_str() + digits);
        if (yen <= 0) continue;
        // The pool pays back 75 % of what it takes: 75 / payout is the market's chance.
        loss[bet].model -= std::log(std::max(chance, 1e-9));
        loss[bet].market -= std::log(std::min(75.0 / static_cast<double>(yen), 1.0));
        ++loss[bet].races;
      }
    }
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

void WriteCsv(std::ostream& out, const DayResult& day, bool dataMode) {
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

// Checks the days on several threads and hands them over in file order, holding no more than
// a few days per thread: memory stays the same however many days a folder holds.
class DayPipeline {
 public:
  DayPipeline(const std::vector<DayCopies>& files, const StatsFiles& stats, unsigned workers)
      : files_(files), stats_(stats), ahead_(std::max(2u, workers) * 2) {
    for (unsigned w = 0; w < workers; ++w) threads_.emplace_back([this] { Work(); });
  }
  ~DayPipeline() {
    for (std::thread& thread : threads_) thread.join();
  }

  // The next day in file order, waiting at most `wait` for it; nullopt when not ready yet.
  std::optional<DayResult> Next(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    if (!changed_.wait_for(lock, wait, [&] { return ready_.count(handed_) != 0; })) {
      return std::nullopt;
    }
    auto found = ready_.find(handed_);
    DayResult day = std::move(found->second);
    ready_.erase(found);
    ++handed_;
    changed_.notify_all();
    return day;
  }
  std::size_t Handed() const { return handed_; }

 private:
  void Work() {
    while (true) {
      std::size_t i;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return next_ >= files_.size() || next_ < handed_ + ahead_; });
        if (next_ >= files_.size()) return;
        i = next_++;
      }
      DayResult day = CheckDayFiles(files_[i], stats_.For(files_[i]));
      const std::lock_guard lock(mutex_);
      ready_.emplace(i, std::move(day));
      changed_.notify_all();
    }
  }

  const std::vector<DayCopies>& files_;
  const StatsFiles& stats_;
  const std::size_t ahead_;
  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t next_ = 0, handed_ = 0;
  std::map<std::size_t, DayResult> ready_;
  std::vector<std::thread> threads_;
};

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
  auto inRange = [&](const DayCopies& day) {
    return day.date >= options->from && day.date <= options->to;
  };
  // A day is checked from its race program file; a result file alone only informs the form.
  std::vector<DayCopies> counted;
  for (const DayCopies& day : listing.days) {
    if (inRange(day) && !day.programs.empty()) counted.push_back(day);
  }

  StatsFiles stats(options->stats);
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

  CheckTally total;
  PerBet<LogLoss> loss{};
  PerBet<long long> passed{};  // races a bet type was on sale and skipped (data mode)
  std::map<std::string, CheckTally> byVenue;
  std::size_t checkedDays = 0, venues = 0, races = 0, skipped = 0, estimated = 0;
  int firstDay = 0, lastDay = 0;  // of the days checked
  skipped = problems.size();
  // A statistics file passed over for the next candidate skips no day, but is named all the same.
  for (const std::string& said : stats.PassedOver()) problems.push_back(said);
  bool somethingSkipped = !problems.empty();
  const bool bar = !options->quiet && ::isatty(2);
  auto drawBar = [&](std::size_t count) {
    const int filled = counted.empty() ? 40 : static_cast<int>(40 * count / counted.size());
    std::fprintf(stderr, Say(text::kDaysBar), std::string(filled, '#').c_str(),
                 std::string(40 - filled, ' ').c_str(), count, counted.size());
  };
  auto consume = [&](const DayResult& day) {
    if (bar && !day.problems.empty()) std::fprintf(stderr, "\r%*s\r", 60, "");
    for (const std::string& problem : day.problems) std::cerr << "wakorin-check: " << problem << "\n";
    if (!day.problems.empty()) somethingSkipped = true;
    if (!day.check) {
      ++skipped;
      return;
    }
    ++checkedDays;
    firstDay = firstDay == 0 ? day.date : std::min(firstDay, day.date);
    lastDay = std::max(lastDay, day.date);
    for (const VenueCheck& venue : day.check->venues) {
      if (!venue.resultFound) continue;
      ++venues;
      races += venue.races.size();
      for (const RaceCheck& race : venue.races) {
        estimated += race.estimated ? 1 : 0;
        for (BetType bet : kBetTypes) passed[bet] += race.skipped[bet] ? 1 : 0;
      }
      byVenue[venue.code] += venue.tally;
    }
    total += day.check->tally;
    if (csv) WriteCsv(*csv, day, model != nullptr);
    if (model != nullptr) AddLogLoss(day, loss);
  };

  if (model != nullptr) {
    // Each day's racers' form is fixed, in date order, from the days before it, before its own
    // results join the form; the days are then predicted and checked several at a time, and
    // counted and named in date order. Only a few days are held at once.
    struct Step {
      std::optional<DayResult> day;     // a day checked
      std::vector<std::string> refused;  // an earlier day or a result file alone: what was refused
    };
    const auto forms = std::make_shared<FormBook>();
    const unsigned workers = std::min<unsigned>(options->jobs, std::max<std::size_t>(counted.size(), 1));
    const std::size_t ahead = std::max(2u, workers) * 2;
    std::size_t done = 0;
    OrderedJobs<Step> jobs(workers);
    auto handOver = [&](std::size_t keep) {
      while (jobs.Pending() > keep) {
        Step step = jobs.Next();
        if (step.day) {
          consume(*step.day);
          if (bar) drawBar(++done);
        }
        for (const std::string& line : step.refused) {
          std::cerr << "wakorin-check: " << line << "\n";
          somethingSkipped = true;
        }
      }
    };
    for (const DayCopies& copies : listing.days) {
      if (copies.date > options->to) break;
      std::shared_ptr<const std::string> results;
      if (inRange(copies) && !copies.programs.empty()) {
        auto opened = std::make_shared<OpenedDay>(OpenDayFiles(copies));
        results = opened->day.results;
        if (opened->open) {
          const auto frozen = std::make_shared<const FormBook>(forms->Frozen(opened->open->RacerNumbers()));
          opened->open->UseModel(model, frozen);
        }
        jobs.Submit([opened] {
          if (opened->open) CheckOpened(opened->day, *opened->open);
          return Step{std::move(opened->day), {}};
        });
      } else {
        // An earlier day, or a result file alone: only its results, for the form.
        RaceDay read = ReadRaceDay(copies, DayNeeds::Results);
        std::vector<std::string> refused;
        for (const RefusedFile& file : read.refused) refused.push_back(day_text::Refused(file, copies.date));
        jobs.Submit([refused = std::move(refused)] { return Step{std::nullopt, refused}; });
        results = read.result;
      }
      if (results) forms->AddResultFile(*results);
      handOver(ahead);
    }
    handOver(0);
  } else {
    const unsigned workers =
        std::min<unsigned>(options->jobs, std::max<std::size_t>(counted.size(), 1));
    DayPipeline pipeline(counted, stats, workers);
    while (pipeline.Handed() < counted.size()) {
      std::optional<DayResult> day = pipeline.Next(std::chrono::milliseconds(100));
      if (bar) drawBar(pipeline.Handed());
      if (day) consume(*day);
    }
  }
  if (bar) std::fprintf(stderr, "\r%*s\r", 60, "");
  for (const std::string& problem : problems) std::cerr << "wakorin-check: " << problem << "\n";

  const std::string source = model != nullptr
                                 ? (options->model ? *options->model : std::string(Say(text::kBuiltIn)))
                                 : stats.Describe();
  std::printf(Say(model != nullptr ? text::kSummaryData : text::kSummary),
              Count(checkedDays, text::kDay, text::kDays).c_str(),
              Count(venues, text::kVenue, text::kVenues).c_str(),
              Count(races, text::kRace, text::kRaces).c_str(),
              Count(skipped, text::kFile, text::kFiles).c_str(), source.c_str());
  if (estimated > 0) {
    std::printf(Say(text::kEstimated), Count(estimated, text::kRace, text::kRaces).c_str());
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
  PrintTally(total, "", model != nullptr ? &passed : nullptr);
  if (model != nullptr) {
    std::fputs(Say(text::kLossHeader), stdout);
    const PerBet<const char*> names{{"２連複", "２連単", "３連複", "３連単"}};
    const PerBet<int> combinations{{15, 30, 20, 120}};
    for (BetType bet : kBetTypes) {
      const LogLoss& l = loss[bet];
      if (l.races == 0) continue;
      std::printf("%s   %7d   %6.3f   %6.3f   %6.3f\n", names[bet], l.races, l.model / l.races,
                  l.market / l.races, std::log(static_cast<double>(combinations[bet])));
    }
  }
  if (options->byVenue) {
    for (const auto& [code, tally] : byVenue) {
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
