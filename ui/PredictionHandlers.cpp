// The prediction of the race on screen: statistics, engine, start pictures, tickets, layout.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStringList>

#include "ui/Desktop.h"
#include "ui/Cp932Text.h"
#include "predict/RacerStats.h"
#include "ui/MainForm.h"

namespace wakorin {

void TMainForm::N5Click() {
  BtnEditDataClick();
}

void TMainForm::BtnEditDataClick() {
  PredictShownRace();
}

bool TMainForm::PredictShownRace() {
  Ken2Count = 6;
  Ken3Count = 6;
  const std::optional<std::string> statsPath = FindStatsFile();
  if (!statsPath) {
    desktop_.ShowMessage(this, QStringLiteral("FAN手帳\"data\\FAN0510.TXT\"がありません。"));
    return false;
  }
  const CardNumbers numbers = NumbersOf(raceCard_);
  auto stats = ReadRacerStats(*statsPath, numbers.racers);
  if (!stats) {
    ShowError(stats.error());
    return false;
  }
  auto prediction = Predict(*stats, numbers);
  if (!prediction) {
    ShowError(prediction.error());
    return false;
  }
  prediction_ = std::move(*prediction);
  DrawStartPanels(prediction_);
  ShowMissingRacers(MissingLanes(*stats));
  ShowRecommend();
  ShowPredictionForMode();
  return true;
}

void TMainForm::DrawStartPanels(const TPrediction& p) {
  auto place = [this](QLabel* picture, const BoatPlacement& boat, bool move) {
    picture->setPixmap(boatImages_.value(boat.image));
    if (move) picture->move(boat.left, picture->y());
  };
  for (std::size_t row = 0; row < 6; ++row) {
    place(ImageBoart1[row], p.EntryBoats[row], false);  // course entry keeps its design places
    place(ImageBoart2[row], p.SlitBoats[row], true);
    ImageBoart2[row]->setToolTip(QString::fromLatin1(p.SlitHints[row]));
    place(ImageBoart3[row], p.TurnBoats[row], true);
    LabelBoart3[row]->move(p.TurnWordLefts[row], ImageBoart3[row]->y());
    LabelBoart3[row]->setText(FromCp932(p.TurnWord[row + 1]));
    LabelBoart3[row]->raise();
  }
}

void TMainForm::ShowMissingRacers(const std::vector<int>& lanes) {
  if (lanes.empty()) {
    LabelSuitei->hide();
    return;
  }
  QStringList numbers;
  for (int lane : lanes) numbers << QString::number(lane);
  LabelSuitei->setText(QStringLiteral("%1号艇の選手はFAN手帳にないため推定値で予想しました")
                           .arg(numbers.join(QStringLiteral("・"))));
  LabelSuitei->resize(LabelSuitei->width(), LabelSuitei->heightForWidth(LabelSuitei->width()));
  LabelSuitei->show();
  LabelSuitei->raise();
}

void TMainForm::ShowPredictionForMode() {
  const bool raceCardMode = IsRaceCardMode();
  SetOuterHeight(raceCardMode ? kFullHeight : kRaceCardHeight);
  for (QWidget* region : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel4),
                          static_cast<QWidget*>(Panel5), TabSyouShiki}) {
    region->setVisible(raceCardMode);
  }
  Panel2->setVisible(raceCardMode);
  BtnEditData->hide();
  Panel8->setVisible(!raceCardMode);
  Panel9->setVisible(!raceCardMode);
}

}  // namespace wakorin
