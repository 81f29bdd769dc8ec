// Result-check mode, and the check of the selected venue: predict every race, find the venue's
// results under the progress overlay, and fill the grid.
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <algorithm>

#include "day/OpenDay.h"
#include "results/ResultFile.h"
#include "ui/CheckProgress.h"
#include "ui/Cp932Text.h"
#include "ui/Desktop.h"
#include "ui/ErrorText.h"
#include "ui/MainForm.h"
#include "ui/race/RaceResultWindow.h"

namespace wakorin {

// Holds the window still while a check runs: the form is busy, and the progress overlay lies over
// the grid. Everything is given back on every way out of the check; a quit asked for meanwhile
// ends the application once the lock is gone.
class TMainForm::CheckLock {
 public:
  explicit CheckLock(TMainForm& form) : form_(form), busy_(form) {
    form_.checkRunning_ = true;
    form_.ShowRegions();
  }
  ~CheckLock() {
    form_.checkRunning_ = false;
    form_.checkOverlay_.Reset();
    form_.ShowRegions();
  }
  CheckLock(const CheckLock&) = delete;
  CheckLock& operator=(const CheckLock&) = delete;

 private:
  TMainForm& form_;
  BusyScope busy_;  // let go last
};

void TMainForm::ToggleResultCheckMode() {
  if (IsBusy()) return;
  if (!IsRaceCardMode()) {
    // The grid keeps its contents, unseen, until result-check mode is entered again.
    EnterRaceCardMode();
    return;
  }
  ClearCheck();
  mode_ = Mode::ResultCheck;
  predictionShown_ = false;
  menu_.N3->setText(QStringLiteral("出走表 確認"));
  ShowRegions();
}

void TMainForm::RunResultCheck() {
  // A second check from the events the first lets through would move the selection under it.
  if (!day_ || IsBusy()) return;
  if (predictionMode_ == PredictionMode::Data) EnsureForms();
  {
    const CheckLock lock(*this);
    CheckVenue();
  }
  emit DayFilesRead();
}

void TMainForm::CheckVenue() {
  // The check ends on the venue's last race, as if each race had been chosen in turn.
  const int races = std::min(day_->Venues()[venue_].raceCount, 12);
  if (races >= 1) {
    cardPanel_.SelectRace(races - 1);
    SelectRace(races);
  }
  ui::CheckProgress progress(checkOverlay_, desktop_, [this] { return !quitRequested_; });
  Predictor predictor = CurrentPredictor();
  predictor.popularity = true;  // the grid names each winner's 人気
  auto check = day_->CheckVenue(venue_, progress, predictor);
  if (!check) {
    ShowError(check.error());
    return;
  }
  if (check->resultFileMissing) {
    desktop_.ShowMessage(this, QStringLiteral("レース結果ファイル(\"%1\")がありません。")
                                   .arg(QString::fromLocal8Bit(
                                       ExpectedResultFilePath(day_->Path()).c_str())));
    return;
  }
  if (check->otherDay) {
    // Another day's results would mark hits that have nothing to do with these races.
    ClearCheck();
    desktop_.ShowMessage(
        this, QStringLiteral("レース番組表ファイルは%1、レース結果ファイルは%2のものです。"
                             "同じ日のファイルではないため照合できません。")
                  .arg(JapaneseDayText(check->otherDay->first), JapaneseDayText(check->otherDay->second)));
    return;
  }
  if (check->stopped) return;  // the user asked to quit
  if (check->notPublished) {
    ClearCheck();
    desktop_.ShowMessage(this, QStringLiteral("この場のレース結果はまだ登録されていません。"));
    return;
  }
  if (!check->resultFound) {
    // The user's session goes on: a result file saved early simply lacks the late venues.
    desktop_.ShowMessage(this, QStringLiteral("開催レース場を検索できませんでした。"));
    return;
  }
  checkShown_ = ui::CheckShown{std::move(*check), ModeName(), predictionMode_ == PredictionMode::Data};
  resultGrid_.Show(*checkShown_);
  if (checkShown_->check.duplicateInResults) {
    desktop_.ShowMessage(this, QStringLiteral("レース結果ファイルにこのレース場の結果が複数あります。"
                                              "最初のものを表示しました。"));
  }
  // A race that could not be predicted shows its results without hits; its error is told once.
  for (const RaceCheck& race : checkShown_->check.races) {
    if (race.failure) {
      ShowError(*race.failure);
      break;
    }
  }
  progress.RunToTheEnd();  // false: the user asked to quit, which the lock's end sees
}

void TMainForm::ShowRaceResult(int race) {
  if (!day_ || IsBusy() || race < 1 || race > day_->Venues()[venue_].raceCount) return;
  if (predictionMode_ == PredictionMode::Data) EnsureForms();
  auto lookup = day_->LookUpRaceResult(venue_, race);
  if (!lookup) {
    ShowError(lookup.error());
    return;
  }
  using End = OpenDay::RaceResultLookup::End;
  switch (lookup->end) {
    case End::NoResultFile:
      desktop_.ShowMessage(this, QStringLiteral("レース結果ファイル(\"%1\")がありません。")
                                     .arg(QString::fromLocal8Bit(
                                         ExpectedResultFilePath(day_->Path()).c_str())));
      return;
    case End::OtherDay:
      desktop_.ShowMessage(
          this, QStringLiteral("レース番組表ファイルは%1、レース結果ファイルは%2のものです。"
                               "同じ日のファイルではないため照合できません。")
                    .arg(JapaneseDayText(lookup->otherDay->first),
                         JapaneseDayText(lookup->otherDay->second)));
      return;
    case End::VenueMissing:
      desktop_.ShowMessage(this, QStringLiteral("この場のレース結果はまだ登録されていません。"));
      return;
    case End::RaceMissing:
      desktop_.ShowMessage(this, QStringLiteral("%1Rの結果はレース結果ファイルにありません。").arg(race));
      return;
    case End::Found:
      break;
  }
  ui::RaceResultView view;
  view.venue = FromCp932(day_->Venues()[venue_].name).simplified();
  view.race = race;
  if (const std::optional<int> day = day_->Day()) view.day = JapaneseDayText(*day);
  view.result = std::move(lookup->result);
  view.disagreeing = std::move(lookup->disagreeing);
  view.modeName = ModeName();
  auto forecast = day_->Forecast(venue_, race, CurrentPredictor());
  view.predicted = forecast.ok();
  if (forecast) {
    view.tickets = std::move(forecast->forecast.tickets);
    if (forecast->data) view.skipped = forecast->data->skipped;
  } else {
    view.noTickets = ErrorText(forecast.error());
  }
  if (raceResultWindow_ == nullptr) raceResultWindow_ = new ui::RaceResultWindow(this);
  raceResultWindow_->Show(view);
  raceResultWindow_->show();
  raceResultWindow_->raise();
  raceResultWindow_->activateWindow();
}

void TMainForm::ClearCheck() {
  checkShown_.reset();
  resultGrid_.Clear();
}

const CheckTally& TMainForm::LastCheckTally() const {
  static const CheckTally kNone{};
  return checkShown_ ? checkShown_->check.tally : kNone;
}

}  // namespace wakorin
