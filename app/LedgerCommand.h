#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <memory>

#include "ledger/BetLog.h"
#include "ui/ledger/BalanceWindow.h"
#include "ui/ledger/RecordDialog.h"

namespace wakorin {

class Desktop;
class TMainForm;

// The fan's bet log in the window: opened in the data folder at start, its record dialog and
// balance window from the menu, and its entries settled whenever a day's files are read (a day
// opened, a download, a check of a venue's results).
class LedgerCommand : public QObject {
  Q_OBJECT
 public:
  LedgerCommand(TMainForm& form, Desktop& desktop);
  ~LedgerCommand() override;

  // Opens the log of the data folder when there is one; a folder without a log gets one only
  // when something is recorded. A log that cannot be used is left as found; its problem is said
  // once, by SayProblem, and the commands say it again when chosen.
  void Open();
  void SayProblem();
  ledger::BetLog* Log() { return log_.get(); }

  // 舟券を記録...: the dialog on the race on screen; nothing without a day.
  void ShowRecordDialog();
  // 収支...: the balance window.
  void ShowBalanceWindow();
  // Settles what the result files in the data folder and the open day's folder allow, and shows
  // the change in the dialog and window that are open.
  void Settle();

  ui::RecordDialog* Dialog() const { return dialog_; }
  ui::BalanceWindow* Balance() const { return balance_; }

 private:
  void Refresh();
  // The log of the data folder as it is now (made when `create`), or nullptr with problem_ set.
  ledger::BetLog* EnsureLog(bool create);
  TMainForm& form_;
  Desktop& desktop_;
  std::unique_ptr<ledger::BetLog> log_;
  ledger::LogProblem problem_;
  bool problemSaid_ = false;
  QPointer<ui::RecordDialog> dialog_;
  QPointer<ui::BalanceWindow> balance_;
};

}  // namespace wakorin
