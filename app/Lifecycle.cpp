// Start-up with the title screen, and the two ways the application ends.
#include <QApplication>
#include <QCloseEvent>
#include <QScreen>

#include "ui/Desktop.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"

namespace wakorin {

bool TMainForm::FormCreate(TTitleForm* titleForm) {
  quitRequested_ = 0;
  titleForm->ShowPainted();
  desktop_.Wait(3000);
  // The file dialog opens while the title is still on top.
  if (!MainView()) {
    titleForm->deleteLater();
    Terminate();
    return false;
  }
  delete titleForm;
  setWindowTitle(QStringLiteral("Wakorin Ver2.11 2006年度前期ﾃﾞｰﾀ版"));
  if (QScreen* screen = QApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));
  }
  show();
  repaint();
  return true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

// While a check runs, its loop sees the request and ends the application once the check has
// let go of the window, so that it ends exactly once.
void TMainForm::FormClose() {
  quitRequested_ = -1;
  if (!checkRunning_) Terminate();
}

void TMainForm::Exit1Click() {
  quitRequested_ = -1;
  if (!checkRunning_) Terminate();
}

void TMainForm::Terminate() {
  emit TerminateRequested();
  // Ends the event loop when one runs; a loop of a handler in progress sees quitRequested_.
  QCoreApplication::exit(0);
}

}  // namespace wakorin
