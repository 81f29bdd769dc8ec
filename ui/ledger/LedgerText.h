#pragma once

#include <QString>

#include "ledger/BetLog.h"
#include "results/TicketForms.h"
#include "ui/DarkTables.h"

namespace wakorin::ui {

// The bet log's words, in the window's Japanese.
// BetName (単勝 .. ３連複) is the windows' own, in ui/DarkTables.h.
QString VenueNameText(const QString& code);  // 大村; the code itself when unknown
QString DayText(int yyyymmdd);  // 2024/07/10
QString SettledText(const ledger::Entry& entry);  // 未確定, 的中 1,230円, 返還 100円, 不的中
QString YenText(qint64 yen);  // 1,230
QString ReturnRateText(const ledger::Tally& tally);  // 85.3% ; "-" without a settled stake
// Why a log could not be opened, and what the program does without it.
QString LogProblemText(const ledger::LogProblem& problem);
QString TicketFaultText(TicketFault fault);

}  // namespace wakorin::ui
