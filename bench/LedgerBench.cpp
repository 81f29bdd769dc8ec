// Settling the bet log against a season of real result files, against reading those files alone:
// the same days (bench/../../shared/realdata/season2024, or the folder given by
// WAKORIN_SEASON_DIR), 100,000 tickets spread over their races.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <ctime>

#include "day/RaceDays.h"
#include "ledger/BetLog.h"
#include "ledger/Settlement.h"
#include "results/ResultFile.h"
#include "results/TicketForms.h"

namespace wakorin::bench {
namespace {

constexpr int kTickets = 100'000;

std::string SeasonFolder() {
  if (const char* folder = std::getenv("WAKORIN_SEASON_DIR")) return folder;
  return std::string(WAKORIN_REALDATA_DIR) + "/season2024";
}

// The season's result files only, as the settlement finds them.
const DayListing& Season() {
  static const DayListing listing = [] {
    DayListing all = ListRaceDays({SeasonFolder()});
    DayListing results;
    for (DayCopies& day : all.days) {
      if (day.results.empty()) continue;
      day.programs.clear();
      results.days.push_back(std::move(day));
    }
    return results;
  }();
  return listing;
}

// 100,000 tickets of every bet type on the season's races, each day's venues as its file lists them.
const std::vector<ledger::Entry>& Tickets() {
  static const std::vector<ledger::Entry> tickets = [] {
    std::vector<std::pair<int, std::string>> venues;  // day, venue code
    for (const DayCopies& day : Season().days) {
      const RaceDay read = ReadRaceDay(day, DayNeeds::Results);
      if (!read.result) continue;
      for (const auto& key : OutlineResultFile(*read.result).keys) venues.emplace_back(day.date, key.first);
    }
    std::vector<ledger::Entry> list;
    if (venues.empty()) return list;
    std::mt19937 random(20240710);
    for (int k = 0; k < kTickets; ++k) {
      const auto& [day, code] = venues[static_cast<std::size_t>(k) * venues.size() / kTickets];
      ledger::Entry e;
      e.id = k + 1;
      e.day = day;
      e.venue = QString::fromStdString(code);
      e.race = 1 + static_cast<int>(random() % 12);
      e.bet = kAnyBets[random() % 7];
      std::array<int, 6> lanes{1, 2, 3, 4, 5, 6};
      std::shuffle(lanes.begin(), lanes.end(), random);
      for (int b = 0; b < BoatsOf(e.bet); ++b) e.boats.boats[e.boats.count++] = static_cast<std::uint8_t>(lanes[static_cast<std::size_t>(b)]);
      e.stake = 100 * (1 + static_cast<int>(random() % 5));
      list.push_back(e);
    }
    return list;
  }();
  return tickets;
}

// Wall and process CPU time summed over the spans between Start and Stop.
struct Clock {
  double wall = 0, cpu = 0;
  void Start() { Now(wall0_, cpu0_); }
  void Stop() {
    double w = 0, c = 0;
    Now(w, c);
    wall += w - wall0_;
    cpu += c - cpu0_;
  }

