#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include "app/QtJapanese.h"

namespace wakorin {
namespace {

// Gives the application back its locale and translations, so that later tests read Qt's
// messages (a network error's) as they would without this one.
struct RestoreLanguage {
  QLocale locale;
  ~RestoreLanguage() {
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>()) {
      delete translator;  // which also removes it from the application
    }
    QLocale::setDefault(locale);
  }
};

TEST(QtJapanese, QtsOwnDialogsSpeakJapanese) {
  const RestoreLanguage restore;
  ASSERT_TRUE(InstallQtJapanese()) << "qtbase_ja.qm is missing: install qt6-translations-l10n";
  // The buttons of every standard dialog.
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));
  EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"),
            QStringLiteral("ファイル名(&N):"));
  EXPECT_EQ(QLocale().language(), QLocale::Japanese);
}

}  // namespace
}  // namespace wakorin
