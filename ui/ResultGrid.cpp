#include "ui/ResultGrid.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

#include "results/ResultMatching.h"
#include "ui/Colors.h"
#include "ui/Cp932Text.h"
#include "ui/Fonts.h"
#include "ui/Widgets.h"

namespace wakorin::ui {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// 1234567 → "1,234,567": payouts and stakes read at a glance.
QString Grouped(long long yen) {
  QString digits = QString::number(yen < 0 ? -yen : yen);
  for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
  return yen < 0 ? QLatin1Char('-') + digits : digits;
}

struct BetColumn {
  const char* ticketStem;
  int ticketLeft, ticketWidth;
  const char* payoutStem;
  int payoutLeft;
};

const PerBet<BetColumn> kBetColumns{{{
    {"LabelKekka2F", 75, 45, "LabelKekka2FR", 122},
    {"LabelKekka2T", 196, 45, "LabelKekka2TR", 243},
    {"LabelKekka3F", 315, 60, "LabelKekka3FR", 377},
    {"LabelKekka3T", 451, 60, "LabelKekka3TR", 513},
}}};

}  // namespace

// Double-clicks on a row's labels, told as the row's race.
class ResultGrid::RowClicks : public QObject {
 public:
  using QObject::QObject;
  std::function<void(int)> open;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::MouseButtonDblClick) return false;
    const int race = watched->property("race").toInt();
    if (race >= 1 && open) open(race);
    return race >= 1;
  }
};

void ResultGrid::OnRaceOpened(std::function<void(int race)> open) {
  rowClicks_->open = std::move(open);
}

ResultGrid::ResultGrid(QWidget* parent) {
  const QFont font12 = MsGothic(12, true);
  const QFont font13 = MsGothic(13, true);
  Panel8_ = MakePanel(parent, "Panel8", QRect(4, 50, 625, 251), kBlack);
  rowClicks_ = new RowClicks(Panel8_);
  struct Heading {
    int left, width;
    const char* text;
  };
  const Heading headings[] = {{28, 44, "レース"},
                              {91, 70, "連勝複式"},
                              {331, 70, "連勝複式"},
                              {208, 70, "連勝単式"},
                              {468, 70, "連勝単式"}};
  for (const Heading& h : headings) {
    MakeLabel(Panel8_, "", QRect(h.left, 10, h.width, 15), Text(h.text), font12, kSilver);
  }
  for (int left : {190, 310, 445, 580}) MakeBevel(Panel8_, "", QRect(left, 6, 2, 206));
  MakeBevel(Panel8_, "", QRect(8, 26, 609, 2));
  for (int r = 1; r <= kRaces; ++r) {
    const int top = 30 + 15 * (r - 1);
    QLabel* caption = MakeLabel(Panel8_, Numbered("LabelKekkaR", r), QRect(40, top, 30, 15),
                                RaceCaption(r), font13, kWhite);
    const auto watch = [&](QLabel* label) {
      label->setProperty("race", r);
      label->installEventFilter(rowClicks_);
    };
    watch(caption);
    for (BetType b : kBetTypes) {
      const BetColumn& c = kBetColumns[b];
      const bool threeBoat = c.ticketWidth > 45;
      tickets_[b][r - 1] =
          MakeCell(Panel8_, Numbered(c.ticketStem, r), QRect(c.ticketLeft, top, c.ticketWidth, 15),
                   Text(threeBoat ? "X-X-X(X)" : "X-X(X)"), font13, kBlack, kWhite,
                   Qt::AlignLeft | Qt::AlignVCenter);
      payouts_[b][r - 1] =
          MakeLabel(Panel8_, Numbered(c.payoutStem, r), QRect(c.payoutLeft, top, 66, 15),
                    Text("0円"), font13, kWhite, Qt::AlignRight | Qt::AlignVCenter);
      watch(tickets_[b][r - 1]);
      watch(payouts_[b][r - 1]);
    }
  }
  MakeCell(Panel8_, "", QRect(360, 220, 76, 18), Text("赤枠白抜き"), font13, kRed, kWhite);
  MakeLabel(Panel8_, "", QRect(438, 220, 140, 18), Text("は的中船券を示す。"), font13, kWhite);
  // Left of the result button, where the footer has room: the mode, the races skipped, and the
  // hits and return of the last check.
  LabelHitReturn_ = MakeLabel(Panel8_, "LabelHitReturn", QRect(6, 211, 254, 39), QString(),
                              MsGothic(10, true), kWhite, Qt::AlignLeft | Qt::AlignVCenter);
  BBtnKekka_ = new QPushButton(Text("結果表示"), Panel8_);
  BBtnKekka_->setObjectName(QStringLiteral("BBtnKekka"));
  BBtnKekka_->setGeometry(261, 215, 75, 25);
  BBtnKekka_->setFont(font13);
  BBtnKekka_->setCursor(Qt::PointingHandCursor);
}

