#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "app/DownloadCommand.h"
#include "app/FileDialogFolder.h"
#include "app/LedgerCommand.h"
#include "app/MenuCommands.h"
#include "app/SeasonCommand.h"

namespace wakorin {

class Desktop;
class TMainForm;
class TTitleForm;

// The application around the main window: its start-up, its commands, and its end.
class Application {
 public:
  Application(TMainForm& form, Desktop& desktop);

  // The start-up sequence: title, wait, the day, then the window or the end. The day is the
  // program file or archive given as the first of `files`, else one downloaded on a first start,
  // else the one chosen in the file dialog. Returns whether the application goes on to its event
  // loop; the title form is gone either way.
  bool Start(std::unique_ptr<TTitleForm> titleForm, const QStringList& files = {});
  // The bet log's commands.
  LedgerCommand& Ledger() { return ledger_; }
  // The season window's command.
  SeasonCommand& Season() { return season_; }

 private:
  bool OpenFirstDay(const QStringList& files);

  TMainForm& form_;
  Desktop& desktop_;
  FileDialogFolder fileDialogFolder_;
  DownloadCommand download_;
  MenuCommands menu_;
  LedgerCommand ledger_;
  SeasonCommand season_;
  QString modelProblem_;  // why the model learned last could not be read, said once shown
};

}  // namespace wakorin
