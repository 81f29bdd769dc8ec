#include "predict/DataModel.h"

#include <cerrno>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "base/ByteFile.h"

namespace wakorin {
namespace {

constexpr std::string_view kMagic = "wakorin-data-model";
constexpr std::size_t kMaxFileSize = 1 << 20;
const PerBet<const char*> kBetNames{{"quinella", "exacta", "trio", "trifecta"}};

std::uint64_t Checksum(std::string_view bytes) {  // FNV-1a, 64 bits
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : bytes) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  return hash;
}

// Parameters are written to six significant digits. The fit does not support more: the same
// learning on another machine agrees to about 1e-11, and the digits beyond would make the file
// differ from machine to machine although the model is the same.
std::string Double(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6g", value);
  return text;
}

// Every numbered parameter of a model, by its name in the file, and where it is kept.
std::vector<std::pair<std::string, double*>> Parameters(DataModel& model) {
  std::vector<std::pair<std::string, double*>> all;
  const std::vector<std::string>& features = FeatureNames();
  for (std::size_t place = 0; place < 3; ++place) {
    model.weights[place].resize(features.size(), 0.0);
    model.headline[place].resize(features.size(), 0.0);
    for (std::size_t f = 0; f < features.size(); ++f) {
      all.emplace_back("place" + std::to_string(place + 1) + "." + features[f],
                       &model.weights[place][f]);
    }
    for (std::size_t f = 0; f < features.size(); ++f) {
      if (!IsHeadlineFeature(static_cast<int>(f))) continue;
      all.emplace_back("headline" + std::to_string(place + 1) + "." + features[f],
                       &model.headline[place][f]);
    }
  }
  for (BetType bet : kBetTypes) {
    all.emplace_back(std::string("threshold.") + kBetNames[bet], &model.threshold[bet]);
    for (int b = 0; b < DataModel::kPayoutTerms; ++b) {
      all.emplace_back(std::string("payout.") + kBetNames[bet] + "." + std::to_string(b),
                       &model.payout[bet][static_cast<std::size_t>(b)]);
    }
  }
  return all;
}

ModelRead Refuse(int line, ModelFault kind, std::string name = {}, int error = 0) {
  ModelRead read;
  read.fault = ModelFileFault{line, kind, std::move(name), error};
  return read;
}

bool ParseDouble(std::string_view text, double& value) {
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && std::isfinite(value);
}

}  // namespace

double DataModel::ExpectedPayout(BetType bet, double probability, double headlineProbability) const {
  const double lp = std::log(std::max(probability, 1e-6));
  const double lq = std::log(std::max(headlineProbability, 1e-6));
  const auto& c = payout[bet];
  const double log = c[0] + c[1] * lp + c[2] * lq + c[3] * lp * lp + c[4] * lq * lq +
                     c[5] * lp * lq + 0.5 * c[6];
  // No payout is below the stake; none above a million yen per 100 is worth believing.
  return std::isfinite(log) ? 100.0 * std::exp(std::min(std::max(log, 0.0), std::log(1e4))) : 100.0;
}

bool IsHeadlineFeature(int feature) {
  static const std::vector<bool> headline = [] {
    std::vector<bool> use;
    for (const std::string& name : FeatureNames()) {
      const bool lane = name.size() == 5 && name.compare(0, 4, "lane") == 0;
      use.push_back(lane || name == "classA1" || name == "classA2" || name == "classB2" ||
                    name == "gwin" || name == "gwsd" ||
                    (name.size() > 6 && name.compare(name.size() - 5, 5, "xgwin") == 0) ||
                    (name.size() > 9 && name.compare(name.size() - 8, 8, "xclassA1") == 0));
    }
    return use;
  }();
  return feature >= 0 && feature < static_cast<int>(headline.size()) &&
         headline[static_cast<std::size_t>(feature)];
}

void RoundAsWritten(DataModel& model) {
  for (const auto& [name, value] : Parameters(model)) *value = std::strtod(Double(*value).c_str(), nullptr);
}

std::string WriteDataModel(const DataModel& model) {
  DataModel copy = model;
  std::string text = std::string(kMagic) + " " + std::to_string(DataModel::kFormat) + "\n";
  std::string from = model.learnedFrom;
  for (char& c : from) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  text += "learned " + from + "\n";
  text += "races " + std::to_string(model.races) + "\n";
  for (const auto& [name, value] : Parameters(copy)) text += name + " " + Double(*value) + "\n";
  char end[40];
  std::snprintf(end, sizeof end, "end %016llx\n", static_cast<unsigned long long>(Checksum(text)));
  return text + end;
}

