// Result-check mode, and the check of the selected venue: predict every race, find the venue's
// results under the progress overlay, and fill the grid.
#include <QAction>
#include <QComboBox>
#include <QPushButton>
#include <algorithm>

#include "program/RaceCard.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"
#include "ui/CheckProgress.h"
#include "ui/Desktop.h"
#include "ui/MainForm.h"

namespace wakorin {

// Holds the window still while a check runs: no other venue, no second check, no menu, and the
// progress overlay over the grid. Everything is given back on every way out of the check.
class TMainForm::CheckLock {
 public:
  explicit CheckLock(TMainForm& form) : form_(form) { Set(true); }
  ~CheckLock() { Set(false); }
  CheckLock(const CheckLock&) = delete;
  CheckLock& operator=(const CheckLock&) = delete;

 private:
  void Set(bool locked) {
    form_.checkRunning_ = locked;
    form_.header_.VenueList()->setEnabled(!locked);
    form_.resultGrid_.CheckButton()->setEnabled(!locked);
    form_.menu_.N1->setEnabled(!locked);
    if (!locked) form_.checkOverlay_.Reset();
    form_.ShowRegions();
  }

  TMainForm& form_;
};

void TMainForm::N3Click() {
  if (!IsRaceCardMode()) {
    // The grid keeps its contents, unseen, until result-check mode is entered again.
    EnterRaceCardMode();
    return;
  }
  resultGrid_.Clear();
  mode_ = Mode::ResultCheck;
  predictionShown_ = false;
  menu_.N3->setText(QStringLiteral("出走表 確認"));
  ShowRegions();
}

void TMainForm::BBtnKekkaClick() {
  QStringList unread;
  CheckEnd end = CheckEnd::Kept;
  {
    const CheckLock lock(*this);
    end = CheckVenue(unread);
  }
  if (end == CheckEnd::Quit || quitRequested_ != 0) {
    Terminate();
  } else if (end == CheckEnd::Shown && !unread.isEmpty()) {
    desktop_.ShowMessage(this,
                         QStringLiteral("%1の出走表を読めなかったため、結果のみ表示しました。")
                             .arg(unread.join(QStringLiteral("・"))));
  }
}

TMainForm::CheckEnd TMainForm::CheckVenue(QStringList& unread) {
  const std::string entry = SelectedVenueEntry();
  std::array<RecommendedTickets, 12> recommended{};
  // A card that cannot be read ends the check, its grid as it was.
  if (!PredictVenue(entry, recommended, unread)) return CheckEnd::Kept;
  const std::string resultPath = FindResultFile(programFilePath_);
  if (resultPath.empty()) {
    desktop_.ShowMessage(
        this, QStringLiteral("レース結果ファイル(\"%1\")がありません。")
                  .arg(QString::fromLocal8Bit(ResultFilePath(programFilePath_).c_str())));
    return CheckEnd::Kept;
  }
  const int venuesBefore = header_.VenueCount() - 1 - header_.VenueIndex();
  ui::CheckProgress progress(checkOverlay_, desktop_, [this] { return quitRequested_ == 0; });
  auto search =
      FindVenueResult(resultPath, GetCorseNo(VenueNameOfEntry(entry)), venuesBefore, progress);
  if (!search) {
    ShowError(search.error());
    return CheckEnd::Kept;
  }
  switch (search->end) {
    case ResultSearchEnd::Stopped:
      return CheckEnd::Quit;
    case ResultSearchEnd::NotPublished:
      resultGrid_.Clear();
      desktop_.ShowMessage(this, QStringLiteral("この場のレース結果はまだ登録されていません。"));
      return CheckEnd::Kept;
    case ResultSearchEnd::NotFound:
      // The user's session goes on: a result file saved early simply lacks the late venues.
      desktop_.ShowMessage(this, QStringLiteral("開催レース場を検索できませんでした。"));
      return CheckEnd::Kept;
    case ResultSearchEnd::Found:
      break;
  }
  resultGrid_.Show(recommended, search->result);
  return progress.RunToTheEnd() ? CheckEnd::Shown : CheckEnd::Quit;
}

bool TMainForm::PredictVenue(const std::string& entry,
                             std::array<RecommendedTickets, 12>& recommended, QStringList& unread) {
  const int races = std::min(cardPanel_.RaceCount(), 12);
  for (int r = 1; r <= races; ++r) {
    desktop_.ProcessEvents();
    cardPanel_.SelectRace(r - 1);
    const CardRead card = RaceView();
    if (card == CardRead::Failed) return false;
    // A race whose card (no longer in the file) or prediction fails recommends nothing, so no
    // earlier race's tickets can be marked as its hits; its results still show, since the
    // tickets on sale follow from the venue alone.
    RecommendedTickets& slot = recommended[static_cast<std::size_t>(r - 1)];
    if (card == CardRead::Shown && PredictShownRace()) {
      slot = forecast_.tickets;
    } else {
      slot = SlotFor(SaleTextFor(VenueNameOfEntry(entry)), {}, {}, {}, {});
      if (card != CardRead::Shown) unread << QStringLiteral("%1R").arg(r);
    }
  }
  return true;
}

}  // namespace wakorin
