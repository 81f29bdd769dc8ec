#pragma once

#include <QWidget>
#include <optional>
#include <vector>

#include "ledger/BetLog.h"

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QTableWidget;

namespace wakorin {
class Desktop;
namespace ui {

// 収支: stake, payout, balance and return rate per day, per month and in total, of a venue and/or
// a bet type; the running balance and the months as charts; the entries as CSV.
class BalanceWindow : public QWidget {
  Q_OBJECT
 public:
  BalanceWindow(ledger::BetLog& log, Desktop& desktop, QWidget* parent = nullptr);

  // Reads the sums again from the log, under the filters chosen.
  void Refresh();
  // Writes the entries under the filters to `path` (UTF-8 with a byte order mark, venue names);
  // false with the reason said through the desktop.
  bool ExportCsv(const QString& path);
  // The CSV's text, as ExportCsv writes it.
  QByteArray CsvText() const;

 private:
  QString VenueFilter() const;
  std::optional<AnyBet> BetFilter() const;
  void FillVenues();
  void ShowCharts(const std::vector<ledger::DayTally>& days, const std::vector<std::pair<int, ledger::Tally>>& months);

  ledger::BetLog& log_;
  Desktop& desktop_;
  QComboBox *venue_, *bet_;
  QTableWidget *dayTable_, *monthTable_;
  QLabel *stake_, *payout_, *balance_, *rate_, *open_;
  QChartView *balanceChart_, *monthChart_;
};

}  // namespace ui
}  // namespace wakorin
