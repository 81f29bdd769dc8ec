#include "ui/TicketSheets.h"

#include "ui/LaneColors.h"

#include <QFrame>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>

#include "predict/Prediction.h"
#include "predict/TicketDisplay.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"
#include "ui/UprightTabs.h"
#include "ui/Widgets.h"

namespace wakorin::ui {
namespace {

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// A sheet's heading: the bet type it shows (mode 1 ordered, 2 unordered) or that none is sold.
QString SheetHeading(int mode, bool twoBoat) {
  if (mode == 0) return Text("　発売なし　");
  if (twoBoat) return Text(mode == 1 ? "推奨 ２連単　" : "推奨 ２連複　");
  return Text(mode == 1 ? "推奨 ３連単　" : "推奨 ３連複　");
}

QString JoinText(TicketJoin join) {
  switch (join) {
    case TicketJoin::Dash: return Text("－");
    case TicketJoin::Box: return Text("≡");
    case TicketJoin::None: break;
  }
  return QString();
}

void Fill(QLabel* label, const TicketDigitCell& cell) {
  label->setText(cell.lane != 0 ? QString::number(cell.lane) : QString());
  SetBackground(label, LaneColor(cell.lane));  // grey for an empty cell
  if (cell.lane != 0) SetTextColor(label, LaneFontColor(cell.lane));
}

}  // namespace

TicketSheets::TicketSheets(QWidget* parent) {
  TabSyouShiki_ = new QWidget(parent);
  TabSyouShiki_->setObjectName(QStringLiteral("TabSyouShiki"));
  TabSyouShiki_->setGeometry(433, 261, 196, 213);
  TabSyouShikiTabs_ = new UprightTabBar(TabSyouShiki_);
  TabSyouShikiTabs_->setObjectName(QStringLiteral("TabSyouShikiTabs"));
  TabSyouShikiTabs_->setShape(QTabBar::RoundedWest);
  TabSyouShikiTabs_->setFont(MsGothic(12, true));
  TabSyouShikiTabs_->addTab(Text("単勝"));
  TabSyouShikiTabs_->addTab(Text("複勝"));
  TabSyouShikiTabs_->setGeometry(0, 0, 24, 213);
  TabSyouShikiTabs_->setCurrentIndex(0);

  YosouPanel_ = new UprightTabWidget(TabSyouShiki_);
  YosouPanel_->setObjectName(QStringLiteral("YosouPanel"));
  YosouPanel_->setTabPosition(QTabWidget::East);
  YosouPanel_->setFont(MsGothic(12, true));
  YosouPanel_->setGeometry(24, 0, 172, 213);
  auto* yosou2Sheet = new QWidget();
  yosou2Sheet->setObjectName(QStringLiteral("Yosou2Sheet"));
  auto* yosou3Sheet = new QWidget();
  yosou3Sheet->setObjectName(QStringLiteral("Yosou3Sheet"));
  YosouPanel_->addTab(yosou2Sheet, Text("２連単複"));
  YosouPanel_->addTab(yosou3Sheet, Text("３連単複"));
  YosouPanel_->setCurrentWidget(yosou3Sheet);

  BuildTwoBoatPage(yosou2Sheet);
  BuildThreeBoatPage(yosou3Sheet);
}

void TicketSheets::BuildTwoBoatPage(QWidget* page) {
  LabelRace2Chekt_ = MakeCell(page, "LabelRace2Chekt", QRect(0, 0, 146, 18), Text("推奨 船券番号"),
                              MsGothic(13, true), kAqua, kBlack);
  // Grey like an empty ticket cell, so that rows of a bet type not on sale blend into it.
  QFrame* grey2 = MakePanel(page, "", QRect(0, 20, 146, 180), kGrey);
  LabelMiokuri2_ = MakeLabel(grey2, "LabelMiokuri2", QRect(0, 0, 146, 180), Text("見送り"),
                             MsGothic(22, true), kWhite, Qt::AlignCenter);
  LabelMiokuri2_->hide();
  for (int r = 1; r <= 6; ++r) {
    const int top = 12 + 27 * (r - 1);
    const QFont digitFont = MsGothic(18, true);
    Funa2Ken_[r - 1][0] = MakeCell(grey2, Numbered("Funa2Ken", r, 1), QRect(20, top, 28, 25),
                                   Text("X"), digitFont, kBlue, kWhite);
    Funa2KenY_[r - 1] = MakeLabel(grey2, Numbered("Funa2KenY", r), QRect(60, top, 28, 25),
                                  Text("－"), digitFont, kBlack, Qt::AlignCenter);
    Funa2Ken_[r - 1][1] = MakeCell(grey2, Numbered("Funa2Ken", r, 2), QRect(100, top, 28, 25),
                                   Text("X"), digitFont, kBlue, kWhite);
  }
}

void TicketSheets::BuildThreeBoatPage(QWidget* page) {
  LabelRace3Chekt_ = MakeCell(page, "LabelRace3Chekt", QRect(0, 0, 146, 18), Text("推奨 船券番号"),
                              MsGothic(13, true), kAqua, kBlack);
  QFrame* grey3 = MakePanel(page, "", QRect(0, 20, 146, 180), kGrey);
  LabelMiokuri3_ = MakeLabel(grey3, "LabelMiokuri3", QRect(0, 0, 146, 180), Text("見送り"),
                             MsGothic(22, true), kWhite, Qt::AlignCenter);
  LabelMiokuri3_->hide();
  // Below the six rows, where the page has room: the data mode's chance of each ticket.
  LabelChances3_ = MakeLabel(grey3, "LabelTicketChances3", QRect(0, 138, 146, 40), QString(),
                             MsGothic(10, true), kWhite, Qt::AlignCenter);
  for (int r = 1; r <= 6; ++r) {
    const int top = 7 + 22 * (r - 1);
    const QFont digitFont = MsGothic(15, true);
    const int lefts[] = {15, 65, 115};
    for (int c = 1; c <= 3; ++c) {
      Funa3Ken_[r - 1][c - 1] =
          MakeCell(grey3, Numbered("Funa3Ken", r, c), QRect(lefts[c - 1], top, 22, 18), Text("X"),
                   digitFont, kBlue, kWhite);
    }
    for (int c = 1; c <= 2; ++c) {
      Funa3KenY_[r - 1][c - 1] =
          MakeLabel(grey3, Numbered("Funa3KenY", r, c), QRect(40 + 50 * (c - 1), top, 20, 19),
                    Text("－"), digitFont, kBlack, Qt::AlignCenter);
    }
  }
}

QString TicketSheets::ChanceText(double chance) {
  return QStringLiteral("推定 %1%").arg(100.0 * chance, 0, 'f', 1);
}

std::array<TicketSheets::Sheet, 2> TicketSheets::SheetsOf(const RecommendedTickets& tickets,
                                                          bool ordered, const PerBet<bool>& skipped,
                                                          const DataForecast* data) {
  const RecommendDisplay d = ComputeRecommend(tickets, ordered ? 0 : 1, skipped);
  std::array<Sheet, 2> sheets;
  sheets[0].skipped = d.skipped2;
  sheets[1].skipped = d.skipped3;
  sheets[0].heading = SheetHeading(d.mode2, true);
  sheets[1].heading = SheetHeading(d.mode3, false);
  sheets[1].boats = 3;
  for (std::size_t row = 0; row < 6; ++row) {
    for (std::size_t c = 0; c < 2; ++c) sheets[0].lanes[row][c] = d.two[row][c].lane;
    for (std::size_t c = 0; c < 3; ++c) sheets[1].lanes[row][c] = d.three[row][c].lane;
    sheets[0].separators[row] = JoinText(d.twoJoin[row]);
    sheets[1].separators[row] = JoinText(d.threeJoin[row]);
  }
  // The data mode tells what it thinks of each ticket, and of the six together.
  if (data != nullptr) {
    const std::array<BetType, 2> shown{ordered ? BetType::Exacta : BetType::Quinella,
                                       ordered ? BetType::Trifecta : BetType::Trio};
    const std::array<int, 2> modes{d.mode2, d.mode3};
    for (std::size_t s = 0; s < 2; ++s) {
      const BetType bet = shown[s];
      if (modes[s] == 0 || !tickets.onSale[bet]) continue;
      sheets[s].estimatedReturn = data->estimatedReturn[bet];
      if (sheets[s].skipped) continue;
      for (std::size_t row = 0; row < 6; ++row) {
        if (sheets[s].lanes[row][0] != 0) sheets[s].chances[row] = data->chance[bet][row];
      }
    }
    for (Sheet& sheet : sheets) {
      if (sheet.estimatedReturn < 0) continue;
      sheet.heading = sheet.heading.trimmed() +
                      QStringLiteral(" 推定%1%").arg(100.0 * sheet.estimatedReturn, 0, 'f', 0);
    }
  }
  return sheets;
}

void TicketSheets::Show(const RecommendedTickets& tickets, bool ordered, const PerBet<bool>& skipped,
                        const DataForecast* data) {
  const std::array<Sheet, 2> sheets = SheetsOf(tickets, ordered, skipped, data);
  // Above the empty ticket cells, which lie over the sheet's grey.
  LabelMiokuri2_->setVisible(sheets[0].skipped);
  LabelMiokuri3_->setVisible(sheets[1].skipped);
  LabelMiokuri2_->raise();
  LabelMiokuri3_->raise();
  LabelRace2Chekt_->setText(sheets[0].heading);
  LabelRace3Chekt_->setText(sheets[1].heading);
  const auto fill = [](QLabel* cell, int lane) { Fill(cell, TicketDigitCell{lane}); };
  for (std::size_t row = 0; row < 6; ++row) {
    for (std::size_t c = 0; c < 2; ++c) fill(Funa2Ken_[row][c], sheets[0].lanes[row][c]);
    Funa2KenY_[row]->setText(sheets[0].separators[row]);
    for (std::size_t c = 0; c < 3; ++c) fill(Funa3Ken_[row][c], sheets[1].lanes[row][c]);
    for (QLabel* separator : Funa3KenY_[row]) separator->setText(sheets[1].separators[row]);
    // Each ticket's estimated chance where the data mode gave one, on the row's cells.
    const auto tip = [&](std::size_t s) {
      return sheets[s].chances[row] >= 0 ? ChanceText(sheets[s].chances[row]) : QString();
    };
    for (QLabel* cell : Funa2Ken_[row]) cell->setToolTip(tip(0));
    for (QLabel* cell : Funa3Ken_[row]) cell->setToolTip(tip(1));
  }
  QStringList chances;
  for (double chance : sheets[1].chances) {
    if (chance >= 0) chances << QString::number(100.0 * chance, 'f', 1);
  }
  LabelChances3_->setText(chances.isEmpty() ? QString()
                                            : QStringLiteral("推定確率(上から, %)\n") +
                                                  chances.mid(0, 3).join(QLatin1Char(' ')) +
                                                  QStringLiteral("  ") +
                                                  chances.mid(3).join(QLatin1Char(' ')));
}

void TicketSheets::SetShown(bool shown) {
  TabSyouShiki_->setVisible(shown);
}

}  // namespace wakorin::ui
