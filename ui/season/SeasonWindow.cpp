#include "ui/season/SeasonWindow.h"

#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <sstream>
#include <thread>

#include "base/WholeFile.h"
#include "ui/Colors.h"
#include "ui/DarkTables.h"
#include "ui/Desktop.h"
#include "ui/ErrorText.h"
#include "ui/ledger/LedgerText.h"
#include "ui/season/SeasonCsv.h"
#include "ui/season/SeasonText.h"

namespace wakorin::ui {

namespace {

// A cell that sorts by its number, not by its text.
class NumberCell : public QTableWidgetItem {
 public:
  NumberCell(const QString& text, double value) : QTableWidgetItem(text) {
    setData(Qt::UserRole, value);
    setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  bool operator<(const QTableWidgetItem& other) const override {
    return data(Qt::UserRole).toDouble() < other.data(Qt::UserRole).toDouble();
  }
};

QString Percent(double value) { return QString::number(value, 'f', 1) + QLatin1Char('%'); }
QTableWidgetItem* Yen(long long yen) {
  return new NumberCell(YenText(yen) + QStringLiteral("円"), static_cast<double>(yen));
}
QTableWidgetItem* Count(long long n) { return new NumberCell(QString::number(n), static_cast<double>(n)); }
QTableWidgetItem* Rate(double percent) { return new NumberCell(Percent(percent), percent); }
double HitRate(const BetTally& t) { return t.races > 0 ? 100.0 * t.hits / t.races : 0.0; }

int DateOf(const QDate& date) { return date.year() * 10000 + date.month() * 100 + date.day(); }

// The day checked nearest to a point of the chart's time axis; 0 without days.
int NearestDay(const std::vector<SeasonRun>& runs, qint64 ms) {
  int nearest = 0;
  qint64 best = std::numeric_limits<qint64>::max();
  for (const SeasonRun& run : runs) {
    for (const SeasonTotals::Day& day : run.totals.days) {
      const qint64 distance = std::llabs(ChartTime(day.date) - ms);
      if (distance < best) {
        best = distance;
        nearest = day.date;
      }
    }
  }
  return nearest;
}

// The chart of the return rate, telling which day the pointer is over and which day a
// double-click falls on, anywhere in the plot: a line two pixels wide is hard to hit.
class ReturnChartView : public QChartView {
 public:
  explicit ReturnChartView(QWidget* parent) : QChartView(parent) {
    setMouseTracking(true);
    viewport()->setMouseTracking(true);
  }
  std::function<void(qint64 ms)> doubleClicked;
  std::function<void(std::optional<qint64> ms, QPoint global)> pointedAt;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    if (const auto ms = DayAt(event->position()); ms && doubleClicked) doubleClicked(*ms);
    QChartView::mouseDoubleClickEvent(event);
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (pointedAt) pointedAt(DayAt(event->position()), event->globalPosition().toPoint());
    QChartView::mouseMoveEvent(event);
  }

 private:
  std::optional<qint64> DayAt(const QPointF& at) const {
    if (chart() == nullptr || !chart()->plotArea().contains(at)) return std::nullopt;
    return static_cast<qint64>(chart()->mapToValue(at).x());
  }
};

}  // namespace

// What the check in the background shares with the window. The window waits for the check on
// every way out, and the check holds a share of this, so nothing here is used after its end.
struct SeasonWindow::Job {
  std::atomic<bool> stop{false};
  std::atomic<int> done{0}, total{0};
  // Given at the start.
  std::string folder;
  std::optional<std::string> stats;
  int from = 0, to = 0;
  std::vector<PredictionMode> modes;
  std::shared_ptr<const DataModel> model;
  // The outcome, read once the check has ended.
  std::vector<SeasonRun> runs;
  std::vector<std::string> csv;
  std::vector<PathProblem> pathProblems;
  std::vector<std::pair<std::string, Error>> passedOver;
  std::vector<std::pair<PredictionMode, SeasonDay>> troubles;  // their venues dropped
  int days = 0;

