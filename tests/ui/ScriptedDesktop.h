#pragma once

#include <QStringList>
#include <deque>
#include <optional>

#include "app/Desktop.h"

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

  std::optional<QString> ChooseOpenFile(QWidget*, const OpenFileOptions& options) override {
    dialogs.push_back(options);
    if (fileAnswers.empty()) return std::nullopt;
    auto answer = fileAnswers.front();
    fileAnswers.pop_front();
    return answer;
  }
  void ShowMessage(QWidget*, const QString& text) override { messages << text; }
  void Wait(int milliseconds) override { waits.push_back(milliseconds); }
  void ProcessEvents() override { ++processEventsCalls; }
  void Open(const QUrl& target) override { opened.push_back(target); }
};

}  // namespace wakorin::testing
