// The model file: written and read back exactly, and refused with a reason when damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "predict/DataForecast.h"
#include "predict/DataModel.h"
#include "predict/DefaultModel.h"

namespace wakorin {
namespace {

// FNV-1a over the bytes before the end line, written out again as a second opinion.
std::string Signed(std::string body) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : body) {
    hash ^= c;
    hash *= 1099511628211ull;
  }
  char end[40];
  std::snprintf(end, sizeof end, "end %016llx\n", static_cast<unsigned long long>(hash));
  return body + end;
}

std::string Body(const std::string& file) { return file.substr(0, file.rfind("end ")); }

DataModel Awkward() {
  DataModel model;
  model.races = 12345;
  model.learnedFrom = "2024-01-01..2024-06-30";
  for (std::size_t place = 0; place < 3; ++place) {
    model.weights[place].assign(static_cast<std::size_t>(FeatureCount()), 0.0);
    model.headline[place].assign(static_cast<std::size_t>(FeatureCount()), 0.0);
    for (std::size_t f = 0; f < model.weights[place].size(); ++f) {
      model.weights[place][f] = std::ldexp(1.0 / 3.0 + f, -static_cast<int>(place * 40)) * (f % 2 ? -1 : 1);
      if (IsHeadlineFeature(static_cast<int>(f))) model.headline[place][f] = 0.1 * f + 1e-300;
    }
  }
  for (BetType bet : kBetTypes) {
    model.threshold[bet] = 0.8123456789012345;
    for (std::size_t k = 0; k < DataModel::kPayoutTerms; ++k) model.payout[bet][k] = -1.0 / (k + 7);
  }
  return model;
}

TEST(DataModelFile, RoundTripIsExact) {
  DataModel model = Awkward();
  RoundAsWritten(model);  // as a model learned is
  const std::string text = WriteDataModel(model);
  EXPECT_EQ(text.rfind("wakorin-data-model 1\n", 0), 0u);
  const ModelRead read = ReadDataModel(text);
  ASSERT_TRUE(read.model) << static_cast<int>(read.fault.kind);
  EXPECT_EQ(read.model->weights, model.weights);
  EXPECT_EQ(read.model->headline, model.headline);
  EXPECT_EQ(read.model->payout, model.payout);
  EXPECT_EQ(read.model->threshold, model.threshold);
  EXPECT_EQ(read.model->races, model.races);
  EXPECT_EQ(read.model->learnedFrom, model.learnedFrom);
  EXPECT_EQ(WriteDataModel(*read.model), text);
}

TEST(DataModelFile, TheBuiltInModelReadsAndForecasts) {
  const ModelRead read = ReadDataModel(DefaultModelText());
  ASSERT_TRUE(read.model) << static_cast<int>(read.fault.kind);
  EXPECT_GT(DefaultModel().races, 30000);
  TRaceCard card;  // blank figures: typical values stand in
  const DataForecast forecast = ForecastDataRace(card, "12", DefaultModel());
  EXPECT_GT(forecast.win[0], forecast.win[5]);  // lane 1 is favoured on an even card
}

