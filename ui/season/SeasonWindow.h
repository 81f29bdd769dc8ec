#pragma once

#include <QFutureWatcher>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "day/OpenDay.h"
#include "day/SeasonCheck.h"
#include "predict/DataModel.h"
#include "ui/season/SeasonChart.h"

class QChartView;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace wakorin {
class Desktop;
namespace ui {

// シーズン集計: every day of a folder in a date range checked as the checker checks it, in either
// mode or both, in the background with progress and a cancel button; the totals per bet type, the
// cumulative return rate day by day and the months as charts, each venue in a sortable table,
// and the days that could not be checked with their reasons.
class SeasonWindow : public QWidget {
  Q_OBJECT
 public:
  enum class Modes { Standard, Data, Both };

  SeasonWindow(Desktop& desktop, QWidget* parent = nullptr);
  // Stops a check that runs and waits for it: nothing outlives the window.
  ~SeasonWindow() override;

  // The folder to check; the range becomes its first to its last day.
  void SetFolder(const QString& folder);
  // The data mode's model, asked for when a check starts.
  void SetModelSource(std::function<std::shared_ptr<const DataModel>()> model) { model_ = std::move(model); }
  void SetModes(Modes modes);

  // Starts the check with what the controls say; false (with the reason in the status line)
  // when one runs already or the folder holds no day in the range.
  bool Start();
  // Asks a check that runs to stop; the figures shown before it stay cleared.
  void Cancel();
  bool IsRunning() const { return watcher_.isRunning(); }
  // Waits for the check to end and shows its outcome (for tests and for closing).
  void WaitForEnd();

  // The runs of the last check that ended whole, one per mode.
  const std::vector<SeasonRun>& Runs() const { return runs_; }
  // A day's figures as hovering over the chart shows them.
  QString DayFigures(int date) const;
  // Asks the main window to show day `date` in result-check mode (DayOpened).
  void ShowDayInMainWindow(int date);

  // The per-race CSV (as wakorin-check --csv writes it) of each mode: with both modes the data
  // mode's goes beside it, "_data" before the extension. False with the reason said.
  bool ExportCsv(const QString& path);
  // The chart of the return rate as PNG; false with the reason said.
  bool SaveChartPng(const QString& path);

 signals:
  // The user asked to see a day's race program file in result-check mode.
  void DayOpened(const QString& programFile);

 private:
  struct Job;
  void ChooseFolder();
  void ChooseStatsFile();
  void Finished();
  void ShowProgress();
  void ShowResults();
  void ClearResults();
  void ShowCharts();
  void ChooseAndExportCsv();
  void ChooseAndSaveChart();
  std::optional<BetType> ChartBet() const;

  Desktop& desktop_;
  std::function<std::shared_ptr<const DataModel>()> model_;
  QLineEdit *folder_, *stats_;
  QDateEdit *from_, *to_;
  QComboBox *modes_, *chartBet_;
  QPushButton *start_, *cancel_, *export_, *saveChart_;
  QProgressBar* progress_;
  QLabel* status_;
  QTableWidget *totals_, *venues_;
  QChartView *chart_, *months_;
  QListWidget* troubles_;

  std::shared_ptr<Job> job_;
  QFutureWatcher<void> watcher_;
  QTimer poll_;
  std::vector<SeasonRun> runs_;
  std::vector<std::string> csv_;  // per run
};

}  // namespace ui
}  // namespace wakorin
