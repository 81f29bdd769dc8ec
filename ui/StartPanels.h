#pragma once

#include <QImage>
#include <QList>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <array>
#include <vector>

#include "predict/Prediction.h"

class QFrame;
class QLabel;
class QPainter;
class QWidget;

namespace wakorin {

struct TPrediction;

namespace ui {

// The three start panels of a prediction: course entry (Panel3), slit (Panel4) and the first turn
// (Panel5), each a picture of the water with the six boats placed on it.
// Where a boat picture goes in one row of a start panel.
struct BoatPlacement {
  int image = 0;  // index into the boat image list: lane - 1 facing right, lane + 5 facing left
  int left = 0;
};

// The pictures of a prediction, row k - 1 for course k: the slit boat 20 pixels further left for
// each tenth of a second it starts later, the boat after the first turn as far right.
struct StartPlacements {
  std::array<BoatPlacement, 6> entry, slit, turn;
};
StartPlacements PlaceBoats(const TPrediction& prediction);

// Where the winning-move word `wordWidth` wide goes beside the first-turn boat at (boatLeft,
// boatTop): just before the boat, else just behind it where the water ends first, always on the
// water and never over a boat of any row.
QRect PlaceTurnWord(int boatLeft, int boatTop, int wordWidth, int wordHeight);

// A start `step` tenths late as the slit picture's tooltip reads it: "0.10" for step 1; a step
// outside 0..9, which only a damaged file gives, still reads as a time ("1.00", "-0.10").
QString SlitHintText(int step);
// The first-turn move as the picture names it: 逃げ, まくり, 差し.
QString TurnMoveText(TurnMove move);

class StartPanels {
 public:
  explicit StartPanels(QWidget* parent);

  // The boats as predicted, and a note naming the lanes predicted from estimated figures
  // because their racers are missing from the statistics file (none: no note).
  void Show(const TPrediction& prediction, const std::vector<int>& missingLanes);
  // Names the statistics file the prediction was made from, as the panels' tooltip.
  void ShowStatsFile(const QString& path);
  void SetShown(bool shown);

  // The three panels as they stand side by side in the window, drawn `scale` times as fine.
  QImage Picture(qreal scale) const;

 private:
  void ShowMissingRacers(const std::vector<int>& lanes);

  QList<QPixmap> boatImages_;
  QFrame *Panel3_, *Panel4_, *Panel5_;
  std::array<QLabel*, 6> ImageBoart1_{}, ImageBoart2_{}, ImageBoart3_{}, LabelBoart3_{};
  QLabel* LabelSuitei_;  // which lanes were predicted from estimated figures
};

}  // namespace ui
}  // namespace wakorin
