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
  // The start-up makes the data folder under the home folder: a scratch one, never the user's.
  QTemporaryDir home;
  qputenv("HOME", home.path().toUtf8());
  for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) qunsetenv(name);
  QApplication app(argc, argv);
  wakorin::settings::NameApplication();
  // What the window remembers stays in a scratch folder, never in the user's home.
  QStandardPaths::setTestModeEnabled(true);
  QTemporaryDir settings;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
  wakorin::ui::InstallFontSubstitutes();
  return RUN_ALL_TESTS();
}
