#include "ui/Desktop.h"

namespace wakorin {

void WaitingReport::Done() {
  done_ = true;
  loop_.quit();
}

void WaitingReport::Wait(ProgressJob& job) {
  if (!done_) loop_.exec();
  if (!done_) job.Cancel();
}

void Desktop::RunWithProgress(QWidget* /*owner*/, const QString& /*title*/, ProgressJob& job) {
  WaitingReport report;
  job.Start(report);
  report.Wait(job);
}

}  // namespace wakorin
