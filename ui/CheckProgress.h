#pragma once

#include <QElapsedTimer>
#include <cstdint>
#include <functional>

#include "results/ResultFile.h"

namespace wakorin {

class Desktop;

namespace ui {

class CheckOverlay;

// Moves the progress bar and the gliding boat as the search reports its reads, and keeps the
// window answering while it runs.
class CheckProgress final : public ResultSearchObserver {
 public:
  // The boat glides this many steps for each venue the search skips at once, one step a delay.
  static constexpr int kGlideStepsPerSkippedVenue = 10;
  static constexpr int kGlideStepDelayMs = 50;
  // The bar's last stretch, after the payouts are read, runs in steps of this many bytes.
  static constexpr int kFinalRunStepBytes = 30;
  // Window events are processed at most this often, so that the thousands of small steps of a
  // search coalesce their repaints; the steps themselves keep their order.
  static constexpr int kEventPumpIntervalMs = 15;

  // `goOn` answers whether the user still wants the application, after events were processed.
  CheckProgress(CheckOverlay& overlay, Desktop& desktop, std::function<bool()> goOn);

  void FileOpened(std::uint64_t size) override;
  void Skipped(int k, std::uint64_t position) override;
  bool BeforeHeaderRead(std::uint64_t position) override;
  void PassedOtherVenue() override;
  void PayoutRead(std::uint64_t finalPosition) override;

  // The last stretch of the bar. False when the user asked to quit.
  bool RunToTheEnd();

 private:
  int Maximum() const;
  void SetPosition(std::uint64_t position);
  void Show(std::uint64_t position);
  bool Pump(bool force = false);

  CheckOverlay& overlay_;
  Desktop& desktop_;
  std::function<bool()> goOn_;
  std::uint64_t size_ = 0;
  int maximum_ = 0;
  int held_ = 0;  // the bar's value
  std::uint64_t position_ = 0;
  QElapsedTimer sinceEvents_;
};

}  // namespace ui
}  // namespace wakorin
