#pragma once

#include <QPrinter>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

#include "ui/Desktop.h"

namespace wakorin::testing {

// Answers the file dialog from a script, records messages and waits, never blocks.
class ScriptedDesktop final : public Desktop {
 public:
  std::deque<std::optional<QString>> fileAnswers;  // nullopt = the user cancels
  QStringList messages;
  std::vector<OpenFileOptions> dialogs;
  std::vector<int> waits;
  int processEventsCalls = 0;
  std::vector<QUrl> opened;
  // Called at the moment the dialog would open or the wait would start, to look at the screen.
  std::function<void()> onChoose;
  std::function<void()> onWait;
  std::function<void()> onProcessEvents;

  std::optional<QString> ChooseOpenFile(QWidget*, const OpenFileOptions& options) override {
    dialogs.push_back(options);
    if (onChoose) onChoose();
    if (fileAnswers.empty()) return std::nullopt;
    const bool cancelled = !fileAnswers.front().has_value();
    const QString path = cancelled ? QString() : *fileAnswers.front();
    fileAnswers.pop_front();
    if (cancelled) return std::nullopt;
    return path;
  }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  void Wait(int milliseconds) override {
    waits.push_back(milliseconds);
    if (onWait) onWait();
  }
  void ProcessEvents() override {
    ++processEventsCalls;
    if (onProcessEvents) onProcessEvents();
  }
  void Open(const QUrl& target) override { opened.push_back(target); }
  // Prints to this PDF file, or cancels when it is empty.
  QString printToPdf;
  bool SetUpPrinter(QWidget*, QPrinter& printer) override {
    if (printToPdf.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToPdf);
    return true;
  }
};

}  // namespace wakorin::testing
