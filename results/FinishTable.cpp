#include "results/FinishTable.h"

#include "base/ByteField.h"
#include "base/FindBytes.h"
#include "results/ResultFileLayout.h"

namespace wakorin {
namespace {

// Columns of a finishing table row, 0-based.
constexpr std::size_t kPlace = 2, kLane = 6, kRacerNo = 8, kCourse = 46, kStart = 50;

bool Digit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int RaceOfHeading(std::string_view line) {
  if (line.size() < 5 || line[4] != 'R') return 0;
  const std::string_view number = TrimControlAndBlanks(line.substr(0, 4));
  if (number.empty() || number.size() > 2) return 0;
  int race = 0;
  for (char c : number) {
    if (!Digit(c)) return 0;
    race = race * 10 + (c - '0');
  }
  return race >= 1 && race <= 12 ? race : 0;
}

namespace {

// "0.11", "F0.01", "L ." -> seconds, or false.
bool ReadStart(std::string_view text, double& seconds) {
  text = TrimControlAndBlanks(text);
  bool flying = false;
  if (!text.empty() && text[0] == 'F') {
    flying = true;
    text.remove_prefix(1);
  }
  if (text.size() != 4 || !Digit(text[0]) || text[1] != '.' || !Digit(text[2]) || !Digit(text[3]))
    return false;
  seconds = (text[0] - '0') + (text[2] - '0') / 10.0 + (text[3] - '0') / 100.0;
  if (flying) seconds = -seconds;
  return true;
}

}  // namespace

bool ReadFinisher(std::string_view line, Finisher& boat) {
  if (line.size() < kRacerNo + 4 || line[0] != ' ' || line[1] != ' ') return false;
  const char lane = line[kLane];
  if (lane < '1' || lane > '6') return false;
  boat.lane = lane - '0';
  boat.racerNo = std::string(CutField(line, kRacerNo, 4));
  boat.place = std::string(TrimControlAndBlanks(CutField(line, kPlace, 2)));
  if (boat.place.empty()) return false;
  if (boat.place.size() == 2 && boat.place[0] == '0' && boat.place[1] >= '1' && boat.place[1] <= '6')
    boat.placeNo = boat.place[1] - '0';
  const std::string_view course = CutField(line, kCourse, 1);
  if (course.size() == 1 && course[0] >= '1' && course[0] <= '6') boat.course = course[0] - '0';
  boat.timed = ReadStart(CutField(line, kStart, 5), boat.start);
  return true;
}

bool Finisher::Refunded() const {
  return !place.empty() && (place[0] == 'F' || place[0] == 'L' || place[0] == 'K');
}

int RaceFinish::LaneAt(int place) const {
  int lane = 0;
  for (const Finisher& boat : boats) {
    if (boat.placeNo != place) continue;
    if (lane != 0) return 0;  // shared: no single boat holds the place
    lane = boat.lane;
  }
  return lane;
}

std::string_view VenueResultBlock(std::string_view fileBytes, std::string_view venueCode) {
  const std::string key = std::string(venueCode).append(result_layout::kKeyTail);
  std::size_t start = 0;
  for (start = fileBytes.find(key); start != std::string_view::npos;
       start = fileBytes.find(key, start + 1)) {
    if (start == 0 || fileBytes[start - 1] == '\n') break;  // a key stands at a line's start
  }
  if (start == std::string_view::npos || venueCode.size() != 2) return {};
  return ResultBlockAt(fileBytes, start).Body();
}

namespace {

// Walks the finishing tables of a venue's block: heading(race) at each race heading, then
// row(line) for each line of its table, which answers whether the line was one of its rows.
template <typename Heading, typename Row>
void WalkFinishTables(std::string_view block, Heading&& heading, Row&& row) {
  bool inTable = false, anyRace = false;
  std::size_t at = 0;
  while (at < block.size()) {
    std::size_t eol = block.find('\n', at);
    if (eol == std::string_view::npos) eol = block.size();
    std::string_view line = block.substr(at, eol - at);
    at = eol + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (const int race = RaceOfHeading(line)) {
      heading(race);
      anyRace = true;
      inTable = false;
      continue;
    }
    if (!anyRace) continue;
    if (line.size() >= 10 && line.substr(0, 10) == "----------") {
      inTable = true;
      continue;
    }
    if (!inTable) continue;
    inTable = row(line);  // the blank line after the table, or anything else, ends it
  }
}

}  // namespace

std::vector<RaceFinish> ReadFinishTables(std::string_view fileBytes, std::string_view venueCode) {
  std::vector<RaceFinish> races;
  WalkFinishTables(
      VenueResultBlock(fileBytes, venueCode), [&](int race) { races.push_back(RaceFinish{race, {}}); },
      [&](std::string_view line) {
        Finisher boat;
        if (races.back().boats.size() < 6 && ReadFinisher(line, boat)) {
          races.back().boats.push_back(std::move(boat));
          return true;
        }
        return false;
      });
  return races;
}

void ForEachFinisher(std::string_view fileBytes, std::string_view venueCode,
                     const std::function<void(int race, const Finisher&)>& take) {
  int race = 0;
  std::size_t boats = 0;
  WalkFinishTables(
      VenueResultBlock(fileBytes, venueCode),
      [&](int heading) {
        race = heading;
        boats = 0;
      },
      [&](std::string_view line) {
        Finisher boat;
        if (boats < 6 && ReadFinisher(line, boat)) {
          ++boats;
          take(race, boat);
          return true;
        }
        return false;
      });
}

namespace {

std::array<unsigned, 12> RefundedLanesIn(std::string_view body) {
  std::array<unsigned, 12> refunded{};
  std::size_t race = 0, boats = 0;
  WalkFinishTables(
      body,
      [&](int heading) {
        race = static_cast<std::size_t>(heading - 1);
        boats = 0;
      },
      [&](std::string_view line) {
        // The rows ReadFinisher takes, without cutting what is not asked for here.
        if (boats >= 6 || line.size() < kRacerNo + 4 || line[0] != ' ' || line[1] != ' ') return false;
        const char lane = line[kLane];
        if (lane < '1' || lane > '6') return false;
        const std::string_view place = TrimControlAndBlanks(CutField(line, kPlace, 2));
        if (place.empty()) return false;
        ++boats;
        if (place[0] == 'F' || place[0] == 'L' || place[0] == 'K') refunded[race] |= 1u << (lane - '0');
        return true;
      });
  return refunded;
}

}  // namespace

std::array<unsigned, 12> RefundedLanes(std::string_view fileBytes, std::string_view venueCode) {
  return RefundedLanesIn(VenueResultBlock(fileBytes, venueCode));
}

std::array<unsigned, 12> RefundedLanes(const ResultBlock& block) { return RefundedLanesIn(block.Body()); }

}  // namespace wakorin
