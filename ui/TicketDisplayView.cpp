// Copies the ticket display's decisions into the two sheets.
#include <QLabel>
#include <QTabBar>

#include "ui/Cp932Text.h"
#include "predict/TicketDisplay.h"
#include "program/RaceCard.h"
#include "ui/MainForm.h"
#include "ui/Widgets.h"

namespace wakorin {

void TMainForm::TabSyouShikiChange() {
  ShowRecommend();
}

std::string TMainForm::TicketsOnSale() const {
  // The label is what the user sees; only the four sale texts mean anything to the rules.
  const QString shown = LabelRChkt->text();
  for (std::string_view sale : {kSaleExactaQuinella, kSaleExacta, kSaleQuinella, kSaleAll}) {
    if (shown == FromCp932(sale)) return std::string(sale);
  }
  return shown.toStdString();
}

void TMainForm::ShowRecommend() {
  const RecommendDisplay d =
      ComputeRecommend(TicketsOnSale(), TabSyouShikiTabs->currentIndex(),
                       {prediction_.Ken2T, prediction_.Ken2F, prediction_.Ken3T, prediction_.Ken3F},
                       Ken2Count, Ken3Count);
  LabelRace2Chekt->setText(FromCp932(d.heading2));
  LabelRace3Chekt->setText(FromCp932(d.heading3));
  auto fill = [](QLabel* label, const TicketDigitCell& cell) {
    label->setText(QString::fromLatin1(cell.text));
    ui::SetBackground(label, QColor::fromRgb(cell.background));
    if (cell.textColor) ui::SetTextColor(label, QColor::fromRgb(*cell.textColor));
  };
  for (std::size_t row = 0; row < 6; ++row) {
    for (std::size_t c = 0; c < 2; ++c) fill(Funa2Ken[row][c], d.two[row][c]);
    Funa2KenY[row]->setText(FromCp932(d.twoSeparator[row]));
    for (std::size_t c = 0; c < 3; ++c) fill(Funa3Ken[row][c], d.three[row][c]);
    for (QLabel* separator : Funa3KenY[row]) separator->setText(FromCp932(d.threeSeparator[row]));
  }
}

}  // namespace wakorin
