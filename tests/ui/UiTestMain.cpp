#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "app/Settings.h"
#include "ui/Fonts.h"

// One QApplication for every window test, on the offscreen platform unless told otherwise.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  wakorin::settings::NameApplication();
  // What the window remembers stays in a scratch folder, never in the user's home.
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  wakorin::ui::InstallFontSubstitutes();
  return RUN_ALL_TESTS();
}
