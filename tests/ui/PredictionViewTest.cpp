// The prediction on screen: start pictures, winning-move words, tickets and layout.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <filesystem>

#include "predict/DataModel.h"
#include "predict/RacerStats.h"
#include "tests/TempFiles.h"
#include "tests/WorkedExample.h"
#include "tests/support/Cp932.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "tests/ui/WorkingFolder.h"
#include "ui/Cp932Text.h"
#include "ui/LaneColors.h"
#include "ui/MainForm.h"
#include "ui/Pictures.h"
#include "ui/StartPanels.h"
#include "ui/RaceCardPanel.h"
#include "ui/TicketSheets.h"
#include "ui/Widgets.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::ReadRacerStats;

using testing::Action;
using testing::Cell;
using testing::Find;

using testing::WorkingFolder;

using testsupport::BuildProgramFile;
using testsupport::BuildStatsRecord;
using testsupport::SampleVenue;
using testsupport::StatsFor;

const QString kSamples = QStringLiteral(WAKORIN_SAMPLES_DIR);

class PredictionViewTest : public ::testing::Test {
 protected:
  void LoadSampleDay() {
    desktop.fileAnswers.push_back(kSamples + QStringLiteral("/B060415.TXT"));
    ASSERT_TRUE(form.ChooseProgramFile());
  }
  void ChooseRace(int race) {
    Find<QComboBox>(form, "SelectR")->setCurrentIndex(race - 1);
    emit Find<QComboBox>(form, "SelectR")->activated(race - 1);
  }
  void ChooseVenue(int index) {
    Find<QComboBox>(form, "SelectC")->setCurrentIndex(index);
    emit Find<QComboBox>(form, "SelectC")->activated(index);
  }
  // What the engine predicts for the card on screen, computed without the window.
  TPrediction Expected() {
    const CardNumbers numbers = NumbersOf(form.RaceCard());
    auto stats = ReadRacerStats(*FindStatsFileIn(), numbers.racers);
    EXPECT_TRUE(stats.ok());
    auto prediction = Predict(*stats, numbers);
    EXPECT_TRUE(prediction.ok());
    return *prediction;
  }
  // The three digits of a row of the three-boat sheet.
  QString Digits(std::size_t row) {
    QString digits;
    for (std::size_t c = 0; c < 3; ++c) digits += Cell(form, "Funa3Ken", row, c)->text();
    return digits;
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
};

TEST_F(PredictionViewTest, PredictionShowsPicturesWordsAndTickets) {
  WorkingFolder folder(kSamples);
  LoadSampleDay();
  ChooseRace(7);
  Find<QPushButton>(form, "BtnEditData")->click();
  ASSERT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join(QLatin1Char('|')).toStdString();
  const TPrediction p = Expected();
  const QList<QImage> boats = ui::BoatImageList();
  for (std::size_t row = 0; row < 6; ++row) {
    const int k = static_cast<int>(row) + 1;
    EXPECT_EQ(Cell(form, "ImageBoart1", row)->pixmap().toImage(), boats[p.Entry[k] - 1]);
    EXPECT_EQ(Cell(form, "ImageBoart1", row)->pos(),
              QPoint(std::array{96, 96, 88, 28, 16, 16}[row], 30 * k));
    EXPECT_EQ(Cell(form, "ImageBoart2", row)->pixmap().toImage(), boats[p.Entry[k] - 1]);
    EXPECT_EQ(Cell(form, "ImageBoart2", row)->pos(), QPoint(100 - 20 * p.SlitStep[k], 30 * k));
    EXPECT_EQ(Cell(form, "ImageBoart2", row)->toolTip(),
              QStringLiteral("0.%1").arg(p.SlitStep[k]) + QLatin1Char('0'));
    EXPECT_EQ(Cell(form, "ImageBoart3", row)->pixmap().toImage(), boats[p.Entry[k] + 5]);
    EXPECT_EQ(Cell(form, "ImageBoart3", row)->pos(), QPoint(20 * p.SlitStep[k] + 10, 20 + 20 * k));
    EXPECT_FALSE(Cell(form, "LabelBoart3", row)
                     ->geometry()
                     .intersects(Cell(form, "ImageBoart3", row)->geometry()));
    EXPECT_EQ(Cell(form, "LabelBoart3", row)->text(), ui::TurnMoveText(p.Turn[k]));
    EXPECT_TRUE(
        QStringList({QStringLiteral("逃げ"), QStringLiteral("まくり"), QStringLiteral("差し")})
            .contains(Cell(form, "LabelBoart3", row)->text()));
  }
  EXPECT_EQ(Find<QLabel>(form, "LabelRace2Chekt")->text(), QStringLiteral("推奨 ２連単　"));
  EXPECT_EQ(Find<QLabel>(form, "LabelRace3Chekt")->text(), QStringLiteral("推奨 ３連単　"));
  for (std::size_t row = 0; row < 6; ++row) {
    const QString exacta = QString::fromStdString(testsupport::Text(p.Ken2T[row]));
    EXPECT_EQ(Cell(form, "Funa2Ken", row, 0)->text() + QLatin1Char('-') +
                  Cell(form, "Funa2Ken", row, 1)->text(),
              exacta);
    EXPECT_EQ(Cell(form, "Funa2KenY", row)->text(), QStringLiteral("－"));
    EXPECT_EQ(
        Digits(row),
        QString::fromStdString(testsupport::Text(p.Ken3T[row])).remove(QLatin1Char('&')).remove(QLatin1Char('-')));
    EXPECT_EQ(Cell(form, "Funa3KenY", row, 0)->text(),
              row < 3 ? QStringLiteral("≡") : QStringLiteral("－"));
    const int lane = Cell(form, "Funa3Ken", row, 1)->text().toInt();
    EXPECT_EQ(ui::Background(Cell(form, "Funa3Ken", row, 1)), ui::LaneColor(lane));
    EXPECT_EQ(ui::TextColor(Cell(form, "Funa3Ken", row, 1)), ui::LaneFontColor(lane));
  }
  EXPECT_EQ(form.OuterHeight(), 522);
  EXPECT_EQ(Find<QWidget>(form, "Client")->height(), 477);
  for (QWidget* shown :
       {Find<QWidget>(form, "Panel3"), Find<QWidget>(form, "Panel4"), Find<QWidget>(form, "Panel5"),
        Find<QWidget>(form, "TabSyouShiki"), Find<QWidget>(form, "Panel2")}) {
    EXPECT_FALSE(shown->isHidden()) << shown->objectName().toStdString();
  }
  EXPECT_TRUE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel8")->isHidden());

  // The tab redraws without predicting again; the menu item predicts as the button does.
  Find<QTabBar>(form, "TabSyouShikiTabs")->setCurrentIndex(1);
  EXPECT_EQ(Find<QLabel>(form, "LabelRace2Chekt")->text(), QStringLiteral("推奨 ２連複　"));
  EXPECT_EQ(Find<QLabel>(form, "LabelRace3Chekt")->text(), QStringLiteral("推奨 ３連複　"));
  EXPECT_EQ(Cell(form, "Funa2Ken", 1, 0)->text() + QLatin1Char('-') +
                Cell(form, "Funa2Ken", 1, 1)->text(),
            QString::fromStdString(testsupport::Text(p.Ken2F[1])));
  EXPECT_EQ(Cell(form, "Funa3KenY", 0, 1)->text(), QStringLiteral("－"));
  Action(form, "N5")->trigger();
  EXPECT_EQ(Find<QLabel>(form, "LabelRace2Chekt")->text(), QStringLiteral("推奨 ２連複　"));

  // A race change hides the prediction and brings the button back; tab and page stay.
  Find<QTabWidget>(form, "YosouPanel")->setCurrentIndex(0);
  ChooseRace(8);
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_TRUE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_FALSE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  Find<QPushButton>(form, "BtnEditData")->click();
  EXPECT_EQ(Find<QTabBar>(form, "TabSyouShikiTabs")->currentIndex(), 1);
  EXPECT_EQ(Find<QTabWidget>(form, "YosouPanel")->currentIndex(), 0);
}

// The ticket sheets on their own: headings and cells follow every sale a venue can have, on
// either tab; the card words each sale.
TEST(TicketSheetsTest, HeadingsFollowEachSaleAndTab) {
  QWidget host;
  ui::TicketSheets sheets(&host);
  TPrediction prediction;
  prediction.Ken2T = testing::kKen2T;
  prediction.Ken2F = testing::kKen2F;
  prediction.Ken3T = testing::kKen3T;
  prediction.Ken3F = testing::kKen3F;
  struct Case {
    TicketSale sale;
    const char* words;  // as the card says it
    int tab;
    const char* heading2;
    const char* heading3;
  };
  const Case cases[] = {
      {TicketSale::ExactaQuinella, "２連単複", 0, "推奨 ２連単　", "　発売なし　"},
      {TicketSale::ExactaQuinella, "２連単複", 1, "推奨 ２連複　", "　発売なし　"},
      {TicketSale::Exacta, "２連単", 0, "推奨 ２連単　", "　発売なし　"},
      {TicketSale::Exacta, "２連単", 1, "　発売なし　", "　発売なし　"},
      {TicketSale::Quinella, "２連複", 0, "　発売なし　", "　発売なし　"},
      {TicketSale::Quinella, "２連複", 1, "推奨 ２連複　", "　発売なし　"},
      {TicketSale::All, "３連単複", 0, "推奨 ２連単　", "推奨 ３連単　"},
      {TicketSale::All, "３連単複", 1, "推奨 ２連複　", "推奨 ３連複　"},
      {TicketSale::None, "", 0, "　発売なし　", "　発売なし　"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ui::SaleWords(c.sale), QString::fromUtf8(c.words));
    sheets.Show(TicketsFromLists(c.sale, prediction.Ken2T, prediction.Ken2F, prediction.Ken3T, prediction.Ken3F),
                c.tab == 0);
    EXPECT_EQ(Find<QLabel>(host, "LabelRace2Chekt")->text(), QString::fromUtf8(c.heading2))
        << c.words << c.tab;
    EXPECT_EQ(Find<QLabel>(host, "LabelRace3Chekt")->text(), QString::fromUtf8(c.heading3))
        << c.words << c.tab;
    const bool twoShown = QString::fromUtf8(c.heading2).startsWith(QStringLiteral("推奨"));
    EXPECT_EQ(Cell(host, "Funa2Ken", 0, 0)->text().isEmpty(), !twoShown);
    if (!twoShown) {
      EXPECT_EQ(ui::Background(Cell(host, "Funa2Ken", 5, 1)), QColor(0x80, 0x80, 0x80));
      EXPECT_TRUE(Cell(host, "Funa2KenY", 5)->text().isEmpty());
    }
  }
}

TEST_F(PredictionViewTest, MissingStatisticsFileShowsItsMessageAndNothingElse) {
  // The day alone in its folder, the working folder elsewhere.
  std::filesystem::create_directories(dir.path() / "day");
  std::filesystem::copy_file((kSamples + QStringLiteral("/B060415.TXT")).toStdString(),
                             dir.PathOf("day/B060415.TXT"));
  desktop.fileAnswers.push_back(QString::fromStdString(dir.PathOf("day/B060415.TXT")));
  ASSERT_TRUE(form.ChooseProgramFile());
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  // A web page saved under the name is passed over and named.
  dir.Write("day/Fan0510.txt", "<!DOCTYPE html>\r\n<html><body>ログイン</body></html>\r\n");
  Find<QPushButton>(form, "BtnEditData")->click();
  ASSERT_EQ(desktop.messages.size(), 1);
  // The fixed message first, then where it looked, what it passed over and why, and the mode
  // that needs no statistics file.
  const QString path = QString::fromStdString(dir.path().string());
  EXPECT_EQ(desktop.messages[0],
            QStringLiteral("FAN手帳\"data\\FAN0510.TXT\"がありません。\n\n探したファイル:") +
                QStringLiteral("\n  %1/day/Fan0510.txt\n  %1/day/fan0604.txt\n  %1/day/fan0604.lzh"
                               "\n  %1/Fan0510.txt\n  %1/fan0604.txt\n  %1/fan0604.lzh")
                    .arg(path) +
                QStringLiteral("\n(期のファイル fanYYMM は、それより前の期のものも使います。)"
                               "\n\n見つかったが使わなかったファイル:\n  %1/day/Fan0510.txt: "
                               "HTMLのページです(ログイン画面やエラー画面など)。")
                    .arg(path) +
                QStringLiteral("\n\nデータ予想(設定 → 予想方式 → データ)なら、"
                               "このファイルがなくても予想できます。"));
  desktop.messages.clear();
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_TRUE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_FALSE(Find<QPushButton>(form, "BtnEditData")->isHidden());
  EXPECT_TRUE(form.Prediction().Ken2T[0].Empty());
  // Any letter case of the name is found, the page beside the day passed over; the panels name
  // the file used.
  std::filesystem::copy_file((kSamples + QStringLiteral("/Fan0510.txt")).toStdString(),
                             dir.PathOf("FAN0510.TXT"));
  Find<QPushButton>(form, "BtnEditData")->click();
  EXPECT_TRUE(desktop.messages.isEmpty());
  EXPECT_FALSE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_EQ(
      Find<QFrame>(form, "Panel4")->toolTip(),
      QStringLiteral("予想に使ったFAN手帳: ") + QString::fromStdString(dir.PathOf("FAN0510.TXT")));
}

TEST_F(PredictionViewTest, BlankMotorNumberStopsTheRunAndKeepsThePreviousPrediction) {
  auto venue = SampleVenue("04", 12, 3);
  venue.races[1].racers[4].mtno = "   ";
  std::string stats;
  for (const auto& race : venue.races) {
    for (const auto& racer : race.racers) stats += BuildStatsRecord(StatsFor(racer.racerNo, 1));
  }
  dir.Write("Fan0510.txt", stats);
  desktop.fileAnswers.push_back(
      QString::fromStdString(dir.Write("B060415.TXT", BuildProgramFile({venue}))));
  WorkingFolder folder(QString::fromStdString(dir.path().string()));
  ASSERT_TRUE(form.ChooseProgramFile());
  Find<QPushButton>(form, "BtnEditData")->click();
  ASSERT_TRUE(desktop.messages.isEmpty());
  const TPrediction first = form.Prediction();
  const QString firstTicket = Cell(form, "Funa2Ken", 0, 0)->text();
  ChooseRace(2);
  Action(form, "N5")->trigger();
  EXPECT_EQ(desktop.messages, QStringList{QStringLiteral("'   ' は整数ではありません")});
  EXPECT_EQ(form.Prediction().Ken3T, first.Ken3T);
  EXPECT_EQ(Cell(form, "Funa2Ken", 0, 0)->text(), firstTicket);
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_TRUE(Find<QFrame>(form, "Panel3")->isHidden());
}

TEST_F(PredictionViewTest, EveryRaceOfTheSampleDayPredicts) {
  WorkingFolder folder(kSamples);
  LoadSampleDay();
  int races = 0;
  for (int venue = 0; venue < Find<QComboBox>(form, "SelectC")->count(); ++venue) {
    ChooseVenue(venue);
    for (int race = 1; race <= Find<QComboBox>(form, "SelectR")->count(); ++race) {
      ChooseRace(race);
      EXPECT_TRUE(form.PredictShownRace()) << venue << " " << race;
      ++races;
    }
  }
  EXPECT_EQ(races, 69);
  EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(PredictionViewTest, InResultCheckModeThePredictionStaysOutOfSight) {
  WorkingFolder folder(kSamples);
  LoadSampleDay();
  Action(form, "N3")->trigger();
  ASSERT_TRUE(form.PredictShownRace());
  EXPECT_EQ(form.OuterHeight(), 348);
  // No check runs, so its progress overlay stays away too.
  for (QWidget* hidden :
       {Find<QWidget>(form, "Panel3"), Find<QWidget>(form, "Panel4"), Find<QWidget>(form, "Panel5"),
        Find<QWidget>(form, "TabSyouShiki"), Find<QWidget>(form, "Panel2"),
        Find<QWidget>(form, "BtnEditData"), Find<QWidget>(form, "Panel9")}) {
    EXPECT_TRUE(hidden->isHidden()) << hidden->objectName().toStdString();
  }
  EXPECT_FALSE(Find<QFrame>(form, "Panel8")->isHidden());
}

// A change of mode or of the data mode's model forecasts the race on screen again at once: the
// other mode's or the old model's prediction never stays up under the new one.
TEST_F(PredictionViewTest, ModeOrModelChangeForecastsTheRaceOnScreenAgain) {
  WorkingFolder folder(kSamples);
  LoadSampleDay();
  ChooseRace(3);
  Find<QPushButton>(form, "BtnEditData")->click();
  const QString standardTickets = Digits(0);
  ASSERT_FALSE(Find<QFrame>(form, "Panel3")->isHidden());

  Action(form, "ModeData")->trigger();
  ASSERT_TRUE(form.LastDataForecast().has_value());
  EXPECT_FALSE(Find<QFrame>(form, "PanelChance")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_FALSE(Find<QLabel>(form, "LabelChance11")->text().isEmpty());
  EXPECT_EQ(form.OuterHeight(), TMainForm::kFullHeight);

  // A model that finds no bet worth its stake: every sheet says 見送り as soon as it is in use.
  DataModel cautious = form.CurrentDataModel();
  for (BetType bet : kBetTypes) cautious.threshold[bet] = 1e9;
  form.UseDataModel(std::make_shared<const DataModel>(cautious));
  ASSERT_TRUE(form.LastDataForecast().has_value());
  for (BetType bet : kBetTypes) EXPECT_EQ(form.LastDataForecast()->skipped[bet], form.LastDataForecast()->tickets.onSale[bet]);
  EXPECT_FALSE(Find<QLabel>(form, "LabelMiokuri2")->isHidden());
  EXPECT_FALSE(Find<QLabel>(form, "LabelMiokuri3")->isHidden());

  Action(form, "ModeStandard")->trigger();
  EXPECT_FALSE(form.LastDataForecast().has_value());
  EXPECT_FALSE(Find<QFrame>(form, "Panel3")->isHidden());
  EXPECT_TRUE(Find<QFrame>(form, "PanelChance")->isHidden());
  EXPECT_TRUE(Find<QLabel>(form, "LabelMiokuri3")->isHidden());
  EXPECT_EQ(Digits(0), standardTickets);

  // Nothing predicted: a change of mode predicts nothing either.
  ChooseRace(4);
  Action(form, "ModeData")->trigger();
  EXPECT_FALSE(form.LastDataForecast().has_value());
  EXPECT_TRUE(Find<QFrame>(form, "PanelChance")->isHidden());
  EXPECT_EQ(form.OuterHeight(), TMainForm::kRaceCardHeight);
  EXPECT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join(QLatin1Char('|')).toStdString();
}

// The slit boat moves 20 pixels left and the boat after the first turn 20 right for each tenth
// of a second of its start.
TEST(StartPictures, PlacesFollowEachBoatsStep) {
  struct Case {
    int step, slitLeft, turnLeft;
  };
  TPrediction p;
  p.Entry = {0, 3, 1, 2, 6, 5, 4};
  const Case cases[] = {{0, 100, 10}, {1, 80, 30}, {2, 60, 50}, {3, 40, 70}, {-1, 120, -10}};
  for (const Case& c : cases) {
    p.SlitStep[3] = c.step;
    const ui::StartPlacements placed = ui::PlaceBoats(p);
    EXPECT_EQ(placed.slit[2].left, c.slitLeft) << c.step;
    EXPECT_EQ(placed.turn[2].left, c.turnLeft) << c.step;
    // Course 3's boat is lane 2's: its picture faces right at entry and slit, left after the turn.
    EXPECT_EQ(placed.entry[2].image, 1);
    EXPECT_EQ(placed.slit[2].image, 1);
    EXPECT_EQ(placed.turn[2].image, 7);
  }
}

// Whatever the starts, each winning-move word stands whole on the water of the first-turn panel
// and over no boat: the earliest boat's word behind it where the panel's edge leaves no room
// before it, the later ones' before them; the panel and its printed copy are the same widgets.
TEST(StartPictures, SlitHintsAndTurnWordsAreWorded) {
  const std::pair<int, const char*> hints[] = {{0, "0.00"},  {1, "0.10"},   {9, "0.90"},  {10, "1.00"},
                                               {25, "2.50"}, {-1, "-0.10"}, {-12, "-1.20"}};
  for (const auto& [step, hint] : hints) EXPECT_EQ(ui::SlitHintText(step), QString::fromLatin1(hint)) << step;
  EXPECT_EQ(ui::TurnMoveText(TurnMove::Escape), QStringLiteral("逃げ"));
  EXPECT_EQ(ui::TurnMoveText(TurnMove::Roll), QStringLiteral("まくり"));
  EXPECT_EQ(ui::TurnMoveText(TurnMove::Cut), QStringLiteral("差し"));
}

TEST(StartPictures, TurnWordsStayOnTheWaterAndOffTheBoats) {
  QWidget window;
  ui::StartPanels panels(&window);
  auto* panel = Find<QFrame>(window, "Panel5");
  const QRect water = Find<QLabel>(*panel, "Image3")->geometry();
  const std::array<int, 6> patterns[] = {
      {0, 0, 0, 0, 0, 0}, {1, 1, 1, 1, 1, 1}, {2, 2, 2, 2, 2, 2},  {3, 3, 3, 3, 3, 3},
      {0, 1, 2, 3, 2, 1}, {3, 0, 2, 0, 1, 0}, {-1, 4, 0, 5, 9, 1}, {1, 0, 1, 0, 2, 0}};
  for (const auto& steps : patterns) {
    TPrediction p;
    p.Entry = {0, 1, 2, 3, 4, 5, 6};
    for (int k = 1; k <= 6; ++k) {
      p.SlitStep[k] = steps[k - 1];
      p.Turn[k] = TurnMoveFor(steps[k - 1]);
    }
    panels.Show(p, {});
    for (std::size_t row = 0; row < 6; ++row) {
      const QLabel* word = Cell(*panel, "LabelBoart3", row);
      const QRect inked(word->pos(), QSize(word->fontMetrics().horizontalAdvance(word->text()),
                                           word->fontMetrics().height()));
      EXPECT_TRUE(water.contains(word->geometry())) << "row " << row << " step " << steps[row];
      EXPECT_GE(word->width(), inked.width());
      for (std::size_t boat = 0; boat < 6; ++boat) {
        EXPECT_FALSE(word->geometry().intersects(Cell(*panel, "ImageBoart3", boat)->geometry()))
            << "word of row " << row << " (step " << steps[row] << ") over the boat of row "
            << boat;
      }
    }
  }
}

}  // namespace
}  // namespace wakorin
