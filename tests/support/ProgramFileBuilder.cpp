#include "tests/support/ProgramFileBuilder.h"

#include <initializer_list>
#include <stdexcept>

#include "tests/support/FixedText.h"
#include "tests/support/SampleData.h"
#include "tests/support/SampleSeason.h"

namespace wakorin::testsupport {
namespace {

void AppendLine(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
}

// UTF-8 pieces, one per column group of the racer line, joined and converted.
std::string Columns(std::initializer_list<std::string_view> groups) {
  std::string utf8;
  for (std::string_view group : groups) utf8 += group;
  return Sjis(utf8);
}

// Column headings of the racer table, aligned with the racer line columns.
const std::array<std::string, 4>& TableHeading() {
  static const std::array<std::string, 4> heading = [] {
    const std::string dashes(kRacerLineWidth, '-');
    std::array<std::string, 4> lines = {
        dashes,
        Columns({"艇", "選手", "  選手  ", "年", "出身", "体", "級", "   全国   ", " ",
                 "   当地   ", " ", "モーター", " ", " ボート ", "  ", "  今節成績  ", "  "}),
        Columns({"番",    "登番",  "  氏名  ", "齢",           "    ", "重",  "別",    " 勝率",
                 "  2率", " ",     " 勝率",    "  2率",        " ",    " NO", "  2率", " ",
                 " NO",   "  2率", "  ",       "１２３４５６", "  "}),
        dashes};
    for (const std::string& line : lines) {
      if (line.size() != kRacerLineWidth) throw std::logic_error("racer table heading width");
    }
    return lines;
  }();
  return heading;
}

// "　４月１５日" from "２００６年　４月１５日": the last six characters of the date.
std::string ShortDate(std::string_view ddate) {
  const std::string trimmed = TrimSjis(ddate);
  const std::vector<std::string_view> chars = SjisChars(trimmed);
  std::string out;
  const std::size_t from = chars.size() > 6 ? chars.size() - 6 : 0;
  for (std::size_t i = from; i < chars.size(); ++i) out += chars[i];
  return out;
}

std::string TitleLine(const RaceRecord& race, int number) {
  std::string line = FullWidthNumber(number, 2) + Sjis("Ｒ") + "  ";
  line += Field(race.rname, 12, "race name");
  line += race.fixedEntry ? " " + Sjis("進入固定") + " " : std::string(10, ' ');
  line += Field(race.rleng, 12, "distance");
  line += "  ";
  line += Sjis("電話投票締切予定");
  line += Field(race.rtime, 10, "deadline");
  line += ' ';
  return line;
}

}  // namespace

std::array<RacerLine, 6> DefaultRacers() {
  std::array<RacerLine, 6> racers;
  const char* numbers[6] = {"3915", "4127", "3560", "4402", "3288", "4019"};
  const char* names[6] = {"吉田　光", "前田健太", "松尾和也", "北村達也", "原田　誠", "中島英樹"};
  const char* homes[6] = {"佐賀", "福岡", "長崎", "山口", "福岡", "佐賀"};
  const char* classes[6] = {"B1", "A1", "A2", "B1", "B2", "B1"};
  const char* wins[6] = {" 5.19", " 7.02", " 6.11", " 4.85", " 3.02", " 5.40"};
  const char* places[6] = {"36.07", "55.40", "44.12", "30.43", " 9.50", "35.29"};
  const char* motors[6] = {" 29", " 41", "  7", " 63", " 18", " 52"};
  for (std::size_t i = 0; i < racers.size(); ++i) {
    racers[i].racerNo = numbers[i];
    racers[i].name = Sjis(names[i]);
    racers[i].syusin = Sjis(homes[i]);
    racers[i].clas = classes[i];
    racers[i].gwin = wins[i];
    racers[i].gwsd = places[i];
    racers[i].mtno = motors[i];
    racers[i].btno = RightAligned(std::to_string(20 + 9 * static_cast<int>(i)), 3);
  }
  return racers;
}

std::string CentredMeetingName(std::string_view sjisName) {
  if (sjisName.size() > 60) {
    throw std::invalid_argument("meeting name: " + std::to_string(sjisName.size()) +
                                " bytes do not fit in 60");
  }
  const std::size_t lead = std::min<std::size_t>(10, 60 - sjisName.size());
  return PadFullWidth(std::string(lead, ' ') + std::string(sjisName), 60, "meeting name");
}

std::string BuildRacerLine(const RacerLine& r, int lane, ProgramLayout layout) {
  if (lane < 0 || lane > 9) throw std::invalid_argument("lane must be one digit");
  if (layout == ProgramLayout::Current) {
    std::string line = std::to_string(lane) + " " + Field(r.racerNo, 4, "racer number") +
                       Field(r.name, 8, "racer name") + Field(r.old, 2, "age") +
                       Field(r.syusin, 4, "home") + Field(r.wght, 2, "weight") +
                       Field(r.clas, 2, "class");
    line += Field(r.gwin, 5, "national win rate");
    line += RightAligned(r.gwsd, 6, "national 2-place rate");
    line += Field(r.rwin, 5, "local win rate");
    line += RightAligned(r.rwsd, 6, "local 2-place rate");
    line += Field(r.mtno, 3, "motor number");
    line += RightAligned(r.mtwn, 6, "motor 2-place rate");
    line += Field(r.btno, 3, "boat number");
    line += RightAligned(r.btwn, 6, "boat 2-place rate");
    line += ' ';
    for (const std::string& result : r.kekka) line += Field(result, 2, "meeting result");
    line += "  ";
    return line;
  }
  std::string line;
  line.reserve(kRacerLineWidth);
  line += static_cast<char>('0' + lane);
  line += ' ';
  line += Field(r.racerNo, 4, "racer number");
  line += Field(r.name, 8, "racer name");
  line += Field(r.old, 2, "age");
  line += Field(r.syusin, 4, "home");
  line += Field(r.wght, 2, "weight");
  line += Field(r.clas, 2, "class");
  line += Field(r.gwin, 5, "national win rate");
  line += Field(r.gwsd, 5, "national 2-place rate");
  line += ' ';
  line += Field(r.rwin, 5, "local win rate");
  line += Field(r.rwsd, 5, "local 2-place rate");
  line += ' ';
  line += Field(r.mtno, 3, "motor number");
  line += Field(r.mtwn, 5, "motor 2-place rate");
  line += ' ';
  line += Field(r.btno, 3, "boat number");
  line += Field(r.btwn, 5, "boat 2-place rate");
  line += "  ";
  for (const std::string& result : r.kekka) line += Field(result, 2, "meeting result");
  line += "  ";
  return line;
}

std::string BuildVenueBlock(const VenueBlockSpec& plan) {
  if (plan.races.size() > 99) throw std::invalid_argument("a venue block holds at most 99 races");
  const std::string code = Field(plan.code, 2, "venue code");
  const std::string venue =
      plan.venueName.empty() ? VenueName(code) : Field(plan.venueName, 6, "venue name");
  const std::string meeting = Field(plan.meetingName, 60, "meeting name");
  const std::string count = Field(plan.count, 8, "day of meeting");
  const std::string ddate = Field(plan.ddate, 22, "race date");
  const bool current = plan.layout == ProgramLayout::Current;
  const std::string stadium = current ? Sjis("ボートレース") + venue : venue + Sjis("競艇場");

  std::string out;
  out.reserve(VenueBlockSize(plan.races.size(), plan.layout));
  AppendLine(out, code + "BBGN");
  AppendLine(out, FitSjis(stadium + "   " + FitSjis(ShortDate(ddate), 12) + "  " +
                              FitSjis(TrimSjis(meeting), 22) + "  " + count,
                          current ? 65 : 61));
  AppendLine(out, "");
  AppendLine(out, std::string(28, ' ') + Sjis("＊＊＊　番組表　＊＊＊"));
  AppendLine(out, "");
  AppendLine(out, meeting);
  AppendLine(out, "");
  AppendLine(out, "   " + count + std::string(10, ' ') + ddate +
                      std::string(current ? 18 : 25, ' ') + stadium);
  AppendLine(out, "");
  AppendLine(out,
             std::string(15, ' ') + Sjis("－内容については主催者発行のものと照合して下さい－"));
  AppendLine(out, "");
  if (out.size() != (current ? kCurrentHeaderEnd : kVenueHeaderEnd)) {
    throw std::logic_error("venue header size");
  }

  for (std::size_t r = 0; r < plan.races.size(); ++r) {
    const RaceRecord& race = plan.races[r];
    AppendLine(out, "");
    AppendLine(out, TitleLine(race, static_cast<int>(r + 1)));
    for (const std::string& line : TableHeading()) AppendLine(out, line);
    for (std::size_t k = 0; k < race.racers.size(); ++k) {
      AppendLine(out, BuildRacerLine(race.racers[k], static_cast<int>(k + 1), plan.layout));
    }
  }
  AppendLine(out, code + "BEND");
  if (out.size() != VenueBlockSize(plan.races.size(), plan.layout)) {
    throw std::logic_error("venue block size");
  }
  return out;
}

std::string BuildPlaceholderBlock(const std::string& code) {
  std::string out;
  AppendLine(out, Field(code, 2, "venue code") + "BBGN");
  AppendLine(out, FitSjis(Sjis("この場のデータ更新は、いましばらくお待ちください。"), 78));
  AppendLine(out, code + "BEND");
  if (out.size() != kPlaceholderBlockSize) throw std::logic_error("placeholder block size");
  return out;
}

std::string BuildProgramFile(const std::vector<VenueBlockSpec>& venues, std::string_view before,
                             std::string_view after) {
  std::string out(before);
  out += "STARTB\r\n";
  for (const VenueBlockSpec& venue : venues) out += BuildVenueBlock(venue);
  out += after;
  return out;
}

VenueBlockSpec SampleVenue(std::string code, int races, unsigned seed) {
  SampleSeason season(seed, 240);
  season.AddVenue(std::move(code), races);
  return season
      .Day(std::chrono::year_month_day{std::chrono::year{2006}, std::chrono::April,
                                       std::chrono::day{15}})
      .front()
      .program;
}

}  // namespace wakorin::testsupport
