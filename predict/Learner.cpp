#include "predict/Learner.h"

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

#include "predict/DataForecast.h"

namespace wakorin {
namespace {

using RowMatrix = Eigen::Matrix<double, Eigen::Dynamic, Eigen::Dynamic, Eigen::RowMajor>;
constexpr int kChunk = 512;  // races whose rows are stacked for one matrix product

// Whether the race's first `place + 1` boats are known and distinct.
bool Usable(const LearnRace& race, int place) {
  for (int k = 0; k <= place; ++k) {
    const int lane = race.order[static_cast<std::size_t>(k)];
    if (lane < 1 || lane > 6) return false;
    for (int j = 0; j < k; ++j) {
      if (race.order[static_cast<std::size_t>(j)] == lane) return false;
    }
  }
  return true;
}

// One place's conditional logit over the boats still running, by Newton's method with an L2
// penalty: the log-likelihood is concave, so the steps converge from zero in a few iterations;
// a step that lowers the objective is halved. Nullopt when `progress` says stop; it is asked at
// each iteration and each chunk of races, so that a stop is heard within a fraction of a second
// even on years of races.
std::optional<std::vector<double>> FitPlace(const std::vector<const LearnRace*>& races, int place,
                                            bool headline, const LearnOptions& options,
                                            const LearnProgress& progress) {
  const int features = FeatureCount();
  std::vector<bool> unused(static_cast<std::size_t>(features), false);
  for (int f = 0; f < features && headline; ++f) unused[static_cast<std::size_t>(f)] = !IsHeadlineFeature(f);
  const int p = FeatureCount();
  Eigen::VectorXd beta = Eigen::VectorXd::Zero(p), previous = beta;
  double previousObjective = -std::numeric_limits<double>::infinity();
  RowMatrix x(kChunk * 6, p);
  RowMatrix m(kChunk, p);
  const std::string stage = (headline ? "headline " : "place ") + std::to_string(place + 1);
  for (int iteration = 0; iteration < options.maxIterations; ++iteration) {
    if (progress && !progress(stage, iteration, options.maxIterations)) return std::nullopt;
    Eigen::MatrixXd h = Eigen::MatrixXd::Zero(p, p);
    Eigen::VectorXd g = Eigen::VectorXd::Zero(p);
    double logLikelihood = 0.0;
    for (std::size_t first = 0; first < races.size(); first += kChunk) {
      if (first > 0 && progress && !progress(stage, iteration, options.maxIterations)) {
        return std::nullopt;
      }
      const std::size_t last = std::min(races.size(), first + kChunk);
      std::vector<int> starts, chosen;
      int rows = 0;
      for (std::size_t r = first; r < last; ++r) {
        const LearnRace& race = *races[r];
        starts.push_back(rows);
        for (int lane = 1; lane <= 6; ++lane) {
          bool gone = false;
          for (int k = 0; k < place; ++k) gone |= race.order[static_cast<std::size_t>(k)] == lane;
          if (gone) continue;
          if (lane == race.order[static_cast<std::size_t>(place)]) chosen.push_back(rows);
          double* row = x.row(rows).data();
          FeaturesOf(race.figures, lane, row);
          // Left-out features stay at zero: no gradient moves their weights.
          for (int f = 0; f < features && headline; ++f) {
            if (unused[static_cast<std::size_t>(f)]) row[f] = 0.0;
          }
          ++rows;
        }
      }
      starts.push_back(rows);
      const auto rowsUsed = x.topRows(rows);
      Eigen::VectorXd prob = rowsUsed * beta;
      Eigen::VectorXd residual(rows);
      const int count = static_cast<int>(last - first);
      for (int r = 0; r < count; ++r) {
        const int from = starts[static_cast<std::size_t>(r)], to = starts[static_cast<std::size_t>(r) + 1];
        const double top = prob.segment(from, to - from).maxCoeff();
        double sum = 0.0;
        for (int i = from; i < to; ++i) sum += (prob[i] = std::exp(prob[i] - top));
        for (int i = from; i < to; ++i) prob[i] /= sum;
        const int won = chosen[static_cast<std::size_t>(r)];
        logLikelihood += std::log(std::max(prob[won], 1e-300));
        residual.segment(from, to - from) = -prob.segment(from, to - from);
        residual[won] += 1.0;
        m.row(r) = prob.segment(from, to - from).transpose() * rowsUsed.middleRows(from, to - from);
      }
      g.noalias() += rowsUsed.transpose() * residual;
      const RowMatrix weighted = prob.cwiseSqrt().asDiagonal() * rowsUsed;
      h.selfadjointView<Eigen::Lower>().rankUpdate(weighted.transpose());
      h.selfadjointView<Eigen::Lower>().rankUpdate(m.topRows(count).transpose(), -1.0);
    }
    const double objective = logLikelihood - 0.5 * options.ridge * beta.squaredNorm();
    if (objective < previousObjective) {
      beta = 0.5 * (beta + previous);  // overshot: halfway back, and look again
      continue;
    }
    previous = beta;
    previousObjective = objective;
    g -= options.ridge * beta;
    Eigen::MatrixXd information = h.selfadjointView<Eigen::Lower>();
    information.diagonal().array() += options.ridge;
    const Eigen::VectorXd step = information.ldlt().solve(g);
    beta += step;
    if (step.cwiseAbs().maxCoeff() < 1e-7) break;
  }
  if (progress && !progress(stage, options.maxIterations, options.maxIterations)) return std::nullopt;
  return std::vector<double>(beta.data(), beta.data() + p);
}

// The lanes of a combination's key in ticket order: 132 -> {1, 3, 2}, 13 -> {1, 3, 0}.
std::array<int, 3> LanesOf(int key, BetType bet) {
  if (IsTwoBoat(bet)) return {key / 10 % 10, key % 10, 0};
  return {key / 100 % 10, key / 10 % 10, key % 10};
}

// The payout of a winning combination, by least squares on the log of it: what the public's
// odds paid against what both models thought of the combination.
void LearnPayouts(const std::vector<LearnRace>& races, DataModel& model) {
  constexpr int n = DataModel::kPayoutTerms - 1;
  PerBet<Eigen::Matrix<double, n, n>> xtx;
  PerBet<Eigen::Matrix<double, n, 1>> xty;
  PerBet<double> yty{}, count{};
  for (BetType bet : kBetTypes) {
    xtx[bet].setZero();
    xty[bet].setZero();
  }
  for (const LearnRace& race : races) {
    const PlaceChances chances = ChancesOf(model.weights, race.figures);
    const PlaceChances headline = ChancesOf(model.headline, race.figures);
    for (BetType bet : kBetTypes) {
      for (const auto& [key, yen] : race.outcome[bet].winners) {
        if (yen < 100) continue;
        const std::array<int, 3> lanes = LanesOf(key, bet);
        const double lp = std::log(std::max(ChanceOf(chances, bet, lanes), 1e-6));
        const double lq = std::log(std::max(ChanceOf(headline, bet, lanes), 1e-6));
        Eigen::Matrix<double, n, 1> z;
        z << 1.0, lp, lq, lp * lp, lq * lq, lp * lq;
        const double y = std::log(static_cast<double>(yen) / 100.0);
        xtx[bet] += z * z.transpose();
        xty[bet] += z * y;
        yty[bet] += y * y;
        count[bet] += 1.0;
      }
    }
  }
  for (BetType bet : kBetTypes) {
    auto& c = model.payout[bet];
    c.fill(0.0);
    if (count[bet] < n + 2) {
      c[1] = -1.0;  // too few results: a fair book's payout, 1/p
      continue;
    }
    Eigen::Matrix<double, n, n> a = xtx[bet];
    a.diagonal().array() += 1e-6 * count[bet];
    const Eigen::Matrix<double, n, 1> theta = a.ldlt().solve(xty[bet]);
    const double residual = (yty[bet] - 2.0 * theta.dot(xty[bet]) + theta.dot(xtx[bet] * theta)) / count[bet];
    for (int k = 0; k < n; ++k) c[static_cast<std::size_t>(k)] = theta[k];
    c[n] = std::max(residual, 0.0);
  }
}

std::vector<int> KeysOf(const TicketList& tickets) {
  std::vector<int> keys;
  for (const std::string& ticket : tickets) {
    if (!ticket.empty()) keys.push_back(TicketKey(ticket));
  }
  return keys;
}

// Chooses each bet type's share of races to bet on the tuning days, and returns it; the
// threshold is the estimated return that keeps that share. With `shares` given, only the
// thresholds that keep those shares are set.
PerBet<double> LearnThresholds(const std::vector<LearnRace>& tune, const LearnOptions& options,
                               DataModel& model, const PerBet<double>* shares = nullptr) {
  PerBet<double> chosen;
  chosen.values.fill(1.0);
  for (BetType bet : kBetTypes) model.threshold[bet] = 0.0;
  if (tune.empty() || !options.skip) return chosen;
  PerBet<std::vector<std::pair<double, RaceReturn>>> byEstimate;
  for (const LearnRace& race : tune) {
    const DataForecast forecast = ForecastFigures(race.figures, model);
    for (BetType bet : kBetTypes) {
      if (!race.outcome[bet].settled) continue;
      byEstimate[bet].emplace_back(
          forecast.estimatedReturn[bet],
          Settle(race.outcome[bet], race.refunded, KeysOf(forecast.candidates[bet])));
    }
  }
  for (BetType bet : kBetTypes) {
    auto& list = byEstimate[bet];
    if (list.empty()) continue;
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& x, const auto& y) { return x.first > y.first; });
    std::vector<long long> stake(list.size() + 1, 0), paid(list.size() + 1, 0);
    for (std::size_t k = 0; k < list.size(); ++k) {
      stake[k + 1] = stake[k] + list[k].second.stake;
      paid[k + 1] = paid[k] + list[k].second.paid;
    }
    // Shares in steps of 5 %, not single races, so that the threshold does not chase noise.
    double best = -1.0;
    std::size_t keep = list.size();
    auto count = [&](double share) {
      return std::min(list.size(),
                      std::max<std::size_t>(1, static_cast<std::size_t>(std::ceil(share * list.size() - 1e-9))));
    };
    for (int step = 20; step >= 0 && shares == nullptr; --step) {
      const double share = step / 20.0;
      if (share < options.minBetShare - 1e-9) break;
      const std::size_t k = count(share);
      const double rate = stake[k] > 0 ? static_cast<double>(paid[k]) / stake[k] : 0.0;
      if (rate > best) {
        best = rate;
        keep = k;
        chosen[bet] = share;
      }
    }
    // A rule that skips races must raise the return on these very months beyond doubt, or the
    // mode buys every race: chosen where it fits best, its gain is the most it can claim.
    if (shares == nullptr && keep < list.size()) {
      std::vector<RaceReturn> rule, every;
      for (std::size_t k = 0; k < list.size(); ++k) {
        every.push_back(list[k].second);
        rule.push_back(k < keep ? list[k].second : RaceReturn{});
      }
      if (GainOver(rule, every).low <= 0.0) {
        keep = list.size();
        chosen[bet] = 1.0;
      }
    }
    if (shares != nullptr) keep = count(chosen[bet] = (*shares)[bet]);
    model.threshold[bet] =
        keep >= list.size() ? 0.0 : 0.5 * (list[keep - 1].first + list[keep].first);
  }
  return chosen;
}

}  // namespace

