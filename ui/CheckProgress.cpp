#include "ui/CheckProgress.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "ui/CheckOverlay.h"
#include "ui/Desktop.h"

namespace wakorin::ui {

CheckProgress::CheckProgress(CheckOverlay& overlay, Desktop& desktop, std::function<bool()> goOn)
    : overlay_(overlay), desktop_(desktop), goOn_(std::move(goOn)) {}

void CheckProgress::FileOpened(std::uint64_t size) {
  size_ = size;
  // The bar holds an int; a file too large for it is shown at the scale the bar can hold.
  maximum_ = static_cast<int>(std::min<std::uint64_t>(size, INT_MAX));
  overlay_.StartBar(maximum_);
  held_ = 0;
}

void CheckProgress::Skipped(int k, std::uint64_t position) {
  SetPosition(position);
  const int steps = kGlideStepsPerSkippedVenue * k;
  const long long glide =
      static_cast<long long>(held_) * CheckOverlay::kBoatTravel / Maximum() / steps;
  for (int s = 0; s <= steps; ++s) {
    overlay_.PlaceBoat(static_cast<int>(glide * s + CheckOverlay::kBoatStart));
    desktop_.ProcessEvents();
    desktop_.Wait(kGlideStepDelayMs);
  }
}

bool CheckProgress::BeforeHeaderRead(std::uint64_t position) {
  if (!Pump()) return false;
  Show(position);
  return true;
}

void CheckProgress::PassedOtherVenue() {
  overlay_.FlashCaption();
}

void CheckProgress::PayoutRead(std::uint64_t finalPosition) {
  position_ = finalPosition;
}

bool CheckProgress::RunToTheEnd() {
  while (position_ < size_) {
    if (!Pump()) return false;
    position_ += kFinalRunStepBytes;
    Show(position_);
  }
  return Pump(true);  // a quit asked for in the last events counts too
}

int CheckProgress::Maximum() const {
  return std::max(maximum_, 1);
}

void CheckProgress::SetPosition(std::uint64_t position) {
  held_ = static_cast<int>(std::min<std::uint64_t>(position, static_cast<std::uint64_t>(maximum_)));
  overlay_.SetBar(held_);
}

void CheckProgress::Show(std::uint64_t position) {
  SetPosition(position);
  overlay_.PlaceBoat(
      static_cast<int>(CheckOverlay::kBoatStart +
                       static_cast<long long>(held_) * CheckOverlay::kBoatTravel / Maximum()));
}

bool CheckProgress::Pump(bool force) {
  if (force || !sinceEvents_.isValid() || sinceEvents_.elapsed() >= kEventPumpIntervalMs) {
    desktop_.ProcessEvents();
    sinceEvents_.start();
  }
  return goOn_();
}

}  // namespace wakorin::ui
