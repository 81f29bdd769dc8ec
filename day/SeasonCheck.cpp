#include "day/SeasonCheck.h"

#include <algorithm>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <mutex>
#include <thread>
#include <utility>

#include "day/OpenDay.h"
#include "results/RecentForm.h"

namespace wakorin {

namespace {

// Runs jobs on a few threads and hands their answers back in the order they were given.
template <typename T>
class OrderedJobs {
 public:
  explicit OrderedJobs(unsigned workers) {
    for (unsigned w = 0; w < std::max(1u, workers); ++w) threads_.emplace_back([this] { Work(); });
  }
  ~OrderedJobs() {
    {
      const std::lock_guard lock(mutex_);
      closing_ = true;
    }
    changed_.notify_all();
    for (std::thread& thread : threads_) thread.join();
  }
  OrderedJobs(const OrderedJobs&) = delete;
  OrderedJobs& operator=(const OrderedJobs&) = delete;

  void Submit(std::function<T()> job) {
    {
      const std::lock_guard lock(mutex_);
      queue_.emplace_back(given_++, std::move(job));
    }
    changed_.notify_all();
  }
  // Jobs given and not handed back yet.
  std::size_t Pending() {
    const std::lock_guard lock(mutex_);
    return given_ - handed_;
  }
  // The answer of the oldest job not handed back, waiting for it.
  T Next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_.count(handed_) != 0; });
    auto found = done_.find(handed_);
    T answer = std::move(found->second);
    done_.erase(found);
    ++handed_;
    return answer;
  }

 private:
  void Work() {
    while (true) {
      std::pair<std::size_t, std::function<T()>> job;
      {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return closing_ || !queue_.empty(); });
        if (queue_.empty()) return;
        job = std::move(queue_.front());
        queue_.pop_front();
      }
      T answer = job.second();
      {
        const std::lock_guard lock(mutex_);
        done_.emplace(job.first, std::move(answer));
      }
      changed_.notify_all();
    }
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<std::pair<std::size_t, std::function<T()>>> queue_;
  std::map<std::size_t, T> done_;
  std::size_t given_ = 0, handed_ = 0;
  bool closing_ = false;
  std::vector<std::thread> threads_;
};

// A day's files read (each copy refused is named) and its race program file opened; `open` is
// empty when there is nothing to check.
struct OpenedDay {
  SeasonDay day;
  std::shared_ptr<const std::string> results;
  std::optional<OpenDay> open;
  Predictor predictor;
};

OpenedDay OpenDayFiles(const DayCopies& copies) {
  OpenedDay opened;
  SeasonDay& day = opened.day;
  day.date = copies.date;
  day.counted = true;
  day.file = copies.programs.empty() ? std::string() : copies.programs.front();
  RaceDay read = ReadRaceDay(copies, DayNeeds::ProgramAndResults);
  day.refused = std::move(read.refused);
  if (!read.programPath.empty()) day.file = read.programPath;
  opened.results = read.result;
  if (read.gap) {
    day.gap = read.gap;
    return opened;
  }
  auto open = OpenDay::FromBytes(read.programPath, read.program);
  if (!open) {
    day.unreadable = open.error();
    return opened;
  }
  opened.open.emplace(std::move(*open));
  return opened;
}

void CheckOpened(OpenedDay& opened) {
  if (opened.open) {
    opened.day.check = CheckDay(*opened.open, std::string_view(*opened.results), opened.predictor);
  }
}

bool Stopped(const SeasonOptions& options) {
  return options.stop != nullptr && options.stop->load();
}

}  // namespace

std::vector<DayCopies> DaysToCheck(const DayListing& listing, int from, int to) {
  std::vector<DayCopies> days;
  for (const DayCopies& day : listing.days) {
    if (day.date >= from && day.date <= to && !day.programs.empty()) days.push_back(day);
  }
  return days;
}

