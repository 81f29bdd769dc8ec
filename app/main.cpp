#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSettings>

#include "app/Application.h"
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
  wakorin::Application application(form, desktop);
  if (!application.Start(titleForm)) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
  }
  return QApplication::exec();
}
