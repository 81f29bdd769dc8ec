#include "program/RaceCard.h"

#include "base/ByteField.h"
#include "program/ProgramFileLayout.h"
#include "program/VenueBlockScan.h"
#include "program/VenueTable.h"

namespace wakorin {
namespace {

namespace pl = program_layout;

// A line is taken first and cut at its own NUL, then the fields come out of what is left.
std::string_view TakeLine(std::string_view block, std::size_t offset, std::size_t length) {
  return CutField(block, offset, length);
}

// Columns first..last of a line TakeLine gave: it holds no NUL, so a field is only cut short
// where the line ends.
std::string_view Column(std::string_view line, std::size_t first, std::size_t last) {
  return first > line.size() ? std::string_view() : line.substr(first - 1, last - first + 1);
}

std::string Cut(std::string_view line, pl::Columns columns) {
  return std::string(Column(line, columns.first, columns.last));
}

// A two-place rate starting at `first`, as wide as the block's era writes it.
std::string_view RateField(std::string_view line, std::size_t first, const pl::Era& era) {
  return Column(line, first, first + era.rateWidth - 1);
}

// Copied into the card's own string: a season's check cuts some four million fields, each a
// few bytes, and a string made first and then moved would copy each twice.
void Put(std::string& field, std::string_view bytes) { field.assign(bytes.data(), bytes.size()); }
void Put(std::string& field, std::string_view line, pl::Columns columns) {
  Put(field, Column(line, columns.first, columns.last));
}

}  // namespace

TicketSale SaleAt(std::string_view venueName) {
  return IsVenueCode(VenueCodeOfName(venueName)) ? TicketSale::All : TicketSale::None;
}

namespace {

// The same for the cards of one venue after another: a venue's twelve cards ask for its name's
// tickets once.
TicketSale SaleOfCards(std::string_view venueName) {
  thread_local std::string name;
  thread_local TicketSale sale = SaleAt({});
  if (venueName != name) {
    sale = SaleAt(venueName);
    name = venueName;
  }
  return sale;
}

}  // namespace

TRaceCard ReadRaceCard(std::string_view block, int race, std::string_view venueName,
                       BlockLayout layout, CardFields fields) {
  TRaceCard card;
  const pl::Era& era = pl::EraOf(layout);
  const std::size_t record =
      pl::kRaceRecordSize * static_cast<std::size_t>(race - 1) + era.recordShift;

  const bool all = fields == CardFields::All;
  if (all) {
    card.DName = std::string(TrimControlAndBlanks(TakeLine(
        block, pl::kMeetingNameOffset + era.headerShift, pl::kMeetingNameLength)));
    std::string_view dayLine =
        TakeLine(block, pl::kDayLineOffset + era.headerShift, era.dayLineLength);
    card.Count = Cut(dayLine, pl::kCount);
    card.DDate = Cut(dayLine, pl::kDate);
  }

  std::string_view title =
      TakeLine(block, pl::kTitleLineOffset + record, pl::kTitleLineLength);
  if (all) {
    card.RName = Cut(title, pl::kRaceName);
    card.RLeng = Cut(title, pl::kDistance);
    card.RTime = Cut(title, pl::kDeadline);
  }
  // Only the mark's own columns count: a race name may read 進入固定 too.
  card.FixedEntry = Column(title, pl::kFixedEntry.first, pl::kFixedEntry.last) == kFixedEntryMark;
  card.Sale = SaleOfCards(venueName);

  for (std::size_t k = 0; k < 6; ++k) {
    std::string_view line = TakeLine(
        block, pl::kRacerLineOffset + record + pl::kRacerLineStep * k,
        pl::kRacerLineLength);
    TRacerEntry& racer = card.Racers[k];
    Put(racer.RacerNo, line, pl::kRacerNo);
    if (all) {
      Put(racer.Name, line, pl::kName);
      Put(racer.Syusin, line, pl::kHome);
      Put(racer.MtNo, line, pl::kMotorNo);
      Put(racer.BtNo, line, pl::kBoatNo);
    }
    Put(racer.Old, line, pl::kAge);
    Put(racer.Wght, line, pl::kWeight);
    Put(racer.Clas, line, pl::kClass);
    Put(racer.GWin, line, pl::kNationalWin);
    Put(racer.GWSd, RateField(line, pl::kNationalTwoPlace, era));
    Put(racer.RWin, line, pl::kLocalWin);
    Put(racer.RWSd, RateField(line, pl::kLocalTwoPlace, era));
    Put(racer.MtWn, RateField(line, pl::kMotorTwoPlace, era));
    Put(racer.BtWn, RateField(line, pl::kBoatTwoPlace, era));
    for (std::size_t j = 0; j < 6; ++j) {
      const std::size_t slot = pl::kMeetingResults + 2 * j;
      Put(racer.MeetingResults[j], line, {slot, slot + 1});
    }
  }
  return card;
}

CardNumbers NumbersOf(const TRaceCard& card) {
  CardNumbers numbers;
  for (std::size_t lane = 0; lane < 6; ++lane) {
    numbers.racers[lane] = card.Racers[lane].RacerNo;
    numbers.motors[lane] = card.Racers[lane].MtNo;
    numbers.boats[lane] = card.Racers[lane].BtNo;
  }
  numbers.fixedEntry = card.FixedEntry;
  return numbers;
}

CardNumbers ReadCardNumbers(std::string_view block, int race, BlockLayout layout) {
  CardNumbers numbers;
  const pl::Era& era = pl::EraOf(layout);
  const std::size_t record =
      pl::kRaceRecordSize * static_cast<std::size_t>(race - 1) + era.recordShift;
  std::string_view title = TakeLine(block, pl::kTitleLineOffset + record, pl::kTitleLineLength);
  numbers.fixedEntry = Column(title, pl::kFixedEntry.first, pl::kFixedEntry.last) == kFixedEntryMark;
  for (std::size_t k = 0; k < 6; ++k) {
    std::string_view line = TakeLine(
        block, pl::kRacerLineOffset + record + pl::kRacerLineStep * k, pl::kRacerLineLength);
    Put(numbers.racers[k], line, pl::kRacerNo);
    Put(numbers.motors[k], line, pl::kMotorNo);
    Put(numbers.boats[k], line, pl::kBoatNo);
  }
  return numbers;
}

}  // namespace wakorin
