// The real desktop's dialogs, driven from a timer while they run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <filesystem>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "tests/TempFiles.h"
#include "ui/QtDesktop.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;

// Size, type and date read whole in the file dialog, not "61....KiB" and "平…ト"; the name takes
// what is left.
TEST(QtDesktopTest, FileDialogColumnsReadWhole) {
  QtDesktop desktop;
  bool checked = false;
  // The timer dies with the test, so that it never fires in a later one.
  QObject scope;
  QTimer::singleShot(0, &scope, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    auto* view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
    ASSERT_NE(view, nullptr);
    const QAbstractItemModel& model = *view->model();
    // The folder is listed in the background.
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.rowCount(view->rootIndex()) > 0; }, 5000));
    QTest::qWait(50);
    const QHeaderView& header = *view->header();
    for (int row = 0; row < model.rowCount(view->rootIndex()); ++row) {
      for (int column = 1; column < header.count(); ++column) {
        const QString text = model.index(row, column, view->rootIndex()).data().toString();
        EXPECT_GE(header.sectionSize(column), view->fontMetrics().horizontalAdvance(text) + 6)
            << text.toStdString();
      }
      const QString name = model.index(row, 0, view->rootIndex()).data().toString();
      EXPECT_GE(header.sectionSize(0), view->fontMetrics().horizontalAdvance(name) + 40)
          << name.toStdString();
    }
    checked = true;
    dialog->reject();
  });
  OpenFileOptions options;
  options.title = QStringLiteral("レース番組表ファイルを選択してください。");
  options.filter = QStringLiteral("B*.TXT (B*.TXT b*.txt)");
  options.startFolder = QStringLiteral(WAKORIN_SAMPLES_DIR);
  EXPECT_EQ(desktop.ChooseOpenFile(nullptr, options), std::nullopt);
  EXPECT_TRUE(checked);
}

// Where no browser can be started, opening a web page says so on screen, not only on stderr.
TEST(QtDesktopTest, AWebPageNoBrowserCanOpenIsSaidSo) {
  // Nothing to start: no xdg-open or browser on the path, none named in the environment.
  const QByteArray path = qgetenv("PATH");
  const QByteArray browser = qgetenv("BROWSER");
  const QByteArray defaultBrowser = qgetenv("DEFAULT_BROWSER");
  qputenv("PATH", "/nonexistent");
  qunsetenv("BROWSER");
  qunsetenv("DEFAULT_BROWSER");
  QtDesktop desktop;
  QString said;
  // Where a browser does start, no box opens and the timer must not outlive the test.
  QObject scope;
  QTimer::singleShot(0, &scope, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      said = box->text();
      box->accept();
    }
  });
  desktop.Open(QUrl(QStringLiteral("https://www.boatrace.jp/")));
  qputenv("PATH", path);
  if (!browser.isNull()) qputenv("BROWSER", browser);
  if (!defaultBrowser.isNull()) qputenv("DEFAULT_BROWSER", defaultBrowser);
  EXPECT_TRUE(said.contains(QStringLiteral("https://www.boatrace.jp/"))) << said.toStdString();
  EXPECT_TRUE(said.contains(QStringLiteral("起動できません"))) << said.toStdString();
}

// A wait lets the windows repaint and timers fire rather than freezing the application.
TEST(QtDesktopTest, WaitKeepsTheEventsGoing) {
  QtDesktop desktop;
  QObject scope;
  int fired = 0;
  QTimer::singleShot(0, &scope, [&] { ++fired; });
  desktop.Wait(20);
  EXPECT_EQ(fired, 1);
}

// xdg-open can be there with no browser behind it: it starts, and the page never shows. The
// message comes all the same.
TEST(QtDesktopTest, AWebPageWithXdgOpenButNoBrowserIsSaidSo) {
  testing::TempDir bin;
  const std::string opener = bin.Write("xdg-open", "#!/bin/sh\nexit 3\n");
  fs::permissions(opener, fs::perms::owner_all);
  const QByteArray path = qgetenv("PATH");
  const QByteArray browser = qgetenv("BROWSER");
  qputenv("PATH", QByteArray::fromStdString(bin.path().string()));
  qunsetenv("BROWSER");
  QtDesktop desktop;
  QString said;
  QObject scope;  // the timer dies with the test, should no box come
  QTimer::singleShot(0, &scope, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      said = box->text();
      box->accept();
    }
  });
  desktop.Open(QUrl(QStringLiteral("https://www.boatrace.jp/")));
  qputenv("PATH", path);
  if (!browser.isNull()) qputenv("BROWSER", browser);
  EXPECT_TRUE(said.contains(QStringLiteral("https://www.boatrace.jp/"))) << said.toStdString();
}

// A day is typed as people write it, beside the calendar, and the calendar follows; the year
// clicked in the calendar's heading is typed over.
TEST(QtDesktopTest, CalendarTakesADayTypedInEveryUsualForm) {
  const struct {
    const char* typed;
    QDate day;
  } cases[] = {
      {"2024-11-15", QDate(2024, 11, 15)},
      {"2024/11/15", QDate(2024, 11, 15)},
      {"20241115", QDate(2024, 11, 15)},
      {"2023/1/5", QDate(2023, 1, 5)},
      {" 2024.02.29 ", QDate(2024, 2, 29)},
      {"2024-13-01", QDate()},
      {"241115", QDate()},
      {"2024/11-15", QDate()},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ParseTypedDate(QString::fromLatin1(c.typed)), c.day) << c.typed;
  }

  QtDesktop desktop;
  QObject scope;  // the timers die with the test, should no dialog come
  const QDate initial(2026, 12, 1);
  for (const char* typed : {"2024-11-15", "2024/11/15", "20241115"}) {
    QTimer::singleShot(0, &scope, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      auto* line = dialog->findChild<QLineEdit*>(QStringLiteral("TypedDate"));
      ASSERT_NE(line, nullptr);
      QTest::keyClicks(line, QString::fromLatin1(typed));
      EXPECT_EQ(dialog->findChild<QCalendarWidget*>(QStringLiteral("Calendar"))->selectedDate(),
                QDate(2024, 11, 15))
          << typed;
      QTest::keyClick(line, Qt::Key_Return);
    });
    EXPECT_EQ(desktop.ChooseDate(nullptr, QStringLiteral("日付"), initial), QDate(2024, 11, 15))
        << typed;
  }

  QTimer::singleShot(0, &scope, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    auto* calendar = dialog->findChild<QCalendarWidget*>(QStringLiteral("Calendar"));
    auto* yearButton = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_yearbutton"));
    auto* year = calendar->findChild<QSpinBox*>(QStringLiteral("qt_calendar_yearedit"));
    ASSERT_NE(yearButton, nullptr);
    ASSERT_NE(year, nullptr);
    dialog->activateWindow();
    QTest::mouseClick(yearButton, Qt::LeftButton);
    QTest::qWait(20);
    QTest::keyClicks(year, QStringLiteral("2024"));
    QTest::keyClick(year, Qt::Key_Return);
    EXPECT_EQ(calendar->yearShown(), 2024);
    // Enter ends the year, not the dialog: the day is still to be chosen.
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(year->isVisible());
    dialog->close();
  });
  EXPECT_EQ(desktop.ChooseDate(nullptr, QStringLiteral("日付"), initial), std::nullopt);
}

}  // namespace
}  // namespace wakorin
