#pragma once

#include <QString>
#include <QStringList>

#include "ledger/BetLog.h"

namespace wakorin::ledger {

struct SettleReport {
  int settled = 0;    // entries settled now
  int open = 0;       // entries still waiting for their day's results
  bool written = true;  // false when the log refused the change (LastError says why)
};

// Settles every entry not settled yet whose day's result file stands in one of `folders` (text or
// archive, taken by its content as every reader of days takes it): a payout, a refund or a loss.
// A venue or bet type the file does not give yet stays open. All in one transaction.
SettleReport SettleFromFolders(BetLog& log, const QStringList& folders);

}  // namespace wakorin::ledger
