// The season checker's day check equals what the window's check shows, venue by venue.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "day/DayCheck.h"
#include "tests/TempFiles.h"
#include "tests/support/SampleSeason.h"
#include "tests/support/StatsFileBuilder.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/Cp932Text.h"
#include "ui/MainForm.h"
#include "ui/Widgets.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::Cell;
using testing::Find;

namespace fs = std::filesystem;

using testing::ReadAll;

void ExpectSameTally(const CheckTally& a, const CheckTally& b, const std::string& where) {
  for (BetType bet : kBetTypes) {
    const BetTally* x = &a[bet];
    const BetTally* y = &b[bet];
    EXPECT_EQ(std::tie(x->races, x->hits, x->stake, x->payout),
              std::tie(y->races, y->hits, y->stake, y->payout))
        << where;
  }
}

// Checks every venue of the day in the window and compares it with the day check.
CheckTally CheckInWindow(const fs::path& folder, const std::string& program, const DayCheck& day) {
  const QString previous = QDir::currentPath();
  QDir::setCurrent(QString::fromStdString(folder.string()));
  testing::ScriptedDesktop desktop;
  TMainForm form(desktop);
  desktop.fileAnswers.push_back(QString::fromStdString((folder / program).string()));
  EXPECT_TRUE(form.MainView());
  Action(form, "N3")->trigger();
  CheckTally total;
  EXPECT_EQ(static_cast<std::size_t>(Find<QComboBox>(form, "SelectC")->count()), day.venues.size());
  for (int i = 0; i < Find<QComboBox>(form, "SelectC")->count() &&
                  static_cast<std::size_t>(i) < day.venues.size();
       ++i) {
    Find<QComboBox>(form, "SelectC")->setCurrentIndex(i);
    emit Find<QComboBox>(form, "SelectC")->activated(i);
    Find<QPushButton>(form, "BBtnKekka")->click();
    const VenueCheck& venue = day.venues[static_cast<std::size_t>(i)];
    ExpectSameTally(form.LastCheckTally(), venue.tally, program + " venue " + venue.code);
    for (const RaceCheck& race : venue.races) {
      const std::size_t r = static_cast<std::size_t>(race.race - 1);
      EXPECT_EQ(Cell(form, "LabelKekka3T", r)->text(),
                FromCp932(race.shown.cell[BetType::Trifecta].text));
      EXPECT_EQ(Cell(form, "LabelKekka2F", r)->text(),
                FromCp932(race.shown.cell[BetType::Quinella].text));
    }
    total += form.LastCheckTally();
  }
  EXPECT_TRUE(desktop.messages.isEmpty());
  QDir::setCurrent(previous);
  return total;
}

TEST(DayCheck, EqualsTheWindowsCheckOnTheSampleDay) {
  const fs::path samples = WAKORIN_SAMPLES_DIR;
  const RacerStatsTable stats = RacerStatsTable::FromBytes(ReadAll(samples / "Fan0510.txt"));
  const std::string program = ReadAll(samples / "B060415.TXT");
  const std::string results = ReadAll(samples / "K060415.TXT");
  const DayCheck day = CheckDay(program, results, stats);
  EXPECT_TRUE(day.problems.empty());
  ASSERT_EQ(day.venues.size(), 6u);
  EXPECT_GT(day.tally[BetType::Trifecta].hits, 0);
  ExpectSameTally(CheckInWindow(samples, "B060415.TXT", day), day.tally, "sample day");
}

TEST(DayCheck, SeasonTotalsEqualTheSumOfTheWindowsChecks) {
  testing::TempDir dir;
  testsupport::SampleSeason season(77, 400);
  for (const auto& [code, races] :
       {std::pair{"05", 12}, std::pair{"17", 11}, std::pair{"22", 12}}) {
    season.AddVenue(code, races);
  }
  std::vector<std::string> programs;
  const std::chrono::sys_days first{std::chrono::year{2006} / 4 / 15};
  for (int d = 0; d < 3; ++d) {
    const std::chrono::year_month_day date{first + std::chrono::days{d}};
    std::vector<testsupport::VenueBlockSpec> blocks;
    std::vector<testsupport::ResultBlockSpec> results;
    for (auto& venue : season.Day(date)) {
      blocks.push_back(venue.program);
      results.push_back(venue.results);
    }
    const std::string name = "B0604" + std::to_string(15 + d) + ".TXT";
    dir.Write(name, testsupport::BuildProgramFile(blocks));
    dir.Write("K0604" + std::to_string(15 + d) + ".TXT", testsupport::BuildResultFile(results));
    programs.push_back(name);
  }
  std::string statsFile;
  for (const auto& racer : season.Racers()) {
    statsFile += testsupport::BuildStatsRecord(testsupport::SampleStats(racer));
  }
  dir.Write("Fan0510.txt", statsFile);

  const RacerStatsTable stats = RacerStatsTable::FromBytes(statsFile);
  CheckTally checker, window;
  for (const std::string& program : programs) {
    const std::string result = "K" + program.substr(1);
    const DayCheck day =
        CheckDay(ReadAll(dir.path() / program), ReadAll(dir.path() / result), stats);
    checker += day.tally;
    window += CheckInWindow(dir.path(), program, day);
  }
  ExpectSameTally(checker, window, "season");
  EXPECT_EQ(checker[BetType::Quinella].races, 3 * (12 + 11 + 12));
}

}  // namespace
}  // namespace wakorin
