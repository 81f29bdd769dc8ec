#pragma once

#include <QCoreApplication>
#include <QEventLoop>
#include <QPrinter>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <functional>
#include <optional>

#include "ui/Desktop.h"

namespace wakorin::testing {

// Answers the file dialog and the calendar from a script, records messages and waits, runs
// progress jobs without a dialog, never blocks.
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
  QDateTime now = QDateTime(QDate(2024, 7, 10), QTime(15, 0));
  QDateTime Now() const override { return now; }
  std::deque<bool> questionAnswers;  // none left = いいえ
  QStringList questions;
  bool Question(QWidget*, const QString& text) override {
    questions << text;
    if (questionAnswers.empty()) return false;
    const bool answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer;
  }
  void Wait(int milliseconds) override {
    waits.push_back(milliseconds);
    if (onWait) onWait();
  }
  void ProcessEvents() override {
    ++processEventsCalls;
    if (onProcessEvents) onProcessEvents();
  }
  void Open(const QUrl& target) override { opened.push_back(target); }
  std::deque<std::optional<QDate>> dateAnswers;  // nullopt or none left = the user cancels
  std::vector<QDate> datesOffered;
  QStringList progressTitles, progressLabels;
  // Asked at every report of a running job; true presses the progress dialog's cancel button.
  std::function<bool(qint64 done)> cancelWhen;

  std::deque<QString> saveAnswers;  // none left = the user cancels
  std::optional<QString> ChooseSaveFile(QWidget*, const QString&, const QString&, const QString&) override {
    if (saveAnswers.empty()) return std::nullopt;
    QString answer = saveAnswers.front();
    saveAnswers.pop_front();
    return answer;
  }
  std::deque<QString> folderAnswers;  // none left = the user cancels
  QStringList foldersOffered;
  std::optional<QString> ChooseFolder(QWidget*, const QString&, const QString& initial) override {
    foldersOffered << initial;
    if (folderAnswers.empty()) return std::nullopt;
    const QString answer = folderAnswers.front();
    folderAnswers.pop_front();
    return answer;
  }

  std::optional<QDate> ChooseDate(QWidget*, const QString&, QDate initial) override {
    datesOffered.push_back(initial);
    if (dateAnswers.empty()) return std::nullopt;
    const std::optional<QDate> answer = dateAnswers.front();
    dateAnswers.pop_front();
    return answer;
  }
  void RunWithProgress(QWidget*, const QString& title, ProgressJob& job) override {
    progressTitles << title;
    struct Report final : ProgressReport {
      ScriptedDesktop& desktop;
      ProgressJob& job;
      bool done = false;
      Report(ScriptedDesktop& d, ProgressJob& j) : desktop(d), job(j) {}
      void Progress(const QString& label, qint64 doneBytes, qint64) override {
        if (desktop.progressLabels.isEmpty() || desktop.progressLabels.last() != label)
          desktop.progressLabels << label;
        if (desktop.cancelWhen && desktop.cancelWhen(doneBytes)) job.Cancel();
      }
      void Done() override { done = true; }
    } report(*this, job);
    // A job that never ends would hang the suite: it is cancelled instead, and the test fails
    // on what it finds.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&job] { job.Cancel(); });
    guard.start(60000);
    job.Start(report);
    // Not QEventLoop::exec: once an earlier test has asked the application to quit, every exec
    // returns at once.
    while (!report.done) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  // Prints to this PDF file, or cancels when it is empty.
  QString printToPdf;
  QString printDocName;  // the name the print dialog would offer for the PDF file
  bool SetUpPrinter(QWidget*, QPrinter& printer) override {
    printDocName = printer.docName();
    if (printToPdf.isEmpty()) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printToPdf);
    return true;
  }
};

}  // namespace wakorin::testing
