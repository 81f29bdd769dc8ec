// The real desktop's dialogs, driven from a timer while they run.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include "ui/QtDesktop.h"

namespace wakorin {
namespace {

// Size, type and date read whole in the file dialog, not "61....KiB" and "平…ト"; the name takes
// what is left.
TEST(QtDesktopTest, FileDialogColumnsReadWhole) {
  QtDesktop desktop;
  bool checked = false;
  QTimer::singleShot(0, [&] {
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

}  // namespace
}  // namespace wakorin