// The six best of each bet type are the likeliest of all its combinations, equal ones in
// combination order, whatever the chances: all alike (every one tied), ordinary, or so steep
// that most products underflow. Ranked here the plain way, over every combination.
TEST(DataForecast, SixBestAreTheLikeliestInCombinationOrder) {
  const PerBet<std::vector<std::array<int, 3>>> combinations = [] {
    PerBet<std::vector<std::array<int, 3>>> all;
    for (int a = 1; a <= 6; ++a) {
      for (int b = 1; b <= 6; ++b) {
        if (b == a) continue;
        all[BetType::Exacta].push_back({a, b, 0});
        if (a < b) all[BetType::Quinella].push_back({a, b, 0});
        for (int c = 1; c <= 6; ++c) {
          if (c == a || c == b) continue;
          all[BetType::Trifecta].push_back({a, b, c});
          if (a < b && b < c) all[BetType::Trio].push_back({a, b, c});
        }
      }
    }
    return all;
  }();
  RaceFigures race;
  race.venue = 7;
  for (std::size_t k = 0; k < 6; ++k) {
    race.lanes[k].gwin = 4.0 + 0.7 * static_cast<double>(k % 4);
    race.lanes[k].motor = 20.0 + 6.0 * static_cast<double>(k);
    race.lanes[k].clas = static_cast<int>(k % 4);
  }
  // The last: the third place all but settled (lane 6), so that an order of three is as likely
  // as its first two, the edge of what a pair may pass over.
  const auto lane6 = static_cast<std::size_t>(
      std::find(FeatureNames().begin(), FeatureNames().end(), "lane6") - FeatureNames().begin());
  for (double scale : {0.0, 1.0, 40.0, 400.0, -1.0}) {
    DataModel model = Awkward();
    for (std::size_t place = 0; place < 3; ++place) {
      for (std::size_t f = 0; f < model.weights[place].size(); ++f) {
        model.weights[place][f] = scale < 0 ? (place == 2 ? 0.0 : 0.3 * std::sin(1.0 + static_cast<double>(f)))
                                            : scale * std::sin(1.0 + static_cast<double>(f * (place + 2)));
      }
    }
    if (scale < 0) model.weights[2][lane6] = 40.0;
    const DataForecast forecast = ForecastFigures(race, model);
    for (BetType bet : kBetTypes) {
      std::vector<std::pair<double, std::array<int, 3>>> ranked;
      for (const std::array<int, 3>& lanes : combinations[bet])
        ranked.emplace_back(ChanceOf(forecast.chances, bet, lanes), lanes);
      std::stable_sort(ranked.begin(), ranked.end(),
                       [](const auto& x, const auto& y) { return x.first > y.first; });
      for (std::size_t j = 0; j < 6; ++j) {
        const auto& [chance, lanes] = ranked[j];
        const Ticket expected = lanes[2] == 0 ? MakeTicket({lanes[0], lanes[1]})
                                              : MakeTicket({lanes[0], lanes[1], lanes[2]});
        EXPECT_EQ(forecast.candidates[bet][j], expected) << "scale " << scale << ", bet " << int(bet) << ", " << j;
        EXPECT_EQ(forecast.chance[bet][j], chance) << "scale " << scale << ", bet " << int(bet) << ", " << j;
      }
    }
  }
}

// A weight that is no number spoils its place's every utility, even on a feature the race does
// not have: that place's chances fall back to even. A finite weight there changes nothing,
// however large or small.
TEST(DataForecast, AWeightThatIsNoNumberEvensItsPlace) {
  RaceFigures race;
  race.venue = 7;
  for (std::size_t k = 0; k < 6; ++k) race.lanes[k].gwin = 3.0 + static_cast<double>(k);
  const std::size_t unused = static_cast<std::size_t>(
      std::find(FeatureNames().begin(), FeatureNames().end(), "venue24xlane1") - FeatureNames().begin());
  DataModel model = Awkward();
  for (auto& place : model.weights) std::fill(place.begin(), place.end(), 0.3);
  const PlaceChances plain = ChancesOf(model.weights, race);
  for (double weight : {HUGE_VAL, -HUGE_VAL, std::nan(""), 1.7e308, -1.7e308, 4.9e-324}) {
    model.weights[0][unused] = weight;
    const PlaceChances chances = ChancesOf(model.weights, race);
    for (int lane = 1; lane <= 6; ++lane) {
      EXPECT_EQ(chances.Win(lane), std::isfinite(weight) ? plain.Win(lane) : 1.0 / 6.0) << weight << " " << lane;
    }
    if (std::isfinite(weight)) {
      EXPECT_EQ(chances.Trifecta(4, 6, 1), plain.Trifecta(4, 6, 1)) << weight;
    }
  }
}

