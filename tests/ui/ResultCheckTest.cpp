// Result-check mode and the check of a whole venue against the result file.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/Application.h"
#include "predict/Prediction.h"
#include "predict/RacerStats.h"
#include "predict/RacerStatsTable.h"
#include "program/RaceCard.h"
#include "program/VenueBlockScan.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "day/DayCheck.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"
#include "tests/TempFiles.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "tests/ui/WorkingFolder.h"
#include "ui/Cp932Text.h"
#include "ui/MainForm.h"
#include "ui/ResultGrid.h"
#include "ui/Widgets.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::LocateVenueBlock;
using testsupport::FindVenueResult;
using testsupport::ReadRacerStats;

using testing::Action;
using testing::Cell;
using testing::Find;

using testing::WorkingFolder;

namespace fs = std::filesystem;
const QString kSamples = QStringLiteral(WAKORIN_SAMPLES_DIR);

// What the grid must show for one venue, worked out from the files without the window.
std::array<RaceMatch, 12> ExpectedGrid(const std::string& programPath,
                                              const std::string& code, int venuesBefore) {
  const std::string name = VenueNameOfCode(code);
  auto block = LocateVenueBlock(programPath, code);
  std::array<RecommendedTickets, 12> tickets{};
  for (int r = 1; r <= (*block)->raceCount; ++r) {
    const TRaceCard card = ReadRaceCard((*block)->bytes, r, name);
    const CardNumbers numbers = NumbersOf(card);
    auto p = Predict(*ReadRacerStats(*FindStatsFileIn(), numbers.racers), numbers);
    tickets[static_cast<std::size_t>(r - 1)] =
        TicketsFromLists(card.Sale, p->Ken2T, p->Ken2F, p->Ken3T, p->Ken3F);
  }
  ResultSearchObserver quiet;
  auto search = FindVenueResult(ResultFilePath(programPath), code, venuesBefore, quiet);
  EXPECT_EQ(search->end, ResultSearchEnd::Found);
  std::array<RaceMatch, 12> grid;
  for (std::size_t r = 0; r < 12; ++r) grid[r] = MatchResultRow(tickets[r], search->result.Rows[r]);
  return grid;
}

class ResultCheckTest : public ::testing::Test {
 protected:
  ResultCheckTest() : terminated(&form, &TMainForm::TerminateRequested) {}

  void Load(const QString& path) {
    desktop.fileAnswers.push_back(path);
    ASSERT_TRUE(form.ChooseProgramFile());
  }
  void ChooseVenue(int index) {
    Find<QComboBox>(form, "SelectC")->setCurrentIndex(index);
    emit Find<QComboBox>(form, "SelectC")->activated(index);
  }
  // A copy of the sample day that a test may change.
  std::string CopySampleDay() {
    for (const char* name : {"B060415.TXT", "K060415.TXT", "Fan0510.txt"}) {
      fs::copy_file(fs::path(kSamples.toStdString()) / name, dir.path() / name);
    }
    return dir.PathOf("B060415.TXT");
  }
  void ExpectGrid(const std::array<RaceMatch, 12>& grid) {
    for (std::size_t r = 0; r < 12; ++r) {
      auto cell = [&](QLabel* label, const BetMatch& expected) {
        EXPECT_EQ(label->text(), ui::ResultGrid::ResultText(expected)) << label->objectName().toStdString();
        EXPECT_EQ(ui::Background(label), expected.Hit() ? QColor(Qt::red) : QColor(Qt::black))
            << label->objectName().toStdString();
      };
      const PerBet<const char*> combinations{
          {"LabelKekka2F", "LabelKekka2T", "LabelKekka3F", "LabelKekka3T"}};
      const PerBet<const char*> payouts{
          {"LabelKekka2FR", "LabelKekka2TR", "LabelKekka3FR", "LabelKekka3TR"}};
      for (BetType bet : kBetTypes) {
        cell(Cell(form, combinations[bet], r), grid[r].bets[bet]);
        // The grid groups the yen by thousands and aligns them right itself.
        EXPECT_EQ(Cell(form, payouts[bet], r)->text().remove(QLatin1Char(',')).trimmed(),
                  ui::ResultGrid::PayoutText(grid[r].bets[bet]).trimmed());
      }
    }
  }
  void ExpectUnlocked() {
    EXPECT_TRUE(Find<QComboBox>(form, "SelectC")->isEnabled());
    EXPECT_TRUE(Find<QPushButton>(form, "BBtnKekka")->isEnabled());
    EXPECT_TRUE(Action(form, "N1")->isEnabled());
    EXPECT_TRUE(Find<QFrame>(form, "Panel9")->isHidden());
    EXPECT_EQ(Find<QProgressBar>(form, "FileLoadPBar")->value(), 0);
    EXPECT_EQ(Find<QLabel>(form, "RaceImage")->x(), 60);
  }
  void FillGridWith(const QString& text) {
    for (std::size_t r = 0; r < 12; ++r) {
      Cell(form, "LabelKekka2F", r)->setText(text);
      Cell(form, "LabelKekka2F", r)->setToolTip(text);
      Cell(form, "LabelKekka3TR", r)->setText(text);
    }
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};  // the exit command
  QSignalSpy terminated;
};