QString ResultGrid::RaceCaption(int race) {
  return race < 10 ? QStringLiteral(" %1R").arg(race) : QStringLiteral("%1R").arg(race);
}

void ResultGrid::Clear() {
  LabelHitReturn_->clear();
  LabelHitReturn_->setToolTip(QString());
  for (BetType b : kBetTypes) {
    for (std::size_t r = 0; r < kRaces; ++r) {
      for (QLabel* cell : {tickets_[b][r], payouts_[b][r]}) {
        cell->clear();
        cell->setToolTip(QString());  // a dead heat's note goes with its cell
      }
      SetBackground(tickets_[b][r], kBlack);
      SetTextColor(tickets_[b][r], kWhite);
    }
  }
}

void ResultGrid::Show(const CheckShown& shown) {
  const VenueCheck& check = shown.check;
  for (std::size_t r = 0; r < kRaces; ++r) {
    const PerBet<bool> skipped = r < check.races.size() ? check.races[r].skipped : PerBet<bool>{};
    ShowRow(r, RowOf(check.rows[r], skipped), check.rows[r]);
  }
  ShowTally(shown);
}

QString ResultGrid::ResultText(const BetMatch& match) {
  QString combination;
  switch (match.result) {
    case BetMatch::Result::NotShown:
    case BetMatch::Result::NoResult: return QString();
    case BetMatch::Result::Cancelled: return Text("中　止");
    case BetMatch::Result::Void: return Text("不成立");
    case BetMatch::Result::Special: return Text("特払い");
    case BetMatch::Result::Paid: combination = QString::fromLatin1(CombinationAsWritten(match.won.combination)); break;
    case BetMatch::Result::Unreadable: combination = FromCp932(match.writtenCombination); break;
  }
  return match.Hit() ? QStringLiteral("%1(%2)").arg(combination).arg(match.ticket) : combination;
}

QString ResultGrid::PayoutText(const BetMatch& match) {
  switch (match.result) {
    case BetMatch::Result::Paid: return QString::number(match.won.yen) + Text("円");
    case BetMatch::Result::Special: return match.refund > 0 ? QString::number(match.refund) + Text("円") : QString();
    // A damaged payout is shown as the file writes it, not as a sum of yen.
    case BetMatch::Result::Unreadable: return FromCp932(match.writtenPayout);
    default: return QString();
  }
}

QString ResultGrid::DeadHeatText(const BetMatch& match) {
  QStringList each;
  for (const Payout& payout : match.deadHeat) {
    each << QString::fromLatin1(CombinationAsWritten(payout.combination)) + QLatin1Char(' ') +
                (payout.yen > 0 ? QString::number(payout.yen) + Text("円") : Text("払戻金不明")) +
                (payout.popularity > 0 ? Text(" %1番人気").arg(payout.popularity) : QString());
  }
  return each.join(QStringLiteral(" / "));
}

// "1234円" read as "1,234円": the payout's digits as the file writes them, grouped.
static QString GroupedPayout(const QString& text) {
  const QString trimmed = text.trimmed();
  const bool yen = trimmed.endsWith(QStringLiteral("円"));
  const QString digits = yen ? trimmed.chopped(1) : trimmed;
  bool number = digits.size() >= 4;
  for (QChar c : digits) number = number && c.isDigit() && c.unicode() < 0x80;
  return number ? Grouped(digits.toLongLong()) + (yen ? QStringLiteral("円") : QString()) : text;
}

ResultGrid::Row ResultGrid::RowOf(const RaceMatch& shown, const PerBet<bool>& skipped) {
  Row row;
  for (BetType b : kBetTypes) {
    const BetMatch& cell = shown.bets[b];
    const QString text = ResultText(cell), payout = PayoutText(cell);
    // A race cancelled or a bet void has nothing to skip: it shows as such.
    const bool pass = skipped[b] && (cell.result == BetMatch::Result::NoResult || !payout.isEmpty());
    row.tickets[b] = {pass ? Text("見送") : text, cell.Hit() && !pass, pass};
    row.payouts[b] = GroupedPayout(payout);
  }
  return row;
}

