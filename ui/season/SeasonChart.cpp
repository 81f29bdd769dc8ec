#include "ui/season/SeasonChart.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QDateTime>
#include <QDateTimeAxis>
#include <QGraphicsScene>
#include <QImage>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPen>
#include <QValueAxis>
#include <algorithm>

#include "ui/Colors.h"
#include "ui/DarkChart.h"
#include "ui/CalendarDay.h"

namespace wakorin::ui {

namespace {

const PerBet<QColor> kBetColors{{QColor(0x00, 0xff, 0xff), QColor(0xff, 0xd7, 0x00),
                                 QColor(0x7f, 0xff, 0x50), QColor(0xff, 0x70, 0xd0)}};
const QColor kFavourites(0xa0, 0xa0, 0xa0);

qreal DayMs(int d) { return static_cast<qreal>(ChartTime(d)); }

// Beside the standard mode, the data mode's lines are dashed: two modes of a bet type share its
// colour.
QPen LinePen(const QColor& color, PredictionMode mode, bool twoModes) {
  QPen pen(color, 2);
  if (twoModes && mode == PredictionMode::Data) pen.setStyle(Qt::DashLine);
  return pen;
}

void AttachAll(QChart& chart, QAbstractAxis* x, QAbstractAxis* y) {
  for (QAbstractSeries* series : chart.series()) {
    series->attachAxis(x);
    series->attachAxis(y);
  }
}

// A percentage axis from the lowest to the highest value, with 75 % inside.
QValueAxis* PercentAxis(double low, double high) {
  auto* axis = new QValueAxis;
  axis->setLabelFormat(QStringLiteral("%.0f%%"));
  LightLabels(*axis);
  low = std::min(low, 70.0);
  high = std::max(high, 90.0);
  axis->setRange(low, high);
  axis->applyNiceNumbers();
  return axis;
}

}  // namespace

qint64 ChartTime(int d) {
  return QDateTime(DayAsDate(d), QTime(12, 0)).toMSecsSinceEpoch();
}

QString SeasonModeName(PredictionMode mode) {
  return mode == PredictionMode::Data ? QStringLiteral("データ") : QStringLiteral("標準");
}

QString SeasonBetName(std::optional<BetType> bet) {
  if (!bet) return QStringLiteral("全券種");
  static const PerBet<const char*> names{{"２連複", "２連単", "３連複", "３連単"}};
  return QString::fromUtf8(names[*bet]);
}

QChart* ReturnChart(const std::vector<SeasonRun>& runs, std::optional<BetType> only) {
  QStringList modes;
  for (const SeasonRun& run : runs) modes << SeasonModeName(run.mode) + QStringLiteral("予想");
  modes << QStringLiteral("累計") << SeasonBetName(only);
  QChart* chart = DarkChart(QStringLiteral("回収率の推移 (") + modes.join(QStringLiteral("・")) + QLatin1Char(')'));
  double low = 75, high = 75;
  int first = 0, last = 0;
  const bool twoModes = runs.size() > 1;
  for (const SeasonRun& run : runs) {
    const std::vector<SeasonPoint> points = CumulativeReturns(run.totals.days);
    if (!points.empty()) {
      first = first == 0 ? points.front().date : std::min(first, points.front().date);
      last = std::max(last, points.back().date);
    }
    for (BetType bet : kBetTypes) {
      if (only && *only != bet) continue;
      auto* line = new QLineSeries;
      line->setName(SeasonBetName(bet) + (twoModes ? QLatin1Char(' ') + SeasonModeName(run.mode) : QString()));
      line->setPen(LinePen(kBetColors[bet], run.mode, twoModes));
      for (const SeasonPoint& point : points) {
        line->append(DayMs(point.date), point.rate[bet]);
        low = std::min(low, point.rate[bet]);
        high = std::max(high, point.rate[bet]);
      }
      chart->addSeries(line);
    }
  }
  // The favourites are bought whatever the mode: one line, from the first run, when counted.
  if (!runs.empty() && AllBets(runs.front().totals.favourites).stake > 0) {
    auto* fixed = new QLineSeries;
    fixed->setName(QStringLiteral("固定6点"));
    QPen pen(kFavourites, 1);
    pen.setStyle(Qt::DashDotLine);
    fixed->setPen(pen);
    for (const SeasonPoint& point : CumulativeReturns(runs.front().totals.days)) {
      const double rate = only ? point.favourites[*only] : point.allFavourites;
      fixed->append(DayMs(point.date), rate);
      low = std::min(low, rate);
      high = std::max(high, rate);
    }
    chart->addSeries(fixed);
  }
  auto* market = new QLineSeries;
  market->setName(QStringLiteral("75%"));
  QPen pen(kRed, 1);
  pen.setStyle(Qt::DotLine);
  market->setPen(pen);
  if (first != 0) {
    market->append(DayMs(first), 75);
    market->append(DayMs(last), 75);
  }
  chart->addSeries(market);

  auto* time = new QDateTimeAxis;
  time->setFormat(QStringLiteral("M/d"));
  time->setTickCount(9);
  LightLabels(*time);
  if (first != 0) time->setRange(QDateTime::fromMSecsSinceEpoch(ChartTime(first)).addDays(-1),
                                 QDateTime::fromMSecsSinceEpoch(ChartTime(last)).addDays(1));
  chart->addAxis(time, Qt::AlignBottom);
  time->setVisible(first != 0);
  QValueAxis* rate = PercentAxis(low, high);
  chart->addAxis(rate, Qt::AlignLeft);
  AttachAll(*chart, time, rate);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->show();
  return chart;
}

QChart* MonthChart(const std::vector<SeasonRun>& runs, std::optional<BetType> only) {
  QChart* chart = DarkChart(QStringLiteral("月別の回収率 (") + SeasonBetName(only) + QLatin1Char(')'));
  auto* series = new QBarSeries;
  // Every run's months, so that a month one mode lacks still has its place.
  std::vector<int> months;
  for (const SeasonRun& run : runs) {
    for (const auto& [month, tally] : MonthTotals(run.totals.days)) months.push_back(month);
  }
  std::sort(months.begin(), months.end());
  months.erase(std::unique(months.begin(), months.end()), months.end());
  double high = 90;
  for (const SeasonRun& run : runs) {
    auto* set = new QBarSet(SeasonModeName(run.mode));
    set->setColor(run.mode == PredictionMode::Data ? kBetColors[BetType::Exacta] : kBetColors[BetType::Quinella]);
    const auto sums = MonthTotals(run.totals.days);
    for (int month : months) {
      double rate = 0;
      for (const auto& [m, tally] : sums) {
        if (m == month) rate = only ? tally[*only].ReturnPercent() : AllBets(tally).ReturnPercent();
      }
      *set << rate;
      high = std::max(high, rate);
    }
    series->append(set);
  }
  series->setLabelsVisible(true);
  series->setLabelsFormat(QStringLiteral("@value"));
  series->setLabelsPrecision(3);
  series->setLabelsPosition(QAbstractBarSeries::LabelsInsideEnd);
  chart->addSeries(series);
  const bool oneYear = months.empty() || months.front() / 100 == months.back() / 100;
  QStringList categories;
  for (int month : months) {
    categories << (oneYear ? QStringLiteral("%1月").arg(month % 100)
                           : QStringLiteral("%1/%2").arg(month / 100 % 100, 2, 10, QLatin1Char('0')).arg(month % 100));
  }
  auto* axis = new QBarCategoryAxis;
  axis->append(categories);
  LightLabels(*axis);
  chart->addAxis(axis, Qt::AlignBottom);
  auto* rate = new QValueAxis;
  rate->setLabelFormat(QStringLiteral("%.0f%%"));
  LightLabels(*rate);
  rate->setRange(0, high);
  rate->applyNiceNumbers();
  chart->addAxis(rate, Qt::AlignLeft);
  series->attachAxis(axis);
  series->attachAxis(rate);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->legend()->setVisible(runs.size() > 1);
  return chart;
}

QByteArray ChartPng(QChart* chart, QSize size) {
  QGraphicsScene scene;
  scene.addItem(chart);
  chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(size)));
  QImage image(size, QImage::Format_RGB32);
  image.fill(kBlack);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), QRectF(QPointF(0, 0), QSizeF(size)));
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return png;
}

}  // namespace wakorin::ui