TEST_F(ResultCheckTest, ModeSwitchesBothWaysAndAfterAPrediction) {
  WorkingFolder folder(kSamples);
  Load(kSamples + QStringLiteral("/B060415.TXT"));
  Find<QPushButton>(form, "BtnEditData")->click();
  ASSERT_EQ(form.OuterHeight(), 522);
  FillGridWith(QStringLiteral("old"));
  Action(form, "N3")->trigger();
  EXPECT_EQ(Action(form, "N3")->text(), QStringLiteral("出走表 確認"));
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_TRUE(Find<QFrame>(form, "Panel2")->isHidden());
  EXPECT_TRUE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_TRUE(Find<QWidget>(form, "TabSyouShiki")->isHidden());
  EXPECT_FALSE(Find<QFrame>(form, "Panel8")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel9")->isHidden());
  EXPECT_FALSE(Action(form, "N5")->isEnabled());
  EXPECT_TRUE(Cell(form, "LabelKekka2F", 0)->text().isEmpty());  // emptied on entry
  EXPECT_TRUE(Find<QLabel>(form, "LabelHitReturn")->text().isEmpty());

  FillGridWith(QStringLiteral("kept"));
  Action(form, "N3")->trigger();
  EXPECT_EQ(Action(form, "N3")->text(), QStringLiteral("全結果 照合"));
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_FALSE(Find<QFrame>(form, "Panel2")->isHidden());
  EXPECT_FALSE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel8")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_TRUE(Action(form, "N5")->isEnabled());
  EXPECT_EQ(Cell(form, "LabelKekka2F", 0)->text(), QStringLiteral("kept"));  // unseen, not emptied
}

TEST_F(ResultCheckTest, ChecksEveryVenueOfTheSampleDay) {
  WorkingFolder folder(kSamples);
  const std::string program = (kSamples + QStringLiteral("/B060415.TXT")).toStdString();
  Load(QString::fromStdString(program));
  Action(form, "N3")->trigger();
  int hits = 0;
  for (int venue = 0; venue < Find<QComboBox>(form, "SelectC")->count(); ++venue) {
    ChooseVenue(venue);
    const int races = Find<QComboBox>(form, "SelectR")->count();
    const int before = Find<QComboBox>(form, "SelectC")->count() - 1 - venue;
    bool sawLock = false;
    desktop.waits.clear();
    desktop.onProcessEvents = [&] {
      if (sawLock) return;
      EXPECT_FALSE(Find<QComboBox>(form, "SelectC")->isEnabled());
      EXPECT_FALSE(Find<QPushButton>(form, "BBtnKekka")->isEnabled());
      EXPECT_FALSE(Action(form, "N1")->isEnabled());
      EXPECT_FALSE(Find<QFrame>(form, "Panel9")->isHidden());
      sawLock = true;
    };
    Find<QPushButton>(form, "BBtnKekka")->click();
    EXPECT_TRUE(sawLock);
    ASSERT_TRUE(desktop.messages.isEmpty())
        << desktop.messages.join(QLatin1Char('|')).toStdString();
    const auto grid = ExpectedGrid(program, form.Day()->Venues()[form.SelectedVenue()].code, before);
    ExpectGrid(grid);
    for (const auto& row : grid) {
      for (BetType bet : kBetTypes) hits += row.bets[bet].Hit();
    }
    if (races == 11) {
      EXPECT_TRUE(Cell(form, "LabelKekka2F", 11)->text().isEmpty());
      EXPECT_TRUE(Cell(form, "LabelKekka3TR", 11)->text().isEmpty());
    }
    // The initial skip glides the boat 10 steps of 50 ms per skipped venue, plus one.
    const int k = before - 1;
    EXPECT_EQ(desktop.waits.size(), k >= 1 ? static_cast<std::size_t>(10 * k + 1) : 0u);
    EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentIndex(),
              races - 1);  // the venue's last race stays selected
    // The footer sums the check up: every race of the sample has all four results.
    const QString summary = Find<QLabel>(form, "LabelHitReturn")->text();
    // Under the mode's name; the standard mode skips nothing, so it counts no skipped races.
    EXPECT_TRUE(summary.startsWith(QStringLiteral("標準予想\n２複 "))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("/%1 回収").arg(races))) << summary.toStdString();
    EXPECT_EQ(summary.count(QStringLiteral("回収")), 4);
    // Return rates to one decimal, as the checker prints them.
    EXPECT_EQ(summary.count(QRegularExpression(QStringLiteral("回収\\d+\\.\\d%"))), 4)
        << summary.toStdString();
    EXPECT_TRUE(Find<QLabel>(form, "LabelHitReturn")->toolTip().contains(QStringLiteral("購入")));
    ExpectUnlocked();
    EXPECT_FALSE(Find<QFrame>(form, "Panel8")->isHidden());
    EXPECT_TRUE(Find<QFrame>(form, "Panel2")->isHidden());
  }
  EXPECT_GT(hits, 0);
  EXPECT_EQ(terminated.count(), 0);
}

