// Choosing the race program file, the venue and race lists, and the race card on screen.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <filesystem>

#include "tests/TempFiles.h"
#include "tests/support/Cp932.h"
#include "tests/support/ProgramFileBuilder.h"
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

using testsupport::BuildProgramFile;
using testsupport::SampleVenue;
using testsupport::Sjis;
using testsupport::VenueBlockSpec;

// Race r, lane k of every venue carries a name that says where it came from.
VenueBlockSpec Venue(const std::string& code, int races) {
  VenueBlockSpec venue = SampleVenue(code, races, static_cast<unsigned>(std::stoi(code)));
  venue.meetingName = "  MEETING" + code + "  ";
  for (int r = 1; r <= races; ++r) {
    auto& race = venue.races[static_cast<std::size_t>(r - 1)];
    race.rname = "R" + code + "-" + std::to_string(r);
    for (int k = 1; k <= 6; ++k) {
      race.racers[static_cast<std::size_t>(k - 1)].name =
          code + "-" + std::to_string(r) + "-" + std::to_string(k);
    }
  }
  return venue;
}

class RaceCardViewTest : public ::testing::Test {
 protected:
  QString Write(const std::string& name, const std::string& bytes) {
    return QString::fromStdString(dir.Write(name, bytes));
  }
  // Loads a day of venues 01 (12 races), 12 (11 races) and 24 (12 races), in that file order.
  void LoadDay() {
    desktop.fileAnswers.push_back(Write(
        "B060415.TXT", BuildProgramFile({Venue("01", 12), Venue("12", 11), Venue("24", 12)})));
    ASSERT_TRUE(form.ChooseProgramFile());
  }
  void ChooseVenue(int index) {
    Find<QComboBox>(form, "SelectC")->setCurrentIndex(index);
    emit Find<QComboBox>(form, "SelectC")->activated(index);
  }
  void ChooseRace(int race) {
    Find<QComboBox>(form, "SelectR")->setCurrentIndex(race - 1);
    emit Find<QComboBox>(form, "SelectR")->activated(race - 1);
  }
  QString Text(QLabel* label) { return label->text(); }
  QStringList Items(QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->itemText(i);
    return items;
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
};

TEST_F(RaceCardViewTest, ChooseProgramFileListsVenuesLastFirstAndShowsRaceOne) {
  LoadDay();
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  EXPECT_EQ(desktop.dialogs[0].title, QStringLiteral("レース番組表ファイルを選択してください。"));
  EXPECT_TRUE(desktop.dialogs[0].filter.contains(QStringLiteral("B*.TXT")));
  EXPECT_TRUE(desktop.dialogs[0].filter.contains(QStringLiteral("b*.txt")));
  EXPECT_TRUE(desktop.dialogs[0].filter.contains(QStringLiteral("B*.LZH")));
  EXPECT_TRUE(desktop.dialogs[0].filter.contains(QStringLiteral("b*.lzh")));
  EXPECT_EQ(desktop.dialogs[0].initialName, QStringLiteral("B*.TXT"));
  EXPECT_EQ(desktop.dialogs[0].defaultSuffix, QStringLiteral("txt"));
  EXPECT_TRUE(desktop.messages.isEmpty());

  EXPECT_EQ(Items(Find<QComboBox>(form, "SelectC")),
            (QStringList{QStringLiteral("大　村    [全12R]"), QStringLiteral("住之江    [全11R]"),
                         QStringLiteral("桐　生    [全12R]")}));
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->currentIndex(), 0);
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->count(), 12);
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->itemText(11), QStringLiteral("12"));
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentIndex(), 0);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelDName")), QStringLiteral("MEETING24"));
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")).trimmed(), QStringLiteral("R24-1"));
  EXPECT_EQ(Text(Cell(form, "LabelBorat", 5)).trimmed(), QStringLiteral("24-1-6"));
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRChkt")), QStringLiteral("３連単複"));
  EXPECT_EQ(form.OuterHeight(), 348);
  for (QWidget* hidden : {Find<QWidget>(form, "Panel3"), Find<QWidget>(form, "Panel4"),
                          Find<QWidget>(form, "Panel5"), Find<QWidget>(form, "TabSyouShiki"),
                          Find<QWidget>(form, "Panel8"), Find<QWidget>(form, "Panel9")}) {
    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
  }
  EXPECT_FALSE(Find<QFrame>(form, "Panel2")->isHidden());
  EXPECT_FALSE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  EXPECT_TRUE(Action(form, "N5")->isEnabled());
}

