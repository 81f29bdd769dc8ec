#include "ui/ledger/BalanceWindow.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <algorithm>
#include <cstring>

#include "base/WholeFile.h"
#include "ui/Colors.h"
#include "ui/DarkChart.h"
#include "ui/Desktop.h"
#include "ui/CalendarDay.h"
#include "ui/ledger/LedgerText.h"

namespace wakorin::ui {
namespace {

template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

QTableWidget* MakeTable(QWidget* parent, const char* name, const QString& first) {
  auto* table = Named(new QTableWidget(parent), name);
  table->setColumnCount(7);
  table->setHorizontalHeaderLabels({first, QStringLiteral("購入"), QStringLiteral("払戻"), QStringLiteral("収支"),
                                    QStringLiteral("回収率"), QStringLiteral("未確定"), QStringLiteral("点数")});
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  return table;
}

void FillRow(QTableWidget* table, int row, const QString& label, const ledger::Tally& t) {
  const QStringList cells{label, YenText(t.stake), YenText(t.payout), YenText(t.Balance()), ReturnRateText(t),
                          YenText(t.open), QString::number(t.entries)};
  for (int c = 0; c < cells.size(); ++c) {
    auto* item = new QTableWidgetItem(cells[c]);
    item->setTextAlignment(c == 0 ? Qt::AlignCenter : (Qt::AlignRight | Qt::AlignVCenter));
    if (c == 3 && t.Balance() < 0) item->setForeground(QColor(0xd0, 0x00, 0x00));
    table->setItem(row, c, item);
  }
}

void Add(ledger::Tally& sum, const ledger::Tally& t) {
  sum.stake += t.stake;
  sum.payout += t.payout;
  sum.open += t.open;
  sum.entries += t.entries;
}

QDateTime DayTime(int d) {
  return QDateTime(DayAsDate(d), QTime(12, 0));
}

// From the lowest to the highest figure with 0 inside, rounded; a log of nothing (or only 0) gets
// a range of its own rather than none.
void SetYenRange(QValueAxis& axis, qint64 low, qint64 high) {
  if (low == high) high = low + 1000;
  axis.setRange(static_cast<qreal>(low), static_cast<qreal>(high));
  axis.applyNiceNumbers();
}

QString CsvField(const QString& text) {
  if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))) return text;
  QString quoted = text;
  quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

