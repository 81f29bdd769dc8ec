#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSettings>

#include "app/LearnCommand.h"
#include "app/QtJapanese.h"
#include "app/Settings.h"
#include "ui/Fonts.h"
#include "ui/MainForm.h"
#include "ui/Pictures.h"
#include "ui/QtDesktop.h"
#include "ui/TitleForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  wakorin::settings::NameApplication();
  wakorin::InstallQtJapanese();
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(wakorin::ui::SingleBoatPicture())));
  QApplication::setStyle(QStringLiteral("Fusion"));
  wakorin::ui::InstallFontSubstitutes();
  // The application writes only its own settings (an INI file) and its downloads. Qt's file
  // dialog would record its history in the user's native settings; pointing those at a place
  // that cannot hold files keeps it silent.
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("/dev/null"));

  wakorin::QtDesktop desktop;
  auto* titleForm = new wakorin::TTitleForm();  // hidden until the main window's start-up
  wakorin::TMainForm form(desktop);
  // The prediction mode and the model chosen last time; a model file that can no longer be read
  // leaves the built-in one, and the user is told once the window shows.
  QString modelProblem;
  if (auto model = wakorin::LoadLearnedModel(&modelProblem)) form.UseDataModel(std::move(model));
  form.SetPredictionMode(wakorin::settings::DataModeChosen() ? wakorin::PredictionMode::Data
                                                             : wakorin::PredictionMode::Standard);
  QObject::connect(&form, &wakorin::TMainForm::PredictionModeChosen,
                   [](wakorin::PredictionMode mode) {
                     wakorin::settings::SetDataModeChosen(mode == wakorin::PredictionMode::Data);
                   });
  QObject::connect(&form, &wakorin::TMainForm::LearnRequested,
                   [&form, &desktop] { wakorin::LearnFromDataFolder(form, desktop); });
  if (!form.FormCreate(titleForm)) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
  }
  if (!modelProblem.isEmpty()) desktop.ShowMessage(&form, modelProblem);
  return QApplication::exec();
}
