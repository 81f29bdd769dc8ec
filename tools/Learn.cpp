// wakorin-learn: learns the data prediction mode from seasons of race program and result files,
// and measures it on months it did not learn from.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/ByteFile.h"
#include "base/DayDate.h"
#include "day/SeasonLearning.h"
#include "predict/DataForecast.h"
#include "predict/DataModel.h"
#include "predict/Learner.h"
#include "results/LearningDay.h"
#include "results/RecentForm.h"
#include "results/ResultFile.h"
#include "tools/DayFilesText.h"
#include "tools/LearnText.h"

namespace fs = std::filesystem;
using namespace wakorin;

namespace {

using cli::Say;
namespace text = learn_text;

struct Range {
  int from = 0, to = 99999999;  // yyyymmdd, inclusive
  bool given = false;
  bool Holds(int date) const { return given && date >= from && date <= to; }
};

struct Options {
  std::vector<std::string> paths;
  Range learn, tune, test;
  std::optional<std::string> output, model;
  double minBetShare = 0.30, ridge = 2.0;
  bool quiet = false;
  bool refit = false;
  bool skip = true;
};

std::optional<Options> Parse(int argc, char** argv) {
  Options o;
  bool learnTo = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::optional<std::string> {
      if (i + 1 >= argc) return std::nullopt;
      return std::string(argv[++i]);
    };
    auto date = [&](int& into) {
      const auto text = value();
      const auto parsed = text ? ParseDayArgument(*text) : std::nullopt;
      if (parsed) into = *parsed;
      if (text && !parsed) std::cerr << "wakorin-learn: " << *text << ": " << Say(text::kNotADate) << "\n";
      return parsed.has_value();
    };
    auto number = [&](double& into) {
      const auto text = value();
      if (!text) return false;
      char* end = nullptr;
      into = std::strtod(text->c_str(), &end);
      return end != text->c_str() && *end == '\0';
    };
    bool ok = true;
    if (arg == "-h" || arg == "--help") {
      std::cout << Say(text::kUsage);
      std::exit(0);
    } else if (arg == "--from") {
      ok = date(o.learn.from);
    } else if (arg == "--to") {
      ok = date(o.learn.to) && (learnTo = true);
    } else if (arg == "--tune-from") {
      ok = date(o.tune.from) && (o.tune.given = true);
    } else if (arg == "--tune-to") {
      ok = date(o.tune.to) && (o.tune.given = true);
    } else if (arg == "--test-from") {
      ok = date(o.test.from) && (o.test.given = true);
    } else if (arg == "--test-to") {
      ok = date(o.test.to) && (o.test.given = true);
    } else if (arg == "-o" || arg == "--output") {
      ok = (o.output = value()).has_value();
    } else if (arg == "-m" || arg == "--model") {
      ok = (o.model = value()).has_value();
    } else if (arg == "--min-bet-share") {
      ok = number(o.minBetShare) && o.minBetShare > 0 && o.minBetShare <= 1;
    } else if (arg == "--ridge") {
      ok = number(o.ridge) && o.ridge >= 0;
    } else if (arg == "--refit") {
      o.refit = true;
    } else if (arg == "--no-skip") {
      o.skip = false;
    } else if (arg == "-q" || arg == "--quiet") {
      o.quiet = true;
    } else if (!arg.empty() && arg[0] == '-') {
      ok = false;
    } else {
      o.paths.push_back(arg);
    }
    if (!ok) return std::nullopt;
  }
  if (o.paths.empty() || (!o.output && !o.model && !o.test.given)) return std::nullopt;
  // The learning days end before the first day held out, unless told otherwise.
  o.learn.given = !o.model;
  if (!learnTo) {
    int end = 99999999;
    if (o.tune.given) end = std::min(end, o.tune.from);
    if (o.test.given) end = std::min(end, o.test.from);
    o.learn.to = end == 99999999 ? end : end - 1;  // yyyymmdd - 1 is before it in order
  }
  return o;
}

