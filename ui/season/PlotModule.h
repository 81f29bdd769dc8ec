#pragma once

#include "day/SeasonCheck.h"

// The chart of wakorin-check --plot lives in a module of its own, loaded only when a chart is
// asked for: the checker itself links no Qt, so it starts as fast and as small as it did.
// Writes the season window's chart of `totals` (the data mode's when `dataMode`) as PNG, whole,
// to `path`: 0 when written, else 1 + the WriteFault kind with the system's error number in
// `errorNumber`.
extern "C" int wakorin_write_season_plot(const char* path, int dataMode,
                                         const wakorin::SeasonTotals* totals, int* errorNumber);
using WakorinWriteSeasonPlot = decltype(&wakorin_write_season_plot);
inline constexpr const char* kWakorinPlotSymbol = "wakorin_write_season_plot";
inline constexpr const char* kWakorinPlotModule = "wakorin-plot.so";
