#include "app/Application.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QThread>

#include "app/DayDownload.h"
#include "app/LearnCommand.h"
#include "app/Settings.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"

namespace wakorin {

Application::Application(TMainForm& form, Desktop& desktop)
    : form_(form),
      desktop_(desktop),
      download_(form, desktop, fileDialogFolder_),
      menu_(form, desktop, download_),
      ledger_(form, desktop),
      season_(form, desktop) {
  // The bet log of the data folder; one that cannot be used is named once the window shows.
  ledger_.Open();
  form.SetProgramFileFolder(fileDialogFolder_);
  // Ends the event loop when one runs; a loop of a handler in progress sees the quit request.
  // With no loop running (a start-up that ends before the window shows) there is nothing to end,
  // and an exit then would make every later loop return at once.
  QObject::connect(&form, &TMainForm::TerminateRequested, &menu_, [] {
    if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::exit(0);
  });
  // The prediction mode and the model chosen last time; a model file that can no longer be read
  // leaves the built-in one, and the user is told once the window shows.
  if (auto model = LoadLearnedModel(&modelProblem_)) form.UseDataModel(std::move(model));
  form.SetPredictionMode(settings::DataModeChosen() ? PredictionMode::Data
                                                    : PredictionMode::Standard);
  QObject::connect(&form, &TMainForm::PredictionModeChosen, &menu_, [](PredictionMode mode) {
    settings::SetDataModeChosen(mode == PredictionMode::Data);
  });
  QObject::connect(&form, &TMainForm::LearnRequested, &menu_,
                   [this] { LearnFromDataFolder(form_, desktop_); });
}

bool Application::OpenFirstDay(const QStringList& files) {
  if (!files.isEmpty()) {
    if (form_.OpenProgramFile(files.first())) {
      fileDialogFolder_.Remember(QFileInfo(files.first()).absolutePath());
      return true;
    }
    // Its message has been shown; the day is chosen as at any other start.
  }
  // Someone with no day at hand is offered one before an empty dialog.
  const QString folder = fileDialogFolder_.Folder();
  QDir().mkpath(folder);
  if (!FileDialogFolder::HoldsProgramFile(folder) &&
      desktop_.Question(&form_, QStringLiteral("レース番組表ファイルがありません。"
                                               "日付を指定してダウンロードしますか？")) &&
      download_.Download(LatestPublishedDay(QDateTime::currentDateTime()))) {
    return true;
  }
  return form_.ChooseProgramFile();
}

bool Application::Start(std::unique_ptr<TTitleForm> titleForm, const QStringList& files) {
  form_.ClearQuitRequest();
  titleForm->ShowPainted();
  desktop_.Wait(3000);
  // The dialogs open while the title is still on top.
  if (!OpenFirstDay(files)) {
    // Its events may still be queued behind the dialogs: Qt deletes it once they are handled.
    titleForm.release()->deleteLater();
    form_.Terminate();
    return false;
  }
  titleForm.reset();
  if (QScreen* screen = QApplication::primaryScreen()) {
    form_.move(screen->availableGeometry().center() -
               QPoint(form_.width() / 2, form_.height() / 2));
  }
  form_.show();
  form_.repaint();
  if (!modelProblem_.isEmpty()) desktop_.ShowMessage(&form_, modelProblem_);
  ledger_.SayProblem();
  return true;
}

}  // namespace wakorin
