#pragma once

#include <QDialog>
#include <QUrl>

class QTextBrowser;

namespace wakorin {

class Desktop;

// The bundled help page in a window of the program's own, so that help opens where no browser
// can be started. Its pictures are found beside the page; links to web pages go to the browser
// through the desktop seam, which says so when none can be started.
class HelpWindow final : public QDialog {
 public:
  HelpWindow(QWidget* owner, Desktop& desktop, const QString& page);

  // Shows the one help window of `owner`, raising it when it is already open.
  static HelpWindow* Show(QWidget* owner, Desktop& desktop, const QString& page);

 private:
  void Follow(const QUrl& link);

  Desktop& desktop_;
  QTextBrowser* browser_;
};

}  // namespace wakorin
