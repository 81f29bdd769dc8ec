#include <QApplication>
#include <QScreen>

#include "app/QtDesktop.h"
#include "ui/Fonts.h"
#include "ui/MainForm.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // The application title captions every message box.
  QApplication::setApplicationName(QStringLiteral("Wakorin"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  wakorin::ui::InstallFontSubstitutes();

  wakorin::QtDesktop desktop;
  wakorin::TMainForm form(desktop);
  if (!form.MainView()) return 0;
  form.setWindowTitle(QStringLiteral("Wakorin Ver2.11 2006年度前期ﾃﾞｰﾀ版"));
  if (QScreen* screen = QApplication::primaryScreen()) {
    form.move(screen->availableGeometry().center() - form.rect().center());
  }
  form.show();
  return app.exec();
}
