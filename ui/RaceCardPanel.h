#pragma once

#include <array>

#include <QString>

#include "program/TicketSale.h"

class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QWidget;

namespace wakorin {

struct TRaceCard;

namespace ui {

// Panel2: the race list, the race's header and its six lanes, the meeting-results grid
// (Panel12) that the lane buttons toggle, and the button that predicts the race.
class RaceCardPanel {
 public:
  explicit RaceCardPanel(QWidget* parent);

  // Races 1..raceCount, race 1 selected.
  void ListRaces(int raceCount);
  // Selects a race without running the handler the user's choice runs.
  void SelectRace(int index);

  void Show(const TRaceCard& card);
  void ToggleMeetingResults();
  void SetShown(bool panel, bool predictButton);

  // The controls whose signals the window's handlers answer.
  QComboBox* RaceList() const { return SelectR_; }
  QPushButton* PredictButton() const { return BtnEditData_; }
  const std::array<QPushButton*, 6>& LaneButtons() const { return BBtnBorat_; }

 private:
  static constexpr std::size_t kColumns = 13;

  void BuildLanes();
  void BuildMeetingResults();

  QFrame* Panel2_;
  QComboBox* SelectR_;
  QLabel *LabelRName_, *LabelRLeng_, *LabelRChkt_, *LabelRTime_;
  QLabel* LabelRKotei_;  // "進入固定", shown for a race whose course entry is fixed
  std::array<QPushButton*, 6> BBtnBorat_{};
  std::array<std::array<QLabel*, 6>, kColumns> lanes_{};  // [column][lane - 1]
  QFrame* Panel12_;
  std::array<std::array<QLabel*, 6>, 6> LabelKekka_{};  // [slot - 1][lane - 1]
  QPushButton* BtnEditData_;
};

// The tickets on sale as the card shows them: ３連単複, ２連単複, ２連単, ２連複, or nothing.
QString SaleWords(TicketSale sale);

}  // namespace ui
}  // namespace wakorin
