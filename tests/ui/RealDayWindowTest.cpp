// A real day of today's official files through the window: venues, cards, predictions and the
// result grid of every venue.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <filesystem>

#include "tests/TempFiles.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"
#include "ui/Widgets.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;
const fs::path kRealData = WAKORIN_REALDATA_DIR;

class RealDayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kRealData / "B240401.TXT")) GTEST_SKIP() << "no real data beside the project";
    fs::copy_file(kRealData / "B240401.TXT", dir.path() / "B240401.TXT");
    fs::copy_file(kRealData / "K240401.TXT", dir.path() / "K240401.TXT");
    // Today's statistics file, saved under the name the application looks for.
    fs::copy_file(kRealData / "fan1904.txt", dir.path() / "Fan0510.txt");
    previous = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(dir.path().string()));
    desktop.fileAnswers.push_back(QString::fromStdString(dir.PathOf("B240401.TXT")));
    ASSERT_TRUE(form.MainView());
  }
  void TearDown() override {
    if (!previous.isEmpty()) QDir::setCurrent(previous);
  }
  void ChooseVenue(int index) {
    form.SelectC->setCurrentIndex(index);
    emit form.SelectC->activated(index);
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  QString previous;
};

TEST_F(RealDayWindowTest, VenuesCardsAndPredictions) {
  ASSERT_EQ(form.SelectC->count(), 11);
  EXPECT_EQ(form.SelectC->itemText(0), QStringLiteral("戸　田    [全12R]"));
  EXPECT_EQ(form.SelectC->itemText(10), QStringLiteral("大　村    [全12R]"));
  // The file's last venue first: 戸田 (02); its first race's card.
  EXPECT_EQ(form.LabelRName->text().trimmed(), QStringLiteral("予選"));
  EXPECT_FALSE(form.LabelDName->text().isEmpty());
  EXPECT_TRUE(form.LabelDDate->text().startsWith(QStringLiteral("２０２４年")));
  for (int venue = 0; venue < form.SelectC->count(); ++venue) {
    ChooseVenue(venue);
    ASSERT_EQ(form.SelectR->count(), 12);
    for (int race = 0; race < 12; ++race) {
      form.SelectR->setCurrentIndex(race);
      emit form.SelectR->activated(race);
      EXPECT_TRUE(form.PredictShownRace()) << venue << " " << race;
    }
  }
  EXPECT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join(QLatin1Char('|')).toStdString();
}

TEST_F(RealDayWindowTest, ResultGridOfEveryVenue) {
  form.N3->trigger();
  int hits = 0;
  for (int venue = 0; venue < form.SelectC->count(); ++venue) {
    ChooseVenue(venue);
    form.BBtnKekka->click();
    ASSERT_TRUE(desktop.messages.isEmpty()) << venue;
    for (int r = 0; r < 12; ++r) {
      EXPECT_FALSE(form.LabelKekka3T[r]->text().isEmpty()) << venue << " " << r;
      hits += ui::Background(form.LabelKekka2F[r]) == QColor(Qt::red);
    }
    if (form.SelectC->currentText().startsWith(QStringLiteral("浜名湖"))) {
      // Races 9 to 12 were cancelled that day.
      EXPECT_EQ(form.LabelKekka3T[8]->text(), QStringLiteral("中　止"));
      EXPECT_EQ(form.LabelKekka2F[11]->text(), QStringLiteral("中　止"));
      EXPECT_TRUE(form.LabelKekka2FR[11]->text().isEmpty());
      EXPECT_TRUE(form.LabelKekka3TR[7]->text().endsWith(QStringLiteral("円")));
    }
  }
  EXPECT_GT(hits, 0);
}

}  // namespace
}  // namespace wakorin
