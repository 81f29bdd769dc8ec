#include "ui/season/PlotModule.h"

#include <QApplication>
#include <QByteArray>
#include <QSize>
#include <string_view>
#include <vector>

#include "base/WholeFile.h"
#include "ui/season/SeasonChart.h"

extern "C" __attribute__((visibility("default"))) int wakorin_write_season_plot(
    const char* path, int dataMode, const wakorin::SeasonTotals* totals, int* errorNumber) {
  using namespace wakorin;
  // Drawn offscreen: the checker runs where there is no display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int argc = 1;
  char name[] = "wakorin-check";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);
  std::vector<ui::SeasonRun> runs(1);
  runs.front().mode = dataMode != 0 ? PredictionMode::Data : PredictionMode::Standard;
  runs.front().totals = *totals;
  const QByteArray png = ui::ChartPng(ui::ReturnChart(runs, std::nullopt), QSize(1200, 700));
  const auto fault = WriteWholeFile(path, std::string_view(png.constData(), static_cast<std::size_t>(png.size())));
  if (!fault) return 0;
  *errorNumber = fault->error;
  return 1 + static_cast<int>(fault->kind);
}
