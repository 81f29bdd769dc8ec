#pragma once

#include <QString>
#include <QStringList>

#include "predict/BetType.h"
#include "results/RacePayouts.h"

class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace wakorin::ui {

// The windows beside the main one read as it does: white on black, tables with dim rules.
void MakeDark(QWidget& window);
QTableWidget* MakeDarkTable(QWidget* parent, const char* name, const QStringList& headings);
QTableWidgetItem* TableCell(const QString& text, Qt::Alignment align = Qt::AlignCenter);

// The bet types as a fan reads them: 単勝 .. ３連複, and the four short (２複, ２単, ３複, ３単).
QString BetName(AnyBet bet);
QString ShortBetName(BetType bet);

}  // namespace wakorin::ui