TEST_F(RaceCardViewTest, RacesAndVenuesChosenByTheUser) {
  LoadDay();
  ChooseRace(12);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")).trimmed(), QStringLiteral("R24-12"));
  EXPECT_EQ(Text(Cell(form, "LabelBorat", 0)).trimmed(), QStringLiteral("24-12-1"));

  ChooseVenue(1);  // 住之江, 11 races
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->count(), 11);
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->itemText(10), QStringLiteral("11"));
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentIndex(), 0);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelDName")), QStringLiteral("MEETING12"));
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")).trimmed(), QStringLiteral("R12-1"));
  ChooseRace(11);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")).trimmed(), QStringLiteral("R12-11"));
  EXPECT_EQ(Text(Cell(form, "LabelBorat", 5)).trimmed(), QStringLiteral("12-11-6"));

  ChooseVenue(2);  // 桐　生, the file's first block
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelDName")), QStringLiteral("MEETING01"));
  // A selection made by code alone does not run the handler.
  Find<QComboBox>(form, "SelectR")->setCurrentIndex(5);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")).trimmed(), QStringLiteral("R01-1"));
}

TEST_F(RaceCardViewTest, RaceCardFieldsTooltipsAndExtensionCharacters) {
  VenueBlockSpec venue = Venue("17", 12);
  auto& racer = venue.races[0].racers[1];
  racer.racerNo = "3941";
  racer.name = Sjis("髙橋﨑子");
  racer.mtno = " 21";
  venue.races[0].racers[3].racerNo = " 123";
  desktop.fileAnswers.push_back(Write("b060415.txt", BuildProgramFile({venue})));
  ASSERT_TRUE(form.ChooseProgramFile());
  EXPECT_EQ(Text(Cell(form, "LabelBorat", 1)), QStringLiteral("髙橋﨑子"));
  EXPECT_EQ(Cell(form, "LabelBorat", 1)->toolTip(), QStringLiteral("3941"));
  EXPECT_EQ(Cell(form, "LabelBorat", 3)->toolTip(), QStringLiteral(" 123"));
  EXPECT_EQ(Text(Cell(form, "LabelMtNo", 1)), QStringLiteral(" 21"));
  EXPECT_EQ(form.RaceCard().Lane(2).Name, Sjis("髙橋﨑子"));
  EXPECT_EQ(form.RaceCard().Lane(4).RacerNo, " 123");
}

TEST_F(RaceCardViewTest, LaneButtonsToggleTheMeetingResultsWhichStayAcrossRaces) {
  LoadDay();
  EXPECT_TRUE(Find<QFrame>(form, "Panel12")->isHidden());
  Cell<QPushButton>(form, "BBtnBorat", 2)->click();
  EXPECT_FALSE(Find<QFrame>(form, "Panel12")->isHidden());
  ChooseRace(4);
  EXPECT_FALSE(Find<QFrame>(form, "Panel12")->isHidden());
  EXPECT_EQ(Text(Cell(form, "LabelKekka", 0, 0)), FromCp932(form.RaceCard().Lane(1).MeetingResults[0]));
  ChooseVenue(1);
  EXPECT_FALSE(Find<QFrame>(form, "Panel12")->isHidden());
  Cell<QPushButton>(form, "BBtnBorat", 5)->click();
  EXPECT_TRUE(Find<QFrame>(form, "Panel12")->isHidden());
}

TEST_F(RaceCardViewTest, ChangingVenueHidesThePredictionAndShrinksTheWindow) {
  LoadDay();
  form.SetOuterHeight(TMainForm::kFullHeight);
  Find<QFrame>(form, "Panel3")->show();
  Find<QWidget>(form, "TabSyouShiki")->show();
  Find<QPushButton>(form, "BtnEditData")->hide();
  ChooseVenue(2);
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_TRUE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_TRUE(Find<QWidget>(form, "TabSyouShiki")->isHidden());
  EXPECT_FALSE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  form.SetOuterHeight(TMainForm::kFullHeight);
  Find<QFrame>(form, "Panel4")->show();
  ChooseRace(3);
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_TRUE(Find<QFrame>(form, "Panel4")->isHidden());
}