TEST_F(ResultCheckTest, MissingResultFileLeavesTheGridAndUnlocks) {
  const std::string program = CopySampleDay();
  fs::remove(dir.PathOf("K060415.TXT"));
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  Load(QString::fromStdString(program));
  Action(form, "N3")->trigger();
  FillGridWith(QStringLiteral("old"));
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral("レース結果ファイル(\"%1\")がありません。")
                            .arg(QString::fromStdString(dir.PathOf("K060415.TXT")))});
  EXPECT_EQ(Cell(form, "LabelKekka2F", 0)->text(), QStringLiteral("old"));
  ExpectUnlocked();
}

TEST_F(ResultCheckTest, VenueMissingFromTheResultFileKeepsTheSessionGoing) {
  const std::string program = CopySampleDay();
  // A result file saved before the day ended: only one venue in it.
  testsupport::ResultBlockSpec early;
  early.code = "99";
  dir.Write("K060415.TXT", testsupport::BuildResultFile({early}));
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  Load(QString::fromStdString(program));
  Action(form, "N3")->trigger();
  FillGridWith(QStringLiteral("old"));
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_EQ(desktop.messages, QStringList{QStringLiteral("開催レース場を検索できませんでした。")});
  EXPECT_EQ(Cell(form, "LabelKekka2F", 3)->text(), QStringLiteral("old"));
  EXPECT_EQ(terminated.count(), 0);
  EXPECT_FALSE(form.QuitRequested());
  ExpectUnlocked();
}

