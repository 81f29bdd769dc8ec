#include "ui/season/SeasonCsv.h"

#include <iconv.h>

#include <cstdio>
#include <filesystem>

namespace wakorin {

// CP932 bytes as UTF-8 for the terminal and the CSV file.
std::string Cp932ToUtf8(const std::string& cp932) {
  iconv_t convert = iconv_open("UTF-8", "CP932");
  if (convert == reinterpret_cast<iconv_t>(-1)) return cp932;
  std::string out(cp932.size() * 3 + 4, '\0');
  char* in = const_cast<char*>(cp932.data());
  std::size_t inLeft = cp932.size();
  char* to = out.data();
  std::size_t outLeft = out.size();
  while (inLeft > 0) {
    if (iconv(convert, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
      ++in;  // a malformed byte is left out; the rest still shows
      --inLeft;
    }
  }
  iconv_close(convert);
  out.resize(out.size() - outLeft);
  return out;
}

namespace {

const PerBet<const char*> kCsvNames{{"quinella", "exacta", "trio", "trifecta"}};

}  // namespace

// Per race and bet type: the result, then what the tickets staked, were paid and were paid back
// in yen, whether the bet type was skipped, and in the data mode the model's chance of what won,
// so that every figure of the summary can be worked again from the file alone.
void WriteSeasonCsvHeader(std::ostream& out, bool dataMode) {
  out << "file,venue,race,predicted";
  for (BetType bet : kBetTypes) {
    const std::string n = kCsvNames[bet];
    out << ',' << n << "_result," << n << "_payout," << n << "_hit_ticket";
  }
  for (BetType bet : kBetTypes) {
    const std::string n = kCsvNames[bet];
    out << ',' << n << "_stake," << n << "_paid," << n << "_refund," << n << "_skipped";
    if (dataMode) out << ',' << n << "_chance";
  }
  out << '\n';
}

void WriteSeasonCsv(std::ostream& out, const SeasonDay& day, bool dataMode) {
  // From the values of each cell: the combination (or the word the result file writes instead
  // of one), its payout and the ticket that hit it; a damaged cell as the file writes it.
  auto cell = [&](const BetMatch& shown) {
    std::string combination, yen;
    switch (shown.result) {
      case BetMatch::Result::Paid:
        combination = CombinationAsWritten(shown.won.combination);
        yen = std::to_string(shown.won.yen);
        break;
      case BetMatch::Result::Unreadable:
        combination = Cp932ToUtf8(shown.writtenCombination);
        yen = Cp932ToUtf8(shown.writtenPayout);
        yen.erase(0, yen.find_first_not_of(' '));
        break;
      case BetMatch::Result::Cancelled: combination = "中　止"; break;
      case BetMatch::Result::Void: combination = "不成立"; break;
      case BetMatch::Result::Special:
        combination = "特払い";
        if (shown.refund > 0) yen = std::to_string(shown.refund);
        break;
      case BetMatch::Result::NotShown:
      case BetMatch::Result::NoResult: break;
    }
    out << ',' << combination << ',' << yen << ','
        << (shown.ticket > 0 ? std::to_string(shown.ticket) : std::string());
  };
  if (!day.check) return;
  const std::string name = std::filesystem::path(day.file).filename().string();
  for (const VenueCheck& venue : day.check->venues) {
    for (std::size_t r = 0; r < venue.races.size(); ++r) {
      const RaceCheck& race = venue.races[r];
      out << name << ',' << venue.code << ',' << race.race << ',' << (race.predicted ? 1 : 0);
      // A venue's races stand in the rows of the grid in order, the first race first.
      for (BetType bet : kBetTypes) cell(r < venue.rows.size() ? venue.rows[r].bets[bet] : BetMatch{});
      for (BetType bet : kBetTypes) {
        const BetTally& t = race.tally[bet];
        out << ',' << t.stake << ',' << t.payout << ',' << t.refund << ',' << t.skipped;
        if (!dataMode) continue;
        out << ',';
        if (race.outcomeChance[bet] >= 0) {
          char chance[32];
          std::snprintf(chance, sizeof chance, "%.6g", race.outcomeChance[bet]);
          out << chance;
        }
      }
      out << '\n';
    }
  }
}

}  // namespace wakorin
