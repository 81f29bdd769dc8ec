// Writes made-up but plausible data files for trying the program out: for each day the race
// program file B<yymmdd>.TXT and the result file K<yymmdd>.TXT, and once the racer statistics
// file Fan0510.txt. The same options and seed always give the same bytes.

#include <algorithm>
#include <charconv>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/SampleData.h"
#include "tests/support/SampleSeason.h"

namespace {

using namespace wakorin::testsupport;

struct Options {
  std::filesystem::path outDir;
  std::chrono::year_month_day date{std::chrono::year{2006}, std::chrono::April,
                                   std::chrono::day{15}};
  int venues = 6;
  int days = 1;
  int racers = 1600;
  unsigned seed = 415;
};

constexpr std::string_view kUsage =
    "usage: wakorin_samplegen OUTDIR [--date YYMMDD] [--venues N] [--days D] [--racers R] "
    "[--seed S]\n"
    "  --date    first day, default 060415\n"
    "  --venues  venues racing each day, 1..24, default 6\n"
    "  --days    consecutive days, 1..3660, default 1\n"
    "  --racers  records in Fan0510.txt, default 1600 (more if the days need more racers)\n"
    "  --seed    random seed, default 415\n";

bool ParseNumber(std::string_view text, long long lo, long long hi, long long& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc{} && ptr == end && out >= lo && out <= hi;
}

std::optional<std::chrono::year_month_day> ParseDate(std::string_view text) {
  long long value = 0;
  if (text.size() != 6 || !ParseNumber(text, 0, 999999, value)) return std::nullopt;
  const std::chrono::year_month_day date{
      std::chrono::year{2000 + static_cast<int>(value / 10000)},
      std::chrono::month{static_cast<unsigned>(value / 100 % 100)},
      std::chrono::day{static_cast<unsigned>(value % 100)}};
  if (!date.ok()) return std::nullopt;
  return date;
}

std::optional<Options> ParseOptions(int argc, char** argv, std::string& error) {
  Options options;
  bool haveDir = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg.size() > 2 && arg.substr(0, 2) == "--") {
      if (i + 1 >= argc) {
        error = "missing value for " + std::string(arg);
        return std::nullopt;
      }
      const std::string_view value = argv[++i];
      long long number = 0;
      if (arg == "--date") {
        const auto date = ParseDate(value);
        if (!date) {
          error = "--date wants a real date as YYMMDD";
          return std::nullopt;
        }
        options.date = *date;
      } else if (arg == "--venues" && ParseNumber(value, 1, 24, number)) {
        options.venues = static_cast<int>(number);
      } else if (arg == "--days" && ParseNumber(value, 1, 3660, number)) {
        options.days = static_cast<int>(number);
      } else if (arg == "--racers" && ParseNumber(value, 1, 7000, number)) {
        options.racers = static_cast<int>(number);
      } else if (arg == "--seed" && ParseNumber(value, 0, 4294967295LL, number)) {
        options.seed = static_cast<unsigned>(number);
      } else {
        error = "bad option or value: " + std::string(arg) + " " + std::string(value);
        return std::nullopt;
      }
    } else if (!haveDir) {
      options.outDir = std::string(arg);
      haveDir = true;
    } else {
      error = "unexpected argument: " + std::string(arg);
      return std::nullopt;
    }
  }
  if (!haveDir) {
    error = "OUTDIR is missing";
    return std::nullopt;
  }
  return options;
}

struct VenuePlan {
  std::string code;
  int races = 12;
};

// Venues in a shuffled order (never ascending, so that a reader cannot get away with assuming
// code order), most running 12 races, at least two running 11 and the last block among them.
std::vector<VenuePlan> PlanVenues(int count, SampleRng& rng) {
  std::vector<int> codes;
  for (int code = 1; code <= 24; ++code) codes.push_back(code);
  rng.Shuffle(codes);
  codes.resize(static_cast<std::size_t>(count));
  if (count >= 2 && std::is_sorted(codes.begin(), codes.end())) std::swap(codes[0], codes[1]);

  std::vector<VenuePlan> plan;
  for (int code : codes) {
    plan.push_back(
        {std::string(code < 10 ? "0" : "") + std::to_string(code), rng.Chance(0.6) ? 12 : 11});
  }
  plan.back().races = 11;
  const auto elevens = [&] {
    return std::count_if(plan.begin(), plan.end(),
                         [](const VenuePlan& v) { return v.races == 11; });
  };
  if (count >= 2 && elevens() < 2)
    plan[static_cast<std::size_t>(rng.Between(0, count - 2))].races = 11;
  if (count >= 3 && elevens() == count) plan.front().races = 12;
  return plan;
}

std::string FileDate(std::chrono::year_month_day date) {
  const int yymmdd = (static_cast<int>(date.year()) % 100) * 10000 +
                     static_cast<int>(static_cast<unsigned>(date.month())) * 100 +
                     static_cast<int>(static_cast<unsigned>(date.day()));
  std::string text = std::to_string(yymmdd);
  return std::string(6 - text.size(), '0') + text;
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) throw std::runtime_error("cannot write " + path.string());
  std::cout << path.string() << ": " << bytes.size() << " bytes\n";
}

void Generate(const Options& options) {
  std::filesystem::create_directories(options.outDir);
  SampleRng rng(options.seed);
  const std::vector<VenuePlan> plan = PlanVenues(options.venues, rng);
  SampleSeason season(rng.Next(), static_cast<std::size_t>(options.racers));
  for (const VenuePlan& venue : plan) season.AddVenue(venue.code, venue.races);

  const std::chrono::sys_days first{options.date};
  for (int d = 0; d < options.days; ++d) {
    const std::chrono::year_month_day date{first + std::chrono::days{d}};
    std::vector<VenueBlockSpec> programs;
    std::vector<ResultBlockSpec> results;
    for (SampleVenueDay& venue : season.Day(date)) {
      programs.push_back(std::move(venue.program));
      results.push_back(std::move(venue.results));
    }
    WriteFile(options.outDir / ("B" + FileDate(date) + ".TXT"), BuildProgramFile(programs));
    WriteFile(options.outDir / ("K" + FileDate(date) + ".TXT"), BuildResultFile(results));
  }

  WriteFile(options.outDir / "Fan0510.txt", SeasonStatsFile(season, rng));
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<Options> options = ParseOptions(argc, argv, error);
  if (!options) {
    std::cerr << "wakorin_samplegen: " << error << "\n" << kUsage;
    return 2;
  }
  try {
    Generate(*options);
  } catch (const std::exception& e) {
    std::cerr << "wakorin_samplegen: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
