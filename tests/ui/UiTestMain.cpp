#include <gtest/gtest.h>

#include <QApplication>
#include <QEventLoop>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "app/Settings.h"
#include "ui/Fonts.h"

namespace {

// Whether an exit was asked for with no loop to end: every event loop, dialogs' included, would
// then return at once until the application's own loop has run.
bool LeftQuitting() {
  QEventLoop probe;
  QTimer::singleShot(0, &probe, [&probe] { probe.exit(1); });
  if (probe.exec() == 1) return false;
  // The application's own loop clears it.
  QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
  QCoreApplication::exec();
  return true;
}

// Each window test starts from the same application whatever ran before it: no settings kept,
// no quit pending. A test that leaves a quit pending fails, naming itself.
class FreshApplication final : public ::testing::EmptyTestEventListener {
  void OnTestStart(const ::testing::TestInfo& /*test*/) override {
    QSettings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::organizationName(),
              QCoreApplication::applicationName())
        .clear();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void OnTestEnd(const ::testing::TestInfo& /*test*/) override {
    EXPECT_FALSE(LeftQuitting()) << "the test left the application quitting";
  }
};

}  // namespace

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
  // Before the printer, so that a failure it finds is reported with the test.
  ::testing::TestEventListeners& listeners = ::testing::UnitTest::GetInstance()->listeners();
  std::unique_ptr<::testing::TestEventListener> printer(
      listeners.Release(listeners.default_result_printer()));
  listeners.Append(new FreshApplication);
  if (printer) listeners.Append(printer.release());
  return RUN_ALL_TESTS();
}
