// The prediction of the race on the card: statistics, engine, start pictures and tickets.
#include "predict/RacerStats.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"

namespace wakorin {

void TMainForm::N5Click() {
  BtnEditDataClick();
}

void TMainForm::BtnEditDataClick() {
  PredictShownRace();
}

bool TMainForm::PredictShownRace() {
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
  startPanels_.Show(prediction_, MissingLanes(*stats));
  ShowRecommend();
  predictionShown_ = true;
  ShowRegions();
  return true;
}

void TMainForm::ShowRecommend() {
  ticketSheets_.Show(TicketsOnSale(), prediction_);
}

void TMainForm::TabSyouShikiChange() {
  ShowRecommend();
}

}  // namespace wakorin
