#pragma once

#include <array>
#include <string>
#include <string_view>

#include "program/TicketSale.h"
#include "program/VenueBlockScan.h"

namespace wakorin {

// One lane of the race card; every field holds the file's CP932 bytes as found, blanks kept.
struct TRacerEntry {
  std::string RacerNo;  // key into the racer statistics file; shown as the name's tooltip
  std::string Name;
  std::string Old;
  std::string Syusin;
  std::string Wght;
  std::string Clas;
  std::string GWin;
  std::string GWSd;  // the 2-place rates are 5 bytes in classic files, 6 in today's ("100.00")
  std::string RWin;
  std::string RWSd;
  std::string MtNo;
  std::string MtWn;
  std::string BtNo;
  std::string BtWn;
  std::array<std::string, 6> MeetingResults;  // results so far in the meeting, slots 1..6
};

// The race card of one race: meeting header, race header, tickets on sale and six lanes.
struct TRaceCard {
  std::string Count;
  std::string DDate;
  std::string DName;  // the only trimmed field
  std::string RName;
  std::string RLeng;
  std::string RTime;
  TicketSale Sale = TicketSale::None;  // the tickets on sale, the venue's
  bool FixedEntry = false;            // 進入固定: by rule, lane n starts from course n
  std::array<TRacerEntry, 6> Racers;  // index lane - 1

  const TRacerEntry& Lane(int lane) const { return Racers[static_cast<std::size_t>(lane - 1)]; }
};

// The title line's mark of a race whose course entry is fixed: "進入固定" in columns 22..29.
inline constexpr std::string_view kFixedEntryMark = "\x90\x69\x93\xfc\x8c\xc5\x92\xe8";

// Tickets on sale at a venue, by its six-byte name; none for a name not in the venue table.
TicketSale SaleAt(std::string_view venueName);

// What of a card is cut: every field, or only what the data mode's figures read (each racer's
// number, class, rates, age, weight, motor and boat rates and meeting results, the tickets on
// sale): the names, the meeting and race headers and the equipment numbers stay empty.
enum class CardFields { All, Figures };

// Cuts race `race` (1-based) out of the bytes read from the start of a venue block. Fields
// past the bytes given are cut short, so a short or damaged block yields short fields.
TRaceCard ReadRaceCard(std::string_view block, int race, std::string_view venueName,
                       BlockLayout layout = BlockLayout::KyoteijoVenueLine,
                       CardFields fields = CardFields::All);

// What a prediction takes from the race card: each lane's racer, motor and boat number texts,
// and whether the race's course entry is fixed.
struct CardNumbers {
  std::array<std::string, 6> racers, motors, boats;
  bool fixedEntry = false;
};
CardNumbers NumbersOf(const TRaceCard& card);

// Only what the standard prediction reads of a card, cut straight from the block: every field
// is the field ReadRaceCard gives. The check of a season reads some forty thousand cards, and
// the other hundred strings of each are not asked for there.
CardNumbers ReadCardNumbers(std::string_view block, int race, BlockLayout layout);

}  // namespace wakorin