int TicketKey(std::string_view ticket) {
  int key = 0;
  for (char c : ticket) {
    if (c >= '1' && c <= '6') key = key * 10 + (c - '0');
  }
  return key;
}

RaceReturn Settle(const BetOutcome& outcome, const std::array<bool, 6>& refunded,
                  const std::vector<int>& ticketKeys) {
  RaceReturn result;
  if (!outcome.settled) return result;
  for (int key : ticketKeys) {
    result.stake += 100;
    if (outcome.special >= 0) {
      result.paid += outcome.special;
      continue;
    }
    bool voided = false;
    for (int k = key; k > 0; k /= 10) {
      const int lane = k % 10;
      voided |= lane >= 1 && lane <= 6 && refunded[static_cast<std::size_t>(lane - 1)];
    }
    if (voided) {
      result.paid += 100;
      result.refunds += 100;
      continue;
    }
    for (const auto& [winner, yen] : outcome.winners) {
      if (winner != key) continue;
      result.paid += yen;
      result.hit = true;
    }
  }
  return result;
}

ReturnFigures Summarise(const std::vector<RaceReturn>& returns, int resamples) {
  ReturnFigures figures;
  figures.races = static_cast<int>(returns.size());
  for (const RaceReturn& race : returns) {
    figures.bet += race.stake > 0 ? 1 : 0;
    figures.hits += race.hit ? 1 : 0;
    figures.stake += race.stake;
    figures.paid += race.paid;
    figures.refunds += race.refunds;
  }
  if (returns.empty() || figures.stake == 0) return figures;
  std::mt19937_64 random(20240901);
  std::vector<double> rates;
  rates.reserve(static_cast<std::size_t>(resamples));
  for (int s = 0; s < resamples; ++s) {
    long long stake = 0, paid = 0;
    for (std::size_t i = 0; i < returns.size(); ++i) {
      const RaceReturn& race = returns[random() % returns.size()];
      stake += race.stake;
      paid += race.paid;
    }
    rates.push_back(stake > 0 ? 100.0 * static_cast<double>(paid) / stake : 0.0);
  }
  std::sort(rates.begin(), rates.end());
  figures.low = rates[static_cast<std::size_t>(0.025 * (rates.size() - 1))];
  figures.high = rates[static_cast<std::size_t>(0.975 * (rates.size() - 1))];
  return figures;
}

