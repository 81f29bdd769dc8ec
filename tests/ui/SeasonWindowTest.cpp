// The season window: its totals, CSV and chart against the checker's on the real season, a check
// stopped half way, the chart's series against a season worked by hand, and a day opened from the
// chart in the main window's result-check mode.
#include <gtest/gtest.h>

#include <QAbstractBarSeries>
#include <QAction>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QLineSeries>
#include <QProcess>
#include <QProgressBar>
#include <QTableWidget>
#include <QThread>
#include <QToolTip>
#include <QMouseEvent>
#include <QTest>
#include <filesystem>
#include <map>
#include <sstream>

#include "app/Application.h"
#include "app/Settings.h"
#include "predict/DefaultModel.h"
#include "tests/TempFiles.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"
#include "ui/season/SeasonChart.h"
#include "ui/season/SeasonWindow.h"

namespace wakorin {
namespace {

using testing::Find;

const std::filesystem::path kReal = WAKORIN_REALDATA_DIR;
const std::filesystem::path kSeason = kReal / "season2024";

// The checker's summary lines by bet type: races bet, hits, stake, return, refund (yen).
std::map<QString, std::vector<long long>> CheckerTally(const QStringList& arguments, QByteArray* out = nullptr) {
  QProcess checker;
  checker.start(QStringLiteral(WAKORIN_CHECK_TOOL), arguments);
  EXPECT_TRUE(checker.waitForFinished(600000));
  const QByteArray text = checker.readAllStandardOutput();
  if (out != nullptr) *out = text;
  std::map<QString, std::vector<long long>> tally;
  for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'))) {
    QStringList words = line.simplified().remove(QStringLiteral("円")).split(QLatin1Char(' '));
    if (words.size() < 8 || (!words[0].startsWith(QChar(0xff12)) && !words[0].startsWith(QChar(0xff13)))) continue;
    if (words.size() == 9) words.removeAt(2);  // the data mode's races skipped
    if (tally.count(words[0]) != 0) continue;  // the log-loss table's lines come later
    tally[words[0]] = {words[1].toLongLong(), words[2].toLongLong(), words[4].toLongLong(),
                       words[5].toLongLong(), words[6].toLongLong()};
  }
  return tally;
}

long long Number(QTableWidget* table, int row, int column) {
  return table->item(row, column)->text().remove(QLatin1Char(',')).remove(QStringLiteral("円")).toLongLong();
}

std::string ReadBytes(const std::filesystem::path& path) { return testing::ReadAll(path); }

TEST(SeasonWindow, TotalsCsvAndChartAreTheCheckersOnTheRealSeason) {
  if (!std::filesystem::exists(kSeason / "k240831.lzh")) GTEST_SKIP() << "no real season beside the project";
  testing::TempDir out;
  const QString season = QString::fromStdString(kSeason.string());
  const QString stats = QString::fromStdString((kReal / "fan1904.txt").string());
  const QString png = QString::fromStdString((out.path() / "plot.png").string());
  const auto standard = CheckerTally({QStringLiteral("-q"), QStringLiteral("-s"), stats, QStringLiteral("--csv"),
                                      QString::fromStdString((out.path() / "standard.csv").string()), season});
  const auto data = CheckerTally({QStringLiteral("-q"), QStringLiteral("--mode"), QStringLiteral("data"),
                                  QStringLiteral("--plot"), png, QStringLiteral("--csv"),
                                  QString::fromStdString((out.path() / "data.csv").string()), season});
  ASSERT_EQ(standard.size(), 4u);
  ASSERT_EQ(data.size(), 4u);

  testing::ScriptedDesktop desktop;
  ui::SeasonWindow window(desktop);
  window.SetModelSource([] { return SharedDefaultModel(); });
  window.SetFolder(season);
  Find<QLineEdit>(window, "SeasonStatsFile")->setText(stats);
  window.SetModes(ui::SeasonWindow::Modes::Both);
  ASSERT_TRUE(window.Start());
  window.WaitForEnd();
  ASSERT_EQ(window.Runs().size(), 2u);

  auto* totals = Find<QTableWidget>(window, "SeasonTotals");
  ASSERT_EQ(totals->rowCount(), 12);  // four bet types of each mode, and of the six favourites
  for (int row = 0; row < 8; ++row) {
    const auto& checker = row < 4 ? standard : data;
    const QString bet = totals->item(row, 1)->text();
    ASSERT_EQ(checker.count(bet), 1u) << bet.toStdString();
    const std::vector<long long>& expected = checker.at(bet);
    EXPECT_EQ(Number(totals, row, 3), expected[0]) << row;  // races bet
    EXPECT_EQ(Number(totals, row, 5), expected[1]) << row;  // hits
    EXPECT_EQ(Number(totals, row, 7), expected[2]) << row;  // stake
    EXPECT_EQ(Number(totals, row, 8), expected[3]) << row;  // paid
    EXPECT_EQ(Number(totals, row, 9), expected[4]) << row;  // refunded
  }
  // Every venue of the season, once a mode.
  EXPECT_EQ(Find<QTableWidget>(window, "SeasonVenues")->rowCount(), 48);

  // The CSV exported is the checker's, byte for byte; with both modes the data mode's beside it.
  const auto csv = out.path() / "window.csv";
  ASSERT_TRUE(window.ExportCsv(QString::fromStdString(csv.string())));
  EXPECT_EQ(ReadBytes(csv), ReadBytes(out.path() / "standard.csv"));
  EXPECT_EQ(ReadBytes(out.path() / "window_data.csv"), ReadBytes(out.path() / "data.csv"));

  // The checker's chart without a window, and the window's own.
  const QImage plotted(png);
  EXPECT_EQ(plotted.size(), QSize(1200, 700));
  const auto saved = out.path() / "window.png";
  ASSERT_TRUE(window.SaveChartPng(QString::fromStdString(saved.string())));
  EXPECT_FALSE(QImage(QString::fromStdString(saved.string())).isNull());
}

TEST(SeasonWindow, StoppedHalfWayShowsNothingOfIt) {
  if (!std::filesystem::exists(kSeason / "k240831.lzh")) GTEST_SKIP() << "no real season beside the project";
  testing::ScriptedDesktop desktop;
  ui::SeasonWindow window(desktop);
  window.SetModelSource([] { return SharedDefaultModel(); });
  // A whole check first, so that the stopped one has something to leave alone or clear.
  window.SetFolder(QString::fromStdString(kReal.string()));
  window.SetModes(ui::SeasonWindow::Modes::Data);
  ASSERT_TRUE(window.Start());
  window.WaitForEnd();
  ASSERT_EQ(window.Runs().size(), 1u);
  ASSERT_GT(Find<QTableWidget>(window, "SeasonTotals")->rowCount(), 0);

  window.SetFolder(QString::fromStdString(kSeason.string()));
  ASSERT_TRUE(window.Start());
  EXPECT_FALSE(window.Start()) << "one check at a time";
  auto* progress = Find<QProgressBar>(window, "SeasonProgress");
  QElapsedTimer waited;
  waited.start();
  while (progress->value() <= 0 && window.IsRunning() && waited.elapsed() < 60000) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  ASSERT_TRUE(window.IsRunning()) << "the season ended before it could be stopped";
  window.Cancel();
  window.WaitForEnd();
  EXPECT_TRUE(window.Runs().empty());
  EXPECT_EQ(Find<QTableWidget>(window, "SeasonTotals")->rowCount(), 0);
  EXPECT_EQ(Find<QTableWidget>(window, "SeasonVenues")->rowCount(), 0);
  // Only the 75 % line, with no point on it.
  const QList<QAbstractSeries*> series = Find<QChartView>(window, "SeasonChart")->chart()->series();
  ASSERT_EQ(series.size(), 1);
  EXPECT_EQ(static_cast<QLineSeries*>(series.front())->count(), 0);
  EXPECT_TRUE(Find(window, "SeasonStatus")->text().contains(QStringLiteral("中止")));
  EXPECT_TRUE(Find<QWidget>(window, "SeasonStart")->isEnabled());
}

TEST(SeasonWindow, NothingToCheckIsSaid) {
  testing::ScriptedDesktop desktop;
  testing::TempDir empty;
  ui::SeasonWindow window(desktop);
  window.SetModelSource([] { return SharedDefaultModel(); });
  window.SetFolder(QString::fromStdString((empty.path() / "gone").string()));
  EXPECT_FALSE(window.Start());
  EXPECT_TRUE(Find(window, "SeasonStatus")->text().contains(QStringLiteral("ありません")));
  window.SetFolder(QString::fromStdString(empty.path().string()));
  ASSERT_TRUE(window.Start());
  window.WaitForEnd();
  EXPECT_TRUE(window.Runs().empty());
  EXPECT_TRUE(Find(window, "SeasonStatus")->text().contains(QStringLiteral("レース番組表ファイルがありません")));
}

TEST(SeasonWindow, ChartSeriesOfASeasonWorkedByHand) {
  auto bet = [](long long stake, long long payout) {
    BetTally t;
    t.races = 1;
    t.stake = stake;
    t.payout = payout;
    return t;
  };
  std::vector<ui::SeasonRun> runs(2);
  runs[0].mode = PredictionMode::Standard;
  runs[1].mode = PredictionMode::Data;
  for (ui::SeasonRun& run : runs) {
    run.totals.days.resize(2);
    run.totals.days[0].date = 20240131;
    run.totals.days[1].date = 20240201;
  }
  runs[0].totals.days[0].tally[BetType::Quinella] = bet(1000, 800);   // 80 %
  runs[0].totals.days[1].tally[BetType::Quinella] = bet(1000, 1500);  // (800 + 1500) / 2000
  runs[1].totals.days[0].tally[BetType::Quinella] = bet(600, 0);
  runs[1].totals.days[1].tally[BetType::Quinella] = bet(600, 1800);   // 1800 / 1200
  runs[0].totals.days[0].favourites[BetType::Quinella] = bet(600, 300);
  runs[0].totals.days[1].favourites[BetType::Quinella] = bet(600, 600);
  runs[0].totals.favourites[BetType::Quinella] = bet(1200, 900);

  std::unique_ptr<QChart> chart(ui::ReturnChart(runs, BetType::Quinella));
  std::map<QString, std::vector<double>> lines;
  for (QAbstractSeries* series : chart->series()) {
    for (const QPointF& point : static_cast<QLineSeries*>(series)->points()) lines[series->name()].push_back(point.y());
  }
  const std::map<QString, std::vector<double>> expected{
      {QStringLiteral("２連複 標準"), {80.0, 115.0}},
      {QStringLiteral("２連複 データ"), {0.0, 150.0}},
      {QStringLiteral("固定6点"), {50.0, 75.0}},
      {QStringLiteral("75%"), {75.0, 75.0}},
  };
  EXPECT_EQ(lines, expected);

  std::unique_ptr<QChart> months(ui::MonthChart(runs, BetType::Quinella));
  ASSERT_EQ(months->series().size(), 1);
  const auto* bars = static_cast<QAbstractBarSeries*>(months->series().front());
  ASSERT_EQ(bars->count(), 2);
  EXPECT_DOUBLE_EQ(bars->barSets()[0]->at(0), 80.0);   // January, standard
  EXPECT_DOUBLE_EQ(bars->barSets()[0]->at(1), 150.0);  // February alone
  EXPECT_DOUBLE_EQ(bars->barSets()[1]->at(1), 300.0);
}

TEST(SeasonWindow, ADayOfTheChartOpensCheckedInTheMainWindow) {
  if (!std::filesystem::exists(kReal / "K240710.TXT")) GTEST_SKIP() << "no real days beside the project";
  testing::TempDir data;
  for (const char* name : {"B240710.TXT", "K240710.TXT", "fan1904.txt"}) {
    std::filesystem::copy_file(kReal / name, data.path() / name);
  }
  settings::SetDataFolder(QString::fromStdString(data.path().string()));
  testing::ScriptedDesktop desktop;
  TMainForm form(desktop);
  {
    Application app(form, desktop);
    testing::Action(form, "SeasonSummary")->trigger();
    ui::SeasonWindow* window = app.Season().Window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(Find<QLineEdit>(*window, "SeasonFolder")->text().toStdString(), data.path().string());
    ASSERT_TRUE(window->Start());
    window->WaitForEnd();
    ASSERT_EQ(window->Runs().size(), 1u);
    ASSERT_EQ(window->Runs().front().totals.days.size(), 1u);
    EXPECT_TRUE(window->DayFigures(20240710).contains(QStringLiteral("２連複")));
    // Pointing anywhere over the plot shows the day's figures.
    window->resize(1040, 860);
    window->show();
    auto* view = Find<QChartView>(*window, "SeasonChart");
    const QPoint middle = view->chart()->plotArea().center().toPoint();
    QTest::mouseMove(view->viewport(), middle);
    QMouseEvent move(QEvent::MouseMove, QPointF(middle), view->viewport()->mapToGlobal(QPointF(middle)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &move);
    EXPECT_TRUE(QToolTip::text().contains(QStringLiteral("2024年7月10日"))) << QToolTip::text().toStdString();
    window->ShowDayInMainWindow(20240710);
    EXPECT_EQ(form.ProgramFilePath(), (data.path() / "B240710.TXT").string());
    EXPECT_FALSE(form.IsRaceCardMode());
  }
  settings::SetDataFolder(QString());
}

}  // namespace
}  // namespace wakorin
