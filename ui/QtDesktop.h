#pragma once

#include "ui/Desktop.h"

namespace wakorin {

// The real desktop: Qt's file dialog, message box, calendar, progress dialog, event loop and URL
// opener.
class QtDesktop final : public Desktop {
 public:
  std::optional<QString> ChooseOpenFile(QWidget* owner, const OpenFileOptions& options) override;
  void ShowMessage(QWidget* owner, const QString& text) override;
  bool Question(QWidget* owner, const QString& text) override;
  void Wait(int milliseconds) override;
  void ProcessEvents() override;
  void Open(const QUrl& target) override;
  bool SetUpPrinter(QWidget* owner, QPrinter& printer) override;
  std::optional<QDate> ChooseDate(QWidget* owner, const QString& title, QDate initial) override;
  std::optional<QString> ChooseSaveFile(QWidget* owner, const QString& title, const QString& initial,
                                        const QString& filter) override;
  std::optional<QString> ChooseFolder(QWidget* owner, const QString& title,
                                      const QString& initial) override;
  void RunWithProgress(QWidget* owner, const QString& title, ProgressJob& job) override;
};

// A day as people type it: 2024-11-15, 2024/11/15, 2024.11.15 or 20241115; invalid otherwise.
QDate ParseTypedDate(const QString& text);

}  // namespace wakorin
