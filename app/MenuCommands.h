#pragma once

#include <QObject>
#include <QUrl>

namespace wakorin {

class Desktop;
class DownloadCommand;
class TMainForm;

// The menu items that are not the window's own: reloading, quitting, downloads, version
// information and the links. Connected for as long as this object lives.
class MenuCommands : public QObject {
  Q_OBJECT

 public:
  MenuCommands(TMainForm& form, Desktop& desktop, DownloadCommand& download);

  void ReloadProgramFile();
  void Quit();
  // The title screen for three seconds, its item greyed meanwhile.
  void ShowVersion();
  // The bundled help in the help window (the screen help, the support and home page items).
  void ShowHelp();
  void OpenDataDownloadPage();
  void OpenOfficialSite();

  // The bundled help page: beside the executable, else with the installed shared files.
  static QUrl HelpPage();

 private:
  TMainForm& form_;
  Desktop& desktop_;
};

}  // namespace wakorin