class Bar {
 public:
  explicit Bar(bool on) : on_(on) {}
  void Show(const std::string& stage, int done, int total) {
    if (!on_) return;
    const int filled = total > 0 ? 30 * done / total : 30;
    std::fprintf(stderr, "\r%-18s [%s%s] %d/%d ", stage.c_str(), std::string(filled, '#').c_str(),
                 std::string(30 - filled, ' ').c_str(), done, total);
    std::fflush(stderr);
  }
  void Clear() {
    if (on_) std::fprintf(stderr, "\r%*s\r", 70, "");
  }

 private:
  bool on_;
};

// "80.5% [ 77.6,  83.5]": the return and its interval.
std::string Figures(const ReturnFigures& f) {
  char text[96];
  std::snprintf(text, sizeof text, "%6.1f%% [%5.1f, %5.1f]", f.Percent(), f.low, f.high);
  return text;
}

void Measure(const DataModel& model, const std::vector<LearnRace>& races) {
  const PerBet<const char*> names{{"２連複", "２連単", "３連複", "３連単"}};
  const HeldOutFigures figures = MeasureHeldOut(model, races);
  std::printf(Say(text::kHeldOut),
              DayText(figures.from).c_str(), DayText(figures.to).c_str(), figures.races);
  std::fputs(Say(text::kTableHeader), stdout);
  for (BetType bet : kBetTypes) {
    const ReturnFigures& m = figures.model[bet];
    const double hitRate = m.bet > 0 ? 100.0 * m.hits / m.bet : 0.0;
    const double share = m.races > 0 ? 100.0 * m.bet / m.races : 0.0;
    std::printf("%s  %s  %6.1f%%  %6d/%-6d (%5.1f%%)  %s  %s\n", names[bet], Figures(m).c_str(),
                hitRate, m.bet, m.races, share, Figures(figures.every[bet]).c_str(),
                Figures(figures.fixed[bet]).c_str());
  }
  std::fputs(Say(text::kSkipHeader), stdout);
  for (BetType bet : kBetTypes) {
    const GainFigures& gain = figures.skipGain[bet];
    std::printf("%s  %s     %+5.1f [%+5.1f, %+5.1f]%s%s\n", names[bet], Figures(figures.all[bet]).c_str(),
                gain.points, gain.low, gain.high, model.threshold[bet] > 0 ? "" : "  ",
                model.threshold[bet] > 0 ? "" : Say(text::kNoSkip));
  }
  std::fputs(Say(text::kLossHeader), stdout);
  for (BetType bet : kBetTypes) {
    const LogLossFigures& loss = figures.logLoss[bet];
    const double span = loss.uniform - loss.market;
    std::printf("%s  %6d   %6.3f  %6.3f  %6.3f    %5.1f%%\n", names[bet], loss.races, loss.model,
                loss.market, loss.uniform, span > 0 ? 100.0 * (loss.uniform - loss.model) / span : 0.0);
  }
  std::fputs(Say(text::kFixed), stdout);
  for (BetType bet : kBetTypes) {
    std::printf("%s ", names[bet]);
    for (const std::string& t : FixedFavourites()[bet]) std::printf("%s ", t.c_str());
  }
  std::printf("\n");
  std::fputs(Say(text::kNotProfit), stdout);
}