  void Run() {
    const DayListing listing = ListRaceDays({folder});
    pathProblems = listing.problems;
    const std::vector<DayCopies> counted = DaysToCheck(listing, from, to);
    days = static_cast<int>(counted.size());
    total = days * static_cast<int>(modes.size());
    for (PredictionMode mode : modes) {
      const bool data = mode == PredictionMode::Data;
      SeasonRun run;
      run.mode = mode;
      std::ostringstream text;
      WriteSeasonCsvHeader(text, data);
      SeasonStats statsFiles(stats);
      SeasonOptions options;
      options.from = from;
      options.to = to;
      options.jobs = std::max(1u, std::thread::hardware_concurrency());
      options.stop = &stop;
      options.favourites = true;
      if (data) {
        options.model = model;
      } else {
        statsFiles.Prepare(counted);
        options.stats = &statsFiles;
        for (auto& passed : statsFiles.PassedOver()) passedOver.push_back(std::move(passed));
      }
      CheckSeason(listing, options, [&](SeasonDay&& day) {
        if (day.counted) ++done;
        if (run.totals.Add(day)) WriteSeasonCsv(text, day, data);
        if (!day.Troubled() && (!day.counted || day.Checked())) return;
        if (day.check) day.check->venues.clear();
        troubles.emplace_back(mode, std::move(day));
      });
      if (stop) return;
      runs.push_back(std::move(run));
      csv.push_back(text.str());
    }
  }
};

SeasonWindow::SeasonWindow(Desktop& desktop, QWidget* parent) : QWidget(parent, Qt::Window), desktop_(desktop) {
  setObjectName(QStringLiteral("SeasonWindow"));
  setWindowTitle(QStringLiteral("シーズン集計"));
  MakeDark(*this);
  resize(1040, 860);
  auto named = [](auto* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
  };
  auto label = [this](const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text), this);
    l->setStyleSheet(QStringLiteral("color: #c0c0c0"));
    return l;
  };
  folder_ = named(new QLineEdit(this), "SeasonFolder");
  auto* browse = named(new QPushButton(QStringLiteral("参照..."), this), "SeasonFolderButton");
  stats_ = named(new QLineEdit(this), "SeasonStatsFile");
  stats_->setPlaceholderText(QStringLiteral("空欄なら各日のファイルのそばのもの"));
  auto* browseStats = named(new QPushButton(QStringLiteral("参照..."), this), "SeasonStatsButton");
  from_ = named(new QDateEdit(this), "SeasonFrom");
  to_ = named(new QDateEdit(this), "SeasonTo");
  for (QDateEdit* edit : {from_, to_}) {
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  }
  modes_ = named(new QComboBox(this), "SeasonModes");
  modes_->addItems({QStringLiteral("標準予想"), QStringLiteral("データ予想"), QStringLiteral("両方")});
  start_ = named(new QPushButton(QStringLiteral("集計"), this), "SeasonStart");
  cancel_ = named(new QPushButton(QStringLiteral("中止"), this), "SeasonCancel");
  cancel_->setEnabled(false);
  progress_ = named(new QProgressBar(this), "SeasonProgress");
  progress_->setRange(0, 1);
  progress_->setValue(0);
  status_ = named(new QLabel(this), "SeasonStatus");
  status_->setWordWrap(true);
  chartBet_ = named(new QComboBox(this), "SeasonChartBet");
  chartBet_->addItem(SeasonBetName(std::nullopt));
  for (BetType bet : kBetTypes) chartBet_->addItem(SeasonBetName(bet));
  export_ = named(new QPushButton(QStringLiteral("CSV出力..."), this), "SeasonExportCsv");
  saveChart_ = named(new QPushButton(QStringLiteral("グラフを保存..."), this), "SeasonSaveChart");

  auto* form = new QGridLayout;
  form->addWidget(label("フォルダ"), 0, 0);
  form->setColumnStretch(1, 1);
  form->addWidget(folder_, 0, 1, 1, 4);
  form->addWidget(browse, 0, 5);
  form->addWidget(label("選手成績(標準予想)"), 1, 0);
  form->addWidget(stats_, 1, 1, 1, 4);
  form->addWidget(browseStats, 1, 5);
  form->addWidget(label("期間"), 2, 0);
  auto* range = new QHBoxLayout;
  range->addWidget(from_);
  range->addWidget(label("～"));
  range->addWidget(to_);
  range->addSpacing(16);
  range->addWidget(label("予想"));
  range->addWidget(modes_);
  range->addStretch();
  form->addLayout(range, 2, 1, 1, 4);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(start_);
  buttons->addWidget(cancel_);
  form->addLayout(buttons, 2, 5);
  form->addWidget(progress_, 3, 0, 1, 6);
  form->addWidget(status_, 4, 0, 1, 6);

  totals_ = MakeDarkTable(this, "SeasonTotals",
                          {QStringLiteral("予想"), QStringLiteral("券種"), QStringLiteral("レース"),
                           QStringLiteral("購入"), QStringLiteral("見送り"), QStringLiteral("的中"),
                           QStringLiteral("的中率"), QStringLiteral("投資"), QStringLiteral("払戻"),
                           QStringLiteral("返還"), QStringLiteral("回収率")});
  QStringList venueHeadings{QStringLiteral("場"), QStringLiteral("予想"), QStringLiteral("レース")};
  for (BetType bet : kBetTypes) {
    venueHeadings << ShortBetName(bet) + QStringLiteral("\n的中率") << ShortBetName(bet) + QStringLiteral("\n回収率");
  }
  venueHeadings << QStringLiteral("投資") << QStringLiteral("払戻") << QStringLiteral("回収率");
  venues_ = MakeDarkTable(this, "SeasonVenues", venueHeadings);
  venues_->setSortingEnabled(true);
  venues_->sortByColumn(0, Qt::AscendingOrder);
  for (QTableWidget* table : {totals_, venues_}) table->verticalHeader()->setDefaultSectionSize(22);
  auto* returnView = new ReturnChartView(this);
  chart_ = named(returnView, "SeasonChart");
  months_ = named(new QChartView(this), "SeasonMonths");
  for (QChartView* view : {chart_, months_}) {
    view->setRenderHint(QPainter::Antialiasing);
    view->setBackgroundBrush(kBlack);
  }
  troubles_ = named(new QListWidget(this), "SeasonTroubles");
  troubles_->setStyleSheet(QStringLiteral("QListWidget { background: black; color: white; border: none; }"));

  auto* chartTab = new QWidget(this);
  MakeDark(*chartTab);
  auto* chartLayout = new QVBoxLayout(chartTab);
  auto* chartBar = new QHBoxLayout;
  chartBar->addWidget(label("券種"));
  chartBar->addWidget(chartBet_);
  chartBar->addStretch();
  chartBar->addWidget(saveChart_);
  chartBar->addWidget(export_);
  chartLayout->addLayout(chartBar);
  chartLayout->addWidget(chart_);
  auto* tabs = named(new QTabWidget(this), "SeasonTabs");
  tabs->setStyleSheet(QStringLiteral(
      "QTabWidget::pane { border: 1px solid #404040; background: black; }"
      "QTabBar::tab { background: #202020; color: #c0c0c0; border: 1px solid #404040; padding: 4px 14px; }"
      "QTabBar::tab:selected { background: #000080; color: white; }"));
  tabs->addTab(chartTab, QStringLiteral("回収率の推移"));
  tabs->addTab(months_, QStringLiteral("月別"));
  tabs->addTab(venues_, QStringLiteral("場別"));
  tabs->addTab(troubles_, QStringLiteral("照合できなかった日"));
  auto* split = new QSplitter(Qt::Vertical, this);
  split->addWidget(totals_);
  split->addWidget(tabs);
  split->setStretchFactor(1, 3);
  split->setSizes({250, 520});
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(split, 1);

  connect(browse, &QPushButton::clicked, this, [this] { ChooseFolder(); });
  connect(browseStats, &QPushButton::clicked, this, [this] { ChooseStatsFile(); });
  connect(start_, &QPushButton::clicked, this, [this] { Start(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
  connect(export_, &QPushButton::clicked, this, [this] { ChooseAndExportCsv(); });
  connect(saveChart_, &QPushButton::clicked, this, [this] { ChooseAndSaveChart(); });
  connect(chartBet_, &QComboBox::currentIndexChanged, this, [this] { ShowCharts(); });
  connect(&watcher_, &QFutureWatcher<void>::finished, this, [this] { Finished(); });
  connect(&poll_, &QTimer::timeout, this, [this] { ShowProgress(); });
  returnView->doubleClicked = [this](qint64 ms) {
    if (const int day = NearestDay(runs_, ms)) ShowDayInMainWindow(day);
  };
  returnView->pointedAt = [this](std::optional<qint64> ms, QPoint global) {
    const int day = ms ? NearestDay(runs_, *ms) : 0;
    if (day == 0) {
      QToolTip::hideText();
      return;
    }
    QToolTip::showText(global, DayFigures(day), chart_);
  };
  poll_.setInterval(100);
  ClearResults();
}

SeasonWindow::~SeasonWindow() {
  if (job_) job_->stop = true;
  watcher_.waitForFinished();
}

void SeasonWindow::SetFolder(const QString& folder) {
  folder_->setText(folder);
  const DayListing listing = ListRaceDays({folder.toStdString()});
  int first = 0, last = 0;
  for (const DayCopies& day : listing.days) {
    if (day.programs.empty()) continue;
    if (first == 0) first = day.date;
    last = day.date;
  }
  if (first != 0) {
    from_->setDate(DayAsDate(first));
    to_->setDate(DayAsDate(last));
  }
}

void SeasonWindow::SetModes(Modes modes) { modes_->setCurrentIndex(static_cast<int>(modes)); }

void SeasonWindow::ChooseFolder() {
  if (auto folder = desktop_.ChooseFolder(this, QStringLiteral("集計するフォルダ"), folder_->text())) {
    SetFolder(*folder);
  }
}

void SeasonWindow::ChooseStatsFile() {
  OpenFileOptions options;
  options.title = QStringLiteral("選手期別成績ファイル");
  options.filter = QStringLiteral("選手期別成績ファイル (fan*.txt fan*.TXT fan*.lzh Fan*.txt FAN*.TXT)");
  options.startFolder = folder_->text();
  if (auto path = desktop_.ChooseOpenFile(this, options)) stats_->setText(*path);
}

bool SeasonWindow::Start() {
  if (IsRunning()) return false;
  auto job = std::make_shared<Job>();
  job->folder = folder_->text().toStdString();
  if (!stats_->text().trimmed().isEmpty()) job->stats = stats_->text().trimmed().toStdString();
  job->from = DateOf(from_->date());
  job->to = DateOf(to_->date());
  if (!QFileInfo(folder_->text()).isDir()) {
    status_->setText(QStringLiteral("フォルダ「%1」がありません。").arg(folder_->text()));
    return false;
  }
  if (job->from > job->to) {
    status_->setText(QStringLiteral("期間の初めが終わりより後になっています。"));
    return false;
  }
  const auto modes = static_cast<Modes>(modes_->currentIndex());
  if (modes != Modes::Data) job->modes.push_back(PredictionMode::Standard);
  if (modes != Modes::Standard) job->modes.push_back(PredictionMode::Data);
  if (modes != Modes::Standard) job->model = model_ ? model_() : nullptr;
  if (modes != Modes::Standard && job->model == nullptr) {
    status_->setText(QStringLiteral("データ予想のモデルがありません。"));
    return false;
  }
  ClearResults();
  job_ = job;
  start_->setEnabled(false);
  cancel_->setEnabled(true);
  progress_->setRange(0, 0);
  status_->setText(QStringLiteral("照合しています..."));
  watcher_.setFuture(QtConcurrent::run([job] { job->Run(); }));
  poll_.start();
  return true;
}

void SeasonWindow::Cancel() {
  if (job_) job_->stop = true;
}

void SeasonWindow::WaitForEnd() {
  watcher_.waitForFinished();
  // The finished signal comes through the event loop; what it does is done here at once.
  if (job_) Finished();
}

void SeasonWindow::ShowProgress() {
  if (!job_) return;
  const int total = job_->total;
  if (total <= 0) return;
  progress_->setRange(0, total);
  progress_->setValue(job_->done);
}

void SeasonWindow::Finished() {
  if (!job_) return;
  poll_.stop();
  const std::shared_ptr<Job> job = std::move(job_);
  job_.reset();
  start_->setEnabled(true);
  cancel_->setEnabled(false);
  progress_->setRange(0, 1);
  if (job->stop) {
    // Nothing of a check stopped half way is shown: its figures would read as a season's.
    progress_->setValue(0);
    status_->setText(QStringLiteral("中止しました。集計は表示していません。"));
    return;
  }
  progress_->setValue(1);
  if (job->days == 0) {
    status_->setText(QStringLiteral("このフォルダには、この期間のレース番組表ファイルがありません。"));
    return;
  }
  runs_ = std::move(job->runs);
  csv_ = std::move(job->csv);
  QStringList troubles;
  for (const PathProblem& problem : job->pathProblems) {
    troubles << QStringLiteral("%1: 日ごとのファイルがありません").arg(QString::fromStdString(problem.path));
  }
  for (const auto& [path, error] : job->passedOver) {
    troubles << QStringLiteral("%1 は使えません: %2")
                    .arg(QString::fromStdString(path), ErrorText(error).replace(QLatin1Char('\n'), QLatin1Char(' ')));
  }
  for (const auto& [mode, day] : job->troubles) {
    const QString prefix = job->modes.size() > 1 ? QLatin1Char('[') + SeasonModeName(mode) + QStringLiteral("] ") : QString();
    for (const QString& line : SeasonDayTroubles(day)) troubles << prefix + line;
  }
  troubles_->clear();
  troubles_->addItems(troubles);
  QStringList said;
  for (const SeasonRun& run : runs_) {
    said << QStringLiteral("%1: %2日を照合").arg(SeasonModeName(run.mode)).arg(run.totals.days.size());
  }
  status_->setText(QStringLiteral("%1日分のうち ").arg(job->days) + said.join(QStringLiteral("、")) +
                   (troubles.isEmpty() ? QStringLiteral("。")
                                       : QStringLiteral("。照合できなかった日などが%1件あります(「照合できなかった日」)。")
                                             .arg(troubles.size())));
  ShowResults();
}

void SeasonWindow::ClearResults() {
  runs_.clear();
  csv_.clear();
  totals_->setRowCount(0);
  venues_->setRowCount(0);
  troubles_->clear();
  export_->setEnabled(false);
  saveChart_->setEnabled(false);
  ShowCharts();
}

void SeasonWindow::ShowResults() {
  auto addTotals = [this](const QString& mode, BetType bet, const BetTally& t, bool reference) {
    const int row = totals_->rowCount();
    totals_->insertRow(row);
    totals_->setItem(row, 0, TableCell(mode));
    totals_->setItem(row, 1, TableCell(SeasonBetName(bet)));
    totals_->setItem(row, 2, Count(t.races + t.skipped));
    totals_->setItem(row, 3, Count(t.races));
    totals_->setItem(row, 4, Count(t.skipped));
    totals_->setItem(row, 5, Count(t.hits));
    totals_->setItem(row, 6, Rate(HitRate(t)));
    totals_->setItem(row, 7, Yen(t.stake));
    totals_->setItem(row, 8, Yen(t.payout));
    totals_->setItem(row, 9, Yen(t.refund));
    totals_->setItem(row, 10, Rate(t.ReturnPercent()));
    if (reference) {
      for (int c = 0; c < totals_->columnCount(); ++c) totals_->item(row, c)->setForeground(kSilver);
    }
  };
  totals_->setRowCount(0);
  for (const SeasonRun& run : runs_) {
    for (BetType bet : kBetTypes) addTotals(SeasonModeName(run.mode), bet, run.totals.total[bet], false);
  }
  if (!runs_.empty()) {
    for (BetType bet : kBetTypes) addTotals(QStringLiteral("固定6点"), bet, runs_.front().totals.favourites[bet], true);
  }
  totals_->resizeColumnsToContents();

  venues_->setSortingEnabled(false);
  venues_->setRowCount(0);
  for (const SeasonRun& run : runs_) {
    for (const auto& [code, tally] : run.totals.byVenue) {
      const int row = venues_->rowCount();
      venues_->insertRow(row);
      // Sorted by name, the venues stand in the order of their codes, as fans list them.
      auto* name = new NumberCell(VenueNameText(QString::fromStdString(code)), std::atof(code.c_str()));
      name->setTextAlignment(Qt::AlignCenter);
      venues_->setItem(row, 0, name);
      venues_->setItem(row, 1, TableCell(SeasonModeName(run.mode)));
      const auto races = run.totals.racesByVenue.find(code);
      venues_->setItem(row, 2, Count(races == run.totals.racesByVenue.end() ? 0 : races->second));
      int column = 3;
      for (BetType bet : kBetTypes) {
        venues_->setItem(row, column++, Rate(HitRate(tally[bet])));
        venues_->setItem(row, column++, Rate(tally[bet].ReturnPercent()));
      }
      const BetTally all = AllBets(tally);
      venues_->setItem(row, column++, Yen(all.stake));
      venues_->setItem(row, column++, Yen(all.payout + all.refund));
      venues_->setItem(row, column, Rate(all.ReturnPercent()));
    }
  }
  venues_->setSortingEnabled(true);
  venues_->resizeColumnsToContents();
  export_->setEnabled(!runs_.empty());
  saveChart_->setEnabled(!runs_.empty());
  ShowCharts();
}

std::optional<BetType> SeasonWindow::ChartBet() const {
  const int index = chartBet_->currentIndex();
  if (index <= 0) return std::nullopt;
  return kBetTypes[static_cast<std::size_t>(index - 1)];
}

void SeasonWindow::ShowCharts() {
  QChart* chart = ReturnChart(runs_, ChartBet());
  QChart* old = chart_->chart();
  chart_->setChart(chart);
  delete old;
  old = months_->chart();
  months_->setChart(MonthChart(runs_, ChartBet()));
  delete old;
}

QString SeasonWindow::DayFigures(int date) const {
  QStringList lines{JapaneseDayText(date) + QStringLiteral(" (ダブルクリックで結果照合)")};
  for (const SeasonRun& run : runs_) {
    CheckTally sum;
    const SeasonTotals::Day* found = nullptr;
    for (const SeasonTotals::Day& day : run.totals.days) {
      if (day.date > date) break;
      sum += day.tally;
      if (day.date == date) found = &day;
    }
    if (found == nullptr) continue;
    if (runs_.size() > 1) lines << QLatin1Char('[') + SeasonModeName(run.mode) + QLatin1Char(']');
    for (BetType bet : kBetTypes) {
      const BetTally& t = found->tally[bet];
      lines << QStringLiteral("%1  的中 %2/%3  投資 %4円  払戻 %5円  累計回収率 %6")
                   .arg(SeasonBetName(bet))
                   .arg(t.hits)
                   .arg(t.races)
                   .arg(YenText(t.stake), YenText(t.payout + t.refund), Percent(sum[bet].ReturnPercent()));
    }
  }
  return lines.join(QLatin1Char('\n'));
}

void SeasonWindow::ShowDayInMainWindow(int date) {
  for (const SeasonRun& run : runs_) {
    for (const SeasonTotals::Day& day : run.totals.days) {
      if (day.date == date) {
        emit DayOpened(QString::fromStdString(day.file));
        return;
      }
    }
  }
}

bool SeasonWindow::ExportCsv(const QString& path) {
  for (std::size_t r = 0; r < runs_.size() && r < csv_.size(); ++r) {
    QString target = path;
    if (runs_.size() > 1 && runs_[r].mode == PredictionMode::Data) {
      const QFileInfo info(path);
      const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
      target = info.path() + QLatin1Char('/') + info.completeBaseName() + QStringLiteral("_data") + suffix;
    }
    if (const auto fault = WriteWholeFile(target.toStdString(), csv_[r])) {
      desktop_.ShowMessage(this, QStringLiteral("CSVを書き出せませんでした。\n%1\n(%2)")
                                     .arg(target, QString::fromLocal8Bit(std::strerror(fault->error))));
      return false;
    }
  }
  return !runs_.empty();
}

bool SeasonWindow::SaveChartPng(const QString& path) {
  const QImage image = chart_->grab().toImage();
  QByteArray png;
  {
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
  }
  if (const auto fault = WriteWholeFile(path.toStdString(), std::string_view(png.constData(), static_cast<std::size_t>(png.size())))) {
    desktop_.ShowMessage(this, QStringLiteral("グラフを保存できませんでした。\n%1\n(%2)")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(fault->error))));
    return false;
  }
  return true;
}

void SeasonWindow::ChooseAndExportCsv() {
  if (auto path = desktop_.ChooseSaveFile(this, QStringLiteral("CSV出力"), folder_->text() + QStringLiteral("/season.csv"),
                                          QStringLiteral("CSV (*.csv)"))) {
    ExportCsv(*path);
  }
}

void SeasonWindow::ChooseAndSaveChart() {
  if (auto path = desktop_.ChooseSaveFile(this, QStringLiteral("グラフを保存"), folder_->text() + QStringLiteral("/season.png"),
                                          QStringLiteral("PNG (*.png)"))) {
    SaveChartPng(*path);
  }
}

}  // namespace wakorin::ui
