#include "app/MenuCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "app/DownloadCommand.h"
#include "app/Links.h"
#include "ui/Desktop.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"
#include "ui/MainMenu.h"
#include "ui/TitleForm.h"

namespace wakorin {

MenuCommands::MenuCommands(TMainForm& form, Desktop& desktop, DownloadCommand& download)
    : form_(form), desktop_(desktop) {
  const ui::MainMenu& menu = form.Menu();
  connect(menu.N2, &QAction::triggered, this, [this] { ReloadProgramFile(); });
  connect(menu.Exit1, &QAction::triggered, this, [this] { Quit(); });
  connect(menu.DtUpdate, &QAction::triggered, this, [this] { OpenDataDownloadPage(); });
  connect(menu.DtDownload, &QAction::triggered, this, [&download] { download.DownloadChosenDay(); });
  connect(menu.DtFolder, &QAction::triggered, this, [&download] { download.ChooseDataFolder(); });
  connect(menu.N7, &QAction::triggered, this, [this] { OpenOfficialSite(); });
  // The screen help, the support page and the home page are all the bundled help.
  for (QAction* item : {menu.HelpHP, menu.J1, menu.Help}) {
    connect(item, &QAction::triggered, this, [this] { ShowHelp(); });
  }
  connect(menu.AboutVer, &QAction::triggered, this, [this] { ShowVersion(); });
}

void MenuCommands::ReloadProgramFile() {
  // Back to race-card mode before the dialog opens, whatever the dialog's answer.
  form_.EnterRaceCardMode();
  form_.ChooseProgramFile();
}

void MenuCommands::Quit() {
  form_.FormClose();
}

void MenuCommands::ShowVersion() {
  QAction* item = form_.Menu().AboutVer;
  item->setEnabled(false);
  {
    TTitleForm title;
    title.ShowPainted();
    desktop_.Wait(3000);
  }
  item->setEnabled(true);
}

// The project has no web pages of its own: its support and home page items show the bundled help,
// in the help window, which opens where no browser does.
void MenuCommands::ShowHelp() {
  HelpWindow::Show(&form_, desktop_, HelpPage().toLocalFile());
}
void MenuCommands::OpenDataDownloadPage() {
  desktop_.Open(QUrl(QString::fromLatin1(links::kDataDownload)));
}
void MenuCommands::OpenOfficialSite() {
  desktop_.Open(QUrl(QString::fromLatin1(links::kOfficialSite)));
}
QUrl MenuCommands::HelpPage() {
  const QDir folder(QCoreApplication::applicationDirPath());
  const QString name = QString::fromLatin1(links::kHelpFile);
  QString help = folder.filePath(name);
  const QString installed = folder.filePath(QStringLiteral("../share/wakorin/") + name);
  if (!QFileInfo::exists(help) && QFileInfo::exists(installed)) help = QDir::cleanPath(installed);
  return QUrl::fromLocalFile(help);
}

}  // namespace wakorin