 private:
  static void Now(double& wall, double& cpu) {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    wall = static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    cpu = static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
  }
  double wall0_ = 0, cpu0_ = 0;
};

// The baseline: every result file read (archives unpacked) and taken by its content.
std::size_t ReadSeason() {
  std::size_t bytes = 0;
  for (const DayCopies& day : ListRaceDays({SeasonFolder()}).days) {
    if (day.results.empty()) continue;
    const RaceDay read = ReadRaceDay(day, DayNeeds::Results);
    if (read.result) bytes += read.result->size();
  }
  return bytes;
}

void BM_ReadResultFiles(benchmark::State& state) {
  if (Season().days.empty()) state.SkipWithError("no season folder");
  std::size_t bytes = 0;
  for (auto _ : state) {
    bytes = ReadSeason();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["days"] = static_cast<double>(Season().days.size());
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}

// The same files read, and 100,000 tickets settled against them in memory.
void BM_SettleTicketsInMemory(benchmark::State& state) {
  const auto& tickets = Tickets();
  if (tickets.empty()) state.SkipWithError("no season folder");
  long long paid = 0;
  for (auto _ : state) {
    paid = 0;
    std::size_t at = 0;
    for (const DayCopies& day : ListRaceDays({SeasonFolder()}).days) {
      if (day.results.empty()) continue;
      while (at < tickets.size() && tickets[at].day < day.date) ++at;
      if (at >= tickets.size() || tickets[at].day != day.date) continue;
      const RaceDay read = ReadRaceDay(day, DayNeeds::Results);
      if (!read.result) continue;
      const DayPayouts payouts(*read.result);
      for (; at < tickets.size() && tickets[at].day == day.date; ++at) {
        const ledger::Entry& e = tickets[at];
        const QByteArray code = e.venue.toLatin1();
        if (auto back = payouts.Settle(std::string_view(code.constData(), 2), e.race, e.bet, e.boats)) {
          paid += back->yen * (e.stake / 100);
        }
      }
    }
    benchmark::DoNotOptimize(paid);
  }
  state.counters["tickets"] = static_cast<double>(tickets.size());
  state.counters["paid_yen"] = static_cast<double>(paid);
}

// The whole road of the window: the log's 100,000 open entries read, settled and written back in
// one transaction.
void BM_SettleLog(benchmark::State& state) {
  const auto& tickets = Tickets();
  if (tickets.empty()) state.SkipWithError("no season folder");
  QTemporaryDir dir;
  auto log = ledger::BetLog::Open(QDir(dir.path()).filePath(QStringLiteral("betlog.sqlite")), nullptr);
  QSqlDatabase fill = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
  fill.setDatabaseName(log->Path());
  fill.open();
  {
    // Written in one transaction here, as a season of entries would stand in the log.
    QSqlQuery q(fill);
    q.exec(QStringLiteral("BEGIN"));
    q.prepare(QStringLiteral("INSERT INTO bets(day, venue, race, bet, boats, stake, created, purchase)"
                             " VALUES(?, ?, ?, ?, ?, ?, '2024-01-01T00:00:00', 0)"));
    for (const ledger::Entry& e : tickets) {
      q.addBindValue(e.day);
      q.addBindValue(e.venue);
      q.addBindValue(e.race);
      q.addBindValue(QString::fromLatin1(ledger::BetCode(e.bet)));
      q.addBindValue(ledger::BoatsText(e.boats));
      q.addBindValue(e.stake);
      if (!q.exec()) state.SkipWithError("cannot fill the log");
    }
    QSqlQuery(fill).exec(QStringLiteral("UPDATE bets SET purchase = id"));
    QSqlQuery(fill).exec(QStringLiteral("COMMIT"));
  }
  if (state.range(0) == 1) {
    // Only the reading of the open entries, for the figures' split.
    std::size_t read = 0;
    for (auto _ : state) {
      state.PauseTiming();
      QSqlQuery(fill).exec(QStringLiteral("UPDATE bets SET settled = 0, payout = 0"));
      state.ResumeTiming();
      read = log->OpenEntries().size();
    }
    state.counters["read"] = static_cast<double>(read);
    return;
  }
  // Each settlement beside a reading of the same files just before it, outside the timing: their
  // ratio is measured under the same load, which on a shared machine changes from second to second.
  int settled = 0;
  Clock reading, settling;
  for (auto _ : state) {
    state.PauseTiming();
    QSqlQuery(fill).exec(QStringLiteral("UPDATE bets SET settled = 0, payout = 0"));
    reading.Start();
    benchmark::DoNotOptimize(ReadSeason());
    reading.Stop();
    state.ResumeTiming();
    settling.Start();
    settled = ledger::SettleFromFolders(*log, {QString::fromStdString(SeasonFolder())}).settled;
    settling.Stop();
  }
  state.counters["settled"] = settled;
  state.counters["x_reading"] = settling.wall / reading.wall;
  state.counters["x_reading_cpu"] = settling.cpu / reading.cpu;
  // What the log holds must be what the in-memory settlement pays.
  QSqlQuery paid(fill);
  if (paid.exec(QStringLiteral("SELECT sum(payout) FROM bets")) && paid.next()) {
    state.counters["paid_yen"] = paid.value(0).toDouble();
  }
}

BENCHMARK(BM_ReadResultFiles)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_SettleTicketsInMemory)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_SettleLog)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime();
BENCHMARK(BM_SettleLog)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3)->MeasureProcessCPUTime()->Name("BM_ReadOpenEntries");

}  // namespace
}  // namespace wakorin::bench

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);  // Qt's SQL driver is a plugin the application finds
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
