#include "ui/day/DayRaceList.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/Colors.h"
#include "ui/Cp932Text.h"
#include "ui/ErrorText.h"
#include "ui/Fonts.h"
#include "ui/LaneColors.h"

namespace wakorin::ui {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

enum Column { kDeadline, kVenue, kRace, kName, kDistance, kFavourite, kChance, kFirstBet };
constexpr int kResult = kFirstBet + 4, kHits = kResult + 1, kColumns = kHits + 1;

QTableWidgetItem* Cell(const QString& text, Qt::Alignment align = Qt::AlignCenter) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(align | Qt::AlignVCenter);
  return item;
}

const char* ShortBetName(BetType bet) {
  switch (bet) {
    case BetType::Quinella:
      return "２複";
    case BetType::Exacta:
      return "２単";
    case BetType::Trio:
      return "３複";
    case BetType::Trifecta:
      break;
  }
  return "３単";
}

}  // namespace

DayRaceList::DayRaceList(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DayRaceList"));
  setWindowTitle(Text("本日のレース一覧"));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kBlack);
  palette.setColor(QPalette::WindowText, kWhite);
  setPalette(palette);
  setAutoFillBackground(true);
  auto* layout = new QVBoxLayout(this);
  heading_ = new QLabel(this);
  heading_->setObjectName(QStringLiteral("DayRaceHeading"));
  heading_->setFont(MsGothic(15, true));
  heading_->setStyleSheet(QStringLiteral("color: #00ffff;"));
  note_ = new QLabel(this);
  note_->setObjectName(QStringLiteral("DayRaceNote"));
  note_->setFont(MsGothic(12, false));
  note_->setWordWrap(true);
  QStringList headings{Text("締切"), Text("場"), Text("R"), Text("レース"), Text("距離"),
                       Text("本命"), Text("1着率")};
  for (BetType bet : kBetTypes) headings << Text(ShortBetName(bet));
  headings << Text("結果") << Text("的中");
  table_ = new QTableWidget(0, kColumns, this);
  table_->setObjectName(QStringLiteral("DayRaceTable"));
  table_->setHorizontalHeaderLabels(headings);
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::SingleSelection);
  table_->setFont(MsGothic(13, false));
  table_->horizontalHeader()->setFont(MsGothic(12, true));
  table_->setStyleSheet(QStringLiteral(
      "QTableWidget { background: black; color: white; gridline-color: #404040; border: none;"
      " selection-background-color: #000080; }"
      "QHeaderView { background: black; } QTableCornerButton::section { background: black; }"
      "QHeaderView::section { background: #202020; color: #c0c0c0; border: 1px solid #404040;"
      " padding: 2px; }"));
  for (BetType bet : kBetTypes) {
    table_->horizontalHeaderItem(kFirstBet + static_cast<int>(bet))
        ->setToolTip(Text("推奨6点の推定回収率（見送りは買わない）"));
  }
  connect(table_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) { Choose(row); });
  layout->addWidget(heading_);
  layout->addWidget(note_);
  layout->addWidget(table_);
  resize(900, 640);
}

void DayRaceList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    Choose(table_->currentRow());
    return;
  }
  QDialog::keyPressEvent(event);
}

void DayRaceList::Choose(int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= races_.size() || !chosen_) return;
  chosen_(races_[static_cast<std::size_t>(row)].venue, races_[static_cast<std::size_t>(row)].race);
}

