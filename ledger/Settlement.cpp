#include "ledger/Settlement.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <system_error>
#include <thread>

#include "day/RaceDays.h"
#include "results/TicketForms.h"

namespace wakorin::ledger {
namespace {

// The open entries' days read from their result files and settled on every core, each day's
// outcomes written to the log by the calling thread as soon as the day is done, so that writing
// runs beside the reading of later days. A thread settles a day's entries alone; the log is
// written from the calling thread only.
bool SettleDays(const std::vector<Entry>& open, const QStringList& folders, const SettleWrite& write) {
  std::vector<std::string> paths;
  for (const QString& folder : folders) {
    if (!folder.isEmpty()) paths.push_back(folder.toStdString());
  }
  const DayListing listing = ListRaceDays(paths);
  std::map<int, const DayCopies*> copiesOf;
  for (const DayCopies& copies : listing.days) {
    if (!copies.results.empty()) copiesOf[copies.date] = &copies;
  }
  struct Day {
    std::size_t begin = 0, end = 0;  // its entries in `open`, which come in day order
    const DayCopies* copies = nullptr;
  };
  std::vector<Day> days;
  for (std::size_t at = 0; at < open.size();) {
    std::size_t end = at;
    while (end < open.size() && open[end].day == open[at].day) ++end;
    const auto found = copiesOf.find(open[at].day);
    if (found != copiesOf.end()) days.push_back({at, end, found->second});
    at = end;
  }

  std::vector<Outcome> outcomes(open.size());
  auto settleDay = [&](const Day& day) {
    const RaceDay read = ReadRaceDay(*day.copies, DayNeeds::Results);
    if (!read.result) return;
    const DayPayouts payouts(*read.result);
    for (std::size_t k = day.begin; k < day.end; ++k) {
      const Entry& e = open[k];
      if (e.venue.size() != 2) continue;
      const char venue[2] = {static_cast<char>(e.venue[0].unicode()), static_cast<char>(e.venue[1].unicode())};
      const auto back = payouts.Settle(std::string_view(venue, 2), e.race, e.bet, e.boats);
      if (!back) continue;
      const Settled state = back->refund ? Settled::Refund : (back->hit ? Settled::Paid : Settled::Loss);
      outcomes[k] = std::make_pair(state, back->yen * (e.stake / 100));
    }
  };

  std::atomic<std::size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable settled;
  std::deque<std::size_t> done;  // days settled by the helpers, not written yet
  auto help = [&] {
    for (std::size_t d = next++; d < days.size() && !stop; d = next++) {
      settleDay(days[d]);
      {
        const std::lock_guard lock(mutex);
        done.push_back(d);
      }
      settled.notify_one();
    }
  };
  std::vector<std::jthread> helpers;  // joined on leaving, after `stop` is said
  struct Stop {
    std::atomic<bool>& stop;
    ~Stop() { stop = true; }
  };
  const Stop stopOnLeaving{stop};
  const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
  for (std::size_t k = 1; k < std::min(cores, days.size()); ++k) {
    try {
      helpers.emplace_back(help);
    } catch (const std::system_error&) {
      break;  // this thread settles what no helper takes
    }
  }
  // The calling thread writes each day a helper settled, and settles a day itself while none waits.
  for (std::size_t written = 0; written < days.size();) {
    std::size_t d = days.size();
    {
      std::unique_lock lock(mutex);
      if (done.empty() && next >= days.size()) settled.wait(lock, [&] { return !done.empty(); });
      if (!done.empty()) {
        d = done.front();
        done.pop_front();
      }
    }
    if (d == days.size()) {
      d = next++;
      if (d >= days.size()) continue;  // the last day was taken meanwhile: wait for it as above
      settleDay(days[d]);
    }
    if (!write(days[d].begin, days[d].end, &outcomes[days[d].begin])) return false;
    ++written;
  }
  return true;
}

}  // namespace

SettleReport SettleFromFolders(BetLog& log, const QStringList& folders) {
  SettleReport report;
  int open = 0;
  const std::optional<int> settled = log.SettleOpen([&](const std::vector<Entry>& entries, const SettleWrite& write) {
    open = static_cast<int>(entries.size());
    return SettleDays(entries, folders, write);
  });
  if (!settled) {
    // Refused before the entries were read (a lock), or part way: all are still open.
    report.written = false;
    report.open = static_cast<int>(log.OpenEntries().size());
    return report;
  }
  report.settled = *settled;
  report.open = open - *settled;
  return report;
}

}  // namespace wakorin::ledger
