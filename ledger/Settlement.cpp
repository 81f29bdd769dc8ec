#include "ledger/Settlement.h"

#include <map>

#include "day/RaceDays.h"
#include "results/TicketForms.h"

namespace wakorin::ledger {

SettleReport SettleFromFolders(BetLog& log, const QStringList& folders) {
  SettleReport report;
  const std::vector<Entry> open = log.OpenEntries();
  if (open.empty()) return report;
  std::vector<std::string> paths;
  for (const QString& folder : folders) {
    if (!folder.isEmpty()) paths.push_back(folder.toStdString());
  }
  const DayListing listing = ListRaceDays(paths);
  std::map<int, const DayCopies*> copiesOf;
  for (const DayCopies& copies : listing.days) {
    if (!copies.results.empty()) copiesOf[copies.date] = &copies;
  }
  std::vector<std::pair<qint64, std::pair<Settled, qint64>>> settled;
  settled.reserve(open.size());
  for (std::size_t at = 0; at < open.size();) {
    const int day = open[at].day;
    std::size_t end = at;
    while (end < open.size() && open[end].day == day) ++end;
    const auto found = copiesOf.find(day);
    if (found != copiesOf.end()) {
      const RaceDay read = ReadRaceDay(*found->second, DayNeeds::Results);
      if (read.result) {
        const DayPayouts payouts(*read.result);
        for (std::size_t k = at; k < end; ++k) {
          const Entry& e = open[k];
          if (e.venue.size() != 2) continue;
          const char venue[2] = {static_cast<char>(e.venue[0].unicode()), static_cast<char>(e.venue[1].unicode())};
          const auto back = payouts.Settle(std::string_view(venue, 2), e.race, e.bet, e.boats);
          if (!back) continue;
          const qint64 yen = back->yen * (e.stake / 100);
          const Settled state = back->refund ? Settled::Refund : (back->hit ? Settled::Paid : Settled::Loss);
          settled.push_back({e.id, {state, yen}});
        }
      }
    }
    at = end;
  }
  report.settled = static_cast<int>(settled.size());
  report.open = static_cast<int>(open.size() - settled.size());
  if (!log.Settle(settled)) {
    report.written = false;
    report.open = static_cast<int>(open.size());
    report.settled = 0;
  }
  return report;
}

}  // namespace wakorin::ledger