void DayRaceList::Show(std::vector<DayRace> races, const std::vector<QString>& venueNames,
                       std::optional<int> day, const QDateTime& now, const QString& note) {
  races_ = std::move(races);
  const bool today = day && DayAsDate(*day) == now.date();
  const int minutes = now.time().hour() * 60 + now.time().minute();
  const std::optional<std::size_t> next = today ? NextToClose(races_, minutes) : std::nullopt;
  next_ = next ? static_cast<int>(*next) : -1;
  QString heading = day ? JapaneseDayText(*day) : QString();
  heading += Text("  %1場 %2レース").arg(venueNames.size()).arg(races_.size());
  if (next) {
    const DayRace& coming = races_[*next];
    heading += Text("    %1 現在  ▶ 次の締切 %2 %3R %4:%5")
                   .arg(now.time().toString(QStringLiteral("HH:mm")),
                        coming.venue < venueNames.size() ? venueNames[coming.venue] : QString())
                   .arg(coming.race)
                   .arg(*coming.deadline / 60, 2, 10, QLatin1Char('0'))
                   .arg(*coming.deadline % 60, 2, 10, QLatin1Char('0'));
  }
  heading_->setText(heading);
  note_->setText(note);
  note_->setVisible(!note.isEmpty());

  table_->setRowCount(static_cast<int>(races_.size()));
  for (int r = 0; r < table_->rowCount(); ++r) {
    const DayRace& race = races_[static_cast<std::size_t>(r)];
    QString deadline = race.deadline ? QStringLiteral("%1:%2")
                                           .arg(*race.deadline / 60, 2, 10, QLatin1Char('0'))
                                           .arg(*race.deadline % 60, 2, 10, QLatin1Char('0'))
                                     : QString();
    if (r == next_) deadline = Text("▶") + deadline;
    table_->setItem(r, kDeadline, Cell(deadline));
    table_->setItem(r, kVenue, Cell(race.venue < venueNames.size() ? venueNames[race.venue] : QString(),
                                    Qt::AlignLeft));
    table_->setItem(r, kRace, Cell(QString::number(race.race)));
    table_->setItem(r, kName, Cell(FromCp932(race.raceName).trimmed(), Qt::AlignLeft));
    table_->setItem(r, kDistance, Cell(FromCp932(race.distance).trimmed()));
    const auto& win = race.forecast.win;
    const auto favourite = std::max_element(win.begin(), win.end());
    const int lane = static_cast<int>(favourite - win.begin()) + 1;
    QTableWidgetItem* laneCell = Cell(QString::number(lane));
    laneCell->setBackground(LaneColor(lane));
    laneCell->setForeground(LaneFontColor(lane));
    table_->setItem(r, kFavourite, laneCell);
    table_->setItem(r, kChance, Cell(QStringLiteral("%1%").arg(*favourite * 100.0, 0, 'f', 1),
                                     Qt::AlignRight));
    QStringList hits;
    for (BetType bet : kBetTypes) {
      QString text;
      if (!race.forecast.tickets.onSale[bet]) {
        text = Text("－");
      } else if (race.forecast.skipped[bet]) {
        text = Text("見送り");
      } else {
        text = QStringLiteral("%1%").arg(race.forecast.estimatedReturn[bet] * 100.0, 0, 'f', 0);
      }
      QTableWidgetItem* cell = Cell(text, Qt::AlignRight);
      if (race.forecast.skipped[bet]) cell->setForeground(kGrey);
      if (race.resultKnown && race.hit[bet]) {
        cell->setBackground(kRed);
        cell->setForeground(kWhite);
        hits << Text(ShortBetName(bet));
      }
      table_->setItem(r, kFirstBet + static_cast<int>(bet), cell);
    }
    QString result;
    if (race.resultKnown) {
      if (race.cancelled) {
        result = Text("中止");
      } else if (race.trifecta.count == 3) {
        result = QStringLiteral("%1-%2-%3")
                     .arg(race.trifecta.boats[0])
                     .arg(race.trifecta.boats[1])
                     .arg(race.trifecta.boats[2]);
      }
    }
    table_->setItem(r, kResult, Cell(result));
    table_->setItem(r, kHits, Cell(race.resultKnown ? (hits.isEmpty() ? Text("－") : hits.join(QLatin1Char(' ')))
                                                    : QString()));
    // Races already closed today read dimmer than those still open.
    if (today && race.deadline && *race.deadline < minutes) {
      for (int c : {kDeadline, kVenue, kRace, kName, kDistance}) table_->item(r, c)->setForeground(kGrey);
    }
    if (r == next_) {
      for (int c : {kDeadline, kVenue, kRace, kName, kDistance}) {
        table_->item(r, c)->setBackground(kNavy);
        table_->item(r, c)->setForeground(kAqua);
      }
    }
  }
  table_->resizeColumnsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);
  if (next_ >= 0) {
    table_->setCurrentCell(next_, 0);
    table_->scrollToItem(table_->item(next_, 0), QAbstractItemView::PositionAtCenter);
  } else if (table_->rowCount() > 0) {
    table_->setCurrentCell(0, 0);
  }
}

}  // namespace wakorin::ui