// "40 days (2024-01-01..2024-02-15)".
std::string Part(const PartDays& part) {
  const std::string days = std::to_string(part.days) + Say(part.days == 1 ? text::kDay : text::kDays);
  if (part.days == 0) return days;
  return days + " (" + DayText(part.from) + ".." + DayText(part.to) + ")";
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<Options> options = Parse(argc, argv);
  if (!options) {
    std::cerr << Say(text::kUsage);
    return 2;
  }
  if (options->output && !day_text::WritableTarget(*options->output)) {
    std::cerr << "wakorin-learn: "
              << day_text::CannotWrite(*options->output, {WriteFault::Kind::NotRegularFile, 0}) << "\n";
    return 2;
  }
  Bar bar(!options->quiet && ::isatty(2));
  const DayListing listing = ListRaceDays(options->paths);
  for (const PathProblem& problem : listing.problems) {
    std::cerr << "wakorin-learn: " << day_text::PathProblem(problem) << "\n";
  }
  SeasonRaces season = ReadSeason(
      listing.days,
      [&](int date) {
        return options->test.Holds(date)    ? SeasonPart::Test
               : options->tune.Holds(date)  ? SeasonPart::Tune
               : options->learn.Holds(date) ? SeasonPart::Learn
                                            : SeasonPart::None;
      },
      [&](int done, int total) {
        bar.Show(Say(text::kReadingDays), done, total);
        return true;
      });
  bar.Clear();
  int problems = static_cast<int>(listing.problems.size());
  for (const RaceDay& day : season.troubles) {
    for (const RefusedFile& file : day.refused) {
      std::cerr << "wakorin-learn: " << day_text::Refused(file, day.date) << "\n";
    }
    if (day.gap) std::cerr << "wakorin-learn: " << day_text::LeftOut(day) << "\n";
    ++problems;
  }
  std::printf(Say(text::kDaysRead), Part(season.learnDays).c_str(),
              Part(season.tuneDays).c_str(), Part(season.testDays).c_str());
  std::vector<LearnRace>& learn = season.learn;
  std::vector<LearnRace>& tune = season.tune;
  std::vector<LearnRace>& test = season.test;

  DataModel model;
  if (options->model) {
    ModelRead read = LoadDataModel(*options->model);
    if (!read.model) {
      std::cerr << "wakorin-learn: " << *options->model << ": " << day_text::ModelFault(read.fault) << "\n";
      return 1;
    }
    model = std::move(*read.model);
    std::printf(Say(text::kModelLearnedFrom), options->model->c_str(), model.learnedFrom.c_str());
  } else {
    if (learn.empty()) {
      std::cerr << "wakorin-learn: " << Say(text::kNothingToLearn) << "\n";
      return 1;
    }
    LearnOptions learnOptions;
    learnOptions.minBetShare = options->minBetShare;
    learnOptions.ridge = options->ridge;
    learnOptions.refit = options->refit;
    learnOptions.skip = options->skip;
    // A run from the terminal is stopped by its signal, never by its progress.
    model = *Learn(learn, tune, learnOptions, [&](std::string_view stage, int done, int total) {
      bar.Show(std::string(stage), done, total);
      return true;
    });
    bar.Clear();
    const int lastDay = options->refit && !tune.empty() ? tune.back().date : learn.back().date;
    const int learnDays = season.learnDays.days + (options->refit ? season.tuneDays.days : 0);
    model.learnedFrom = DayText(learn.front().date) + ".." + DayText(lastDay) + " (" +
                        std::to_string(learnDays) + " days)";
    if (!options->skip) {
      model.learnedFrom += ", no skip rule";
    } else if (!tune.empty()) {
      model.learnedFrom += ", thresholds tuned on " + DayText(tune.front().date) + ".." +
                           DayText(tune.back().date) + " (" + std::to_string(tune.size()) +
                           " races)";
    }
    std::printf(Say(text::kLearnedFrom), model.races, model.learnedFrom.c_str());
    std::fputs(Say(text::kThresholds), stdout);
    std::printf("２連複 %.3f  ２連単 %.3f  ３連複 %.3f  ３連単 %.3f\n",
                model.threshold[BetType::Quinella], model.threshold[BetType::Exacta],
                model.threshold[BetType::Trio], model.threshold[BetType::Trifecta]);
    if (options->output) {
      if (const std::optional<WriteFault> fault =
              WriteWholeFile(*options->output, WriteDataModel(model))) {
        std::cerr << "wakorin-learn: " << day_text::CannotWrite(*options->output, *fault) << "\n";
        return 1;
      }
      std::printf(Say(text::kWritten), options->output->c_str());
    }
  }
  if (options->test.given) {
    if (test.empty()) {
      std::cerr << "wakorin-learn: " << Say(text::kNoTestRace) << "\n";
      return 1;
    }
    Measure(model, test);
  }
  return problems > 0 ? 1 : 0;
}
