#pragma once

#include <QDate>
#include <QString>

#include "base/Error.h"
#include "day/RaceDays.h"
#include "predict/DataModel.h"
#include "ui/CalendarDay.h"

namespace wakorin {

// The text of the standard error box for a failed command: "I/O エラー (%d)",
// "'%s' は整数ではありません", for an archive that cannot be unpacked or a text in neither form
// its path and why, for a file far too large or no statistics file its path and why, and for the
// missing statistics file the fixed message naming it, then where it was looked for, the files
// passed over and why, and that the data mode needs none.
QString ErrorText(const Error& error);

// A day (yyyymmdd) as the window's messages say it: 2024年4月1日.
QString JapaneseDayText(int yyyymmdd);

// Why a copy of a day's file was not taken for day `date` (yyyymmdd), naming the file.
QString RefusedFileText(const RefusedFile& file, int date);
// Why a model file was refused, in a line: 「208行目: 途中で切れています(終わりの行がありません)」.
QString ModelFaultText(const ModelFileFault& fault);
// Why a day was left out.
QString LeftOutDayText(const RaceDay& day);

}  // namespace wakorin