// Files extracted in lower case, and a result file fetched while the first listed venue was still
// racing: that venue says its results are not in yet and shows an empty grid, the others check
// as usual, and the checker without the window agrees.
TEST_F(ResultCheckTest, LowerCaseFilesAndAVenueWithoutResultsYet) {
  CopySampleDay();
  fs::rename(dir.PathOf("B060415.TXT"), dir.PathOf("b060415.txt"));
  fs::rename(dir.PathOf("K060415.TXT"), dir.PathOf("k060415.txt"));
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  Load(QString::fromStdString(dir.PathOf("b060415.txt")));
  const std::string pendingCode = form.Day()->Venues()[form.SelectedVenue()].code;
  std::string results = testing::ReadAll(dir.PathOf("k060415.txt"));
  const std::size_t start = results.find(pendingCode + "KBGN");
  ASSERT_NE(start, std::string::npos);
  const std::size_t end = results.find(pendingCode + "KEND\r\n", start) + 8;
  results.replace(start, end - start, testsupport::BuildPendingResultBlock(pendingCode));
  dir.Write("k060415.txt", results);

  Action(form, "N3")->trigger();
  ChooseVenue(1);
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join(QLatin1Char('|')).toStdString();
  EXPECT_FALSE(Cell(form, "LabelKekka2F", 0)->text().isEmpty());

  ChooseVenue(0);
  FillGridWith(QStringLiteral("old"));
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral("この場のレース結果はまだ登録されていません。")});
  for (std::size_t r = 0; r < 12; ++r) {
    EXPECT_TRUE(Cell(form, "LabelKekka2F", r)->text().isEmpty());
    EXPECT_TRUE(Cell(form, "LabelKekka2F", r)->toolTip().isEmpty());  // cleared with the grid
    EXPECT_TRUE(Cell(form, "LabelKekka3TR", r)->text().isEmpty());
  }
  EXPECT_TRUE(Find<QLabel>(form, "LabelHitReturn")->text().isEmpty());
  ExpectUnlocked();

  const DayCheck day = CheckDay(testing::ReadAll(dir.PathOf("b060415.txt")), results,
                                RacerStatsTable::FromBytes(testing::ReadAll(dir.PathOf("Fan0510.txt"))));
  ASSERT_EQ(day.venues.front().code, pendingCode);
  EXPECT_TRUE(day.venues.front().notPublished);
  EXPECT_FALSE(day.venues.front().resultFound);
  EXPECT_EQ(day.venues.front().tally[BetType::Trifecta].races, 0);
  EXPECT_NE(std::find(day.problems.begin(), day.problems.end(),
                      DayProblem{DayProblem::Kind::NotPublished, pendingCode, 0}),
            day.problems.end());
  EXPECT_TRUE(day.venues[1].resultFound);
}

// Without a statistics file nothing can be predicted: one message, and the check ends with the
// grid as it was, as any error reading the day does.
TEST_F(ResultCheckTest, NoStatisticsFileEndsTheCheckWithOneMessage) {
  const std::string program = CopySampleDay();
  fs::remove(dir.PathOf("Fan0510.txt"));
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  Load(QString::fromStdString(program));
  Action(form, "N3")->trigger();
  Find<QPushButton>(form, "BBtnKekka")->click();
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_TRUE(desktop.messages[0].startsWith(QStringLiteral("FAN手帳\"data\\FAN0510.TXT\"がありません。\n")));
  for (int r = 0; r < 12; ++r) EXPECT_TRUE(Cell(form, "LabelKekka2F", r)->text().isEmpty());
  ExpectUnlocked();
}

TEST_F(ResultCheckTest, ProgramFileNameWithoutTheUsualExtension) {
  const std::string program = CopySampleDay();
  fs::rename(program, dir.PathOf("B060415.DAT"));
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  Load(QString::fromStdString(dir.PathOf("B060415.DAT")));
  Action(form, "N3")->trigger();
  Find<QPushButton>(form, "BBtnKekka")->click();
  ASSERT_EQ(desktop.messages.size(), 1);
  // The message still names the file looked for.
  EXPECT_EQ(desktop.messages[0],
            QStringLiteral("レース結果ファイル(\"%1\")がありません。")
                .arg(QString::fromStdString(dir.PathOf("K060415.DAT"))));
  ExpectUnlocked();
}

