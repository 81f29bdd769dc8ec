// Times the balance window opening on a log of 100,000 settled entries over a season, on Qt's
// offscreen platform: from the window's construction to its first paint done. Each figure is the
// median of several runs.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include "ledger/BetLog.h"
#include "ui/Desktop.h"
#include "ui/ledger/BalanceWindow.h"

namespace {

class QuietDesktop final : public wakorin::Desktop {
 public:
  std::optional<QString> ChooseOpenFile(QWidget*, const wakorin::OpenFileOptions&) override { return std::nullopt; }
  void ShowMessage(QWidget*, const QString&) override {}
  void Wait(int) override {}
  void ProcessEvents() override {}
  void Open(const QUrl&) override {}
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  int runs = 9, entries = 100'000;
  for (int k = 1; k + 1 < argc; ++k) {
    if (QString::fromLatin1(argv[k]) == QLatin1String("--runs")) runs = std::atoi(argv[k + 1]);
    if (QString::fromLatin1(argv[k]) == QLatin1String("--entries")) entries = std::atoi(argv[k + 1]);
  }
  QTemporaryDir dir;
  const QString path = QDir(dir.path()).filePath(QStringLiteral("betlog.sqlite"));
  auto log = wakorin::ledger::BetLog::Open(path, nullptr);
  {
    // A season of settled entries: 244 days, 24 venues, every bet type.
    QSqlDatabase fill = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
    fill.setDatabaseName(path);
    fill.open();
    QSqlQuery q(fill);
    q.exec(QStringLiteral("BEGIN"));
    q.prepare(QStringLiteral("INSERT INTO bets(day, venue, race, bet, boats, stake, created, purchase, settled, payout)"
                             " VALUES(?, ?, ?, ?, ?, 100, '2024-01-01T00:00:00', 0, ?, ?)"));
    std::mt19937 random(7);
    const QDate first(2024, 1, 1);
    const char* const bets[] = {"win", "place", "exacta", "quinella", "wide", "trifecta", "trio"};
    const char* const boats[] = {"1", "2", "1-2", "1-2", "1-2", "1-2-3", "1-2-3"};
    for (int k = 0; k < entries; ++k) {
      const QDate day = first.addDays(static_cast<qint64>(k) * 244 / entries);
      const int bet = static_cast<int>(random() % 7);
      const bool hit = random() % 8 == 0;
      q.addBindValue(day.year() * 10000 + day.month() * 100 + day.day());
      q.addBindValue(QStringLiteral("%1").arg(1 + static_cast<int>(random() % 24), 2, 10, QLatin1Char('0')));
      q.addBindValue(1 + static_cast<int>(random() % 12));
      q.addBindValue(QString::fromLatin1(bets[bet]));
      q.addBindValue(QString::fromLatin1(boats[bet]));
      q.addBindValue(hit ? 1 : 3);
      q.addBindValue(hit ? 100 + static_cast<int>(random() % 2000) : 0);
      q.exec();
    }
    QSqlQuery(fill).exec(QStringLiteral("UPDATE bets SET purchase = id"));
    QSqlQuery(fill).exec(QStringLiteral("COMMIT"));
  }
  QuietDesktop desktop;
  std::vector<double> opened;
  for (int run = 0; run < runs; ++run) {
    QElapsedTimer timer;
    timer.start();
    auto* window = new wakorin::ui::BalanceWindow(*log, desktop);
    window->show();
    QCoreApplication::processEvents();
    window->repaint();
    opened.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    delete window;
  }
  std::sort(opened.begin(), opened.end());
  std::printf("Balance window on %d entries: opened and painted in %.1f ms (median of %d; fastest %.1f, slowest %.1f)\n",
              log->Count(), opened[opened.size() / 2], runs, opened.front(), opened.back());
  return 0;
}