ModelRead ReadDataModel(std::string_view bytes) {
  if (bytes.size() > kMaxFileSize) return Refuse(0, ModelFault::TooLarge);
  if (bytes.substr(0, kMagic.size() + 1) != std::string(kMagic) + " ")
    return Refuse(1, ModelFault::NotModel);
  DataModel model;
  std::map<std::string, double*, std::less<>> expected;
  for (const auto& [name, value] : Parameters(model)) expected.emplace(name, value);
  std::map<std::string, bool, std::less<>> seen;
  std::size_t at = 0;
  int line = 0;
  bool ended = false;
  while (at < bytes.size()) {
    const std::size_t eol = bytes.find('\n', at);
    if (eol == std::string_view::npos) return Refuse(line + 1, ModelFault::NoLineEnd);
    const std::string_view text = bytes.substr(at, eol - at);
    const std::size_t lineStart = at;
    at = eol + 1;
    ++line;
    for (char c : text) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return Refuse(line, ModelFault::ControlByte);
    }
    const std::size_t blank = text.find(' ');
    const std::string_view name = text.substr(0, blank);
    const std::string_view value =
        blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    if (line == 1) {
      if (value != std::to_string(DataModel::kFormat))
        return Refuse(1, ModelFault::OtherFormat, std::string(value.substr(0, 20)));
      continue;
    }
    if (name == "end") {
      char sum[20];
      std::snprintf(sum, sizeof sum, "%016llx",
                    static_cast<unsigned long long>(Checksum(bytes.substr(0, lineStart))));
      if (value != sum) return Refuse(line, ModelFault::Damaged);
      if (at != bytes.size()) return Refuse(line + 1, ModelFault::BytesAfterEnd);
      ended = true;
      break;
    }
    if (seen.count(name) != 0) return Refuse(line, ModelFault::Twice, std::string(name));
    if (name == "learned") {
      model.learnedFrom = std::string(value);
    } else if (name == "races") {
      double races = 0.0;
      if (!ParseDouble(value, races) || races < 0 || races > 1e9 || races != std::floor(races))
        return Refuse(line, ModelFault::RacesNotCount);
      model.races = static_cast<int>(races);
    } else {
      const auto slot = expected.find(name);
      if (slot == expected.end())
        return Refuse(line, ModelFault::UnknownParameter, std::string(name.substr(0, 60)));
      if (!ParseDouble(value, *slot->second))
        return Refuse(line, ModelFault::NotFinite, std::string(name));
    }
    seen.emplace(std::string(name), true);
  }
  if (!ended) return Refuse(line, ModelFault::NoEndLine);
  for (const auto& [name, value] : expected) {
    if (seen.count(name) == 0) return Refuse(0, ModelFault::Missing, name);
  }
  ModelRead read;
  read.model = std::move(model);
  return read;
}

ModelRead LoadDataModel(const std::string& path) {
  auto bytes = ByteFile::ReadAsIs(path, kMaxFileSize);
  if (!bytes) {
    return bytes.error().code == EFBIG ? Refuse(0, ModelFault::TooLarge)
                                       : Refuse(0, ModelFault::Unreadable, {}, bytes.error().code);
  }
  return ReadDataModel(*bytes);
}

namespace {

// Asked once a race for each set of weights, so every weight is looked at without a branch and
// several at a time: its exponent bits plus one carry into the sign bit only when they are all
// set, as they are for an infinity or a NaN.
bool AllFinite(const PlaceWeights& weights) {
  constexpr std::uint64_t kExponent = 0x7ff0000000000000ull, kExponentOne = 0x0010000000000000ull;
  std::uint64_t carried = 0;
  for (const std::vector<double>& w : weights) {
#pragma GCC unroll 8
    for (double v : w) carried |= (std::bit_cast<std::uint64_t>(v) & kExponent) + kExponentOne;
  }
  return (carried >> 63) == 0;
}

// A race's features that are not 0, lane after lane, in feature order.
struct RaceFeatures {
  std::array<std::array<std::uint16_t, kLaneFeaturesAtMost>, 6> index;  // unset past `count`
  std::array<std::array<double, kLaneFeaturesAtMost>, 6> value;
  std::array<std::size_t, 6> count{};
};

RaceFeatures FeaturesOfRace(const RaceFigures& race) {
  RaceFeatures features;
  for (std::size_t lane = 0; lane < 6; ++lane) {
    features.count[lane] = static_cast<std::size_t>(LaneFeaturesOf(
        race, static_cast<int>(lane) + 1, features.index[lane].data(), features.value[lane].data()));
  }
  return features;
}

// Each lane's utility for each place, then the strengths. The three places' sums run side by
// side, each in feature order as one sum alone. With finite weights a feature of 0 adds exactly
// nothing (the sum starts at +0 and never turns -0), so only the others are summed.
void ChancesFrom(const PlaceWeights& weights, const RaceFigures& race, const RaceFeatures& features,
                 PlaceChances& chances) {
  const auto n = static_cast<std::size_t>(FeatureCount());
  const bool finite = weights[0].size() >= n && weights[1].size() >= n && weights[2].size() >= n &&
                      AllFinite(weights);
  std::vector<double> dense;  // every feature of a lane, for weights that are not all finite
  for (std::size_t lane = 0; lane < 6; ++lane) {
    std::array<double, 3> u{};
    if (finite) {
      const double *w0 = weights[0].data(), *w1 = weights[1].data(), *w2 = weights[2].data();
      const std::uint16_t* index = features.index[lane].data();
      const double* value = features.value[lane].data();
      for (std::size_t i = 0; i < features.count[lane]; ++i) {
        const std::size_t k = index[i];
        u[0] += w0[k] * value[i];
        u[1] += w1[k] * value[i];
        u[2] += w2[k] * value[i];
      }
    } else {
      dense.resize(n);
      FeaturesOf(race, static_cast<int>(lane) + 1, dense.data());
      for (std::size_t place = 0; place < 3; ++place) {
        const std::vector<double>& w = weights[place];
        for (std::size_t k = 0; k < n && k < w.size(); ++k) u[place] += w[k] * dense[k];
      }
    }
    for (std::size_t place = 0; place < 3; ++place) {
      chances.strength[place][lane] = std::isfinite(u[place]) ? u[place] : 0.0;
    }
  }
  // Shifted so that the exponentials stay in range whatever the weights.
  for (auto& place : chances.strength) {
    double top = place[0];
    for (double u : place) top = std::max(top, u);
    for (double& u : place) u = std::exp(std::max(u - top, -700.0));
  }
  chances.Settle();
}

}  // namespace