TEST_F(ResultCheckTest, ShortResultBlocksStillLeadToTheVenue) {
  // Cancelled races make blocks shorter than the search's fixed distances assume.
  std::vector<testsupport::VenueBlockSpec> venues;
  std::vector<testsupport::ResultBlockSpec> results;
  std::string stats;
  const char* codes[] = {"03", "07", "11", "15", "19"};
  for (const char* code : codes) {
    venues.push_back(testsupport::SampleVenue(code, 12, 5));
    testsupport::ResultBlockSpec block;
    block.code = code;
    block.rows = {{"1-2-3", testsupport::Payout(1230), "1-2-3", testsupport::Payout(450), "1-2",
                   testsupport::Payout(320), "1-2", testsupport::Payout(210)}};
    block.length = 5000;
    results.push_back(block);
    for (const auto& race : venues.back().races) {
      for (const auto& racer : race.racers)
        stats += testsupport::BuildStatsRecord(testsupport::StatsFor(racer.racerNo, 2));
    }
  }
  dir.Write("Fan0510.txt", stats);
  dir.Write("K060415.TXT", testsupport::BuildResultFile(results));
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  Load(QString::fromStdString(dir.Write("B060415.TXT", testsupport::BuildProgramFile(venues))));
  Action(form, "N3")->trigger();
  ChooseVenue(0);  // the last block: four before it
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(Cell(form, "LabelKekka3T", 0)->text().startsWith(QStringLiteral("1-2-3")));
  EXPECT_TRUE(Cell(form, "LabelKekka3TR", 0)->text().endsWith(QStringLiteral("1,230円")));
}

TEST_F(ResultCheckTest, ClosingDuringTheSearchEndsTheApplication) {
  WorkingFolder folder(kSamples);
  Load(kSamples + QStringLiteral("/B060415.TXT"));
  Action(form, "N3")->trigger();
  FillGridWith(QStringLiteral("old"));
  const int races = Find<QComboBox>(form, "SelectR")->count();
  // The user closes the window while the prediction pass runs: the pass finishes, the search
  // stops at its first test.
  desktop.onProcessEvents = [&] {
    if (desktop.processEventsCalls == races) form.close();
  };
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_TRUE(form.QuitRequested());
  EXPECT_GE(terminated.count(), 1);
  EXPECT_EQ(Cell(form, "LabelKekka2F", 0)->text(), QStringLiteral("old"));
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentIndex(), races - 1);
}

TEST_F(ResultCheckTest, ClosingDuringTheFinalRunEndsTheApplicationAfterTheGrid) {
  WorkingFolder folder(kSamples);
  Load(kSamples + QStringLiteral("/B060415.TXT"));
  Action(form, "N3")->trigger();
  desktop.onProcessEvents = [&] {
    if (!Cell(form, "LabelKekka2F", 0)->text().isEmpty() && !form.QuitRequested())
      Action(form, "Exit1")->trigger();
  };
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_TRUE(form.QuitRequested());
  EXPECT_EQ(terminated.count(), 1);
  EXPECT_FALSE(Cell(form, "LabelKekka2F", 0)->text().isEmpty());
}

