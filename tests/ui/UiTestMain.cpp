#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Fonts.h"

// One QApplication for every window test, on the offscreen platform unless told otherwise.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Wakorin"));
  wakorin::ui::InstallFontSubstitutes();
  return RUN_ALL_TESTS();
}
