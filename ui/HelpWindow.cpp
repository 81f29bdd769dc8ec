#include "ui/HelpWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/Desktop.h"

namespace wakorin {

HelpWindow::HelpWindow(QWidget* owner, Desktop& desktop, const QString& page)
    : QDialog(owner), desktop_(desktop), browser_(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Wakorin 画面ヘルプ"));
  setAttribute(Qt::WA_DeleteOnClose);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  // Every link comes through Follow: the page's own go in place, web pages to the browser.
  browser_->setOpenLinks(false);
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) { Follow(link); });
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(browser_);
  if (QFileInfo::exists(page)) {
    browser_->setSource(QUrl::fromLocalFile(page));
  } else {
    browser_->setPlainText(QStringLiteral("ヘルプのページ(%1)が見つかりません。").arg(page));
  }
  resize(860, 680);
}

HelpWindow* HelpWindow::Show(QWidget* owner, Desktop& desktop, const QString& page) {
  auto* window =
      owner ? owner->findChild<HelpWindow*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
  if (!window) window = new HelpWindow(owner, desktop, page);
  window->show();
  window->raise();
  window->activateWindow();
  return window;
}

void HelpWindow::Follow(const QUrl& link) {
  const QUrl target = browser_->source().resolved(link);
  if (target.isLocalFile() && target.toLocalFile() == browser_->source().toLocalFile()) {
    if (!target.fragment().isEmpty()) browser_->scrollToAnchor(target.fragment());
    return;
  }
  if (target.isLocalFile() && target.path().endsWith(QStringLiteral(".html"))) {
    browser_->setSource(target);
    return;
  }
  desktop_.Open(target);
}

}  // namespace wakorin
