// The menu commands that are not buttons: reloading, version information and the links.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "ui/Desktop.h"
#include "app/Links.h"
#include "ui/TitleForm.h"
#include "ui/MainForm.h"

namespace wakorin {

void TMainForm::ConnectMenuCommands() {
  connect(N2, &QAction::triggered, this, [this] { N2Click(); });
  connect(Exit1, &QAction::triggered, this, [this] { Exit1Click(); });
  connect(DtUpdate, &QAction::triggered, this, [this] { DtUpdateClick(); });
  connect(N7, &QAction::triggered, this, [this] { N7Click(); });
  connect(HelpHP, &QAction::triggered, this, [this] { HelpHPClick(); });
  connect(J1, &QAction::triggered, this, [this] { J1Click(); });
  connect(Help, &QAction::triggered, this, [this] { HelpClick(); });
  connect(AboutVer, &QAction::triggered, this, [this] { AboutVerClick(); });
  connect(Print2, &QAction::triggered, this, [this] { Print2Click(); });
}

void TMainForm::N2Click() {
  // Back to race-card mode before the dialog opens, whatever the dialog's answer.
  ShowRaceCardModeView();
  N3->setText(QStringLiteral("全結果 照合"));
  MainView();
}

void TMainForm::AboutVerClick() {
  AboutVer->setEnabled(false);
  auto* title = new TTitleForm();
  title->ShowPainted();
  desktop_.Wait(3000);
  delete title;
  AboutVer->setEnabled(true);
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
  desktop_.Open(QUrl::fromLocalFile(help));
}

}  // namespace wakorin