PlaceChances ChancesOf(const PlaceWeights& weights, const RaceFigures& race) {
  PlaceChances chances;
  ChancesFrom(weights, race, FeaturesOfRace(race), chances);
  return chances;
}

std::pair<PlaceChances, PlaceChances> ChancesOf(const PlaceWeights& weights, const PlaceWeights& headline,
                                                const RaceFigures& race) {
  std::pair<PlaceChances, PlaceChances> both;
  ChancesOf(weights, headline, race, both.first, both.second);
  return both;
}

void ChancesOf(const PlaceWeights& weights, const PlaceWeights& headline, const RaceFigures& race,
               PlaceChances& chances, PlaceChances& headlineChances) {
  const RaceFeatures features = FeaturesOfRace(race);
  ChancesFrom(weights, race, features, chances);
  ChancesFrom(headline, race, features, headlineChances);
}

namespace {

// For each pair of lanes placed first and second (0-based), the four left, in lane order.
constexpr auto kLeft = [] {
  std::array<std::array<std::array<std::uint8_t, 4>, 6>, 6> left{};
  for (std::size_t a = 0; a < 6; ++a) {
    for (std::size_t b = 0; b < 6; ++b) {
      std::size_t n = 0;
      for (std::size_t l = 0; l < 6 && a != b; ++l) {
        if (l != a && l != b) left[a][b][n++] = static_cast<std::uint8_t>(l);
      }
    }
  }
  return left;
}();

}  // namespace

void PlaceChances::Settle() {
  // The same sums in the same order as a chance asked for alone: figures match to the last bit.
  // Each row is worked out whole, its lanes side by side, then the lanes already placed set to 0.
  const auto& first = strength[0];
  double all = 0.0;
  for (double v : first) all += v;
  for (std::size_t a = 0; a < 6; ++a) win_[a] = first[a] / all;
  // Copies: the rows written are no strengths, which leaves the compiler free to go side by side.
  const std::array<double, 6> second = strength[1], third = strength[2];
  for (std::size_t a = 0; a < 6; ++a) {
    double rest = 0.0;
    for (std::size_t l = 0; l < 6; ++l) rest += l == a ? 0.0 : second[l];
    std::array<double, 6> exacta;
    for (std::size_t b = 0; b < 6; ++b) exacta[b] = win_[a] * second[b] / rest;
    exacta[a] = 0.0;
    exacta_[a] = exacta;
    for (std::size_t b = 0; b < 6; ++b) {
      std::array<double, 6> trifecta{};
      if (b != a) {
        // The four lanes left, in lane order: the sum over all six with the placed ones as 0
        // adds up to the same, bit for bit (no partial sum is ever -0).
        const std::array<std::uint8_t, 4>& left = kLeft[a][b];
        const double rest3 = ((0.0 + third[left[0]]) + third[left[1]]) + third[left[2]] + third[left[3]];
        for (std::size_t c = 0; c < 6; ++c) trifecta[c] = exacta[b] * third[c] / rest3;
        trifecta[a] = 0.0;
        trifecta[b] = 0.0;
      }
      trifecta_[a][b] = trifecta;
    }
  }
}

double ChanceOf(const PlaceChances& chances, BetType bet, const std::array<int, 3>& lanes) {
  const int a = lanes[0], b = lanes[1], c = lanes[2];
  auto lane = [](int l) { return l >= 1 && l <= 6; };
  if (!lane(a) || !lane(b) || a == b) return 0.0;
  if (!IsTwoBoat(bet) && (!lane(c) || c == a || c == b)) return 0.0;
  switch (bet) {
    case BetType::Exacta: return chances.Exacta(a, b);
    case BetType::Quinella: return chances.Exacta(a, b) + chances.Exacta(b, a);
    case BetType::Trifecta: return chances.Trifecta(a, b, c);
    case BetType::Trio: break;
  }
  return chances.Trifecta(a, b, c) + chances.Trifecta(a, c, b) + chances.Trifecta(b, a, c) +
         chances.Trifecta(b, c, a) + chances.Trifecta(c, a, b) + chances.Trifecta(c, b, a);
}

}  // namespace wakorin
