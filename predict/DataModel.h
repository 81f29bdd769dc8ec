#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "predict/BetType.h"
#include "predict/DataFigures.h"

namespace wakorin {

using PlaceWeights = std::array<std::vector<double>, 3>;  // per place, FeatureCount() each

// The learned mode's parameters: a conditional logit per place (1st among six, 2nd among the
// five left, 3rd among the four left) over the same features; a second one on the headline
// figures only (lane, class, national rates), a stand-in for the betting public, whose odds
// set the payouts; the expected payout of a winning combination from both probabilities; and
// per bet type the estimated return below which a race is skipped.
struct DataModel {
  static constexpr int kFormat = 1;
  static constexpr int kPayoutTerms = 7;  // 6 of the regression, then its residual variance
  PlaceWeights weights;
  PlaceWeights headline;
  // log(payout / 100 yen) of a winning combination = c . (1, lp, lq, lp^2, lq^2, lp lq) with
  // lp, lq the logs of the two models' probabilities of it; the variance of the residual last.
  PerBet<std::array<double, kPayoutTerms>> payout{};
  PerBet<double> threshold{};  // estimated return (1.0 = stake back)
  int races = 0;               // races learned from
  std::string learnedFrom;     // what it was learned from, one line of text

  // Yen per 100 expected when the combination wins, from its two probabilities.
  double ExpectedPayout(BetType bet, double probability, double headlineProbability) const;
};

// Which features the headline model uses.
bool IsHeadlineFeature(int feature);

// The model file: "wakorin-data-model 1", then one "name value" per line, then
// "end <checksum>". Parameters are written to six significant digits, as RoundAsWritten
// rounds a model learned, so a model read back is the same model.
std::string WriteDataModel(const DataModel& model);
// Rounds every parameter as WriteDataModel writes it, so that a model learned and the same
// model read back from its file predict alike.
void RoundAsWritten(DataModel& model);

// Why a model file was refused.
enum class ModelFault {
  TooLarge,          // larger than any model file
  Unreadable,        // open or read failed: `error`
  NotModel,          // not a model file at all
  OtherFormat,       // a model of another format: `name` holds its format
  NoLineEnd,         // cut short inside a line
  ControlByte,       // a control byte in a line
  Damaged,           // its checksum does not match: damaged or edited
  BytesAfterEnd,     // bytes after the end line
  Twice,             // parameter `name` given twice
  RacesNotCount,     // 'races' is not a count
  UnknownParameter,  // parameter `name` unknown
  NotFinite,         // parameter `name` is not a finite number
  NoEndLine,         // cut short before the end line
  Missing,           // parameter `name` missing
};

// Why a model file was refused: the line (1-based, 0 for the whole file), what, and of what.
struct ModelFileFault {
  int line = 0;
  ModelFault kind = ModelFault::NotModel;
  std::string name;  // the parameter, or the format, the fault is about
  int error = 0;     // errno, for Unreadable
};

// Reads a model file's bytes. A file of another kind or version, a damaged, cut or edited one
// (its checksum fails), a missing, repeated or unknown parameter, or a value that is not a
// finite number is refused with the reason; nothing in it can crash the reader.
struct ModelRead {
  std::optional<DataModel> model;
  ModelFileFault fault;  // set when `model` is empty
};
ModelRead ReadDataModel(std::string_view bytes);
// The same from a file on disk (open and read failures are faults too).
ModelRead LoadDataModel(const std::string& path);

// Lane probabilities of one race under the model: each boat's chance of each place given the
// boats placed before it.
// Every chance is worked out once, when the strengths are set (ChancesOf): a race asks for each
// of its 120 orders of three, and each would otherwise sum the strengths again.
struct PlaceChances {
  std::array<std::array<double, 6>, 3> strength{};  // per place, per lane: exp(utility), scaled
  // The probability of lanes a, b, c (1..6, distinct) finishing first, second and third.
  double Trifecta(int a, int b, int c) const { return trifecta_[Index(a)][Index(b)][Index(c)]; }
  double Exacta(int a, int b) const { return exacta_[Index(a)][Index(b)]; }
  double Win(int a) const { return win_[Index(a)]; }
  // Works the chances out from `strength`.
  void Settle();

 private:
  static std::size_t Index(int lane) { return static_cast<std::size_t>(lane - 1); }
  std::array<double, 6> win_{};
  std::array<std::array<double, 6>, 6> exacta_{};
  std::array<std::array<std::array<double, 6>, 6>, 6> trifecta_{};
};
PlaceChances ChancesOf(const PlaceWeights& weights, const RaceFigures& race);
// The same under two sets of weights, the race's features worked out once for both.
std::pair<PlaceChances, PlaceChances> ChancesOf(const PlaceWeights& weights, const PlaceWeights& headline,
                                                const RaceFigures& race);
// The same into chances the caller holds (a forecast's own), nothing copied.
void ChancesOf(const PlaceWeights& weights, const PlaceWeights& headline, const RaceFigures& race,
               PlaceChances& chances, PlaceChances& headlineChances);
// The probability of a combination of a bet type (lanes in ticket order, the third 0 for a
// two-boat bet); 0 for lanes that do not make one.
double ChanceOf(const PlaceChances& chances, BetType bet, const std::array<int, 3>& lanes);

}  // namespace wakorin
