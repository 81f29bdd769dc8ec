#pragma once

class QFrame;
class QLabel;
class QProgressBar;
class QWidget;

namespace wakorin::ui {

// Panel9: the overlay that covers the result grid while a check runs, with its flashing caption,
// the progress bar through the result file and a boat that travels along above the bar.
class CheckOverlay {
 public:
  // The boat's left at 0 % and the distance it travels to 100 %.
  static constexpr int kBoatStart = 60;
  static constexpr int kBoatTravel = 450;

  explicit CheckOverlay(QWidget* grid);

  void SetShown(bool shown);
  // A new file: an empty bar whose end stands for `maximum` (at least 1).
  void StartBar(int maximum);
  void SetBar(int value);
  void PlaceBoat(int left);
  // The caption turns red, or back to aqua, as the search passes another venue.
  void FlashCaption();
  // Empty bar, boat at the start; the caption keeps its colour.
  void Reset();

 private:
  QFrame* Panel9_;
  QLabel* Label4_;
  QLabel* RaceImage_;
  QProgressBar* FileLoadPBar_;
  bool captionRed_ = false;
};

}  // namespace wakorin::ui
