#include "ui/race/RaceResultWindow.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "ui/Colors.h"
#include "ui/Cp932Text.h"
#include "ui/Fonts.h"
#include "ui/LaneColors.h"

namespace wakorin::ui {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QString Yen(long long yen) {
  QString digits = QString::number(yen);
  for (qsizetype at = digits.size() - 3; at > 0; at -= 3) digits.insert(at, QLatin1Char(','));
  return digits + Text("円");
}

QString Boats(const Combination& c, bool ordered) {
  QString text;
  for (int k = 0; k < c.count; ++k) {
    if (k > 0) text += ordered ? QLatin1Char('-') : QLatin1Char('=');
    text += QString::number(c.boats[static_cast<std::size_t>(k)]);
  }
  return text;
}

const char* BetName(AnyBet bet) {
  switch (bet) {
    case AnyBet::Win:
      return "単勝";
    case AnyBet::Place:
      return "複勝";
    case AnyBet::Exacta:
      return "２連単";
    case AnyBet::Quinella:
      return "２連複";
    case AnyBet::Wide:
      return "拡連複";
    case AnyBet::Trifecta:
      return "３連単";
    case AnyBet::Trio:
      break;
  }
  return "３連複";
}

QTableWidget* MakeTable(QWidget* parent, const char* name, const QStringList& headings) {
  auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setHorizontalHeaderLabels(headings);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setSelectionMode(QAbstractItemView::NoSelection);
  table->setFocusPolicy(Qt::NoFocus);
  table->setFont(MsGothic(13, false));
  table->horizontalHeader()->setFont(MsGothic(12, true));
  table->setStyleSheet(QStringLiteral(
      "QTableWidget { background: black; color: white; gridline-color: #404040; border: none; }"
      "QHeaderView { background: black; } QTableCornerButton::section { background: black; }"
      "QHeaderView::section { background: #202020; color: #c0c0c0; border: 1px solid #404040;"
      " padding: 2px; }"));
  return table;
}

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(align | Qt::AlignVCenter);
  return item;
}

// Every row and column shows whole: the tables are short, and a scroll bar would hide a payout.
void FitSize(QTableWidget* table) {
  table->resizeColumnsToContents();
  table->resizeRowsToContents();
  int height = table->horizontalHeader()->sizeHint().height() + 2;
  for (int r = 0; r < table->rowCount(); ++r) height += table->rowHeight(r);
  int width = 2;
  for (int c = 0; c < table->columnCount(); ++c) width += table->columnWidth(c);
  table->setFixedSize(width, height);
  table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

// "F0.01" and "K ." are the file's own marks; a place of F, L, K or S says what became of a
// boat that did not finish.
QString PlaceText(const Finisher& boat) {
  if (boat.placeNo > 0) return QString::number(boat.placeNo);
  return QString::fromStdString(boat.place);
}

QString RefundNote(const RaceResult& result) {
  QStringList boats;
  for (const FinishLine& row : result.boats) {
    if (!row.boat.Refunded()) continue;
    const char kind = row.boat.place.empty() ? ' ' : row.boat.place[0];
    const QString why = kind == 'F' ? Text("フライング") : kind == 'L' ? Text("出遅れ") : Text("欠場");
    boats << Text("%1号艇（%2 %3）").arg(row.boat.lane).arg(QString::fromStdString(row.boat.place), why);
  }
  if (boats.isEmpty()) return {};
  return Text("返還: %1。この艇を含む舟券は返還されます。").arg(boats.join(Text("、")));
}

}  // namespace

