// The result check of the selected venue: predict every race, find the venue's results with the
// progress overlay, and fill the summary grid.
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <climits>

#include "ui/Desktop.h"
#include "ui/Cp932Text.h"
#include "program/RaceCard.h"
#include "program/VenueEntry.h"
#include "program/VenueTable.h"
#include "results/ResultFile.h"
#include "results/ResultMatching.h"
#include "results/ReturnSummary.h"
#include "ui/MainForm.h"
#include "ui/Widgets.h"

namespace wakorin {

// Moves the progress bar and the gliding boat as the search reports its reads.
class CheckProgress final : public ResultSearchObserver {
 public:
  explicit CheckProgress(TMainForm& form) : form_(form) {}

  void FileOpened(std::uint64_t size) override {
    size_ = size;
    // The bar holds an int; a file too large for it is shown at the scale the bar can hold.
    maximum_ = static_cast<int>(std::min<std::uint64_t>(size, INT_MAX));
    form_.FileLoadPBar->setRange(0, std::max(maximum_, 1));
    form_.FileLoadPBar->setValue(0);
  }

  void Skipped(int k, std::uint64_t position) override {
    SetPosition(position);
    const long long glide = static_cast<long long>(Held()) * 450 / Maximum() / (10LL * k);
    for (int s = 0; s <= 10 * k; ++s) {
      form_.RaceImage->move(static_cast<int>(glide * s + 60), form_.RaceImage->y());
      form_.desktop().ProcessEvents();
      form_.desktop().Wait(50);
    }
  }

  bool BeforeHeaderRead(std::uint64_t position) override {
    if (!Pump()) return false;
    Show(position);
    return true;
  }

  void PassedOtherVenue() override {
    const bool red = ui::TextColor(form_.Label4) == QColor(Qt::red);
    ui::SetTextColor(form_.Label4, red ? QColor(0x00, 0xFF, 0xFF) : QColor(Qt::red));
  }

  void PayoutRead(std::uint64_t finalPosition) override { position_ = finalPosition; }

  // The last stretch of the bar, 30 bytes a step. False when the user asked to quit.
  bool RunToTheEnd() {
    while (position_ < size_) {
      if (!Pump()) return false;
      position_ += 30;
      Show(position_);
    }
    Pump(true);
    return true;
  }

 private:
  int Maximum() const { return std::max(maximum_, 1); }
  int Held() const { return form_.FileLoadPBar->value(); }

  void SetPosition(std::uint64_t position) {
    form_.FileLoadPBar->setValue(static_cast<int>(std::min<std::uint64_t>(position, maximum_)));
  }

  void Show(std::uint64_t position) {
    SetPosition(position);
    form_.RaceImage->move(static_cast<int>(60 + static_cast<long long>(Held()) * 450 / Maximum()),
                          form_.RaceImage->y());
  }

  // Processes pending window events, at most every 15 ms so that the thousands of small steps
  // of a search coalesce their repaints; the steps themselves keep their order. Returns false
  // once the user has asked to quit.
  bool Pump(bool force = false) {
    if (force || !sinceEvents_.isValid() || sinceEvents_.elapsed() >= 15) {
      form_.desktop().ProcessEvents();
      sinceEvents_.start();
    }
    return form_.QuitRequested == 0;
  }

