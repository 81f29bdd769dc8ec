#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/Cp932.h"

namespace wakorin::testsupport {

// Builders for the race program file (B*.TXT). Every field is raw CP932 bytes: a shorter value
// is padded on the right with ASCII blanks, a longer one throws std::invalid_argument.

// One lane of a race card; widths in bytes.
struct RacerLine {
  std::string racerNo = "3915";                                     // 4
  std::string name = Sjis("吉田　光");                              // 8
  std::string old = "41";                                           // 2, age
  std::string syusin = Sjis("佐賀");                                // 4, home
  std::string wght = "51";                                          // 2
  std::string clas = "B1";                                          // 2
  std::string gwin = " 5.19";                                       // 5, national win rate
  std::string gwsd = "36.07";                                       // 5, national 2-place rate
  std::string rwin = " 5.00";                                       // 5, local win rate
  std::string rwsd = "30.43";                                       // 5, local 2-place rate
  std::string mtno = " 29";                                         // 3, motor number
  std::string mtwn = "30.16";                                       // 5, motor 2-place rate
  std::string btno = " 76";                                         // 3, boat number
  std::string btwn = "28.57";                                       // 5, boat 2-place rate
  std::array<std::string, 6> kekka = {" 4", " 2", "", "", "", ""};  // 2 each, meeting results
};

// Six plausible, distinct racers for a default race.
std::array<RacerLine, 6> DefaultRacers();

struct RaceRecord {
  std::string rname = Sjis("予選　　　　");  // 12, race name
  std::string rleng = Sjis("Ｈ１８００ｍ");  // 12, distance
  std::string rtime = Sjis("１５：２０");    // 10, betting deadline
  bool fixedEntry = false;                   // "進入固定" between race name and distance
  std::array<RacerLine, 6> racers = DefaultRacers();
};

// The classic layout, or today's: a venue line reading ボートレース○○ makes the header 3 bytes
// longer (meeting name at 131, a 79-byte day line at 195, race 1 at 347), and the racer line
// gives each 2-place rate six columns.
enum class ProgramLayout { Classic, Current };

// The meeting name as it stands in its 60-byte field: ten ASCII blanks, the name, then
// full-width blanks. Throws std::invalid_argument when the name is longer than 60 bytes.
std::string CentredMeetingName(std::string_view sjisName);

struct VenueBlockSpec {
  std::string code = "01";  // 2, written as given
  std::string venueName;    // 6; empty: the name belonging to `code` (three full-width blanks
                            // for a code outside 01..24). Only the informational lines use it.
  std::string meetingName = CentredMeetingName(Sjis("新緑カップ競走"));  // 60
  std::string count = Sjis("第　３日");                                  // 8, day of meeting
  std::string ddate = Sjis("２００６年　４月１５日");                    // 22, date
  std::vector<RaceRecord> races = std::vector<RaceRecord>(12);           // 11 or 12 normally
  ProgramLayout layout = ProgramLayout::Classic;
};

inline constexpr std::size_t kRacerLineWidth = 79;
inline constexpr std::size_t kVenueHeaderEnd = 344;  // block offset of race 1
inline constexpr std::size_t kRaceRecordSize = 885;
inline constexpr std::size_t kTitleLineOffset = 2;    // within a race record
inline constexpr std::size_t kFirstLaneOffset = 399;  // within a race record
inline constexpr std::size_t kLaneLineStride = 81;

// Block size for `races` races: 352 + 885 × races.
inline constexpr std::size_t kCurrentHeaderEnd = 347;
inline constexpr std::size_t kPlaceholderBlockSize = 96;

constexpr std::size_t VenueBlockSize(std::size_t races,
                                     ProgramLayout layout = ProgramLayout::Classic) {
  return (layout == ProgramLayout::Classic ? kVenueHeaderEnd : kCurrentHeaderEnd) +
         kRaceRecordSize * races + 8;
}

// The racer line of `lane` (0..9): 79 bytes, no CR LF. In today's layout each 2-place rate is
// right-aligned in six columns with no blank after it (" 36.07", "100.00"), and a blank stands
// before the meeting results.
std::string BuildRacerLine(const RacerLine& racer, int lane,
                           ProgramLayout layout = ProgramLayout::Classic);

// Code + "BBGN", the venue header, every race record and code + "BEND": 352 + 885 × races bytes.
// Throws std::invalid_argument for more than 99 races.
std::string BuildVenueBlock(const VenueBlockSpec& plan);

// Today's stand-in for a venue whose data is not yet published: 96 bytes, no races.
std::string BuildPlaceholderBlock(const std::string& code);

// before + "STARTB" CR LF + the blocks + after.
std::string BuildProgramFile(const std::vector<VenueBlockSpec>& venues,
                             std::string_view before = "", std::string_view after = "FINALB\r\n");

// A filled, plausible venue block: a meeting in progress with its own racers, motors and boats,
// each racer in one or two races. Deterministic for a given seed.
VenueBlockSpec SampleVenue(std::string code, int races, unsigned seed);

}  // namespace wakorin::testsupport
