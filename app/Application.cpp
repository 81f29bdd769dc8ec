#include "app/Application.h"

#include <QApplication>
#include <QScreen>

#include "ui/Desktop.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"

namespace wakorin {

Application::Application(TMainForm& form, Desktop& desktop)
    : form_(form), desktop_(desktop), download_(form, desktop), menu_(form, desktop, download_) {
  form.SetProgramFileFolder(fileDialogFolder_);
  // Ends the event loop when one runs; a loop of a handler in progress sees the quit request.
  QObject::connect(&form, &TMainForm::TerminateRequested, &menu_,
                   [] { QCoreApplication::exit(0); });
}

bool Application::Start(TTitleForm* titleForm) {
  form_.ClearQuitRequest();
  titleForm->ShowPainted();
  desktop_.Wait(3000);
  // The file dialog opens while the title is still on top.
  if (!form_.ChooseProgramFile()) {
    titleForm->deleteLater();
    form_.Terminate();
    return false;
  }
  delete titleForm;
  if (QScreen* screen = QApplication::primaryScreen()) {
    form_.move(screen->availableGeometry().center() -
               QPoint(form_.width() / 2, form_.height() / 2));
  }
  form_.show();
  form_.repaint();
  return true;
}

}  // namespace wakorin
