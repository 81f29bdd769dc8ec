#pragma once

#include <QStringList>

#include "day/SeasonCheck.h"

namespace wakorin::ui {

// Why a day of a season was not checked in full, a line for each reason, the day first:
// 「2024年1月5日 b240105.lzh: 選手期別成績ファイルがありません…」.
QStringList SeasonDayTroubles(const SeasonDay& day);

// A day's problem in the check of its venues, in a few words.
QString DayProblemText(const DayProblem& problem, const std::optional<std::pair<int, int>>& otherDay);

}  // namespace wakorin::ui
