#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "results/ReturnSummary.h"
#include "results/VenueCheck.h"

class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace wakorin::ui {

// Panel8: the check's grid of twelve races, with each bet type's combination (red when the
// recommended tickets hit it) and payout, the button that starts the check, and the footer with
// the hits and the return of the last check.
class ResultGrid {
 public:
  static constexpr int kRaces = 12;

  struct Cell {
    QString text;
    bool hit = false;
    bool skipped = false;  // the data mode bet nothing on it (見送り): no miss
  };
  // The grid's bet columns, left to right in the order of kBetTypes: 2連複, 2連単, 3連複, 3連単.
  struct Row {
    PerBet<Cell> tickets;
    PerBet<QString> payouts;
  };

  explicit ResultGrid(QWidget* parent);

  // " 1R" .. "12R", as the grid's first column reads.
  static QString RaceCaption(int race);

  void Clear();
  // Every race's results matched against its recommended tickets, and the footer's sums, under
  // the name of the prediction mode that chose the tickets (標準予想, データ予想); a mode that
  // may skip a bet type (`skips`) has its skipped races counted in the footer.
  void Show(const VenueCheck& check, const QString& modeName, bool skips);
  void SetShown(bool shown);

  // What the grid shows, row by row; empty rows after Clear.
  const std::array<Row, kRaces>& Rows() const { return rows_; }
  // Hits and return of the last check, and the footer's line for each bet type sold.
  const CheckTally& Tally() const { return tally_; }
  const QStringList& TallyDetails() const { return details_; }
  // The prediction mode of the check shown; empty after Clear.
  const QString& ModeName() const { return modeName_; }
  // Whether the check shown was made in a mode that may skip a bet type.
  bool Skips() const { return skips_; }
  // The footer as it reads.
  QString FooterText() const;

  QPushButton* CheckButton() const { return BBtnKekka_; }
  // Called with the race (1..12) whose row the user double-clicks.
  void OnRaceOpened(std::function<void(int race)> open);
  // The panel that the check's progress overlay covers.
  QFrame* Panel() const { return Panel8_; }

 private:
  void ShowRow(std::size_t r, const ResultRowDisplay& shown, const PerBet<bool>& skipped);
  void ShowTally();

  QFrame* Panel8_;
  class RowClicks;
  RowClicks* rowClicks_;  // owned by Panel8_
  PerBet<std::array<QLabel*, kRaces>> tickets_, payouts_;
  QLabel* LabelHitReturn_;
  QPushButton* BBtnKekka_;
  std::array<Row, kRaces> rows_;
  CheckTally tally_;
  QStringList details_;
  QString modeName_;
  bool skips_ = false;
};

}  // namespace wakorin::ui