// Each feature stands under its name: the lanes' own, the lanes' interactions and the venues'.
TEST(DataForecast, EachFeatureStandsUnderItsName) {
  RaceFigures race;
  for (std::size_t k = 0; k < 6; ++k) {
    race.lanes[k].gwin = 6.0 + static_cast<double>(k);
    race.lanes[k].clas = 0;
  }
  const std::vector<std::string>& names = FeatureNames();
  std::vector<double> x(names.size());
  for (int venue : {0, 1, 17, 24}) {
    race.venue = venue;
    for (int lane = 1; lane <= 6; ++lane) {
      FeaturesOf(race, lane, x.data());
      const double gwin = race.lanes[static_cast<std::size_t>(lane - 1)].gwin - 5.0;
      for (std::size_t f = 0; f < names.size(); ++f) {
        const std::string& name = names[f];
        double expected = x[f];  // the main effects are another test's
        const int l = name.size() > 4 ? name[4] - '0' : 0;
        if (name.size() == 5 && name.compare(0, 4, "lane") == 0) expected = l == lane ? 1.0 : 0.0;
        if (name.compare(0, 4, "lane") == 0 && name.size() > 5 && name[5] == 'x')
          expected = l != lane ? 0.0 : name == std::string("lane") + name[4] + "xgwin" ? gwin
                                     : name.ends_with("xclassA1")                       ? 1.0
                                                                                        : x[f];
        if (name.compare(0, 5, "venue") == 0) {
          const int v = std::stoi(name.substr(5, 2)), vl = name.back() - '0';
          expected = v == venue && vl == lane ? 1.0 : 0.0;
        }
        EXPECT_EQ(x[f], expected) << name << ", lane " << lane << ", venue " << venue;
      }
    }
  }
}

TEST(DataModelFile, DamagedFilesAreRefusedWithTheirReason) {
  const std::string good = WriteDataModel(Awkward());
  const std::string body = Body(good);
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = body;
    text.replace(text.find(from), from.size(), to);
    return Signed(text);
  };
  const std::string firstWeight = "place1.lane2 ";
  const std::size_t firstLine = body.find(firstWeight);
  const std::string weightLine = body.substr(firstLine, body.find('\n', firstLine) + 1 - firstLine);
  struct Case {
    const char* what;
    std::string bytes;
    ModelFault kind;
    const char* name;
  } cases[] = {
      {"empty", "", ModelFault::NotModel, ""},
      {"another kind of file", "STARTB\r\n24BBGN\r\n", ModelFault::NotModel, ""},
      {"a later format", replaced("wakorin-data-model 1", "wakorin-data-model 2"), ModelFault::OtherFormat, "2"},
      {"cut before the end line", body, ModelFault::NoEndLine, ""},
      {"one digit changed", std::string(good).replace(good.find("0.8123"), 6, "0.9123"), ModelFault::Damaged, ""},
      {"line ends of another system", replaced("\nraces", "\r\nraces"), ModelFault::ControlByte, ""},
      {"bytes after the end", good + "x\n", ModelFault::BytesAfterEnd, ""},
      {"an unknown parameter", replaced(firstWeight, "place1.lane7 "), ModelFault::UnknownParameter, "place1.lane7"},
      {"a parameter missing", replaced(weightLine, ""), ModelFault::Missing, "place1.lane2"},
      {"a parameter twice", replaced(weightLine, weightLine + weightLine), ModelFault::Twice, "place1.lane2"},
      {"not a number", replaced(weightLine, "place1.lane2 abc\n"), ModelFault::NotFinite, "place1.lane2"},
      {"not finite", replaced(weightLine, "place1.lane2 nan\n"), ModelFault::NotFinite, "place1.lane2"},
      {"too large", replaced(weightLine, "place1.lane2 1e999\n"), ModelFault::NotFinite, "place1.lane2"},
      {"a NUL", replaced(weightLine, std::string("place1.lane2 1\0", 15) + "\n"), ModelFault::ControlByte, ""},
      {"races not a count", replaced("races 12345", "races -3"), ModelFault::RacesNotCount, ""},
  };
  for (const Case& c : cases) {
    const ModelRead read = ReadDataModel(c.bytes);
    EXPECT_FALSE(read.model) << c.what;
    EXPECT_EQ(read.fault.kind, c.kind) << c.what;
    EXPECT_EQ(read.fault.name, c.name) << c.what;
  }
  // Cut in the middle of a line, or anywhere, the file is refused, never misread.
  const ModelFault cut = ReadDataModel(good.substr(0, good.size() / 2)).fault.kind;
  EXPECT_TRUE(cut == ModelFault::NoLineEnd || cut == ModelFault::NoEndLine);
  // Cut anywhere, the file is refused, never misread.
  for (std::size_t size = 0; size < good.size(); size += 97) {
    EXPECT_FALSE(ReadDataModel(good.substr(0, size)).model) << size;
  }
}

}  // namespace
}  // namespace wakorin
