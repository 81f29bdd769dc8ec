#pragma once

#include <QFuture>
#include <QMainWindow>
#include <QStringList>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include <optional>

#include "base/Error.h"
#include "day/OpenDay.h"
#include "day/RaceDays.h"
#include "predict/Prediction.h"
#include "predict/RecommendedTickets.h"
#include "program/RaceCard.h"
#include "results/ReturnSummary.h"
#include "ui/ChancePanel.h"
#include "ui/CheckOverlay.h"
#include "ui/MainMenu.h"
#include "ui/PrintPage.h"
#include "ui/MeetingHeader.h"
#include "ui/RaceCardPanel.h"
#include "ui/ResultGrid.h"
#include "ui/StartPanels.h"
#include "ui/TicketSheets.h"

class QPainter;

namespace wakorin {

class Desktop;
class ProgramFileFolder;
namespace ui {
class RaceResultWindow;
class DayRaceList;
}

// The main window. It composes the regions that show the core's values and keeps the handlers
// of its commands: each asks the core, then hands the answer to the region that shows it.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Outer heights, caption bar and menu included, as the window was designed.
  static constexpr int kRaceCardHeight = 348;
  static constexpr int kFullHeight = 522;
  static constexpr int kClientWidth = 633;
  static constexpr int kFrameAllowance = 45;  // caption bar 26 + menu bar 19 of the design

  explicit TMainForm(Desktop& desktop, QWidget* parent = nullptr);
  ~TMainForm() override;

  // --- Life cycle ---
  // Where the race program file dialog opens; the form keeps only a reference.
  void SetProgramFileFolder(ProgramFileFolder& folder) { programFileFolder_ = &folder; }
  // The menu bar's items, for the application's commands.
  const ui::MainMenu& Menu() const { return menu_; }
  // The user asks to quit (the window's close button, the exit command). While the form is busy,
  // the work sees the request and stops, and the application ends once the form is no longer
  // busy, so that it ends exactly once.
  void FormClose();
  // Asks the application to end (TerminateRequested).
  void Terminate();
  // A start-up begins with nobody asking to quit.
  void ClearQuitRequest() { quitRequested_ = false; }
  // Prints what the window shows, laid out for an A4 page; nothing while busy.
  void PrintShownPage();
  // Draws that page in points from (0, 0) across `width` points; each region and its place.
  std::vector<ui::PrintedRegion> PaintPage(QPainter& painter, double width) const;
  // The default name of the printed PDF: the day, the venue, and the race card or the check.
  QString PrintDocumentName() const;
  // The prediction mode as the window names it: 標準予想 or データ予想.
  QString ModeName() const;
  // Whether the user asked to quit; long loops test it after processing events.
  bool QuitRequested() const { return quitRequested_; }

  // --- Long work ---
  // While one of these lives the form is busy: a check, a download or a learning runs, and the
  // events it lets through must not pull the day, the mode, the model or the selection from
  // under it. Every command that would change them, and printing, is disabled, and the public
  // operations that would do so refuse. Scopes nest; when the last one ends, a quit asked for
  // meanwhile ends the application.
  class BusyScope {
   public:
    explicit BusyScope(TMainForm& form);
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

   private:
    TMainForm& form_;
  };
  bool IsBusy() const { return busy_ > 0; }

  // --- Race program ---
  // Both refuse while busy (false, nothing shown).
  bool ChooseProgramFile();
  // Reads the race program file at `path` and shows race 1 of its last venue; what ChooseProgramFile does
  // with the file chosen in its dialog.
  bool OpenProgramFile(const QString& path);
  // The venue (an index into the day's venues) or the race (0-based) chosen in its list: the
  // card of that race, without a prediction.
  void ShowChosenVenue(int index);
  void ShowChosenRace(int index);
  // Back to race-card mode: the card without a prediction.
  void EnterRaceCardMode();

  // --- Prediction ---
  // The whole prediction run; false when it ended early with a message.
  bool PredictShownRace();
  void ShowRecommend();
  const TPrediction& Prediction() const { return forecast_.prediction; }
  // The sheet of recommended tickets on screen: its bet type and six tickets; none without a
  // prediction on screen, or for a sheet not on sale or skipped (見送り).
  std::optional<std::pair<BetType, TicketList>> ShownSheet() const;

  // --- Prediction mode ---
  // The standard mode predicts with the engine on the statistics file's figures; the data mode
  // with the model learned from past seasons (the built-in one until the user learns their own).
  // False, and nothing changed, while busy.
  bool SetPredictionMode(PredictionMode mode);
  PredictionMode GetPredictionMode() const { return predictionMode_; }
  // The model the data mode uses from now on; false, and the model kept, while busy.
  bool UseDataModel(std::shared_ptr<const DataModel> model);
  const DataModel& CurrentDataModel() const;
  // The same, shared: a job in the background holds it for as long as it runs.
  std::shared_ptr<const DataModel> SharedDataModel() const;
  // The data mode's forecast of the race shown, once predicted.
  const std::optional<DataForecast>& LastDataForecast() const { return dataForecast_; }

