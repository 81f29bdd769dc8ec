#pragma once

namespace wakorin {

class Desktop;
class TMainForm;

// The window's download: a day chosen on a calendar is fetched into the data folder and opened;
// and the choice of that folder.
class DownloadCommand {
 public:
  DownloadCommand(TMainForm& form, Desktop& desktop) : form_(form), desktop_(desktop) {}

  // Downloads the archives of a day chosen on a calendar into the data folder, then opens the
  // day's race program as if it had been chosen in the file dialog. Returns whether it opened.
  bool DtDownloadClick();
  // Changes the data folder that downloads go to.
  void DtFolderClick();

 private:
  TMainForm& form_;
  Desktop& desktop_;
};

}  // namespace wakorin
