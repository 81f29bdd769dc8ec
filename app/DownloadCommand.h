#pragma once

#include <QDate>

namespace wakorin {

class Desktop;
class ProgramFileFolder;
class TMainForm;

// The window's download: a day chosen on a calendar is fetched into the data folder and opened;
// and the choice of that folder.
class DownloadCommand {
 public:
  DownloadCommand(TMainForm& form, Desktop& desktop, ProgramFileFolder& fileDialogFolder)
      : form_(form), desktop_(desktop), fileDialogFolder_(fileDialogFolder) {}

  // The menu's download, its calendar opening on the day open in the window, else on the day
  // last downloaded, else on today.
  bool DownloadChosenDay();
  // Downloads the archives of a day chosen on a calendar opening at `initial` into the data
  // folder, then opens the day's race program as if it had been chosen in the file dialog.
  // Returns whether the day opened.
  bool Download(QDate initial);
  // Changes the data folder that downloads go to.
  void ChooseDataFolder();

 private:
  QDate InitialDay() const;

  TMainForm& form_;
  Desktop& desktop_;
  ProgramFileFolder& fileDialogFolder_;
};

}  // namespace wakorin
