#include "tests/support/ResultFileBuilder.h"

#include <stdexcept>

#include "tests/support/FixedText.h"
#include "tests/support/SampleData.h"

namespace wakorin::testsupport {
namespace {

constexpr std::size_t kRaceRows = 12;
constexpr std::size_t kPayoutRowWidth = 75;

void AppendLine(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

std::string FinisherLine(const FinisherSpec& f) {
  std::string line =
      "  " + Field(f.place, 2, "place") + "  " + Field(f.lane, 1, "lane") + " " +
      Field(f.racerNo, 4, "racer number") + " " + Field(f.name, 16, "racer name") + " " +
      Field(f.motor, 2, "motor") + "   " + Field(f.boat, 2, "boat") + "  " +
      Field(f.exhibition, 4, "exhibition time") + "   " + Field(f.course, 1, "course") + "   " +
      Field(f.startTiming, 5, "start timing") + "     " + Field(f.raceTime, 6, "race time");
  return line;
}

void AppendDetail(std::string& out, const RaceDetailSpec& d, int race) {
  static const std::string heading =
      Sjis("  着 艇 登番 　選　手　名　　ﾓｰﾀｰ ﾎﾞｰﾄ 展示 進入 ｽﾀｰﾄﾀｲﾐﾝｸ ﾚｰｽﾀｲﾑ ");
  AppendLine(out, "");
  AppendLine(out, RightAligned(std::to_string(race) + "R", 5) + std::string(7, ' ') +
                      Field(d.rname, 12, "race name") + std::string(17, ' ') +
                      Field(d.distance, 6, "distance") + "  " + Field(d.weather, 4, "weather") +
                      "  " + Sjis("風") + "  " + Field(d.windDirection, 6, "wind direction") +
                      Field(d.windSpeed, 3, "wind speed") + "  " + Sjis("波　") + "  " +
                      Field(d.wave, 3, "wave"));
  AppendLine(out, heading + Field(d.winningMove, 10, "winning move"));
  AppendLine(out, std::string(79, '-'));
  for (const FinisherSpec& f : d.finishers) AppendLine(out, FinisherLine(f));
  AppendLine(out, "");
  AppendLine(out, std::string(8, ' ') + Sjis("単勝") + std::string(5, ' ') +
                      Field(d.winLane, 1, "win lane") + std::string(5, ' ') +
                      Field(d.winPay, 8, "win payout") + "  ");
  AppendLine(out, std::string(8, ' ') + Sjis("複勝") + std::string(5, ' ') +
                      Field(d.placeLane1, 1, "place lane") + std::string(5, ' ') +
                      Field(d.placePay1, 8, "place payout") + "  " +
                      Field(d.placeLane2, 1, "place lane") + std::string(5, ' ') +
                      Field(d.placePay2, 8, "place payout") + "  ");
  AppendLine(out, "");
}

}  // namespace

std::string Payout(long yen) {
  if (yen < 0) throw std::invalid_argument("payout must not be negative");
  return RightAligned(std::to_string(yen), 8, "payout");
}

std::string VoidBet() {
  return Sjis("不成立");
}

namespace {

// A combination with its payout; "不成立" runs over into the payout's columns.
std::string BetFields(const std::string& combination, std::size_t width, const std::string& payout,
                      std::string_view what) {
  if (combination == VoidBet()) return Field(combination, width + 8, what);
  return Field(combination, width, what) + Field(payout, 8, what);
}

}  // namespace

std::string BuildResultRow(const ResultRowSpec& row, int race) {
  const std::string label = race > 0 ? std::to_string(race) + "R" : std::string();
  std::string line = RightAligned(label, 13, "race label") + "  ";
  if (row.cancelled) return line + Sjis("中　止");
  line += BetFields(row.trifecta, 5, row.trifectaPay, "trifecta");
  line += "    ";
  line += BetFields(row.trio, 5, row.trioPay, "trio");
  line += "    ";
  line += BetFields(row.exacta, 3, row.exactaPay, "exacta");
  line += "    ";
  line += BetFields(row.quinella, 3, row.quinellaPay, "quinella");
  return line;
}

std::string BuildResultBlock(const ResultBlockSpec& plan) {
  if (plan.rows.size() > kRaceRows) throw std::invalid_argument("at most 12 payout rows");
  if (plan.details.size() > kRaceRows) throw std::invalid_argument("at most 12 race details");
  if (plan.length < MinimumResultBlockLength(plan.blankAt408)) {
    throw std::invalid_argument("result block length " + std::to_string(plan.length) +
                                " is below the header, payout table and end line");
  }
  const std::string code = Field(plan.code, 2, "venue code");
  const std::string venue =
      plan.venueName.empty() ? VenueName(code) : Field(plan.venueName, 6, "venue name");
  const std::string meeting = Field(plan.meetingName, 60, "meeting name");
  const std::string count = Field(plan.count, 6, "day of meeting");
  const std::string date = Field(plan.date, 10, "race date");

  std::string out;
  out.reserve(plan.length);
  AppendLine(out, code + "KBGN");
  AppendLine(out, venue + Sjis("［成績］") + std::string(5, ' ') + date.substr(5) +
                      std::string(6, ' ') + FitSjis(TrimSjis(meeting), 22) + "  " + count);
  AppendLine(out, "");
  AppendLine(out, std::string(28, ' ') + Sjis("＊＊＊　競走成績　＊＊＊"));
  AppendLine(out, "");
  AppendLine(out, meeting);
  AppendLine(out, "");
  AppendLine(out, "   " + count + std::string(10, ' ') + date +
                      std::string(plan.current ? 27 : 29, ' ') +
                      (plan.current ? Sjis("ボートレース") + venue : venue + Sjis("競艇場")));
  AppendLine(out, "");
  AppendLine(out,
             std::string(15, ' ') + Sjis("－内容については主催者発行のものと照合して下さい－"));
  AppendLine(out, "");
  // The heading's trailing blank is what marks the long header; without it the CR lands on 408.
  const std::string heading =
      Sjis("   [払戻金]       ３連単           ３連複           ２連単         ２連複");
  AppendLine(out, plan.blankAt408 && !plan.current ? heading + " " : heading);
  if (out.size() !=
      (plan.current ? kCurrentPayoutTableOffset : PayoutTableOffset(plan.blankAt408))) {
    throw std::logic_error("result header size");
  }

  if (plan.current) {
    for (std::size_t r = 0; r < plan.rows.size(); ++r) {
      AppendLine(out, BuildResultRow(plan.rows[r], static_cast<int>(r + 1)));
      for (const ResultRowSpec& tie : plan.rows[r].deadHeat)
        AppendLine(out, BuildResultRow(tie, 0));
    }
    AppendLine(out, "");
    AppendLine(out, "");
  } else {
    for (std::size_t r = 0; r < kRaceRows; ++r) {
      const bool given = r < plan.rows.size();
      AppendLine(out, given ? BuildResultRow(plan.rows[r], static_cast<int>(r + 1))
                            : std::string(kPayoutRowWidth, ' '));
      if (given) {
        for (const ResultRowSpec& tie : plan.rows[r].deadHeat)
          AppendLine(out, BuildResultRow(tie, 0));
      }
    }
  }
  AppendLine(out, "");

  for (std::size_t r = 0; r < plan.details.size(); ++r) {
    AppendDetail(out, plan.details[r], static_cast<int>(r + 1));
  }
  if (out.size() + kResultEndLineSize > plan.length) {
    throw std::invalid_argument(
        "race details need " + std::to_string(out.size() + kResultEndLineSize) +
        " bytes, more than the block length " + std::to_string(plan.length));
  }

  std::size_t gap = plan.length - kResultEndLineSize - out.size();
  if (gap == 1) {
    // One byte cannot form a line of its own: lengthen the last detail line by a blank instead,
    // which leaves the payout table untouched.
    if (plan.details.empty()) {
      throw std::invalid_argument("result block length leaves one byte that no line can take");
    }
    out.insert(out.size() - 2, " ");
    gap = 0;
  } else if (gap % 2 != 0) {
    AppendLine(out, " ");
    gap -= 3;
  }
  for (; gap > 0; gap -= 2) AppendLine(out, "");
  AppendLine(out, code + "KEND");
  if (out.size() != plan.length) throw std::logic_error("result block size");
  return out;
}

std::string BuildPendingResultBlock(const std::string& code) {
  std::string out;
  AppendLine(out, Field(code, 2, "venue code") + "KBGN");
  AppendLine(out, VenueName(code) + Sjis("［成績］"));
  AppendLine(out, "");
  AppendLine(out, Sjis("データは、この場の全レース終了後に登録されます。"));
  AppendLine(out, "");
  AppendLine(out, code + "KEND");
  return out;
}

std::string BuildResultFile(const std::vector<ResultBlockSpec>& blocks, std::string_view before,
                            std::string_view after) {
  std::string out(before);
  out += "STARTK\r\n";
  for (const ResultBlockSpec& block : blocks) out += BuildResultBlock(block);
  out += after;
  return out;
}

}  // namespace wakorin::testsupport
