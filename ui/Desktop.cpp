#include "ui/Desktop.h"

#include <QEventLoop>

namespace wakorin {
namespace {

class LoopUntilDone final : public ProgressReport {
 public:
  void Progress(const QString&, qint64, qint64) override {}
  void Done() override {
    done_ = true;
    loop_.quit();
  }
  void Wait(ProgressJob& job) {
    if (!done_) loop_.exec();
    // An application that is quitting runs no more loops: the job stops instead.
    if (!done_) job.Cancel();
  }

 private:
  QEventLoop loop_;
  bool done_ = false;
};

}  // namespace

void Desktop::RunWithProgress(QWidget* /*owner*/, const QString& /*title*/, ProgressJob& job) {
  LoopUntilDone report;
  job.Start(report);
  report.Wait(job);
}

}  // namespace wakorin
