// The help page in the program's own window: found, shown with its pictures, links followed.
#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <QPixmap>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>

#include "app/Application.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/HelpWindow.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::Find;

// The page as the build lays it out beside the executable, pictures in help/.
const QString kHelpPage = QStringLiteral(WAKORIN_HELP_PAGE);

// Every picture the page shows, as the browser loads it.
std::vector<QImage> Pictures(QTextBrowser& browser) {
  std::vector<QImage> pictures;
  QTextDocument& document = *browser.document();
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextCharFormat format = it.fragment().charFormat();
      if (!format.isImageFormat()) continue;
      const QVariant data =
          document.resource(QTextDocument::ImageResource, QUrl(format.toImageFormat().name()));
      pictures.push_back(data.typeId() == QMetaType::QPixmap ? data.value<QPixmap>().toImage()
                                                             : data.value<QImage>());
    }
  }
  return pictures;
}

TEST(HelpWindowTest, ShowsThePageWithItsPicturesAndSendsWebLinksToTheBrowser) {
  testing::ScriptedDesktop desktop;
  HelpWindow window(nullptr, desktop, kHelpPage);
  window.show();
  auto* browser = Find<QTextBrowser>(window, "HelpBrowser");
  const QString text = browser->toPlainText();
  EXPECT_TRUE(text.contains(QStringLiteral("はじめて使うとき")));
  EXPECT_TRUE(text.contains(QStringLiteral("~/.config/wakorin/Wakorin.ini")));
  const std::vector<QImage> pictures = Pictures(*browser);
  ASSERT_GE(pictures.size(), 3u);
  for (const QImage& picture : pictures) EXPECT_FALSE(picture.isNull());

  // A link within the page stays in the window; a web page goes to the browser.
  emit browser->anchorClicked(QUrl(QStringLiteral("#check")));
  EXPECT_TRUE(desktop.opened.empty());
  EXPECT_EQ(browser->source(), QUrl::fromLocalFile(kHelpPage));
  emit browser->anchorClicked(QUrl(QStringLiteral("https://www.boatrace.jp/")));
  ASSERT_EQ(desktop.opened.size(), 1u);
  EXPECT_EQ(desktop.opened[0], QUrl(QStringLiteral("https://www.boatrace.jp/")));
}

TEST(HelpWindowTest, MenuOpensOneWindowAndAMissingPageIsSaidSo) {
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};  // the menu's commands
  // The tests run where no help page lies beside the executable.
  Action(form, "HelpHP")->trigger();
  Action(form, "HelpHP")->trigger();
  const auto windows = form.findChildren<HelpWindow*>();
  ASSERT_EQ(windows.size(), 1);
  EXPECT_TRUE(windows[0]->isVisible());
  EXPECT_TRUE(Find<QTextBrowser>(*windows[0], "HelpBrowser")
                  ->toPlainText()
                  .contains(QStringLiteral("見つかりません")));
  EXPECT_TRUE(desktop.opened.empty());
}

}  // namespace
}  // namespace wakorin
