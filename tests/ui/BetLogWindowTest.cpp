// The recommended tickets of a real race recorded from the window, the day's results brought from
// a local server, and the balance window showing them settled; the record dialog refusing what
// cannot be bought.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <filesystem>
#include <optional>

#include "app/Application.h"
#include "app/Settings.h"
#include "tests/TempFiles.h"
#include "tests/app/ArchiveServer.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"
#include "ui/ledger/BalanceWindow.h"
#include "ui/ledger/RecordDialog.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::Find;

const std::filesystem::path kSeason = std::filesystem::path(WAKORIN_REALDATA_DIR) / "season2024";

QByteArray FileBytes(const std::filesystem::path& path) {
  const std::string bytes = testing::ReadAll(path);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

class BetLogWindowTest : public ::testing::Test {
 protected:
  BetLogWindowTest() {
    qputenv("WAKORIN_DAY_FILES_URL", server.DayFiles().toUtf8());
    qputenv("WAKORIN_RACER_FILES_URL", server.RacerFiles().toUtf8());
    settings::SetDataFolder(QString::fromStdString(data.path().string()));
    settings::SetLastFileFolder(QString());
    settings::SetLastDownloadDay(QDate());
    app.emplace(form, desktop);
  }
  ~BetLogWindowTest() override {
    app.reset();
    qunsetenv("WAKORIN_DAY_FILES_URL");
    qunsetenv("WAKORIN_RACER_FILES_URL");
    settings::SetDataFolder(QString());
  }
  // Opens 2024-07-10 from the data folder and shows 大村 `race`.
  bool OpenOmura(int race = 1) {
    std::filesystem::copy_file(kSeason / "b240710.lzh", data.path() / "b240710.lzh");
    if (!form.OpenProgramFile(QString::fromStdString((data.path() / "b240710.lzh").string()))) return false;
    auto* venues = Find<QComboBox>(form, "SelectC");
    int omura = -1;
    for (int k = 0; k < venues->count(); ++k) {
      if (venues->itemText(k).remove(QChar(0x3000)).startsWith(QStringLiteral("大村"))) omura = k;
    }
    if (omura < 0) return false;
    venues->setCurrentIndex(omura);
    form.ShowChosenVenue(omura);
    Find<QComboBox>(form, "SelectR")->setCurrentIndex(race - 1);
    form.ShowChosenRace(race - 1);
    return form.SelectedRace() == race;
  }
  ui::RecordDialog* OpenDialog() {
    Action(form, "BetRecord")->trigger();
    return app->Ledger().Dialog();
  }

  testing::ArchiveServer server;
  testing::TempDir data;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  std::optional<Application> app;
};

TEST_F(BetLogWindowTest, RecommendedTicketsAreSettledOnceTheResultsAreDownloaded) {
  if (!std::filesystem::exists(kSeason / "k240710.lzh")) GTEST_SKIP() << "no real files beside the project";
  server.Serve(QStringLiteral("/od2/B/202407/b240710.lzh"), FileBytes(kSeason / "b240710.lzh"));
  server.Serve(QStringLiteral("/od2/K/202407/k240710.lzh"), FileBytes(kSeason / "k240710.lzh"));
  server.Serve(QStringLiteral("/kibetsu/fan2404.lzh"), FileBytes(std::filesystem::path(WAKORIN_REALDATA_DIR) / "fan1904.lzh"));
  ASSERT_TRUE(OpenOmura(6));
  // The data mode needs no statistics file; its trifecta sheet on screen.
  form.SetPredictionMode(PredictionMode::Data);
  ASSERT_TRUE(form.PredictShownRace());
  Find<QTabWidget>(form, "YosouPanel")->setCurrentIndex(1);
  ui::RecordDialog* dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  Find<QLineEdit>(*dialog, "Stake")->setText(QStringLiteral("200"));
  Find<QPushButton>(*dialog, "RecordRecommended")->click();
  EXPECT_TRUE(Find(*dialog, "Reason")->text().isEmpty()) << Find(*dialog, "Reason")->text().toStdString();
  QCoreApplication::processEvents();
  const auto recorded = app->Ledger().Log()->EntriesOf(20240710);
  ASSERT_EQ(recorded.size(), 6u);
  for (const auto& e : recorded) {
    EXPECT_EQ(e.settled, ledger::Settled::Open);
    EXPECT_EQ(e.venue, QStringLiteral("24"));
    EXPECT_EQ(e.bet, AnyBet::Trifecta);
  }
  // One purchase, listed as one line of six.
  EXPECT_EQ(Find<QTreeWidget>(*dialog, "Entries")->topLevelItemCount(), 1);

  desktop.dateAnswers.push_back(QDate(2024, 7, 10));
  Action(form, "DtDownload")->trigger();
  EXPECT_TRUE(QFile::exists(QString::fromStdString((data.path() / "k240710.lzh").string())));

  // 大村 2024-07-10 6R finished 2-1-5, ３連単 900 yen per 100 (K240710.TXT), one of the six.
  int hits = 0;
  for (const auto& e : app->Ledger().Log()->EntriesOf(20240710)) {
    const bool hit = e.boats == Combination{{2, 1, 5}, 3};
    hits += hit ? 1 : 0;
    EXPECT_EQ(e.settled, hit ? ledger::Settled::Paid : ledger::Settled::Loss) << ledger::BoatsText(e.boats).toStdString();
    EXPECT_EQ(e.payout, hit ? 1800 : 0);
  }
  EXPECT_EQ(hits, 1);
  Action(form, "BetBalance")->trigger();
  ui::BalanceWindow* balance = app->Ledger().Balance();
  ASSERT_NE(balance, nullptr);
  EXPECT_EQ(Find(*balance, "TotalStake")->text(), QStringLiteral("1,200円"));
  EXPECT_EQ(Find(*balance, "TotalPayout")->text(), QStringLiteral("1,800円"));
  EXPECT_EQ(Find(*balance, "TotalBalance")->text(), QStringLiteral("+600円"));
  EXPECT_EQ(Find(*balance, "TotalReturn")->text(), QStringLiteral("150.0%"));
  EXPECT_EQ(Find(*balance, "TotalOpen")->text(), QStringLiteral("0円"));
  // The CSV names the venue and starts with a byte order mark; the button writes it where chosen.
  const QString csvPath = QString::fromStdString((data.path() / "balance.csv").string());
  desktop.saveAnswers.push_back(csvPath);
  Find<QPushButton>(*balance, "ExportCsv")->click();
  QFile written(csvPath);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  const QByteArray csv = written.readAll();
  EXPECT_EQ(csv, balance->CsvText());
  EXPECT_TRUE(csv.startsWith("\xEF\xBB\xBF"));
  EXPECT_TRUE(QString::fromUtf8(csv).contains(QStringLiteral("2024/07/10,大村,6,３連単,2-1-5,200,的中,1800")));
}

// What cannot be bought is refused with its reason, and nothing is recorded.
TEST_F(BetLogWindowTest, TheDialogRefusesWhatCannotBeBought) {
  if (!std::filesystem::exists(kSeason / "b240710.lzh")) GTEST_SKIP() << "no real files beside the project";
  ASSERT_TRUE(OpenOmura());
  ui::RecordDialog* dialog = OpenDialog();
  ASSERT_NE(dialog, nullptr);
  auto* shape = Find<QComboBox>(*dialog, "Form");
  auto* bet = Find<QComboBox>(*dialog, "BetType");
  auto* typed = Find<QLineEdit>(*dialog, "Typed");
  auto* stake = Find<QLineEdit>(*dialog, "Stake");
  auto* race = Find<QSpinBox>(*dialog, "Race");
  auto check = [&](const char* boxes) {
    for (int place = 1; place <= 3; ++place) {
      for (int boat = 1; boat <= 6; ++boat) {
        Find<QCheckBox>(*dialog, QStringLiteral("Boat%1_%2").arg(place).arg(boat))->setChecked(false);
      }
    }
    // "1:23" checks boats 2 and 3 of place 1.
    for (const char* at = boxes; *at != 0;) {
      const int place = *at - '0';
      for (at += 2; *at >= '1' && *at <= '6'; ++at) {
        Find<QCheckBox>(*dialog, QStringLiteral("Boat%1_%2").arg(place).arg(*at - '0'))->setChecked(true);
      }
      if (*at == ' ') ++at;
    }
  };
  struct Case {
    const char* what;
    int form, bet;  // indices in the lists
    const char* typed;
    const char* boxes;
    const char* stake;
    int race;
    const char* reason;
  };
  const Case cases[] = {
      {"a boat twice", 0, 5, "1-1-3", "", "100", 1, "同じ艇が二度"},
      {"a boat 7", 0, 5, "1-2-7", "", "100", 1, "艇番は1～6"},
      {"a formation with nothing", 2, 5, "", "1:1 2:1 3:2", "100", 1, "組み合わせが一つもできません"},
      {"a stake of 0", 0, 5, "1-2-3", "", "0", 1, "0円以下"},
      {"not in 100-yen units", 0, 5, "1-2-3", "", "150", 1, "100円単位"},
      {"a race the venue does not have", 0, 5, "1-2-3", "", "100", 13, "までです"},
  };
  for (const Case& c : cases) {
    shape->setCurrentIndex(c.form);
    bet->setCurrentIndex(c.bet);
    typed->setText(QString::fromLatin1(c.typed));
    check(c.boxes);
    stake->setText(QString::fromLatin1(c.stake));
    race->setValue(c.race);
    EXPECT_FALSE(dialog->RecordEntered()) << c.what;
    EXPECT_TRUE(Find(*dialog, "Reason")->text().contains(QString::fromUtf8(c.reason)))
        << c.what << ": " << Find(*dialog, "Reason")->text().toStdString();
  }
  EXPECT_TRUE(app->Ledger().Log()->Entries().empty());
  // A formation 1 - 2,3 - 2,3,4 of trifecta: four combinations, counted before saving.
  shape->setCurrentIndex(2);
  typed->clear();
  check("1:1 2:23 3:234");
  stake->setText(QStringLiteral("300"));
  race->setValue(1);
  EXPECT_EQ(Find(*dialog, "Count")->text(), QStringLiteral("4点　合計 1,200円"));
  EXPECT_TRUE(dialog->RecordEntered());
  EXPECT_EQ(app->Ledger().Log()->EntriesOf(20240710).size(), 4u);

  // Listed as one purchase of four; one combination deleted, then the stake of what is left
  // changed, then the whole purchase deleted.
  auto* entries = Find<QTreeWidget>(*dialog, "Entries");
  ASSERT_EQ(entries->topLevelItemCount(), 1);
  ASSERT_EQ(entries->topLevelItem(0)->childCount(), 4);
  entries->topLevelItem(0)->child(1)->setSelected(true);
  EXPECT_TRUE(dialog->DeleteSelected());
  ASSERT_EQ(entries->topLevelItem(0)->childCount(), 3);
  stake->setText(QStringLiteral("500"));
  entries->topLevelItem(0)->setSelected(true);
  EXPECT_TRUE(dialog->ChangeSelectedStake());
  for (const auto& e : app->Ledger().Log()->EntriesOf(20240710)) EXPECT_EQ(e.stake, 500);
  entries->topLevelItem(0)->setSelected(true);
  EXPECT_TRUE(dialog->DeleteSelected());
  EXPECT_TRUE(app->Ledger().Log()->Entries().empty());
}

// A log that cannot be used is named once at start, the day still opens, and the file is not
// touched; the commands name it again rather than making another.
TEST_F(BetLogWindowTest, ADamagedLogIsNamedOnceAndLeftAlone) {
  const QString path = QString::fromStdString((data.path() / "betlog.sqlite").string());
  {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a database, but a fan's notes\n");
  }
  app.emplace(form, desktop);  // opens the log of the data folder, as a start does
  const QString day = QString::fromStdString(data.Write("B060415.TXT", testing::ReadAll(WAKORIN_SAMPLES_DIR "/B060415.TXT")));
  ASSERT_TRUE(app->Start(std::make_unique<TTitleForm>(), {day}));
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("壊れている"))) << desktop.messages[0].toStdString();
  EXPECT_TRUE(desktop.messages[0].contains(path));
  EXPECT_NE(form.Day(), nullptr);
  Action(form, "BetRecord")->trigger();
  EXPECT_EQ(desktop.messages.size(), 2);
  EXPECT_EQ(app->Ledger().Dialog(), nullptr);
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("not a database, but a fan's notes\n"));
  EXPECT_EQ(QDir(QString::fromStdString(data.path().string())).entryList(QDir::Files),
            (QStringList{QStringLiteral("B060415.TXT"), QStringLiteral("betlog.sqlite")}));
  form.hide();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace wakorin
