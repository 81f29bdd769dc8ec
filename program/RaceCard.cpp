#include "program/RaceCard.h"

#include "base/ByteField.h"
#include "program/VenueBlockScan.h"
#include "program/VenueTable.h"

namespace wakorin {
namespace {

constexpr std::size_t kMeetingNameOffset = 127;
constexpr std::size_t kDayLineOffset = 191;
constexpr std::size_t kDayLineLength = 80;
constexpr std::size_t kTitleLineOffset = 346;
constexpr std::size_t kTitleLineLength = 71;
constexpr std::size_t kRacerLineOffset = 743;
constexpr std::size_t kRacerLineStep = 81;
constexpr std::size_t kRacerLineLength = 79;

// A line is taken first and cut at its own NUL, then the fields come out of what is left.
std::string_view TakeLine(std::string_view block, std::size_t offset, std::size_t length) {
  return CutField(block, offset, length);
}

std::string Columns(std::string_view line, std::size_t first, std::size_t last) {
  return std::string(CutColumns(line, first, last));
}

}  // namespace

std::string SaleTextFor(std::string_view venueName) {
  std::string code = GetCorseNo(venueName);
  return IsVenueCode(code) ? std::string(kSaleAll) : std::string();
}

TRaceCard ReadRaceCard(std::string_view block, int race, std::string_view venueName,
                       BlockLayout layout) {
  TRaceCard card;
  // Today's venue line is longer: the meeting name and the day line move by 4 bytes (the day
  // line is a byte shorter) and every race record by 3.
  const bool current = layout == BlockLayout::Current;
  const std::size_t headerShift = current ? 4 : 0;
  const std::size_t recordShift =
      kRaceRecordSize * static_cast<std::size_t>(race - 1) + (current ? 3 : 0);

  card.DName =
      std::string(TrimControlAndBlanks(TakeLine(block, kMeetingNameOffset + headerShift, 60)));
  std::string_view dayLine =
      TakeLine(block, kDayLineOffset + headerShift, kDayLineLength - (current ? 1 : 0));
  card.Count = Columns(dayLine, 4, 11);
  card.DDate = Columns(dayLine, 22, 43);

  std::string_view title = TakeLine(block, kTitleLineOffset + recordShift, kTitleLineLength);
  card.RName = Columns(title, 9, 20);
  card.RLeng = Columns(title, 31, 42);
  card.RTime = Columns(title, 61, 70);
  // Only the mark's own columns count: a race name may read 進入固定 too.
  card.FixedEntry = CutColumns(title, 22, 29) == kFixedEntryMark;
  card.RChkt = SaleTextFor(venueName);

  // Today's 2-place rates take six columns ("100.00"), each eating the blank that follows a
  // classic five-column rate.
  const std::size_t rateWidth = current ? 6 : 5;
  for (std::size_t k = 0; k < 6; ++k) {
    std::string_view line =
        TakeLine(block, kRacerLineOffset + recordShift + kRacerLineStep * k, kRacerLineLength);
    TRacerEntry& racer = card.Racers[k];
    racer.RacerNo = Columns(line, 3, 6);
    racer.Name = Columns(line, 7, 14);
    racer.Old = Columns(line, 15, 16);
    racer.Syusin = Columns(line, 17, 20);
    racer.Wght = Columns(line, 21, 22);
    racer.Clas = Columns(line, 23, 24);
    racer.GWin = Columns(line, 25, 29);
    racer.GWSd = Columns(line, 30, 29 + rateWidth);
    racer.RWin = Columns(line, 36, 40);
    racer.RWSd = Columns(line, 41, 40 + rateWidth);
    racer.MtNo = Columns(line, 47, 49);
    racer.MtWn = Columns(line, 50, 49 + rateWidth);
    racer.BtNo = Columns(line, 56, 58);
    racer.BtWn = Columns(line, 59, 58 + rateWidth);
    for (std::size_t j = 0; j < 6; ++j) racer.Kekka[j] = Columns(line, 66 + 2 * j, 67 + 2 * j);
  }
  return card;
}

}  // namespace wakorin
