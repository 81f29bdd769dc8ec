// The menu commands that are not buttons: reloading, version information and the links.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "app/Links.h"
#include "ui/Desktop.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"

namespace wakorin {

void TMainForm::ConnectMenuCommands() {
  connect(menu_.N2, &QAction::triggered, this, [this] { N2Click(); });
  connect(menu_.Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  connect(menu_.DtUpdate, &QAction::triggered, this, [this] { DtUpdateClick(); });
  connect(menu_.DtDownload, &QAction::triggered, this, [this] { DtDownloadClick(); });
  connect(menu_.DtFolder, &QAction::triggered, this, [this] { DtFolderClick(); });
  connect(menu_.N7, &QAction::triggered, this, [this] { N7Click(); });
  connect(menu_.HelpHP, &QAction::triggered, this, [this] { HelpHPClick(); });
  connect(menu_.J1, &QAction::triggered, this, [this] { J1Click(); });
  connect(menu_.Help, &QAction::triggered, this, [this] { HelpClick(); });
  connect(menu_.AboutVer, &QAction::triggered, this, [this] { AboutVerClick(); });
  connect(menu_.Print2, &QAction::triggered, this, [this] { Print2Click(); });
}

void TMainForm::N2Click() {
  // Back to race-card mode before the dialog opens, whatever the dialog's answer.
  EnterRaceCardMode();
  MainView();
}

void TMainForm::AboutVerClick() {
  menu_.AboutVer->setEnabled(false);
  auto* title = new TTitleForm();
  title->ShowPainted();
  desktop_.Wait(3000);
  delete title;
  menu_.AboutVer->setEnabled(true);
}

void TMainForm::HelpClick() {
  desktop_.Open(QUrl(QString::fromLatin1(links::kHomePage)));
}
void TMainForm::J1Click() {
  desktop_.Open(QUrl(QString::fromLatin1(links::kSupportPage)));
}
void TMainForm::DtUpdateClick() {
  desktop_.Open(QUrl(QString::fromLatin1(links::kDataDownload)));
}
void TMainForm::N7Click() {
  desktop_.Open(QUrl(QString::fromLatin1(links::kOfficialSite)));
}

void TMainForm::HelpHPClick() {
  // Beside the executable; an installed copy keeps it with the other shared files instead.
  const QDir folder(QCoreApplication::applicationDirPath());
  const QString name = QString::fromLatin1(links::kHelpFile);
  QString help = folder.filePath(name);
  const QString installed = folder.filePath(QStringLiteral("../share/wakorin/") + name);
  if (!QFileInfo::exists(help) && QFileInfo::exists(installed)) help = QDir::cleanPath(installed);
  HelpWindow::Show(this, desktop_, help);
}

}  // namespace wakorin