GainFigures GainOver(const std::vector<RaceReturn>& rule, const std::vector<RaceReturn>& base,
                     int resamples) {
  GainFigures gain;
  const auto rate = [](long long paid, long long stake) {
    return stake > 0 ? 100.0 * static_cast<double>(paid) / static_cast<double>(stake) : 0.0;
  };
  long long ruleStake = 0, rulePaid = 0, baseStake = 0, basePaid = 0;
  for (std::size_t i = 0; i < rule.size() && i < base.size(); ++i) {
    ruleStake += rule[i].stake;
    rulePaid += rule[i].paid;
    baseStake += base[i].stake;
    basePaid += base[i].paid;
  }
  if (rule.size() != base.size() || rule.empty() || ruleStake == 0 || baseStake == 0) return gain;
  gain.points = rate(rulePaid, ruleStake) - rate(basePaid, baseStake);
  std::mt19937_64 random(20240901);
  std::vector<double> gains;
  gains.reserve(static_cast<std::size_t>(resamples));
  for (int s = 0; s < resamples; ++s) {
    long long rs = 0, rp = 0, bs = 0, bp = 0;
    for (std::size_t i = 0; i < rule.size(); ++i) {
      const std::size_t pick = random() % rule.size();
      rs += rule[pick].stake;
      rp += rule[pick].paid;
      bs += base[pick].stake;
      bp += base[pick].paid;
    }
    gains.push_back(rate(rp, rs) - rate(bp, bs));
  }
  std::sort(gains.begin(), gains.end());
  gain.low = gains[static_cast<std::size_t>(0.025 * (gains.size() - 1))];
  gain.high = gains[static_cast<std::size_t>(0.975 * (gains.size() - 1))];
  return gain;
}

