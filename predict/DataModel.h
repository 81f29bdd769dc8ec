#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "predict/BetType.h"
#include "predict/DataFigures.h"

namespace wakorin {

// The learned mode's parameters: a conditional logit per place (1st among six, 2nd among the
// five left, 3rd among the four left) over the same features, the expected payout of a
// winning combination by the model's probability of it, and per bet type the estimated return
// below which a race is skipped.
struct DataModel {
  static constexpr int kFormat = 1;
  static constexpr int kBuckets = 16;         // probability buckets of the payout tables
  std::array<std::vector<double>, 3> weights;  // per place, FeatureCount() each
  PerBet<std::array<double, kBuckets>> payout{};  // yen per 100 when the combination wins
  PerBet<double> threshold{};                     // estimated return (1.0 = stake back)
  int races = 0;           // races learned from
  std::string learnedFrom; // what it was learned from, one line of text

  // The bucket of a combination's probability: quarter decades from 1e-4 up to 1.
  static int BucketOf(double probability);
};

// The model file: "wakorin-data-model 1", then one "name value" per line, then
// "end <checksum>". Doubles are written with 17 significant digits, so a model read back is
// the same model.
std::string WriteDataModel(const DataModel& model);

// Why a model file was refused: the line (1-based, 0 for the whole file) and the reason.
struct ModelFileFault {
  int line = 0;
  std::string reason;  // English, for a message
  std::string Message() const;
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
struct PlaceChances {
  std::array<std::array<double, 6>, 3> strength{};  // per place, per lane: exp(utility), scaled
  // The probability of lanes a, b, c (1..6, distinct) finishing first, second and third.
  double Trifecta(int a, int b, int c) const;
  double Exacta(int a, int b) const;
  double Win(int a) const;
};
PlaceChances ChancesOf(const DataModel& model, const RaceFigures& race);

}  // namespace wakorin
