#pragma once

#include <QDateTime>
#include <QDialog>
#include <functional>
#include <vector>

#include "day/DayRaces.h"

class QLabel;
class QTableWidget;

namespace wakorin::ui {

// 本日のレース一覧 (DayRaceList): every race of the open day across its venues by betting deadline,
// with the data mode's favourite and its chance, each bet type's estimated return or 見送り, and
// once the result file is at hand the result and the hits. The next race to close is marked.
class DayRaceList : public QDialog {
 public:
  explicit DayRaceList(QWidget* parent);

  // `venueNames` by the day's venue index; `now` decides the next race to close when the day is
  // `day` (yyyymmdd).
  void Show(std::vector<DayRace> races, const std::vector<QString>& venueNames,
            std::optional<int> day, const QDateTime& now, const QString& note);
  // Called with the venue index and race of the row double-clicked or chosen with Enter.
  void OnRaceChosen(std::function<void(std::size_t venue, int race)> chosen) {
    chosen_ = std::move(chosen);
  }
  // The row of the next race to close, or -1 when the day is not today or every race has closed.
  int NextRow() const { return next_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Choose(int row);

  QLabel* heading_;
  QLabel* note_;
  QTableWidget* table_;
  std::vector<DayRace> races_;
  int next_ = -1;
  std::function<void(std::size_t, int)> chosen_;
};

}  // namespace wakorin::ui
