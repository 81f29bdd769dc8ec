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
  void Wait() {
    if (!done_) loop_.exec();
  }

 private:
  QEventLoop loop_;
  bool done_ = false;
};

}  // namespace

void Desktop::RunWithProgress(QWidget* /*owner*/, const QString& /*title*/, ProgressJob& job) {
  LoopUntilDone report;
  job.Start(report);
  report.Wait();
}

}  // namespace wakorin
