// The prediction of the race on the card: statistics, engine, start pictures and tickets.
#include <QFileInfo>

#include "predict/RacerStats.h"
#include "predict/RecommendedTickets.h"
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
  // Beside the race program file, then in the working folder.
  const std::optional<std::string> statsPath = FindStatsFile(programFilePath_, ".");
  if (!statsPath) {
    desktop_.ShowMessage(this, QStringLiteral("FAN手帳\"data\\FAN0510.TXT\"がありません。"));
    return false;
  }
  auto stats = ReadRacerStats(*statsPath, NumbersOf(raceCard_).racers);
  if (!stats) {
    ShowError(stats.error());
    return false;
  }
  auto forecast = ForecastRace(raceCard_, *stats);
  if (!forecast) {
    ShowError(forecast.error());
    return false;
  }
  forecast_ = std::move(*forecast);
  startPanels_.Show(forecast_.prediction, forecast_.missingLanes);
  startPanels_.ShowStatsFile(
      QFileInfo(QString::fromLocal8Bit(statsPath->c_str())).absoluteFilePath());
  ShowRecommend();
  predictionShown_ = true;
  ShowRegions();
  return true;
}

void TMainForm::ShowRecommend() {
  ticketSheets_.Show(TicketsOnSale(), forecast_.prediction);
}

void TMainForm::TabSyouShikiChange() {
  ShowRecommend();
}

}  // namespace wakorin
