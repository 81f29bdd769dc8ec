#pragma once

#include <QDate>

#include "base/DayDate.h"

namespace wakorin {

// A day (yyyymmdd) as the window's calendar and charts take it; taken apart in base/DayDate.h.
inline QDate DayAsDate(int yyyymmdd) {
  const std::chrono::year_month_day day = CalendarDay(yyyymmdd);
  return QDate(static_cast<int>(day.year()), static_cast<int>(static_cast<unsigned>(day.month())),
               static_cast<int>(static_cast<unsigned>(day.day())));
}

}  // namespace wakorin
