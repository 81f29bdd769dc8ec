#pragma once

#include <QDialog>
#include <QString>

#include "predict/RecommendedTickets.h"
#include "results/RaceResult.h"

class QLabel;
class QTableWidget;

namespace wakorin::ui {

// What the race result window shows: a race's whole result, and the tickets the prediction
// recommended for it with what each was paid.
struct RaceResultView {
  QString venue;  // as the window names it
  int race = 0;
  QString day;  // 2024年7月10日, or empty
  RaceResult result;
  bool predicted = false;  // the tickets below were predicted; else why not stands in `noTickets`
  QString noTickets;
  QString modeName;  // 標準予想, データ予想
  RecommendedTickets tickets;
  PerBet<bool> skipped;
};

// The race result window (RaceResultWindow): the finishing table in lane colours, the race's
// conditions and winning technique, the seven bet types' payouts with their popularity, and the
// recommended tickets with their hits.
class RaceResultWindow : public QDialog {
 public:
  explicit RaceResultWindow(QWidget* parent);
  void Show(const RaceResultView& view);

 private:
  QLabel* title_;
  QLabel* conditions_;
  QLabel* note_;
  QTableWidget* finish_;
  QTableWidget* payouts_;
  QLabel* ticketsHeading_;
  QTableWidget* tickets_;
};

}  // namespace wakorin::ui
