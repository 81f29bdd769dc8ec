#include <memory>
#include <QApplication>
#include <QCommandLineParser>
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

  QCommandLineParser arguments;
  arguments.setApplicationDescription(QStringLiteral("レース番組表ファイルを読み、出走表・予想・結果照合を表示します。"));
  arguments.addHelpOption();
  arguments.addPositionalArgument(QStringLiteral("file"),
                                  QStringLiteral("開くレース番組表ファイル (B241115.TXT, b241115.lzh)"),
                                  QStringLiteral("[file]"));
  arguments.process(app);

  wakorin::QtDesktop desktop;
  auto titleForm = std::make_unique<wakorin::TTitleForm>();  // hidden until the start-up
  wakorin::TMainForm form(desktop);
  wakorin::Application application(form, desktop);
  if (!application.Start(std::move(titleForm), arguments.positionalArguments())) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
  }
  return QApplication::exec();
}
