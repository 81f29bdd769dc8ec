#include "ui/season/SeasonText.h"

#include <QFileInfo>

#include "ui/ErrorText.h"
#include "ui/ledger/LedgerText.h"

namespace wakorin::ui {

namespace {

QString Venue(const std::string& code) { return VenueNameText(QString::fromStdString(code)); }

// A message box's text in a line of the list.
QString OneLine(QString text) { return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).simplified(); }

}  // namespace

QString DayProblemText(const DayProblem& problem, const std::optional<std::pair<int, int>>& otherDay) {
  using Kind = DayProblem::Kind;
  switch (problem.kind) {
    case Kind::NotProgramFile:
      return QStringLiteral("レース番組表ファイルではありません");
    case Kind::OtherDay:
      return QStringLiteral("競走成績ファイルが別の日(%1)のものなので照合しませんでした")
          .arg(otherDay ? JapaneseDayText(otherDay->second) : QStringLiteral("?"));
    case Kind::ResultVenueTwice:
      return QStringLiteral("競走成績ファイルに%1が2度あります(初めのものを照合しました)").arg(Venue(problem.venue));
    case Kind::ProgramVenueTwice:
      return QStringLiteral("レース番組表ファイルに%1が2度あります(初めのものを照合しました)").arg(Venue(problem.venue));
    case Kind::NoVenue:
      return QStringLiteral("レース番組表ファイルに場がありません");
    case Kind::VenueUnchecked:
      return QStringLiteral("%1を照合できませんでした").arg(Venue(problem.venue));
    case Kind::RaceNotConverted:
      return QStringLiteral("%1 %2R: 選手の成績かモーター・ボートの番号が読めないため予想していません")
          .arg(Venue(problem.venue))
          .arg(problem.race);
    case Kind::NotPublished:
      return QStringLiteral("%1の結果はまだ発表されていません").arg(Venue(problem.venue));
    case Kind::NoResult:
      break;
  }
  return QStringLiteral("%1の結果が競走成績ファイルにありません").arg(Venue(problem.venue));
}

QStringList SeasonDayTroubles(const SeasonDay& day) {
  QStringList lines;
  const QString head = JapaneseDayText(day.date) + QLatin1Char(' ') +
                       QFileInfo(QString::fromStdString(day.file)).fileName() + QStringLiteral(": ");
  if (day.noStats) {
    QString why = QStringLiteral("選手期別成績ファイルがないため照合できません(データ予想なら不要です)");
    for (const auto& [path, error] : day.noStats->refused) {
      why += QStringLiteral("。%1 は使えません: %2").arg(QString::fromStdString(path), OneLine(ErrorText(error)));
    }
    lines << head + why;
    return lines;
  }
  for (const RefusedFile& file : day.refused) lines << OneLine(RefusedFileText(file, day.date));
  if (day.gap) {
    RaceDay left;
    left.date = day.date;
    left.gap = day.gap;
    lines << OneLine(LeftOutDayText(left));
  }
  if (day.unreadable) lines << head + OneLine(ErrorText(*day.unreadable));
  if (day.check) {
    for (const DayProblem& problem : day.check->problems) {
      lines << head + DayProblemText(problem, day.check->otherDay);
    }
  }
  return lines;
}

}  // namespace wakorin::ui
