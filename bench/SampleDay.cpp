#include "bench/SampleDay.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <stdexcept>

#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/SampleData.h"
#include "tests/support/SampleSeason.h"

namespace wakorin::bench {
namespace {

using namespace wakorin::testsupport;

std::string Write(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  return path.string();
}

}  // namespace

SampleDay::SampleDay(int venues, int racers, unsigned seed) {
  std::string pattern = (std::filesystem::temp_directory_path() / "wakorin-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make " + pattern);
  folder_ = pattern;

  // Venues in a shuffled order, most running 12 races: the 11-race blocks are the ones the
  // program file walk has to step back over, so a few of them, the last block among them.
  SampleRng rng(seed);
  std::vector<int> numbers;
  for (int code = 1; code <= 24; ++code) numbers.push_back(code);
  rng.Shuffle(numbers);
  numbers.resize(static_cast<std::size_t>(std::clamp(venues, 1, 24)));
  for (int code : numbers) {
    codes_.push_back(std::string(code < 10 ? "0" : "") + std::to_string(code));
    races_.push_back(rng.Chance(0.7) ? 12 : 11);
  }
  races_.back() = 11;

  SampleSeason season(rng.Next(), static_cast<std::size_t>(racers));
  for (std::size_t v = 0; v < codes_.size(); ++v) season.AddVenue(codes_[v], races_[v]);
  std::vector<VenueBlockSpec> programs;
  std::vector<ResultBlockSpec> results;
  const std::chrono::year_month_day date{std::chrono::year{2006}, std::chrono::April,
                                         std::chrono::day{15}};
  for (SampleVenueDay& venue : season.Day(date)) {
    programs.push_back(std::move(venue.program));
    results.push_back(std::move(venue.results));
  }
  program_ = Write(folder_ / "B060415.TXT", BuildProgramFile(programs));
  result_ = Write(folder_ / "K060415.TXT", BuildResultFile(results));

  stats_ = Write(folder_ / "Fan0510.txt", SeasonStatsFile(season, rng));
}

SampleDay::~SampleDay() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

}  // namespace wakorin::bench
