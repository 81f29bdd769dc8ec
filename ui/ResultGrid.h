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
// A venue's check as the window shows and prints it: the values, and the mode that chose the
// tickets (標準予想, データ予想; one that may skip a bet type counts its skipped races).
struct CheckShown {
  VenueCheck check;
  QString modeName;
  bool skips = false;
};

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
  // A bet type's cell as the grid words it: the combination, tagged with the number of the
  // ticket that hit it ("1-3(2)"), or 中　止, 不成立, 特払い; its payout with 円 ("1230円",
  // before grouping); every winning combination of a dead heat with its payout.
  static QString ResultText(const BetMatch& match);
  static QString PayoutText(const BetMatch& match);
  static QString DeadHeatText(const BetMatch& match);

  void Clear();
  // Every race's results matched against its recommended tickets, and the footer's sums, under
  // the name of the prediction mode that chose the tickets (標準予想, データ予想); a mode that
  // may skip a bet type (`skips`) has its skipped races counted in the footer.
  void Show(const CheckShown& shown);
  // A race's row as the grid and the printed page word it: a skipped bet type reads 見送.
  static Row RowOf(const RaceMatch& shown, const PerBet<bool>& skipped);
  // The footer's line for each bet type counted, under the mode's name.
  static QStringList TallyDetails(const CheckShown& shown);
  void SetShown(bool shown);

  // The footer as it reads.
  QString FooterText() const;

  QPushButton* CheckButton() const { return BBtnKekka_; }
  // Called with the race (1..12) whose row the user double-clicks.
  void OnRaceOpened(std::function<void(int race)> open);
  // The panel that the check's progress overlay covers.
  QFrame* Panel() const { return Panel8_; }

 private:
  void ShowRow(std::size_t r, const Row& row, const RaceMatch& shown);
  void ShowTally(const CheckShown& shown);

  QFrame* Panel8_;
  class RowClicks;
  RowClicks* rowClicks_;  // owned by Panel8_
  PerBet<std::array<QLabel*, kRaces>> tickets_, payouts_;
  QLabel* LabelHitReturn_;
  QPushButton* BBtnKekka_;
};

}  // namespace wakorin::ui