bool CheckSeason(const DayListing& listing, const SeasonOptions& options,
                 const std::function<void(SeasonDay&&)>& take) {
  auto inRange = [&](const DayCopies& day) {
    return day.date >= options.from && day.date <= options.to && !day.programs.empty();
  };
  const std::size_t count = static_cast<std::size_t>(std::count_if(listing.days.begin(), listing.days.end(), inRange));
  const unsigned workers = std::min<unsigned>(std::max(1u, options.jobs),
                                              static_cast<unsigned>(std::max<std::size_t>(count, 1)));
  const std::size_t ahead = std::max(2u, workers) * 2;
  OrderedJobs<SeasonDay> jobs(workers);
  auto handOver = [&](std::size_t keep) {
    while (jobs.Pending() > keep) {
      SeasonDay day = jobs.Next();
      if (!Stopped(options)) take(std::move(day));
    }
  };
  const auto model = options.model;
  const bool favourites = options.favourites;
  // Each day's racers' form is fixed, in date order, from the days before it, before its own
  // results join the form; the days are then predicted and checked several at a time.
  const auto forms = model ? std::make_shared<FormBook>() : nullptr;
  for (const DayCopies& copies : listing.days) {
    if (copies.date > options.to || Stopped(options)) break;
    if (!model) {
      if (!inRange(copies)) continue;
      SeasonStats::ForDay stats = options.stats ? options.stats->For(copies) : SeasonStats::ForDay{};
      jobs.Submit([copies, stats = std::move(stats), favourites]() mutable {
        if (stats.table == nullptr) {
          SeasonDay day;
          day.date = copies.date;
          day.counted = true;
          day.file = copies.programs.front();
          day.noStats = std::move(stats);
          return day;
        }
        OpenedDay opened = OpenDayFiles(copies);
        opened.predictor.stats = stats.table;
        opened.predictor.favourites = favourites;
        CheckOpened(opened);
        return std::move(opened.day);
      });
      handOver(ahead);
      continue;
    }
    std::shared_ptr<const std::string> results;
    if (inRange(copies)) {
      auto opened = std::make_shared<OpenedDay>(OpenDayFiles(copies));
      results = opened->results;
      if (opened->open) {
        opened->predictor.model = model;
        opened->predictor.forms = std::make_shared<const FormBook>(forms->Frozen(opened->open->RacerNumbers()));
        opened->predictor.favourites = favourites;
      }
      jobs.Submit([opened] {
        CheckOpened(*opened);
        return std::move(opened->day);
      });
    } else {
      // An earlier day, or a result file alone: only its results, for the form.
      RaceDay read = ReadRaceDay(copies, DayNeeds::Results);
      SeasonDay day;
      day.date = copies.date;
      day.refused = std::move(read.refused);
      jobs.Submit([day = std::move(day)]() mutable { return std::move(day); });
      results = read.result;
    }
    if (results) forms->AddResultFile(*results);
    handOver(ahead);
  }
  handOver(0);
  return !Stopped(options);
}

bool SeasonTotals::Add(const SeasonDay& day) {
  if (!day.counted || !day.Checked()) return false;
  firstDay = firstDay == 0 ? day.date : std::min(firstDay, day.date);
  lastDay = std::max(lastDay, day.date);
  Day& one = days.emplace_back();
  one.date = day.date;
  one.file = day.file;
  for (const VenueCheck& venue : day.check->venues) {
    if (!venue.resultFound) continue;
    ++venues;
    races += venue.races.size();
    racesByVenue[venue.code] += static_cast<int>(venue.races.size());
    for (std::size_t r = 0; r < venue.races.size(); ++r) {
      const RaceCheck& race = venue.races[r];
      estimated += race.estimated ? 1 : 0;
      for (BetType bet : kBetTypes) {
        skipped[bet] += race.skipped[bet] ? 1 : 0;
        // The log-loss of what won, where the race had one winning combination with a payout.
        const double chance = race.outcomeChance[bet];
        if (chance < 0 || r >= venue.rows.size()) continue;
        const long long yen = venue.rows[r].bets[bet].won.yen;
        if (yen <= 0) continue;
        // The pool pays back 75 % of what it takes: 75 / payout is the market's chance.
        loss[bet].model -= std::log(std::max(chance, 1e-9));
        loss[bet].market -= std::log(std::min(75.0 / static_cast<double>(yen), 1.0));
        ++loss[bet].races;
      }
    }
    byVenue[venue.code] += venue.tally;
    one.favourites += venue.favourites;
  }
  one.tally = day.check->tally;
  total += day.check->tally;
  favourites += one.favourites;
  return true;
}

BetTally AllBets(const CheckTally& tally) {
  BetTally all;
  for (BetType bet : kBetTypes) all += tally[bet];
  return all;
}

std::vector<SeasonPoint> CumulativeReturns(const std::vector<SeasonTotals::Day>& days) {
  std::vector<SeasonPoint> points;
  points.reserve(days.size());
  CheckTally sum, favourites;
  for (const SeasonTotals::Day& day : days) {
    sum += day.tally;
    favourites += day.favourites;
    SeasonPoint& point = points.emplace_back();
    point.date = day.date;
    for (BetType bet : kBetTypes) {
      point.rate[bet] = sum[bet].ReturnPercent();
      point.favourites[bet] = favourites[bet].ReturnPercent();
    }
    point.allRate = AllBets(sum).ReturnPercent();
    point.allFavourites = AllBets(favourites).ReturnPercent();
  }
  return points;
}

std::vector<std::pair<int, CheckTally>> MonthTotals(const std::vector<SeasonTotals::Day>& days) {
  std::vector<std::pair<int, CheckTally>> months;
  for (const SeasonTotals::Day& day : days) {
    const int month = day.date / 100;
    if (months.empty() || months.back().first != month) months.emplace_back(month, CheckTally{});
    months.back().second += day.tally;
  }
  return months;
}

}  // namespace wakorin
