#pragma once

// Where every field of a race program file (B*.TXT) stands. Offsets within a block are 0-based
// bytes from its first byte; columns within a line are 1-based, as the file's lines are read.

#include <cstddef>

namespace wakorin {

// The two eras of a venue block, named after their venue line: the older 「大村競艇場」 and
// today's 「ボートレース大村」, whose header is 3 bytes longer (so every race record moves by 3,
// the meeting name and day line by 4) and whose two-place rates take six columns ("100.00").
// Each block tells which it is by where its end line stands.
enum class BlockLayout { KyoteijoVenueLine, BoatRaceVenueLine };

namespace program_layout {

inline constexpr std::size_t kStartLineStep = 8;  // "STARTB" is looked for in 8-byte steps
inline constexpr std::size_t kBlockBufferSize = 10972;  // a 12-race block of the older era
inline constexpr std::size_t kRaceRecordSize = 885;
inline constexpr std::size_t kEndLineOffset = 10964;  // where a 12-race block's end line starts
inline constexpr std::size_t kEndLineSize = 8;        // code, "BEND", CR LF
inline constexpr std::size_t kBoatRaceHeaderShift = 3;
// Today's stand-in block for a venue whose data is not yet published ends before any race.
inline constexpr std::size_t kPlaceholderSearch = 344;

// The meeting header, at its older-era offsets.
inline constexpr std::size_t kMeetingNameOffset = 127;
inline constexpr std::size_t kMeetingNameLength = 60;
inline constexpr std::size_t kDayLineOffset = 191;
inline constexpr std::size_t kDayLineLength = 80;
// Race r's title line and racer lines, at these offsets plus (r - 1) race records.
inline constexpr std::size_t kTitleLineOffset = 346;
inline constexpr std::size_t kTitleLineLength = 71;
inline constexpr std::size_t kRacerLineOffset = 743;
inline constexpr std::size_t kRacerLineStep = 81;
inline constexpr std::size_t kRacerLineLength = 79;

struct Columns {
  std::size_t first, last;
};

// The day line and the title line.
inline constexpr Columns kCount{4, 11}, kDate{22, 43};
inline constexpr Columns kRaceName{9, 20}, kFixedEntry{22, 29}, kDistance{31, 42},
    kDeadline{61, 70};

// What moves between the eras.
struct Era {
  std::size_t headerShift;  // meeting name and day line
  std::size_t dayLineLength;
  std::size_t recordShift;  // every race record
  std::size_t rateWidth;    // two-place rates: "54.1" in five columns, "100.00" in six
};
inline constexpr Era kKyoteijoEra{0, kDayLineLength, 0, 5};
inline constexpr Era kBoatRaceEra{kBoatRaceHeaderShift + 1, kDayLineLength - 1,
                                  kBoatRaceHeaderShift, 6};
constexpr const Era& EraOf(BlockLayout layout) {
  return layout == BlockLayout::BoatRaceVenueLine ? kBoatRaceEra : kKyoteijoEra;
}

// A racer line. A two-place rate starts at its column and is `rateWidth` wide, each six-column
// rate taking the blank that follows a five-column one.
inline constexpr Columns kRacerNo{3, 6}, kName{7, 14}, kAge{15, 16}, kHome{17, 20},
    kWeight{21, 22}, kClass{23, 24}, kNationalWin{25, 29}, kLocalWin{36, 40}, kMotorNo{47, 49},
    kBoatNo{56, 58};
inline constexpr std::size_t kNationalTwoPlace = 30, kLocalTwoPlace = 41, kMotorTwoPlace = 50,
                             kBoatTwoPlace = 59;
inline constexpr std::size_t kMeetingResults = 66;  // six slots of two columns

}  // namespace program_layout
}  // namespace wakorin
