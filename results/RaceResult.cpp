#include "results/RaceResult.h"

#include "base/ByteField.h"

namespace wakorin {
namespace {

// Columns of a finishing table row and of its heading line, 0-based.
constexpr std::size_t kName = 13, kNameWidth = 16, kMotor = 29, kBoat = 34, kExhibition = 38,
                      kStartText = 49, kRaceTime = 59, kTechnique = 66;
constexpr std::string_view kWind = "\x95\x97";          // 風
constexpr std::string_view kWave = "\x94\x67";          // 波
constexpr std::string_view kWideBlank = "\x81\x40";     // 　
constexpr std::string_view kCancelled = "\x92\x86\x81\x40\x8e\x7e";  // 中　止

// A line of the summary table at the block's top that says a race was not held
// ("          9R  中　止"): its race number, or 0.
int CancelledInSummary(std::string_view line) {
  line = TrimControlAndBlanks(line);
  std::size_t digits = 0;
  while (digits < line.size() && digits < 3 && line[digits] >= '0' && line[digits] <= '9') ++digits;
  if (digits == 0 || digits > 2 || digits >= line.size() || line[digits] != 'R') return 0;
  if (TrimControlAndBlanks(line.substr(digits + 1)) != kCancelled) return 0;
  const int race = digits == 1 ? line[0] - '0' : (line[0] - '0') * 10 + (line[1] - '0');
  return race >= 1 && race <= 12 ? race : 0;
}

std::string Field(std::string_view line, std::size_t offset, std::size_t width) {
  std::string_view field = TrimControlAndBlanks(CutField(line, offset, width));
  while (field.size() >= 2 && field.substr(field.size() - 2) == kWideBlank) {
    field = TrimControlAndBlanks(field.substr(0, field.size() - 2));
  }
  return std::string(field);
}

std::vector<std::pair<std::size_t, std::string_view>> Tokens(std::string_view line) {
  std::vector<std::pair<std::size_t, std::string_view>> tokens;
  for (std::size_t at = 0; at < line.size();) {
    while (at < line.size() && line[at] == ' ') ++at;
    const std::size_t start = at;
    while (at < line.size() && line[at] != ' ') ++at;
    if (at > start) tokens.emplace_back(start, line.substr(start, at - start));
  }
  return tokens;
}

// "5m", "12cm": digits and the unit, as a wind speed or a wave height is written.
bool IsMeasure(std::string_view word, std::string_view unit) {
  if (word.size() <= unit.size() || word.substr(word.size() - unit.size()) != unit) return false;
  for (char c : word.substr(0, word.size() - unit.size())) {
    if ((c < '0' || c > '9') && c != '.') return false;
  }
  return true;
}

// "   1R       予選　　　　     H1800m  曇り  風  南西　 5m  波　  4cm": the race name runs up to
// the distance, the conditions follow it as words, each looked for by its label so that a
// missing one leaves its field empty rather than shifting the others.
void ReadHeading(std::string_view line, RaceResult& race) {
  const auto tokens = Tokens(line);
  std::size_t distance = 0;
  for (std::size_t i = 1; i < tokens.size(); ++i) {
    const std::string_view t = tokens[i].second;
    if (t.size() >= 3 && t.front() == 'H' && t.back() == 'm') {
      distance = i;
      break;
    }
  }
  if (distance == 0) {
    race.raceName = Field(line, 5, line.size());
    return;
  }
  race.raceName = Field(line, 5, tokens[distance].first - 5);
  race.distance = std::string(tokens[distance].second);
  auto word = [&](std::size_t i) {
    return i < tokens.size() ? Field(tokens[i].second, 0, tokens[i].second.size()) : std::string();
  };
  std::size_t i = distance + 1;
  if (i < tokens.size() && word(i) != kWind) race.weather = word(i++);
  if (i < tokens.size() && word(i) == kWind) {
    ++i;
    if (i < tokens.size() && word(i) != kWave && !IsMeasure(word(i), "m")) {
      race.windDirection = word(i++);
    }
    if (i < tokens.size() && IsMeasure(word(i), "m")) race.wind = word(i++);
  }
  if (i < tokens.size() && word(i) == kWave && i + 1 < tokens.size() && IsMeasure(word(i + 1), "cm")) {
    race.wave = word(i + 1);
  }
}

}  // namespace

std::vector<RaceResult> ReadRaceResults(std::string_view block) {
  std::vector<RaceResult> races;
  std::vector<int> cancelled;
  bool inTable = false;
  for (std::size_t at = 0; at < block.size();) {
    std::size_t eol = block.find('\n', at);
    if (eol == std::string_view::npos) eol = block.size();
    std::string_view line = block.substr(at, eol - at);
    at = eol + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (const int number = RaceOfHeading(line)) {
      RaceResult race;
      race.race = number;
      ReadHeading(line, race);
      races.push_back(std::move(race));
      inTable = false;
      continue;
    }
    if (races.empty()) {
      if (const int number = CancelledInSummary(line)) cancelled.push_back(number);
      continue;
    }
    RaceResult& race = races.back();
    if (line.size() >= 10 && line.substr(0, 10) == "----------") {
      inTable = true;
      continue;
    }
    if (!inTable) {
      // The column heading just above the rule ends with the winning technique.
      if (race.boats.empty() && line.size() > kTechnique && race.technique.empty() &&
          line.find(kWideBlank) != std::string_view::npos) {
        race.technique = Field(line, kTechnique, line.size());
      }
      continue;
    }
    FinishLine row;
    if (race.boats.size() < 6 && ReadFinisher(line, row.boat)) {
      row.name = Field(line, kName, kNameWidth);
      row.motor = Field(line, kMotor, kBoat - kMotor);
      row.boatNo = Field(line, kBoat, kExhibition - kBoat);
      row.exhibition = Field(line, kExhibition, 43 - kExhibition);
      row.start = Field(line, kStartText, kRaceTime - kStartText);
      row.raceTime = Field(line, kRaceTime, line.size());
      // A boat that did not finish has a time of dots only.
      if (row.raceTime.find_first_of("0123456789") == std::string::npos) row.raceTime.clear();
      race.boats.push_back(std::move(row));
    } else {
      inTable = false;
    }
  }
  // Each race's payouts, read where the same block lists them.
  for (RacePayouts& payouts : ReadRacePayouts(block)) {
    for (RaceResult& race : races) {
      if (race.race == payouts.race && race.payouts.race == 0) {
        race.payouts = std::move(payouts);
        break;
      }
    }
  }
  for (int number : cancelled) {
    bool listed = false;
    for (const RaceResult& race : races) listed = listed || race.race == number;
    if (!listed) {
      RaceResult race;
      race.race = number;
      race.cancelled = true;
      races.push_back(std::move(race));
    }
  }
  return races;
}

}  // namespace wakorin
