#include "ui/DarkTables.h"

#include <QHeaderView>
#include <QTableWidget>

#include "ui/Colors.h"
#include "ui/Fonts.h"

namespace wakorin::ui {

void MakeDark(QWidget& window) {
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, kBlack);
  palette.setColor(QPalette::WindowText, kWhite);
  window.setPalette(palette);
  window.setAutoFillBackground(true);
}

QTableWidget* MakeDarkTable(QWidget* parent, const char* name, const QStringList& headings) {
  auto* table = new QTableWidget(0, static_cast<int>(headings.size()), parent);
  table->setObjectName(QString::fromLatin1(name));
  table->setHorizontalHeaderLabels(headings);
  table->verticalHeader()->hide();
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setFont(MsGothic(13, false));
  table->horizontalHeader()->setFont(MsGothic(12, true));
  table->setStyleSheet(QStringLiteral(
      "QTableWidget { background: black; color: white; gridline-color: #404040; border: none;"
      " selection-background-color: #000080; }"
      "QHeaderView { background: black; } QTableCornerButton::section { background: black; }"
      "QHeaderView::section { background: #202020; color: #c0c0c0; border: 1px solid #404040;"
      " padding: 2px; }"));
  return table;
}

QTableWidgetItem* TableCell(const QString& text, Qt::Alignment align) {
  auto* item = new QTableWidgetItem(text);
  item->setTextAlignment(align | Qt::AlignVCenter);
  return item;
}

QString BetName(AnyBet bet) {
  switch (bet) {
    case AnyBet::Win:
      return QStringLiteral("単勝");
    case AnyBet::Place:
      return QStringLiteral("複勝");
    case AnyBet::Exacta:
      return QStringLiteral("２連単");
    case AnyBet::Quinella:
      return QStringLiteral("２連複");
    case AnyBet::Wide:
      return QStringLiteral("拡連複");
    case AnyBet::Trifecta:
      return QStringLiteral("３連単");
    case AnyBet::Trio:
      break;
  }
  return QStringLiteral("３連複");
}

QString ShortBetName(BetType bet) {
  switch (bet) {
    case BetType::Quinella:
      return QStringLiteral("２複");
    case BetType::Exacta:
      return QStringLiteral("２単");
    case BetType::Trio:
      return QStringLiteral("３複");
    case BetType::Trifecta:
      break;
  }
  return QStringLiteral("３単");
}

}  // namespace wakorin::ui
