// Fills a bet log with a season of recommended tickets, for the balance window's screenshot: on
// every day of the folder given, the data mode's six trifecta tickets of each venue's last three
// races (its main races) at 100 yen a combination, then every entry settled from the same folder.
//
//   wakorin_ledger_fill SEASON_FOLDER LOG_FILE
#include <QCoreApplication>
#include <QDir>
#include <cstdio>

#include "day/OpenDay.h"
#include "day/RaceDays.h"
#include "ledger/BetLog.h"
#include "ledger/Settlement.h"
#include "predict/DefaultModel.h"
#include "results/TicketForms.h"

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SEASON_FOLDER LOG_FILE\n", argv[0]);
    return 2;
  }
  using namespace wakorin;
  ledger::LogProblem problem;
  auto log = ledger::BetLog::Open(QString::fromLocal8Bit(argv[2]), &problem);
  if (!log) {
    std::fprintf(stderr, "cannot open the log: %s\n", problem.detail.toLocal8Bit().constData());
    return 1;
  }
  int purchases = 0;
  for (const DayCopies& copies : ListRaceDays({argv[1]}).days) {
    const RaceDay read = ReadRaceDay(copies, DayNeeds::Program);
    if (!read.program) continue;
    auto day = OpenDay::FromBytes(read.programPath, read.program);
    if (!day || !day->Day()) continue;
    Predictor predictor;
    predictor.model = SharedDefaultModel();
    for (std::size_t v = 0; v < day->Venues().size(); ++v) {
      const DayVenue& venue = day->Venues()[v];
      for (int race = std::max(1, venue.raceCount - 2); race <= venue.raceCount; ++race) {
        auto forecast = day->Forecast(v, race, predictor);
        if (!forecast) continue;
        ledger::Purchase p;
        p.day = *day->Day();
        p.venue = QString::fromStdString(venue.code);
        p.race = race;
        p.bet = AnyBet::Trifecta;
        p.stake = 100;
        p.note = QStringLiteral("推奨");
        for (const Ticket& ticket : forecast->forecast.tickets.tickets[BetType::Trifecta]) {
          for (const Combination& c : CombinationsBought(BetType::Trifecta, ticket)) {
            if (std::find(p.combinations.begin(), p.combinations.end(), c) == p.combinations.end()) p.combinations.push_back(c);
          }
        }
        if (!p.combinations.empty() && log->Record(p)) ++purchases;
      }
    }
  }
  const ledger::SettleReport report = ledger::SettleFromFolders(*log, {QString::fromLocal8Bit(argv[1])});
  std::printf("%d purchases, %d entries; %d settled, %d open\n", purchases, log->Count(), report.settled, report.open);
  return report.written ? 0 : 1;
}
