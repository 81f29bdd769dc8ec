#include "ledger/Settlement.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

#include "day/RaceDays.h"
#include "results/TicketForms.h"

namespace wakorin::ledger {
namespace {

// Reads the result files of the days given on the other cores from its making on, so that the
// files are unpacked while the log reads its entries; the calling thread settles each day as its
// file is read, and reads a day itself while none is waiting. Its end stops and joins the helpers.
class DayReader {
 public:
  DayReader(const QStringList& folders, const std::vector<int>& days) {
    std::vector<std::string> paths;
    for (const QString& folder : folders) {
      if (!folder.isEmpty()) paths.push_back(folder.toStdString());
    }
    listing_ = ListRaceDays(paths);
    std::map<int, const DayCopies*> copiesOf;
    for (const DayCopies& copies : listing_.days) {
      if (!copies.results.empty()) copiesOf[copies.date] = &copies;
    }
    for (int day : days) {
      if (const auto found = copiesOf.find(day); found != copiesOf.end()) jobs_.push_back({day, found->second, nullptr});
    }
    const std::size_t cores = std::max(1u, std::thread::hardware_concurrency());
    for (std::size_t k = 1; k < std::min(cores, jobs_.size()); ++k) {
      try {
        helpers_.emplace_back([this] { Help(); });
      } catch (const std::system_error&) {
        break;  // the calling thread reads what no helper takes
      }
    }
  }
  ~DayReader() { stop_ = true; }  // the helpers, made last, are joined first
  DayReader(const DayReader&) = delete;
  DayReader& operator=(const DayReader&) = delete;

  // Settles the entries (in day order), handing each day's outcomes to `write`.
  bool Settle(const std::vector<Entry>& open, const SettleWrite& write) {
    std::map<int, std::size_t> jobOf;
    for (std::size_t j = 0; j < jobs_.size(); ++j) jobOf[jobs_[j].day] = j;
    struct Range {
      std::size_t begin = 0, end = 0;
    };
    // A day another program opened after the days were asked for waits for the next settlement.
    std::vector<std::optional<Range>> rangeOf(jobs_.size());
    for (std::size_t at = 0; at < open.size();) {
      std::size_t end = at;
      while (end < open.size() && open[end].day == open[at].day) ++end;
      if (const auto job = jobOf.find(open[at].day); job != jobOf.end()) rangeOf[job->second] = Range{at, end};
      at = end;
    }
    std::size_t needed = 0;
    for (const auto& range : rangeOf) needed += range ? 1 : 0;

    std::vector<Outcome> outcomes(open.size());
    auto settle = [&](const DayPayouts* payouts, Range range) {
      if (payouts != nullptr) {
        for (std::size_t k = range.begin; k < range.end; ++k) outcomes[k] = OutcomeOf(*payouts, open[k]);
      }
      return write(range.begin, range.end, &outcomes[range.begin]);
    };
    while (needed > 0) {
      std::size_t j = jobs_.size();
      {
        std::unique_lock lock(mutex_);
        if (read_.empty() && next_ >= jobs_.size()) ready_.wait(lock, [&] { return !read_.empty(); });
        if (!read_.empty()) {
          j = read_.front();
          read_.pop_front();
        }
      }
      if (j == jobs_.size()) {
        j = next_++;
        if (j >= jobs_.size()) continue;  // the last day was taken meanwhile: wait for it as above
        Read(jobs_[j]);
      }
      const std::unique_ptr<const DayPayouts> payouts = std::move(jobs_[j].payouts);
      if (!rangeOf[j]) continue;  // settled meanwhile
      --needed;
      if (!settle(payouts.get(), *rangeOf[j])) return false;
    }
    return true;
  }

 private:
  struct Job {
    int day = 0;
    const DayCopies* copies = nullptr;
    std::unique_ptr<const DayPayouts> payouts;  // null until read, or when the file does not read
  };

  static Outcome OutcomeOf(const DayPayouts& payouts, const Entry& e) {
    if (e.venue.size() != 2) return std::nullopt;
    const char venue[2] = {static_cast<char>(e.venue[0].unicode()), static_cast<char>(e.venue[1].unicode())};
    const auto back = payouts.Settle(std::string_view(venue, 2), e.race, e.bet, e.boats);
    if (!back) return std::nullopt;
    const Settled state = back->refund ? Settled::Refund : (back->hit ? Settled::Paid : Settled::Loss);
    return std::make_pair(state, back->yen * (e.stake / 100));
  }

  static void Read(Job& job) {
    const RaceDay read = ReadRaceDay(*job.copies, DayNeeds::Results);
    if (read.result) job.payouts = std::make_unique<DayPayouts>(*read.result);
  }

  void Help() {
    for (std::size_t j = next_++; j < jobs_.size() && !stop_; j = next_++) {
      Read(jobs_[j]);
      {
        const std::lock_guard lock(mutex_);
        read_.push_back(j);
      }
      ready_.notify_one();
    }
  }

  DayListing listing_;
  std::vector<Job> jobs_;  // each read by the one thread that took it, then handed over by `read_`
  std::atomic<std::size_t> next_{0};  // the next job to take
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<std::size_t> read_;  // jobs a helper has read, not settled yet
  std::vector<std::jthread> helpers_;
};

}  // namespace

SettleReport SettleFromFolders(BetLog& log, const QStringList& folders) {
  SettleReport report;
  DayReader reader(folders, log.OpenDays());
  int open = 0;
  const std::optional<int> settled = log.SettleOpen([&](const std::vector<Entry>& entries, const SettleWrite& write) {
    open = static_cast<int>(entries.size());
    return reader.Settle(entries, write);
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