  // --- Result check ---
  void ToggleResultCheckMode();
  void RunResultCheck();
  // Race `race` of the venue shown, as the day's result file gives it, in the race result window
  // with the tickets the prediction recommends; a message when the file does not hold it.
  void ShowRaceResult(int race);
  // 本日のレース一覧: every race of the day by deadline, forecast in the data mode.
  void ShowDayRaces();
  // Shows race `race` of venue `venue` on the card, as chosen in the day's list; false while busy.
  bool OpenRace(std::size_t venue, int race);
  // The next or the previous race of the venue shown (←/→), or venue (PgDn/PgUp).
  void StepRace(int step);
  void StepVenue(int step);
  // Hits and return of the last check, as its footer shows them.
  const CheckTally& LastCheckTally() const;

  // --- Window state ---
  void SetOuterHeight(int outerHeight);
  int OuterHeight() const { return outerHeight_; }
  bool IsRaceCardMode() const { return mode_ == Mode::RaceCard; }
  // The open day, once a race program file has been opened.
  const OpenDay* Day() const { return day_ ? &*day_ : nullptr; }
  std::string ProgramFilePath() const { return day_ ? day_->Path() : std::string(); }
  // The venue shown (an index into the day's venues) and the race shown (1..12).
  std::size_t SelectedVenue() const { return venue_; }
  int SelectedRace() const { return race_; }
  const TRaceCard& RaceCard() const { return raceCard_; }

 signals:
  // The application is asked to end.
  void TerminateRequested();
  // The user chose another prediction mode, to be remembered in the settings.
  void PredictionModeChosen(PredictionMode mode);
  // The user asked to learn the data mode's model from the data folder.
  void LearnRequested();
  // A day was opened, or a venue's results checked: a result file may have come since.
  void DayFilesRead();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // Race-card mode shows the card and predictions; result-check mode the venue's result grid.
  enum class Mode { RaceCard, ResultCheck };
  class CheckLock;

  static QWidget* MakeClient(QMainWindow& window);
  void ConnectHandlers();
  void ShowError(const Error& error);
  // Decides which regions show, and the window's height, from the mode, whether a prediction is
  // on screen and whether a check runs.
  void ShowRegions();
  // Enables what may be used: everything that changes what a running job reads only when idle.
  void ShowBusy();
  void LeaveBusy();
  void CheckVenue();
  // Shows venue `venue` of the day with its race 1, or race `race` of the venue shown.
  void SelectVenue(std::size_t venue);
  void SelectRace(int race);

  Desktop& desktop_;
  ProgramFileFolder* programFileFolder_ = nullptr;
  bool quitRequested_ = false;
  int outerHeight_ = kFullHeight;
  Mode mode_ = Mode::RaceCard;
  bool predictionShown_ = false;
  bool checkRunning_ = false;
  int busy_ = 0;  // BusyScopes alive
  std::optional<OpenDay> day_;
  std::size_t venue_ = 0;
  int race_ = 1;
  TRaceCard raceCard_;
  RaceForecast forecast_;  // the last prediction, its tickets and the lanes estimated
  std::optional<DataForecast> dataForecast_;  // in the data mode, each boat's chances
  // The venue's check on screen: the grid, its footer and the printed page are drawn from it.
  std::optional<ui::CheckShown> checkShown_;
  void ClearCheck();
  PredictionMode predictionMode_ = PredictionMode::Standard;
  // Which sheet the ticket display shows: ordered or unordered bet types, three boats or two.
  bool orderedShown_ = true;
  bool threeBoatShown_ = true;
  std::shared_ptr<const DataModel> learnedModel_;  // the user's own, once learned
  // The racers' recent form for the data mode, from the result files of the days before the
  // open day in its folder; read when the data mode first needs it.
  std::shared_ptr<const FormBook> forms_;
  QStringList formRefused_;  // result files the form left out, and why
  // What forecasts and checks predict with: the mode chosen, and in the data mode the model and
  // the racers' form as they stand.
  Predictor CurrentPredictor() const;
  // After a change of mode or model: re-forecasts the race on the card, empties the check.
  void RefreshAfterModelChange();

  // The regions, built in this order: later ones lie above earlier ones where they overlap.
  QWidget* client_;
  ui::MeetingHeader header_;
  ui::RaceCardPanel cardPanel_;
  ui::StartPanels startPanels_;
  ui::TicketSheets ticketSheets_;
  ui::ChancePanel chancePanel_;
  ui::ResultGrid resultGrid_;
  ui::CheckOverlay checkOverlay_;
  ui::MainMenu menu_;
  ui::RaceResultWindow* raceResultWindow_ = nullptr;  // made when first asked for; the form owns it
  ui::DayRaceList* dayRaceList_ = nullptr;            // the same
  // Reads the racers' recent form for the data mode once per day, from the result files of the
  // days before it in its folder.
  void EnsureForms();
  // Starts reading that form in the background as soon as a day opens, so that it is usually
  // there before a forecast asks for it.
  void StartFormRead();
  struct FormRead {
    std::shared_ptr<const FormBook> book;
    std::vector<RefusedFile> refused;
  };
  QFuture<FormRead> formRead_;
};

}  // namespace wakorin
