// How long the data mode takes to learn a season: a generated season of 24 venues a day, read
// from its program and result files as wakorin-learn reads them, then learned on one core.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>

#include "predict/Learner.h"
#include "results/LearningDay.h"
#include "results/RecentForm.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/SampleSeason.h"

namespace {

using namespace wakorin;
using namespace wakorin::testsupport;

struct Season {
  std::vector<LearnRace> learn, tune;
  double readSeconds = 0.0;
};

// 192 days of 24 venues of 12 races: 55,296 races, the last 30 days for tuning.
const Season& GeneratedSeason() {
  static const Season season = [] {
    Season s;
    SampleSeason generator(20240101, 1600);
    for (int code = 1; code <= 24; ++code) {
      generator.AddVenue(std::string(code < 10 ? "0" : "") + std::to_string(code), 12);
    }
    FormBook forms;
    std::chrono::sys_days day{std::chrono::year{2024} / std::chrono::January / 1};
    for (int d = 0; d < 192; ++d, day += std::chrono::days{1}) {
      std::vector<VenueBlockSpec> programs;
      std::vector<ResultBlockSpec> results;
      for (SampleVenueDay& venue : generator.Day(std::chrono::year_month_day{day})) {
        programs.push_back(std::move(venue.program));
        results.push_back(std::move(venue.results));
      }
      const std::string program = BuildProgramFile(programs), result = BuildResultFile(results);
      const auto start = std::chrono::steady_clock::now();
      std::vector<LearnRace> races = ReadLearningDay(program, result, 20240101 + d, &forms);
      forms.AddResultFile(result);
      s.readSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      auto& into = d < 162 ? s.learn : s.tune;
      into.insert(into.end(), races.begin(), races.end());
    }
    return s;
  }();
  return season;
}

void BM_LearnSeason(benchmark::State& state) {
  const Season& season = GeneratedSeason();
  for (auto _ : state) {
    std::optional<DataModel> model = Learn(season.learn, season.tune);
    benchmark::DoNotOptimize(model);
  }
  state.counters["races"] = static_cast<double>(season.learn.size() + season.tune.size());
  state.counters["read_s"] = season.readSeconds;
}
BENCHMARK(BM_LearnSeason)->Unit(benchmark::kSecond)->Iterations(1)->Repetitions(3);

}  // namespace

BENCHMARK_MAIN();