void ResultGrid::ShowRow(std::size_t r, const Row& row, const RaceMatch& shown) {
  for (BetType b : kBetTypes) {
    const BetMatch& cell = shown.bets[b];
    const bool pass = row.tickets[b].skipped;
    QLabel* label = tickets_[b][r];
    label->setText(row.tickets[b].text);
    QString tip = !cell.deadHeat.empty()      ? QStringLiteral("同着: ") + DeadHeatText(cell)
                  : cell.won.popularity > 0 ? Text("%1番人気").arg(cell.won.popularity)
                                            : QString();
    // A skipped race keeps its result within reach.
    if (pass) tip = QStringLiteral("見送り（結果 %1）").arg(ResultText(cell).trimmed()) + (tip.isEmpty() ? QString() : QLatin1Char('\n') + tip);
    label->setToolTip(tip);
    SetBackground(label, row.tickets[b].hit ? kRed : kBlack);
    SetTextColor(label, pass ? kGrey : kWhite);
    // Grouped where the label has room for the commas.
    QLabel* payout = payouts_[b][r];
    const bool fits = payout->fontMetrics().horizontalAdvance(row.payouts[b]) <= payout->width();
    payout->setText(fits ? row.payouts[b] : PayoutText(cell));
  }
}

QStringList ResultGrid::TallyDetails(const CheckShown& shown) {
  const PerBet<const char*> names{{"２複", "２単", "３複", "３単"}};
  QStringList details{shown.modeName};
  for (BetType type : kBetTypes) {
    const BetTally& bet = shown.check.tally[type];
    if (bet.races == 0 && bet.skipped == 0) continue;
    const QString name = Text(names[type]);
    const QString rate = QString::number(bet.ReturnPercent(), 'f', 1);
    QString line = QStringLiteral("%1: %2レース中%3的中").arg(name).arg(bet.races).arg(bet.hits);
    if (shown.skips) line += QStringLiteral("  見送り%1レース").arg(bet.skipped);
    line += QStringLiteral("  購入%1円  払戻%2円").arg(Grouped(bet.stake), Grouped(bet.payout));
    // Tickets naming a boat whose start was void are paid back, apart from the hits.
    if (bet.refund > 0) line += QStringLiteral("  返還%1円").arg(Grouped(bet.refund));
    details << line + QStringLiteral("  回収率%1%").arg(rate);
  }
  return details;
}

void ResultGrid::ShowTally(const CheckShown& shown) {
  const PerBet<const char*> names{{"２複", "２単", "３複", "３単"}};
  // The first line names the mode and, per bet type, the races skipped; then hits out of the
  // races bet and the return, two bet types a line.
  QStringList lines{shown.modeName, QString(), QString()};
  QStringList passes;
  for (BetType type : kBetTypes) {
    const BetTally& bet = shown.check.tally[type];
    // Not on sale, or no result to count; a bet type on sale but never bet still shows.
    if (bet.races == 0 && bet.skipped == 0) continue;
    const QString name = Text(names[type]);
    QString& line = lines[IsTwoBoat(type) ? 1 : 2];
    if (!line.isEmpty()) line += QStringLiteral("  ");
    const QString rate = QString::number(bet.ReturnPercent(), 'f', 1);
    line += QStringLiteral("%1 %2/%3 回収%4%").arg(name).arg(bet.hits).arg(bet.races).arg(rate);
    passes << name + QString::number(bet.skipped);
  }
  if (shown.skips && !passes.isEmpty()) lines[0] += QStringLiteral("  見送 ") + passes.join(QLatin1Char(' '));
  lines.removeAll(QString());
  LabelHitReturn_->setText(lines.join(QLatin1Char('\n')));
  LabelHitReturn_->setToolTip(TallyDetails(shown).join(QLatin1Char('\n')));
}

QString ResultGrid::FooterText() const {
  return LabelHitReturn_->text();
}

void ResultGrid::SetShown(bool shown) {
  Panel8_->setVisible(shown);
}

}  // namespace wakorin::ui
