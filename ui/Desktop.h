#pragma once

#include <QDate>
#include <QDateTime>
#include <QEventLoop>
#include <QList>
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
  QString startFolder;  // where the dialog opens; the working folder when empty or gone
  QList<QUrl> sidebar;  // places in the side bar; the desktop's own when empty
};

class ProgressJob;

// What a job running under a progress dialog tells it.
class ProgressReport {
 public:
  virtual ~ProgressReport() = default;
  // `total` is 0 while the size is unknown.
  virtual void Progress(const QString& label, qint64 done, qint64 total) = 0;
  // The job has ended, however it ended; called once.
  virtual void Done() = 0;
};

// A report its caller waits on in a local event loop until the job is done; shows nothing unless
// a subclass shows the progress.
class WaitingReport : public ProgressReport {
 public:
  void Progress(const QString& /*label*/, qint64 /*done*/, qint64 /*total*/) override {}
  void Done() override;
  // Runs the loop until Done; an application that is quitting runs no more loops, so the job is
  // cancelled instead.
  void Wait(ProgressJob& job);

 private:
  QEventLoop loop_;
  bool done_ = false;
};

// A job that runs in the event loop while a progress dialog shows how far it has come.
class ProgressJob {
 public:
  virtual ~ProgressJob() = default;
  // Starts the job, which reports to `report` until its Done.
  virtual void Start(ProgressReport& report) = 0;
  // The user asked to stop: the job ends, calling Done before Cancel returns.
  virtual void Cancel() = 0;
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
  // A modal box with はい and いいえ; true for はい. A desktop that cannot ask answers いいえ.
  virtual bool Question(QWidget* /*owner*/, const QString& /*text*/) { return false; }
  virtual void Wait(int milliseconds) = 0;
  virtual void ProcessEvents() = 0;
  virtual void Open(const QUrl& target) = 0;
  // Lets the user choose a printer (or a PDF file) for `printer`; false when cancelled, which
  // is also the answer of a desktop that cannot ask.
  virtual bool SetUpPrinter(QWidget* /*owner*/, QPrinter& /*printer*/) { return false; }
  // A day chosen on a calendar that opens at `initial`, or typed; nullopt when the user cancels,
  // which is also the answer of a desktop that cannot ask.
  virtual std::optional<QDate> ChooseDate(QWidget* /*owner*/, const QString& /*title*/,
                                          QDate /*initial*/) {
    return std::nullopt;
  }
  // A folder chosen in the folder dialog, opening at `initial`; nullopt when the user cancels,
  // which is also the answer of a desktop that cannot ask.
  virtual std::optional<QString> ChooseFolder(QWidget* /*owner*/, const QString& /*title*/,
                                              const QString& /*initial*/) {
    return std::nullopt;
  }
  // A file name to write, chosen in the save dialog opening on `initial`; nullopt when the user
  // cancels, which is also the answer of a desktop that cannot ask.
  virtual std::optional<QString> ChooseSaveFile(QWidget* /*owner*/, const QString& /*title*/,
                                                const QString& /*initial*/, const QString& /*filter*/) {
    return std::nullopt;
  }
  // Runs `job` to its end under a modal progress dialog with a cancel button. A desktop that
  // cannot show one runs the job to its end unseen.
  virtual void RunWithProgress(QWidget* owner, const QString& title, ProgressJob& job);
  // The clock, which a test sets.
  virtual QDateTime Now() const { return QDateTime::currentDateTime(); }
};

}  // namespace wakorin