TEST_F(RaceCardViewTest, VenueChangeInResultCheckModeEmptiesTheGrid) {
  LoadDay();
  Action(form, "N3")->trigger();
  for (int r = 0; r < 12; ++r) {
    Cell(form, "LabelKekka2F", r)->setText(QStringLiteral("1-2(1)"));
    Cell(form, "LabelKekka3TR", r)->setText(QStringLiteral("1230円"));
    ui::SetBackground(Cell(form, "LabelKekka3T", r), Qt::red);
  }
  ChooseVenue(1);
  for (int r = 0; r < 12; ++r) {
    EXPECT_TRUE(Cell(form, "LabelKekka2F", r)->text().isEmpty());
    EXPECT_TRUE(Cell(form, "LabelKekka3TR", r)->text().isEmpty());
    EXPECT_EQ(ui::Background(Cell(form, "LabelKekka3T", r)), QColor(Qt::black));
  }
  EXPECT_TRUE(Find<QFrame>(form, "Panel2")->isHidden());
  EXPECT_TRUE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  EXPECT_FALSE(Find<QFrame>(form, "Panel8")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel9")->isHidden());
  // The hidden card is refilled all the same.
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelDName")), QStringLiteral("MEETING12"));
  ChooseRace(2);
  EXPECT_FALSE(Find<QFrame>(form, "Panel8")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel2")->isHidden());
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")).trimmed(), QStringLiteral("R12-2"));
}

TEST_F(RaceCardViewTest, FailedChoicesKeepThePreviousDay) {
  LoadDay();
  ChooseRace(5);
  const QStringList venues = Items(Find<QComboBox>(form, "SelectC"));
  const QString shown = Text(Find<QLabel>(form, "LabelRName"));

  desktop.fileAnswers.push_back(std::nullopt);  // cancelled
  EXPECT_FALSE(form.ChooseProgramFile());
  EXPECT_EQ(desktop.messages.takeLast(), QStringLiteral("レース番組表ファイルではありません。"));

  const QString missing = QString::fromStdString(dir.PathOf("B999999.TXT"));
  desktop.fileAnswers.push_back(missing);
  EXPECT_FALSE(form.ChooseProgramFile());
  EXPECT_EQ(desktop.messages.takeLast(),
            QStringLiteral("レース番組表ファイル(\"%1\")がありません。").arg(missing));

  // Not a race program file at all: no start line.
  desktop.fileAnswers.push_back(Write("B000000.TXT", "just some text\r\n"));
  EXPECT_FALSE(form.ChooseProgramFile());
  EXPECT_EQ(desktop.messages.takeLast(), QStringLiteral("開催レース場を検索できませんでした。"));

  // A folder: the open fails with the system's error code.
  desktop.fileAnswers.push_back(QString::fromStdString(dir.path().string()));
  EXPECT_FALSE(form.ChooseProgramFile());
  EXPECT_TRUE(desktop.messages.takeLast().startsWith(QStringLiteral("I/O エラー (21)\nレース番組表ファイル(")));

  EXPECT_EQ(Items(Find<QComboBox>(form, "SelectC")), venues);
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentIndex(), 4);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")), shown);
  ChooseRace(6);  // the previous file is still the one read
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")).trimmed(), QStringLiteral("R24-6"));
}

// A file with a start line but no venue is refused whole: the day shown stays, its venue list
// with it, so that nothing on screen belongs to a file that holds nothing.
TEST_F(RaceCardViewTest, StartLineWithoutVenuesKeepsTheDayShown) {
  LoadDay();
  const QString shown = Text(Find<QLabel>(form, "LabelRName"));
  const int venues = Find<QComboBox>(form, "SelectC")->count();
  desktop.fileAnswers.push_back(Write("B000001.TXT", "STARTB\r\nFINALB\r\n"));
  EXPECT_FALSE(form.ChooseProgramFile());
  EXPECT_EQ(desktop.messages.takeLast(), QStringLiteral("開催レース場を検索できませんでした。"));
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->count(), venues);
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->count(), 12);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")), shown);
}

// The day is read when it is opened: a file changed or gone afterwards changes nothing shown.
TEST_F(RaceCardViewTest, FileChangedOrGoneAfterLoading) {
  LoadDay();
  ChooseRace(2);
  const QString second = Text(Find<QLabel>(form, "LabelRName"));
  ChooseRace(1);
  dir.Write("B060415.TXT", BuildProgramFile({Venue("05", 12)}));
  ChooseRace(2);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")), second);
  std::filesystem::remove(dir.PathOf("B060415.TXT"));
  ChooseRace(1);
  ChooseRace(2);
  EXPECT_EQ(Text(Find<QLabel>(form, "LabelRName")), second);
  EXPECT_TRUE(desktop.messages.isEmpty());
}

}  // namespace
}  // namespace wakorin
