// The prediction of the race on the card: statistics, engine, start pictures and tickets.
#include <QFileInfo>
#include <QTabBar>
#include <QTabWidget>
#include <algorithm>

#include "day/OpenDay.h"
#include "predict/RecommendedTickets.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"

namespace wakorin {

bool TMainForm::PredictShownRace() {
  if (!day_ || IsBusy()) return false;
  if (predictionMode_ == PredictionMode::Data) EnsureForms();
  // Beside the race program file, then in the working folder.
  auto forecast = day_->Forecast(venue_, race_, CurrentPredictor());
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
  ticketSheets_.Show(forecast_.tickets, orderedShown_,
                     dataForecast_ ? dataForecast_->skipped : PerBet<bool>{},
                     dataForecast_ ? &*dataForecast_ : nullptr);
}

std::optional<std::pair<BetType, TicketList>> TMainForm::ShownSheet() const {
  if (!predictionShown_ || mode_ != Mode::RaceCard) return std::nullopt;
  const bool three = threeBoatShown_;
  const bool ordered = orderedShown_;
  const BetType bet = three ? (ordered ? BetType::Trifecta : BetType::Trio) : (ordered ? BetType::Exacta : BetType::Quinella);
  // The three-boat sheet is on sale with the trifecta, as the sheet shows it.
  if (!forecast_.tickets.onSale[three ? BetType::Trifecta : bet]) return std::nullopt;
  if (dataForecast_ && dataForecast_->skipped[bet]) return std::nullopt;
  const TicketList& tickets = forecast_.tickets.tickets[bet];
  if (std::all_of(tickets.begin(), tickets.end(), [](const Ticket& t) { return t.Empty(); })) return std::nullopt;
  return std::make_pair(bet, tickets);
}

}  // namespace wakorin