  TMainForm& form_;
  std::uint64_t size_ = 0;
  int maximum_ = 0;
  std::uint64_t position_ = 0;
  QElapsedTimer sinceEvents_;
};

void TMainForm::ShowHitReturn(const std::array<RecommendedTickets, 12>& tickets,
                              const VenueResult& result) {
  CheckTally& tally = lastTally_;
  tally = CheckTally{};
  for (std::size_t r = 0; r < 12; ++r) tally.Add(tickets[r], result.Rows[r]);
  struct Named {
    const char* name;
    const BetTally& bet;
  };
  const Named bets[] = {{"２複", tally.quinella},
                        {"２単", tally.exacta},
                        {"３複", tally.trio},
                        {"３単", tally.trifecta}};
  QStringList lines{QString(), QString()};
  QStringList details;
  for (std::size_t i = 0; i < 4; ++i) {
    const BetTally& bet = bets[i].bet;
    if (bet.races == 0) continue;  // not on sale, or no result to count
    const QString name = QString::fromUtf8(bets[i].name);
    QString& line = lines[static_cast<qsizetype>(i / 2)];
    if (!line.isEmpty()) line += QStringLiteral("  ");
    const QString rate = QString::number(bet.ReturnPercent(), 'f', 1);
    line += QStringLiteral("%1 %2/%3 回収%4%").arg(name).arg(bet.hits).arg(bet.races).arg(rate);
    details << QStringLiteral("%1: %2レース中%3的中  購入%4円  払戻%5円  回収率%6%")
                   .arg(name)
                   .arg(bet.races)
                   .arg(bet.hits)
                   .arg(bet.stake)
                   .arg(bet.payout)
                   .arg(rate);
  }
  lines.removeAll(QString());
  LabelHitReturn->setText(lines.join(QLatin1Char('\n')));
  LabelHitReturn->setToolTip(details.join(QLatin1Char('\n')));
}

void TMainForm::LockForCheck(bool locked) {
  SelectC->setEnabled(!locked);
  Panel9->setVisible(locked);
  BBtnKekka->setEnabled(!locked);
  N1->setEnabled(!locked);
  if (!locked) {
    FileLoadPBar->setValue(0);
    RaceImage->move(60, RaceImage->y());
  }
}

void TMainForm::BBtnKekkaClick() {
  LockForCheck(true);
  std::array<RecommendedTickets, 12> recommended{};

  const std::array<std::string, 6> none{};
  const std::string entry = SelectedVenueEntry();
  const int races = std::min(SelectR->count(), 12);
  QStringList unread;
  for (int r = 1; r <= races; ++r) {
    desktop_.ProcessEvents();
    SelectR->setCurrentIndex(r - 1);
    const CardRead card = RaceView();
    if (card == CardRead::Failed) {
      // The file cannot be read: the check ends here, its grid as it was.
      LockForCheck(false);
      if (QuitRequested != 0) Terminate();
      return;
    }
    // A race whose card (no longer in the file) or prediction fails recommends nothing, so no
    // earlier race's tickets can be marked as its hits; its results still show, since the
    // tickets on sale follow from the venue alone.
    const bool cardShown = card == CardRead::Shown;
    if (cardShown && PredictShownRace()) {
      recommended[r - 1] = SlotFor(TicketsOnSale(), prediction_.Ken2T, prediction_.Ken2F,
                                   prediction_.Ken3T, prediction_.Ken3F);
    } else {
      recommended[r - 1] =
          SlotFor(SaleTextFor(VenueNameOfEntry(entry)), none, none, none, none);
      if (!cardShown) unread << QStringLiteral("%1R").arg(r);
    }
  }

  const std::string resultPath = FindResultFile(programFilePath_);
  if (resultPath.empty()) {
    desktop_.ShowMessage(this, QStringLiteral("レース結果ファイル(\"%1\")がありません。")
                                   .arg(QString::fromLocal8Bit(
                                       ResultFilePath(programFilePath_).c_str())));
    LockForCheck(false);
    if (QuitRequested != 0) Terminate();
    return;
  }

  const int venuesBefore = SelectC->count() - 1 - SelectC->currentIndex();
  CheckProgress progress(*this);
  auto search =
      FindVenueResult(resultPath, GetCorseNo(VenueNameOfEntry(entry)), venuesBefore, progress);
  if (!search) {
    ShowError(search.error());
    LockForCheck(false);
    return;
  }
  if (search->end == ResultSearchEnd::Stopped) {
    LockForCheck(false);
    Terminate();
    return;
  }
  if (search->end == ResultSearchEnd::NotPublished) {
    EmptyResultGrid();
    desktop_.ShowMessage(this, QStringLiteral("この場のレース結果はまだ登録されていません。"));
    LockForCheck(false);
    return;
  }
  if (search->end == ResultSearchEnd::NotFound) {
    // The user's session goes on: a result file saved early simply lacks the late venues.
    desktop_.ShowMessage(this, QStringLiteral("開催レース場を検索できませんでした。"));
    LockForCheck(false);
    return;
  }

  for (std::size_t r = 0; r < 12; ++r) {
    const ResultRowDisplay row = FillResultRow(recommended[r], search->result.Rows[r]);
    auto show = [](QLabel* label, const std::string& text) { label->setText(FromCp932(text)); };
    auto mark = [&](QLabel* label, const ResultCell& cell) {
      show(label, cell.text);
      label->setToolTip(cell.note.empty() ? QString()
                                          : QStringLiteral("同着: ") + FromCp932(cell.note));
      ui::SetBackground(label, cell.hit ? QColor(Qt::red) : QColor(Qt::black));
    };
    mark(LabelKekka2F[r], row.quinella);
    show(LabelKekka2FR[r], row.quinellaPayout);
    mark(LabelKekka2T[r], row.exacta);
    show(LabelKekka2TR[r], row.exactaPayout);
    mark(LabelKekka3F[r], row.trio);
    show(LabelKekka3FR[r], row.trioPayout);
    mark(LabelKekka3T[r], row.trifecta);
    show(LabelKekka3TR[r], row.trifectaPayout);
  }

  ShowHitReturn(recommended, search->result);

  const bool finished = progress.RunToTheEnd();
  LockForCheck(false);
  if (!finished) {
    Terminate();
    return;
  }
  if (!unread.isEmpty()) {
    desktop_.ShowMessage(this, QStringLiteral("%1の出走表を読めなかったため、結果のみ表示しました。")
                                   .arg(unread.join(QStringLiteral("・"))));
  }
}

}  // namespace wakorin
