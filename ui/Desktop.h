#pragma once

#include <QString>
#include <QUrl>
#include <optional>

class QPrinter;
class QWidget;

namespace wakorin {

struct OpenFileOptions {
  QString title;
  QString filter;       // as QFileDialog takes it: "description (pattern pattern ...)"
  QString initialName;  // shown in the name box
  QString defaultSuffix;
};

// Everything that asks the user or blocks goes through here, so that a test can drive any
// handler with scripted answers and without sleeping, while the application uses Qt's own.
class Desktop {
 public:
  virtual ~Desktop() = default;
  // The chosen path, or nullopt when the user cancels. A typed name of a missing file is
  // returned as it is; the caller reports it.
  virtual std::optional<QString> ChooseOpenFile(QWidget* owner, const OpenFileOptions& options) = 0;
  // A modal box with one OK button, captioned with the application title.
  virtual void ShowMessage(QWidget* owner, const QString& text) = 0;
  virtual void Wait(int milliseconds) = 0;
  virtual void ProcessEvents() = 0;
  virtual void Open(const QUrl& target) = 0;
  // Lets the user choose a printer (or a PDF file) for `printer`; false when cancelled, which
  // is also the answer of a desktop that cannot ask.
  virtual bool SetUpPrinter(QWidget* /*owner*/, QPrinter& /*printer*/) { return false; }
};

}  // namespace wakorin
