// The prediction of the race on the card: statistics, engine, start pictures and tickets.
#include <QFileInfo>

#include "day/OpenDay.h"
#include "predict/RecommendedTickets.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"

namespace wakorin {

bool TMainForm::PredictShownRace() {
  if (!day_ || IsBusy()) return false;
  if (predictionMode_ == PredictionMode::Data) EnsureForms();
  // Beside the race program file, then in the working folder.
  auto forecast = day_->Forecast(venue_, race_);
  if (!forecast) {
    ShowError(forecast.error());
    return false;
  }
  forecast_ = std::move(forecast->forecast);
  dataForecast_ = std::move(forecast->data);
  if (dataForecast_) {
    chancePanel_.Show(*dataForecast_);
    chancePanel_.ShowFormNotes(formRefused_);
  } else {
    startPanels_.Show(forecast_.prediction, forecast_.missingLanes);
    startPanels_.ShowStatsFile(
        QFileInfo(QString::fromLocal8Bit(forecast->statsFile.c_str())).absoluteFilePath());
  }
  ShowRecommend();
  predictionShown_ = true;
  ShowRegions();
  return true;
}

void TMainForm::ShowRecommend() {
  ticketSheets_.Show(forecast_.tickets, dataForecast_ ? dataForecast_->skipped : PerBet<bool>{});
}

void TMainForm::ShowSelectedBetType() {
  ShowRecommend();
}

}  // namespace wakorin