BalanceWindow::BalanceWindow(ledger::BetLog& log, Desktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window), log_(log), desktop_(desktop) {
  setObjectName(QStringLiteral("BalanceWindow"));
  setWindowTitle(QStringLiteral("収支"));
  resize(960, 720);
  auto* layout = new QVBoxLayout(this);

  auto* filters = new QHBoxLayout;
  venue_ = Named(new QComboBox(this), "VenueFilter");
  bet_ = Named(new QComboBox(this), "BetFilter");
  bet_->addItem(QStringLiteral("全券種"));
  for (AnyBet bet : kAnyBets) bet_->addItem(BetName(bet), QString::fromLatin1(ledger::BetCode(bet)));
  auto* csv = Named(new QPushButton(QStringLiteral("CSVに書き出す..."), this), "ExportCsv");
  filters->addWidget(new QLabel(QStringLiteral("場"), this));
  filters->addWidget(venue_);
  filters->addWidget(new QLabel(QStringLiteral("券種"), this));
  filters->addWidget(bet_);
  filters->addStretch();
  filters->addWidget(csv);
  layout->addLayout(filters);

  auto* totals = new QGridLayout;
  const char* names[] = {"TotalStake", "TotalPayout", "TotalBalance", "TotalReturn", "TotalOpen"};
  const char* captions[] = {"購入", "払戻", "収支", "回収率", "未確定"};
  QLabel** targets[] = {&stake_, &payout_, &balance_, &rate_, &open_};
  for (int k = 0; k < 5; ++k) {
    auto* caption = new QLabel(QString::fromUtf8(captions[k]), this);
    caption->setAlignment(Qt::AlignCenter);
    *targets[k] = Named(new QLabel(this), names[k]);
    (*targets[k])->setAlignment(Qt::AlignCenter);
    QFont big = (*targets[k])->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    (*targets[k])->setFont(big);
    totals->addWidget(caption, 0, k);
    totals->addWidget(*targets[k], 1, k);
  }
  layout->addLayout(totals);

  auto* splitter = new QSplitter(Qt::Vertical, this);
  auto* tabs = Named(new QTabWidget(splitter), "Views");
  // Tabs readable on the black: the chosen one lighter.
  tabs->setStyleSheet(QStringLiteral("QTabBar::tab { background: #303030; color: white; padding: 4px 14px; }"
                                     " QTabBar::tab:selected { background: #707070; }"));
  dayTable_ = MakeTable(tabs, "DayTable", QStringLiteral("日付"));
  monthTable_ = MakeTable(tabs, "MonthTable", QStringLiteral("月"));
  tabs->addTab(monthTable_, QStringLiteral("月別"));
  tabs->addTab(dayTable_, QStringLiteral("日別"));
  auto* charts = new QWidget(splitter);
  auto* chartRow = new QHBoxLayout(charts);
  chartRow->setContentsMargins(0, 0, 0, 0);
  balanceChart_ = Named(new QChartView(charts), "BalanceChart");
  monthChart_ = Named(new QChartView(charts), "MonthChart");
  for (QChartView* view : {balanceChart_, monthChart_}) {
    view->setRenderHint(QPainter::Antialiasing);
    view->setBackgroundBrush(kBlack);
    view->setMinimumHeight(260);
    chartRow->addWidget(view);
  }
  splitter->addWidget(tabs);
  splitter->addWidget(charts);
  layout->addWidget(splitter, 1);

  // The window's black, as the main window's.
  QPalette dark = palette();
  dark.setColor(QPalette::Window, kBlack);
  dark.setColor(QPalette::WindowText, kWhite);
  setPalette(dark);
  setAutoFillBackground(true);

  FillVenues();
  connect(venue_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(bet_, &QComboBox::currentIndexChanged, this, [this] { Refresh(); });
  connect(csv, &QPushButton::clicked, this, [this] {
    if (auto path = desktop_.ChooseSaveFile(this, QStringLiteral("収支をCSVに書き出す"),
                                            QDir::home().filePath(QStringLiteral("wakorin-収支.csv")),
                                            QStringLiteral("CSV (*.csv)"))) {
      ExportCsv(*path);
    }
  });
  Refresh();
}

void BalanceWindow::FillVenues() {
  venue_->blockSignals(true);
  venue_->clear();
  venue_->addItem(QStringLiteral("全場"));
  for (int code = 1; code <= 24; ++code) {
    const QString c = QStringLiteral("%1").arg(code, 2, 10, QLatin1Char('0'));
    venue_->addItem(VenueNameText(c), c);
  }
  venue_->blockSignals(false);
}

QString BalanceWindow::VenueFilter() const {
  return venue_->currentData().toString();
}

std::optional<AnyBet> BalanceWindow::BetFilter() const {
  return ledger::BetOfCode(bet_->currentData().toString());
}

void BalanceWindow::Refresh() {
  const std::vector<ledger::DayTally> days = log_.Days(VenueFilter(), BetFilter());
  std::vector<std::pair<int, ledger::Tally>> months;
  ledger::Tally total;
  for (const auto& d : days) {
    const int month = d.day / 100;
    if (months.empty() || months.back().first != month) months.push_back({month, {}});
    Add(months.back().second, d.tally);
    Add(total, d.tally);
  }
  dayTable_->setUpdatesEnabled(false);
  dayTable_->setRowCount(static_cast<int>(days.size()));
  for (std::size_t r = 0; r < days.size(); ++r) FillRow(dayTable_, static_cast<int>(r), DayText(days[r].day), days[r].tally);
  dayTable_->setUpdatesEnabled(true);
  monthTable_->setRowCount(static_cast<int>(months.size()) + 1);
  for (std::size_t r = 0; r < months.size(); ++r) {
    FillRow(monthTable_, static_cast<int>(r),
            QStringLiteral("%1/%2").arg(months[r].first / 100).arg(months[r].first % 100, 2, 10, QLatin1Char('0')),
            months[r].second);
  }
  FillRow(monthTable_, static_cast<int>(months.size()), QStringLiteral("合計"), total);
  stake_->setText(YenText(total.stake) + QStringLiteral("円"));
  payout_->setText(YenText(total.payout) + QStringLiteral("円"));
  balance_->setText((total.Balance() > 0 ? QStringLiteral("+") : QString()) + YenText(total.Balance()) + QStringLiteral("円"));
  rate_->setText(ReturnRateText(total));
  open_->setText(YenText(total.open) + QStringLiteral("円"));
  const QColor sign = total.Balance() < 0 ? QColor(0xff, 0x50, 0x50) : kAqua;
  balance_->setStyleSheet(QStringLiteral("color: %1").arg(sign.name()));
  ShowCharts(days, months);
}

void BalanceWindow::ShowCharts(const std::vector<ledger::DayTally>& days,
                               const std::vector<std::pair<int, ledger::Tally>>& months) {
  QChart* running = DarkChart(QStringLiteral("収支の推移 (円)"));
  auto* line = new QLineSeries;
  line->setColor(kAqua);
  qint64 balance = 0, low = 0, high = 0;
  for (const auto& d : days) {
    balance += d.tally.Balance();
    low = std::min(low, balance);
    high = std::max(high, balance);
    line->append(static_cast<qreal>(DayTime(d.day).toMSecsSinceEpoch()), static_cast<qreal>(balance));
  }
  running->addSeries(line);
  auto* time = new QDateTimeAxis;
  time->setFormat(QStringLiteral("yy/MM"));
  time->setLabelsColor(kWhite);
  auto* yen = new QValueAxis;
  yen->setLabelFormat(QStringLiteral("%.0f"));
  yen->setLabelsColor(kWhite);
  running->addAxis(time, Qt::AlignBottom);
  running->addAxis(yen, Qt::AlignLeft);
  line->attachAxis(time);
  line->attachAxis(yen);
  if (!days.empty()) time->setRange(DayTime(days.front().day).addDays(-1), DayTime(days.back().day).addDays(1));
  SetYenRange(*yen, low, high);
  QChart* old = balanceChart_->chart();
  balanceChart_->setChart(running);
  delete old;

  QChart* bars = DarkChart(QStringLiteral("月別の収支 (円)"));
  auto* gain = new QBarSet(QStringLiteral("収支"));
  gain->setColor(kAqua);
  QStringList categories;
  // "8月" while the months are of one year, else "24/8".
  const bool oneYear = months.empty() || months.front().first / 100 == months.back().first / 100;
  qint64 barLow = 0, barHigh = 0;
  for (const auto& [month, tally] : months) {
    *gain << static_cast<qreal>(tally.Balance());
    barLow = std::min(barLow, tally.Balance());
    barHigh = std::max(barHigh, tally.Balance());
    categories << (oneYear ? QStringLiteral("%1月").arg(month % 100)
                           : QStringLiteral("%1/%2").arg(month / 100 % 100, 2, 10, QLatin1Char('0')).arg(month % 100));
  }
  auto* series = new QBarSeries;
  series->append(gain);
  bars->addSeries(series);
  auto* monthsAxis = new QBarCategoryAxis;
  monthsAxis->append(categories);
  monthsAxis->setLabelsColor(kWhite);
  auto* barYen = new QValueAxis;
  barYen->setLabelFormat(QStringLiteral("%.0f"));
  barYen->setLabelsColor(kWhite);
  bars->addAxis(monthsAxis, Qt::AlignBottom);
  bars->addAxis(barYen, Qt::AlignLeft);
  series->attachAxis(monthsAxis);
  series->attachAxis(barYen);
  SetYenRange(*barYen, barLow, barHigh);
  old = monthChart_->chart();
  monthChart_->setChart(bars);
  delete old;
}

QByteArray BalanceWindow::CsvText() const {
  QString text = QStringLiteral("日付,場,レース,券種,組番,金額,結果,払戻\r\n");
  for (const ledger::Entry& e : log_.Entries(VenueFilter(), BetFilter())) {
    static const char* const kStates[] = {"未確定", "的中", "返還", "不的中"};
    const QStringList fields{DayText(e.day), VenueNameText(e.venue), QString::number(e.race), BetName(e.bet),
                             ledger::BoatsText(e.boats), QString::number(e.stake),
                             QString::fromUtf8(kStates[static_cast<int>(e.settled)]),
                             e.settled == ledger::Settled::Open ? QString() : QString::number(e.payout)};
    QStringList quoted;
    for (const QString& f : fields) quoted << CsvField(f);
    text += quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
  }
  // The byte order mark makes spreadsheets read the names as UTF-8.
  return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

bool BalanceWindow::ExportCsv(const QString& path) {
  const QByteArray bytes = CsvText();
  if (const auto fault = WriteWholeFile(path.toStdString(), std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())))) {
    desktop_.ShowMessage(this, QStringLiteral("CSVを書き出せませんでした。\n%1\n(%2)")
                                   .arg(path, QString::fromLocal8Bit(std::strerror(fault->error))));
    return false;
  }
  return true;
}

}  // namespace wakorin::ui
