#include "app/LedgerCommand.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>

#include "app/Settings.h"
#include "day/OpenDay.h"
#include "ledger/Settlement.h"
#include "ui/Cp932Text.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"
#include "ui/ledger/BalanceWindow.h"
#include "ui/ledger/LedgerText.h"
#include "ui/ledger/RecordDialog.h"

namespace wakorin {

LedgerCommand::LedgerCommand(TMainForm& form, Desktop& desktop) : form_(form), desktop_(desktop) {
  connect(form.Menu().BetRecord, &QAction::triggered, this, [this] { ShowRecordDialog(); });
  connect(form.Menu().BetBalance, &QAction::triggered, this, [this] { ShowBalanceWindow(); });
  connect(&form, &TMainForm::DayFilesRead, this, [this] { Settle(); });
}

LedgerCommand::~LedgerCommand() {
  delete dialog_;
  delete balance_;
}

void LedgerCommand::Open() {
  delete dialog_;
  delete balance_;
  log_.reset();
  problem_ = {};
  problemSaid_ = false;
  EnsureLog(false);
}

ledger::BetLog* LedgerCommand::EnsureLog(bool create) {
  const QString path = ledger::LogPathIn(settings::DataFolder());
  if (log_ && log_->Path() == path) return log_.get();
  if (problem_.fault != ledger::LogFault::None && problem_.path == path) return nullptr;
  // Another data folder was chosen: its own log.
  delete dialog_;
  delete balance_;
  log_.reset();
  problem_ = {};
  if (!create && !QFileInfo::exists(path)) return nullptr;
  log_ = ledger::BetLog::Open(path, &problem_);
  return log_.get();
}

void LedgerCommand::SayProblem() {
  if (log_ || problemSaid_ || problem_.fault == ledger::LogFault::None) return;
  problemSaid_ = true;
  desktop_.ShowMessage(&form_, ui::LogProblemText(problem_));
}

void LedgerCommand::ShowRecordDialog() {
  if (!EnsureLog(true)) {
    desktop_.ShowMessage(&form_, ui::LogProblemText(problem_));
    return;
  }
  const OpenDay* day = form_.Day();
  if (day == nullptr || !day->Day()) {
    desktop_.ShowMessage(&form_, QStringLiteral("レース番組表ファイルを開いてから記録してください。"));
    return;
  }
  ui::RecordContext context;
  context.day = *day->Day();
  for (const DayVenue& venue : day->Venues()) {
    context.venues.push_back({QString::fromLatin1(venue.code.c_str()), ui::VenueNameText(QString::fromLatin1(venue.code.c_str())),
                              venue.raceCount});
  }
  context.venue = form_.SelectedVenue();
  context.race = form_.SelectedRace();
  if (const auto sheet = form_.ShownSheet()) {
    context.sheetBet = AnyOf(sheet->first);
    for (const Ticket& ticket : sheet->second) {
      std::vector<Combination> combinations = CombinationsBought(sheet->first, ticket);
      if (!combinations.empty()) context.sheet.push_back(std::move(combinations));
    }
    if (context.sheet.empty()) context.sheetBet.reset();
  }
  delete dialog_;
  dialog_ = new ui::RecordDialog(*log_, std::move(context), &form_);
  dialog_->setAttribute(Qt::WA_DeleteOnClose);
  // Queued: a settlement may replace the dialog (another data folder), never inside its own click.
  connect(dialog_, &ui::RecordDialog::Changed, this, [this] { Settle(); }, Qt::QueuedConnection);
  dialog_->show();
}

void LedgerCommand::ShowBalanceWindow() {
  if (!EnsureLog(true)) {
    desktop_.ShowMessage(&form_, ui::LogProblemText(problem_));
    return;
  }
  if (balance_ == nullptr) {
    balance_ = new ui::BalanceWindow(*log_, desktop_, &form_);
    balance_->setAttribute(Qt::WA_DeleteOnClose);
  } else {
    balance_->Refresh();
  }
  balance_->show();
  balance_->raise();
}

void LedgerCommand::Settle() {
  if (!EnsureLog(false)) return;
  QStringList folders{settings::DataFolder()};
  const QString dayFolder = QFileInfo(QString::fromStdString(form_.ProgramFilePath())).absolutePath();
  if (!form_.ProgramFilePath().empty() && QDir(dayFolder) != QDir(folders.first())) folders << dayFolder;
  const ledger::SettleReport report = ledger::SettleFromFolders(*log_, folders);
  if (!report.written) {
    desktop_.ShowMessage(&form_, QStringLiteral("舟券の記録を精算できませんでした。\n%1").arg(log_->LastError()));
  }
  Refresh();
}

void LedgerCommand::Refresh() {
  if (dialog_) dialog_->Reload();
  if (balance_) balance_->Refresh();
}

}  // namespace wakorin
