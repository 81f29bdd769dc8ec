#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>

#include "app/QtJapanese.h"

namespace wakorin {
namespace {

TEST(QtJapanese, QtsOwnDialogsSpeakJapanese) {
  ASSERT_TRUE(InstallQtJapanese()) << "qtbase_ja.qm is missing: install qt6-translations-l10n";
  // The buttons of every standard dialog.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
            QStringLiteral("ファイル名(&N):"));
  EXPECT_EQ(QLocale().language(), QLocale::Japanese);
}

}  // namespace
}  // namespace wakorin