namespace {

// False when `progress` said stop.
bool FitModels(const std::vector<const LearnRace*>& races, const LearnOptions& options,
               const LearnProgress& progress, DataModel& model) {
  for (int place = 0; place < 3; ++place) {
    std::vector<const LearnRace*> usable;
    for (const LearnRace* race : races) {
      if (Usable(*race, place)) usable.push_back(race);
    }
    if (place == 0) model.races = static_cast<int>(usable.size());
    const std::size_t k = static_cast<std::size_t>(place);
    for (bool headline : {false, true}) {
      std::optional<std::vector<double>> weights = FitPlace(usable, place, headline, options, progress);
      if (!weights) return false;
      (headline ? model.headline : model.weights)[k] = std::move(*weights);
    }
  }
  return true;
}

}  // namespace

std::optional<DataModel> Learn(const std::vector<LearnRace>& learn,
                               const std::vector<LearnRace>& tune, const LearnOptions& options,
                               const LearnProgress& progress) {
  auto goOn = [&](std::string_view stage, int done, int total) {
    return !progress || progress(stage, done, total);
  };
  DataModel model;
  std::vector<const LearnRace*> races;
  for (const LearnRace& race : learn) races.push_back(&race);
  if (!FitModels(races, options, progress, model)) return std::nullopt;
  if (!goOn("payouts", 0, 1)) return std::nullopt;
  LearnPayouts(learn, model);
  if (!goOn("thresholds", 0, 1)) return std::nullopt;
  const PerBet<double> shares = LearnThresholds(tune, options, model);
  if (options.refit && !tune.empty()) {
    // The weights and payouts learn from the tuning days too; each threshold then keeps the
    // share of the tuning races chosen above, as the new model estimates them.
    for (const LearnRace& race : tune) races.push_back(&race);
    if (!FitModels(races, options, progress, model)) return std::nullopt;
    std::vector<LearnRace> all(learn);
    all.insert(all.end(), tune.begin(), tune.end());
    LearnPayouts(all, model);
    LearnThresholds(tune, options, model, &shares);
  }
  if (!goOn("thresholds", 1, 1)) return std::nullopt;
  RoundAsWritten(model);
  return model;
}

const PerBet<TicketList>& FixedFavourites() {
  static const PerBet<TicketList> fixed{{{
      {"1-2", "1-3", "1-4", "1-5", "2-3", "1-6"},
      {"1-2", "1-3", "1-4", "2-1", "1-5", "3-1"},
      {"1-2-3", "1-2-4", "1-3-4", "1-2-5", "1-3-5", "1-2-6"},
      {"1-2-3", "1-3-2", "1-2-4", "1-3-4", "1-4-2", "1-4-3"},
  }}};
  return fixed;
}

}  // namespace wakorin
