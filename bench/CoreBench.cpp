// Speed of the core on a full 24-venue day, each operation beside a plain sequential read of the
// bytes it has to read, so that the figures say how much the parsing and searching add to the
// file access itself.
#include <benchmark/benchmark.h>
#include <sys/types.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/ByteFile.h"
#include "bench/SampleDay.h"
#include "predict/Prediction.h"
#include "predict/RacerStats.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueTable.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"
#include "tests/support/FileRoads.h"

// The core's system reads and seeks, counted through the linker's --wrap so that the summary can
// say how many bytes and calls each operation really costs.
namespace {
std::uint64_t readCalls = 0, readBytes = 0, seekCalls = 0;
}
extern "C" {
ssize_t __real_read(int fd, void* buffer, size_t count);
off_t __real_lseek(int fd, off_t offset, int whence);
ssize_t __wrap_read(int fd, void* buffer, size_t count) {
  const ssize_t got = __real_read(fd, buffer, count);
  ++readCalls;
  if (got > 0) readBytes += static_cast<std::uint64_t>(got);
  return got;
}
off_t __wrap_lseek(int fd, off_t offset, int whence) {
  ++seekCalls;
  return __real_lseek(fd, offset, whence);
}
}

namespace wakorin::bench {
namespace {

using testsupport::IndexVenueBlocks;
using testsupport::LocateVenueBlock;
using testsupport::FindVenueResult;
using testsupport::ReadRacerStats;

constexpr int kVenues = 24;
constexpr int kRacers = 1600;

// A run of bytes of a file: [start, start + length).
struct Span {
  std::uint64_t start = 0;
  std::uint64_t length = 0;
};

// Everything the benchmarks share, worked out once from the generated day.
struct Fixture {
  std::unique_ptr<SampleDay> day;
  std::string lastCode, lastName;  // the last venue block of the files
  int lastRaces = 0;
  int venuesBefore = 0;  // venue blocks before the last one, as the check passes it
  // The readers take each file whole, as the product does, so each plain read is the whole file.
  std::uint64_t programSize = 0, statsSize = 0, resultSize = 0;
  std::array<std::string, 6> racers, motors, boats;  // race 1 of the last venue
  LaneStats stats{};
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

std::string Describe(const Error& error) {
  return error.kind == Error::Kind::Io ? std::strerror(error.code)
                                       : "not an integer: " + error.text;
}

template <typename T>
T Must(Outcome<T> outcome, const char* what) {
  if (!outcome) throw std::runtime_error(std::string(what) + ": " + Describe(outcome.error()));
  return std::move(*outcome);
}

// The value of an outcome where it stands, so that the timed operations copy nothing themselves.
template <typename T>
const T& Checked(const Outcome<T>& outcome, const char* what) {
  if (!outcome) throw std::runtime_error(std::string(what) + ": " + Describe(outcome.error()));
  return *outcome;
}

// Opens the file and reads the spans in order, 64 KiB at a time, into a buffer kept between
// calls: the least any reader of these bytes through ByteFile can do.
std::uint64_t PlainRead(const std::string& path, const std::vector<Span>& spans) {
  static std::vector<char> buffer(64 * 1024);
  ByteFile file;
  if (auto error = file.Open(path)) throw std::runtime_error(Describe(*error));
  std::uint64_t total = 0;
  for (const Span& span : spans) {
    if (file.Position() != span.start) {
      if (auto error = file.Seek(span.start)) throw std::runtime_error(Describe(*error));
    }
    std::uint64_t left = span.length;
    while (left > 0) {
      const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(left, buffer.size()));
      const std::size_t got = Must(file.Read(buffer.data(), want), "read");
      total += got;
      if (got < want) return total;
      left -= got;
    }
  }
  return total;
}

std::uint64_t SizeOf(const std::string& path) {
  ByteFile file;
  if (auto error = file.Open(path)) throw std::runtime_error(Describe(*error));
  return file.Size();
}

void Prepare() {
  Fixture& f = Shared();
  f.day = std::make_unique<SampleDay>(kVenues, kRacers, 415);
  const SampleDay& day = *f.day;
  f.lastCode = day.Codes().back();
  f.lastName = VenueNameOfCode(f.lastCode);
  f.lastRaces = day.Races().back();
  f.venuesBefore = static_cast<int>(day.Codes().size()) - 1;
  f.programSize = SizeOf(day.ProgramPath());
  f.statsSize = SizeOf(day.StatsPath());
  f.resultSize = SizeOf(day.ResultPath());

  auto block = Must(LocateVenueBlock(day.ProgramPath(), f.lastCode), "locate");
  if (!block) throw std::runtime_error("last venue not found");
  const TRaceCard card = ReadRaceCard(block->bytes, 1, f.lastName);
  for (std::size_t i = 0; i < 6; ++i) {
    f.racers[i] = card.Racers[i].RacerNo;
    f.motors[i] = card.Racers[i].MtNo;
    f.boats[i] = card.Racers[i].BtNo;
  }
  f.stats = Must(ReadRacerStats(day.StatsPath(), f.racers), "stats");
  int found = 0;
  for (const TRacerStats& lane : f.stats) found += lane.Found ? 1 : 0;
  if (found != 6) throw std::runtime_error("racers of race 1 missing from the statistics file");
}

// --- The operations -------------------------------------------------------------------------

std::size_t OpIndex() {
  const auto index = IndexVenueBlocks(Shared().day->ProgramPath());
  return Checked(index, "index").blocks.size();
}

std::size_t OpRaceView() {
  const Fixture& f = Shared();
  const auto block = LocateVenueBlock(f.day->ProgramPath(), f.lastCode);
  const VenueBlock& found = *Checked(block, "locate");
  return ReadRaceCard(found.bytes, found.raceCount, f.lastName).Racers[5].RacerNo.size();
}

std::size_t OpStats() {
  const Fixture& f = Shared();
  const auto stats = ReadRacerStats(f.day->StatsPath(), f.racers);
  return Checked(stats, "stats")[5].Found ? 1 : 0;
}

std::size_t OpPredict() {
  const Fixture& f = Shared();
  const auto prediction = Predict(f.stats, f.motors, f.boats);
  return static_cast<std::size_t>(Checked(prediction, "predict").Order[1]);
}

const ResultSearch& Found(const Outcome<ResultSearch>& search) {
  if (Checked(search, "search").end != ResultSearchEnd::Found) {
    throw std::runtime_error("result not found");
  }
  return *search;
}

std::size_t OpResultSearch() {
  const Fixture& f = Shared();
  ResultSearchObserver quiet;
  const auto search = FindVenueResult(f.day->ResultPath(), f.lastCode, f.venuesBefore, quiet);
  return Found(search).result.Rows[11].TrifectaPayout.size();
}

// What the window's check does apart from drawing: every race located, cut, its racers looked
// up and predicted, then the venue's results found and matched race by race.
std::size_t OpCheck() {
  const Fixture& f = Shared();
  const std::string folder = f.day->Folder().string();
  std::array<RecommendedTickets, 12> recommended{};
  for (int r = 1; r <= f.lastRaces; ++r) {
    const auto block = LocateVenueBlock(f.day->ProgramPath(), f.lastCode);
    const TRaceCard card = ReadRaceCard(Checked(block, "locate")->bytes, r, f.lastName);
    std::array<std::string, 6> racers, motors, boats;
    for (std::size_t i = 0; i < 6; ++i) {
      racers[i] = card.Racers[i].RacerNo;
      motors[i] = card.Racers[i].MtNo;
      boats[i] = card.Racers[i].BtNo;
    }
    const auto statsPath = FindStatsFileIn(folder);
    if (!statsPath) throw std::runtime_error("no statistics file");
    const auto stats = ReadRacerStats(*statsPath, racers);
    const auto prediction = Predict(Checked(stats, "stats"), motors, boats);
    const TPrediction& p = Checked(prediction, "predict");
    recommended[static_cast<std::size_t>(r - 1)] =
        TicketsFromLists(card.Sale, p.Ken2T, p.Ken2F, p.Ken3T, p.Ken3F);
  }
  ResultSearchObserver quiet;
  const auto search = FindVenueResult(f.day->ResultPath(), f.lastCode, f.venuesBefore, quiet);
  const VenueResult& results = Found(search).result;
  std::size_t shown = 0;
  for (std::size_t r = 0; r < 12; ++r) {
    shown += static_cast<std::size_t>(MatchResultRow(recommended[r], results.Rows[r]).bets[BetType::Trifecta].ticket);
  }
  return shown;
}

// --- Their plain reads ----------------------------------------------------------------------

std::uint64_t ReadIndex() {
  return PlainRead(Shared().day->ProgramPath(), {{0, Shared().programSize}});
}
std::uint64_t ReadRaceView() {
  return PlainRead(Shared().day->ProgramPath(), {{0, Shared().programSize}});
}
std::uint64_t ReadStats() {
  return PlainRead(Shared().day->StatsPath(), {{0, Shared().statsSize}});
}
std::uint64_t ReadResultSearch() {
  return PlainRead(Shared().day->ResultPath(), {{0, Shared().resultSize}});
}
std::uint64_t ReadCheck() {
  std::uint64_t total = 0;
  for (int r = 1; r <= Shared().lastRaces; ++r) total += ReadRaceView() + ReadStats();
  return total + ReadResultSearch();
}

struct Operation {
  std::string name;
  std::size_t (*op)();
  std::uint64_t (*read)();  // nullptr: works on values in memory
  double target;            // largest ratio to the plain read, or a time in ms when absolute
  bool absolute = false;
  // Measured once outside the timing: what the operation costs in system calls.
  std::uint64_t mustRead = 0, didRead = 0, reads = 0, seeks = 0;
};

std::vector<Operation>& Operations() {
  static std::vector<Operation> all{
      {"index of a 24-venue day", OpIndex, ReadIndex, 2.0},
      {"locate + cut, last venue", OpRaceView, ReadRaceView, 2.0},
      {"racer statistics", OpStats, ReadStats, 2.0},
      {"prediction", OpPredict, nullptr, 0.0},
      {"result search, last venue", OpResultSearch, ReadResultSearch, 2.0},
      {"12-race check, core work", OpCheck, ReadCheck, 20.0, true},
  };
  return all;
}

void CountSystemCalls(Operation& operation) {
  readCalls = readBytes = seekCalls = 0;
  benchmark::DoNotOptimize(operation.op());
  operation.didRead = readBytes;
  operation.reads = readCalls;
  operation.seeks = seekCalls;
  if (operation.read) {
    readCalls = readBytes = seekCalls = 0;
    operation.mustRead = operation.read();
  }
}

template <typename F>
double Seconds(F&& f) {
  const auto start = std::chrono::steady_clock::now();
  benchmark::DoNotOptimize(f());
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times the operation, and its plain read right beside it in the same iterations (in turns
// first and second), so that a machine busy with other work slows both alike.
void Run(benchmark::State& state, const Operation& operation) {
  double core = 0, plain = 0;
  bool readFirst = false;
  for (auto _ : state) {
    if (operation.read && readFirst) plain += Seconds(operation.read);
    const double once = Seconds(operation.op);
    if (operation.read && !readFirst) plain += Seconds(operation.read);
    readFirst = !readFirst;
    core += once;
    state.SetIterationTime(once);
  }
  if (!operation.read) return;
  state.counters["plain_us"] = benchmark::Counter(plain * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["ratio"] = core / plain;
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(operation.mustRead));
}

struct Figures {
  double coreNs = 0, plainNs = 0, ratio = 0;
};

// Keeps the medians (or the single run) of every benchmark for the summary, and shows the usual
// console output meanwhile.
class Collector : public benchmark::ConsoleReporter {
 public:
  std::map<std::string, Figures> figures;

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
      if (run.error_occurred || !(median || single)) continue;
      const double toNs = run.time_unit == benchmark::kMillisecond   ? 1e6
                          : run.time_unit == benchmark::kMicrosecond ? 1e3
                          : run.time_unit == benchmark::kSecond      ? 1e9
                                                                     : 1.0;
      Figures& f = figures[run.run_name.function_name];
      f.coreNs = run.GetAdjustedRealTime() * toNs;
      if (auto plain = run.counters.find("plain_us"); plain != run.counters.end()) {
        f.plainNs = plain->second.value * 1e3;
      }
      if (auto ratio = run.counters.find("ratio"); ratio != run.counters.end()) {
        f.ratio = ratio->second.value;
      }
    }
  }
};

std::string Time(double ns) {
  char text[32];
  if (ns >= 1e6) {
    std::snprintf(text, sizeof text, "%.2f ms", ns / 1e6);
  } else {
    std::snprintf(text, sizeof text, "%.1f us", ns / 1e3);
  }
  return text;
}

void PrintSummary(const Collector& collected) {
  std::printf(
      "\nCore operations on a 24-venue day: medians; plain read = the bytes the operation must "
      "read,\nread sequentially through ByteFile in the same iterations; ratio = core / plain "
      "read\n\n");
  std::printf("| %-26s | %9s | %10s | %5s | %-7s | %-18s | %-22s |\n", "operation", "core",
              "plain read", "ratio", "target", "bytes it must read", "bytes read (reads/seeks)");
  std::printf("|%s|%s|%s|%s|%s|%s|%s|\n", std::string(28, '-').c_str(),
              std::string(11, '-').c_str(), std::string(12, '-').c_str(),
              std::string(7, '-').c_str(), std::string(9, '-').c_str(),
              std::string(20, '-').c_str(), std::string(24, '-').c_str());
  bool allMet = true;
  for (const Operation& operation : Operations()) {
    const auto found = collected.figures.find(operation.name);
    if (found == collected.figures.end()) continue;
    const Figures& f = found->second;
    char ratio[16] = "-", target[16] = "-", must[32] = "-", did[40];
    if (operation.read) std::snprintf(ratio, sizeof ratio, "%.2f", f.ratio);
    bool met = true;
    if (operation.absolute) {
      std::snprintf(target, sizeof target, "< %.0f ms", operation.target);
      met = f.coreNs < operation.target * 1e6;
    } else if (operation.read) {
      std::snprintf(target, sizeof target, "<= %.0fx", operation.target);
      met = f.ratio <= operation.target;
    }
    if (operation.read) {
      std::snprintf(must, sizeof must, "%llu", static_cast<unsigned long long>(operation.mustRead));
    }
    std::snprintf(did, sizeof did, "%llu (%llu/%llu)",
                  static_cast<unsigned long long>(operation.didRead),
                  static_cast<unsigned long long>(operation.reads),
                  static_cast<unsigned long long>(operation.seeks));
    std::printf("| %-26s | %9s | %10s | %5s | %-7s | %18s | %22s |%s\n", operation.name.c_str(),
                Time(f.coreNs).c_str(), operation.read ? Time(f.plainNs).c_str() : "-", ratio,
                target, must, did, met ? "" : "  <-- over target");
    allMet = allMet && met;
  }
  std::printf("\n%s\n", allMet ? "All targets met." : "Some targets missed.");
}

}  // namespace
}  // namespace wakorin::bench

int main(int argc, char** argv) {
  using namespace wakorin::bench;
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  try {
    Prepare();
    for (Operation& operation : Operations()) {
      CountSystemCalls(operation);
      benchmark::RegisterBenchmark(operation.name.c_str(),
                                   [&operation](benchmark::State& state) { Run(state, operation); })
          ->UseManualTime()
          ->Unit(benchmark::kMicrosecond);
    }
    Collector collector;
    benchmark::RunSpecifiedBenchmarks(&collector);
    PrintSummary(collector);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "wakorin_bench: %s\n", e.what());
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
