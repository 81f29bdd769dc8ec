#pragma once

#include <QByteArray>
#include <QColor>
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

#include "day/OpenDay.h"
#include "day/SeasonCheck.h"

class QChart;

namespace wakorin::ui {

// One mode's season as the charts draw it.
struct SeasonRun {
  PredictionMode mode = PredictionMode::Standard;
  SeasonTotals totals;
};

// 標準 or データ.
QString SeasonModeName(PredictionMode mode);
// A day (yyyymmdd) on the charts' time axis: its noon, in milliseconds since the epoch.
qint64 ChartTime(int yyyymmdd);

// ２連複 .. ３連単; 全券種 for all four.
QString SeasonBetName(std::optional<BetType> bet);

// The cumulative return rate day by day: a line for each bet type (or the one chosen) and mode,
// the six fixed favourites' line and the 75 % line for reference.
QChart* ReturnChart(const std::vector<SeasonRun>& runs, std::optional<BetType> only);
// Each month's return rate, a bar for each mode, of the bet type chosen or of all four.
QChart* MonthChart(const std::vector<SeasonRun>& runs, std::optional<BetType> only);

// The chart drawn at `size` on its black, as PNG bytes (for the checker, without a window); the
// chart is used up.
QByteArray ChartPng(QChart* chart, QSize size);

}  // namespace wakorin::ui
