#include "ui/ledger/LedgerText.h"

#include <QDir>
#include <QLocale>

#include "program/VenueTable.h"
#include "ui/Cp932Text.h"
#include "ui/CalendarDay.h"

namespace wakorin::ui {

QString VenueNameText(const QString& code) {
  const QByteArray bytes = code.toLatin1();
  const std::string name = VenueNameOfCode(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (name == bytes.toStdString()) return code;
  // Short names are padded with full-width blanks.
  return FromCp932(name).remove(QChar(0x3000)).trimmed();
}

QString DayText(int d) {
  return DayAsDate(d).toString(QStringLiteral("yyyy/MM/dd"));
}

QString YenText(qint64 yen) {
  return QLocale(QLocale::Japanese, QLocale::Japan).toString(yen);
}

QString ReturnRateText(const ledger::Tally& tally) {
  if (tally.stake <= 0) return QStringLiteral("-");
  return QStringLiteral("%1%").arg(100.0 * static_cast<double>(tally.payout) / static_cast<double>(tally.stake), 0, 'f', 1);
}

QString SettledText(const ledger::Entry& entry) {
  switch (entry.settled) {
    case ledger::Settled::Open:
      return QStringLiteral("未確定");
    case ledger::Settled::Paid:
      return QStringLiteral("的中 %1円").arg(YenText(entry.payout));
    case ledger::Settled::Refund:
      return QStringLiteral("返還 %1円").arg(YenText(entry.payout));
    case ledger::Settled::Loss:
      break;
  }
  return QStringLiteral("不的中");
}

QString LogProblemText(const ledger::LogProblem& p) {
  const QString path = QDir::toNativeSeparators(p.path);
  QString why;
  switch (p.fault) {
    case ledger::LogFault::None:
      return {};
    case ledger::LogFault::CannotCreate:
      why = QStringLiteral("舟券の記録ファイルを作れません。フォルダに書き込めるか確かめてください。");
      break;
    case ledger::LogFault::Locked:
      why = QStringLiteral("舟券の記録ファイルは他のプログラムが使用中です。");
      break;
    case ledger::LogFault::ReadOnly:
      why = QStringLiteral("舟券の記録ファイル(またはそのフォルダ)は読み取り専用です。");
      break;
    case ledger::LogFault::Damaged:
      why = QStringLiteral("舟券の記録ファイルが壊れているか、記録ファイルではありません。");
      break;
    case ledger::LogFault::Newer:
      why = QStringLiteral("舟券の記録ファイルは新しい版のプログラムで作られています(形式 %1、この版は %2 まで)。")
                .arg(p.version)
                .arg(ledger::BetLog::kVersion);
      break;
    case ledger::LogFault::Failed:
      why = QStringLiteral("舟券の記録ファイルを開けませんでした。");
      break;
  }
  QString text = why + QStringLiteral("\n%1\n").arg(path);
  if (!p.detail.isEmpty()) text += QStringLiteral("(%1)\n").arg(p.detail);
  return text + QStringLiteral("ファイルには手を付けていません。舟券の記録と収支は使えませんが、他の機能はそのまま使えます。");
}

QString TicketFaultText(TicketFault fault) {
  switch (fault) {
    case TicketFault::None:
      return {};
    case TicketFault::BoatOutOfRange:
      return QStringLiteral("艇番は1～6です。");
    case TicketFault::BoatTwice:
      return QStringLiteral("同じ艇が二度入っています。");
    case TicketFault::WrongCount:
      return QStringLiteral("券種の着順ごとに1艇ずつ選んでください。");
    case TicketFault::NoCombination:
      return QStringLiteral("この選び方では組み合わせが一つもできません。");
  }
  return {};
}

}  // namespace wakorin::ui