// Files that do not belong together: another day's results fill no grid and the message names
// both days; a venue twice in the race program file is listed once and said at opening, a venue
// twice in the result file is said at the check.
TEST_F(ResultCheckTest, AnotherDaysResultsAndVenuesTwice) {
  const std::string program = CopySampleDay();
  std::string results = testing::ReadAll(dir.PathOf("K060415.TXT"));
  const std::string original = results;
  const std::size_t date = results.find("2006/ 4/15");
  ASSERT_NE(date, std::string::npos);
  results.replace(date, 10, "2024/11/15");
  dir.Write("K060415.TXT", results);
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  Load(QString::fromStdString(program));
  Action(form, "N3")->trigger();
  FillGridWith(QStringLiteral("x"));
  Find<QPushButton>(form, "BBtnKekka")->click();
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("2006年4月15日")));
  EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("2024年11月15日")));
  for (std::size_t r = 0; r < 12; ++r) EXPECT_TRUE(Cell(form, "LabelKekka2F", r)->text().isEmpty());
  EXPECT_TRUE(Find<QLabel>(form, "LabelHitReturn")->text().isEmpty());
  ExpectUnlocked();

  // Each file with one venue block twice.
  auto twice = [](const std::string& file, const std::string& code, char kind) {
    const std::string begin = code + kind + "BGN", end = code + kind + "END\r\n";
    const std::size_t from = file.find(begin), to = file.find(end) + end.size();
    std::string doubled = file;
    doubled.insert(to, file.substr(from, to - from));
    return doubled;
  };
  const std::string code = form.Day()->Venues().front().code;
  dir.Write("B060415.TXT", twice(testing::ReadAll(program), code, 'B'));
  dir.Write("K060415.TXT", twice(original, code, 'K'));
  desktop.messages.clear();
  Action(form, "N3")->trigger();
  Load(QString::fromStdString(program));
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("同じレース場")));
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->count(), 6);
  Action(form, "N3")->trigger();
  Find<QPushButton>(form, "BBtnKekka")->click();
  ASSERT_EQ(desktop.messages.size(), 2);
  EXPECT_TRUE(desktop.messages[1].contains(QStringLiteral("複数")));
  EXPECT_FALSE(Cell(form, "LabelKekka2F", 0)->text().isEmpty());
  ExpectUnlocked();
}

// The grid words the matched values: the combination tagged with the ticket that hit it, the
// payout with 円, the file's words for a race not run, a void bet and a special payout, a
// damaged row as written, every winning combination of a dead heat.
TEST(ResultGridWords, CellsAreWordedFromTheirValues) {
  using Result = BetMatch::Result;
  auto match = [](Result result, const char* boats = "", long long yen = 0, int ticket = 0) {
    BetMatch m;
    m.result = result;
    if (const auto c = ParseCombination(boats)) m.won = {*c, yen, 0};
    m.ticket = ticket;
    if (result == Result::Special) m.refund = yen;
    return m;
  };
  BetMatch damaged = match(Result::Unreadable, "1-3", 0, 1);
  damaged.writtenCombination = "1-3";
  damaged.writtenPayout = "    12a0";
  struct Case {
    BetMatch match;
    const char* text;
    const char* payout;
  };
  const Case cases[] = {
      {match(Result::NotShown), "", ""},
      {match(Result::NoResult), "", ""},
      {match(Result::Paid, "1-3", 180), "1-3", "180円"},
      {match(Result::Paid, "1-3-5", 4560, 2), "1-3-5(2)", "4560円"},
      {damaged, "1-3(1)", "    12a0"},
      {match(Result::Cancelled), "中　止", ""},
      {match(Result::Void), "不成立", ""},
      {match(Result::Special, "", 70), "特払い", "70円"},
      {match(Result::Special), "特払い", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ui::ResultGrid::ResultText(c.match), QString::fromUtf8(c.text)) << c.text;
    EXPECT_EQ(ui::ResultGrid::PayoutText(c.match), QString::fromUtf8(c.payout)) << c.text;
    EXPECT_TRUE(ui::ResultGrid::DeadHeatText(c.match).isEmpty());
  }
  BetMatch tie = match(Result::Paid, "1-3", 640, 2);
  tie.deadHeat = {{*ParseCombination("1-2"), 300, 0}, {*ParseCombination("1-3"), 640, 0}};
  EXPECT_EQ(ui::ResultGrid::DeadHeatText(tie), QString::fromUtf8("1-2 300円 / 1-3 640円"));
}

}  // namespace
}  // namespace wakorin