RaceResultWindow::RaceResultWindow(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("RaceResultWindow"));
  setWindowTitle(Text("レース結果"));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBlack);
  palette.setColor(QPalette::WindowText, kWhite);
  setPalette(palette);
  setAutoFillBackground(true);

  auto* layout = new QVBoxLayout(this);
  layout->setSpacing(6);
  title_ = new QLabel(this);
  title_->setObjectName(QStringLiteral("RaceResultTitle"));
  title_->setFont(MsGothic(16, true));
  title_->setStyleSheet(QStringLiteral("color: #00ffff;"));
  conditions_ = new QLabel(this);
  conditions_->setObjectName(QStringLiteral("RaceResultConditions"));
  conditions_->setFont(MsGothic(13, false));
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("RaceResultNote"));
  note_->setFont(MsGothic(13, true));
  note_->setStyleSheet(QStringLiteral("color: #ffff00;"));
  note_->setWordWrap(true);
  finish_ = MakeTable(this, "RaceResultTable",
                      {Text("着"), Text("艇"), Text("登番"), Text("選手名"), Text("モーター"),
                       Text("ボート"), Text("展示"), Text("進入"), Text("ST"), Text("レースタイム")});
  payouts_ = MakeTable(this, "RacePayoutTable", {Text("勝式"), Text("組番"), Text("払戻金"), Text("人気")});
  ticketsHeading_ = new QLabel(this);
  ticketsHeading_->setObjectName(QStringLiteral("RaceTicketHeading"));
  ticketsHeading_->setFont(MsGothic(13, true));
  tickets_ = MakeTable(this, "RaceTicketTable",
                       {Text("勝式"), Text("1"), Text("2"), Text("3"), Text("4"), Text("5"),
                        Text("6"), Text("払戻")});

  // The finishing table above the recommended tickets, the payouts beside both.
  auto* body = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(finish_);
  left->addSpacing(6);
  left->addWidget(ticketsHeading_);
  left->addWidget(tickets_);
  left->addStretch();
  body->addLayout(left);
  body->addSpacing(8);
  body->addWidget(payouts_, 0, Qt::AlignTop);
  body->addStretch();
  layout->addWidget(title_);
  layout->addWidget(conditions_);
  layout->addWidget(note_);
  layout->addLayout(body);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(Text("閉じる"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  layout->addWidget(buttons);
}

void RaceResultWindow::Show(const RaceResultView& view) {
  const RaceResult& result = view.result;
  QString title = Text("%1 %2R").arg(view.venue).arg(view.race);
  if (!result.raceName.empty()) title += QLatin1Char(' ') + FromCp932(result.raceName).trimmed();
  if (!result.distance.empty()) title += QLatin1Char(' ') + FromCp932(result.distance);
  if (!view.day.isEmpty()) title = view.day + QStringLiteral("  ") + title;
  title_->setText(title);
  setWindowTitle(Text("レース結果 - %1 %2R").arg(view.venue).arg(view.race));

  QStringList conditions;
  if (!result.weather.empty()) conditions << Text("天候 %1").arg(FromCp932(result.weather));
  if (!result.wind.empty() || !result.windDirection.empty()) {
    conditions << Text("風 %1 %2").arg(FromCp932(result.windDirection), FromCp932(result.wind)).simplified();
  }
  if (!result.wave.empty()) conditions << Text("波 %1").arg(FromCp932(result.wave));
  if (!result.technique.empty()) conditions << Text("決まり手 %1").arg(FromCp932(result.technique));
  conditions_->setText(conditions.join(Text("　")));
  conditions_->setVisible(!conditions.isEmpty());

  QString note = result.cancelled ? Text("このレースは中止されました（不成立）。舟券は全額返還されます。")
                                  : RefundNote(result);
  note_->setText(note);
  note_->setVisible(!note.isEmpty());

  finish_->setRowCount(static_cast<int>(result.boats.size()));
  for (int r = 0; r < finish_->rowCount(); ++r) {
    const FinishLine& row = result.boats[static_cast<std::size_t>(r)];
    const int lane = row.boat.lane;
    finish_->setItem(r, 0, Cell(PlaceText(row.boat)));
    QTableWidgetItem* laneCell = Cell(QString::number(lane));
    laneCell->setBackground(LaneColor(lane));
    laneCell->setForeground(LaneFontColor(lane));
    finish_->setItem(r, 1, laneCell);
    finish_->setItem(r, 2, Cell(QString::fromStdString(row.boat.racerNo)));
    finish_->setItem(r, 3, Cell(FromCp932(row.name), Qt::AlignLeft));
    finish_->setItem(r, 4, Cell(FromCp932(row.motor)));
    finish_->setItem(r, 5, Cell(FromCp932(row.boatNo)));
    finish_->setItem(r, 6, Cell(FromCp932(row.exhibition)));
    finish_->setItem(r, 7, Cell(row.boat.course > 0 ? QString::number(row.boat.course) : QString()));
    finish_->setItem(r, 8, Cell(FromCp932(row.start)));
    finish_->setItem(r, 9, Cell(FromCp932(row.raceTime)));
  }
  finish_->setVisible(!result.boats.empty());
  FitSize(finish_);

  payouts_->setRowCount(0);
  for (AnyBet bet : kAnyBets) {
    const BetSettlement& settled = result.payouts.Of(bet);
    auto add = [&](const QString& combination, const QString& yen, const QString& popularity) {
      const int r = payouts_->rowCount();
      payouts_->insertRow(r);
      payouts_->setItem(r, 0, Cell(Text(BetName(bet)), Qt::AlignLeft));
      payouts_->setItem(r, 1, Cell(combination));
      payouts_->setItem(r, 2, Cell(yen, Qt::AlignRight));
      payouts_->setItem(r, 3, Cell(popularity, Qt::AlignRight));
    };
    switch (settled.state) {
      case BetSettlement::State::Missing:
        if (!result.cancelled && !result.boats.empty()) add(Text("－"), {}, {});
        break;
      case BetSettlement::State::Void:
        add(Text("不成立"), Text("返還"), {});
        break;
      case BetSettlement::State::Special:
        add(Text("特払い"), Yen(settled.special), {});
        break;
      case BetSettlement::State::Paid:
        for (const Payout& payout : settled.paid) {
          add(Boats(payout.combination, Ordered(bet)), Yen(payout.yen),
              payout.popularity > 0 ? Text("%1番人気").arg(payout.popularity) : QString());
        }
        break;
    }
  }
  payouts_->setVisible(payouts_->rowCount() > 0);
  FitSize(payouts_);

  unsigned refunded = 0;
  for (const FinishLine& row : result.boats) {
    if (row.boat.Refunded()) refunded |= 1u << row.boat.lane;
  }
  tickets_->setRowCount(0);
  if (!view.predicted) {
    ticketsHeading_->setText(Text("推奨船券: %1").arg(view.noTickets));
  } else {
    ticketsHeading_->setText(Text("推奨船券（%1）  赤は的中").arg(view.modeName));
    for (BetType bet : kBetTypes) {
      if (!view.tickets.onSale[bet]) continue;
      const int r = tickets_->rowCount();
      tickets_->insertRow(r);
      tickets_->setItem(r, 0, Cell(Text(BetName(AnyOf(bet))), Qt::AlignLeft));
      if (view.skipped[bet]) {
        tickets_->setItem(r, 1, Cell(Text("見送り")));
        tickets_->setSpan(r, 1, 1, 6);
        continue;
      }
      // Each ticket bought at 100 yen a combination: what the six were paid back together.
      long long back = 0;
      bool settled = !result.cancelled;
      for (std::size_t j = 0; j < 6; ++j) {
        const std::string& ticket = view.tickets.tickets[bet][j];
        QString shown = QString::fromStdString(ticket);
        if (IsBoxTicket(ticket)) shown.replace(QLatin1Char('&'), QLatin1Char('=')) += Text("BOX");
        QTableWidgetItem* cell = Cell(shown);
        const auto paid =
            result.cancelled ? std::nullopt : SettleRecommended(bet, ticket, &result.payouts, refunded);
        if (!paid) {
          settled = false;
        } else {
          back += paid->paid.yen;
          if (paid->paid.hit) {
            cell->setBackground(kRed);
            cell->setForeground(kWhite);
            cell->setToolTip(Text("的中 %1").arg(Yen(paid->paid.yen)));
          } else if (paid->paid.refund) {
            cell->setForeground(kSilver);
            cell->setToolTip(Text("返還 %1").arg(Yen(paid->paid.yen)));
          }
        }
        tickets_->setItem(r, static_cast<int>(j) + 1, cell);
      }
      tickets_->setItem(r, 7, Cell(result.cancelled ? Text("全額返還")
                                   : settled       ? Yen(back)
                                                   : Text("未確定"),
                                   Qt::AlignRight));
    }
  }
  tickets_->setVisible(tickets_->rowCount() > 0);
  FitSize(tickets_);
  adjustSize();
}

}  // namespace wakorin::ui
