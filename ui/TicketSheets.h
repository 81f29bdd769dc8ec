#pragma once

#include <QString>
#include <array>
#include <string_view>

#include "predict/DataForecast.h"
#include "predict/RecommendedTickets.h"

class QLabel;
class QTabBar;
class QTabWidget;
class QWidget;

namespace wakorin {

struct TPrediction;

namespace ui {

// The recommended tickets (TabSyouShiki): the tabs of ordered and unordered bet types, and the
// pages of two-boat and three-boat tickets (YosouPanel), each ticket a row of lane digits.
class TicketSheets {
 public:
  // One page as it shows: its heading and each row's lanes (0 = empty cell) and separator.
  struct Sheet {
    QString heading;
    int boats = 2;
    std::array<std::array<int, 3>, 6> lanes{};
    std::array<QString, 6> separators;
    bool skipped = false;  // the data mode bets nothing on it: 見送り
    // In the data mode: each row's estimated chance and the sheet's estimated return (1.0 = the
    // stake back); negative where there is none.
    std::array<double, 6> chances{-1, -1, -1, -1, -1, -1};
    double estimatedReturn = -1;
  };

  explicit TicketSheets(QWidget* parent);

  // A forecast's tickets of the bet types on sale, ordered or unordered as the tab says; a bet
  // type the data mode skipped shows 見送り instead.
  void Show(const RecommendedTickets& tickets, bool ordered, const PerBet<bool>& skipped = {},
            const DataForecast* data = nullptr);
  void SetShown(bool shown);
  // The two-boat and the three-boat page of a forecast's tickets, as the window shows them and the
  // printed page lists them.
  static std::array<Sheet, 2> SheetsOf(const RecommendedTickets& tickets, bool ordered,
                                       const PerBet<bool>& skipped,
                                       const DataForecast* data = nullptr);
  // "推定 12.3%": a row's chance as the sheet and the printed page word it.
  static QString ChanceText(double chance);

  // The tabs of ordered and unordered bet types (0 ordered), and the two pages (1 three boats).
  QTabBar* TypeTabs() const { return TabSyouShikiTabs_; }
  QTabWidget* BoatPages() const { return YosouPanel_; }

 private:
  void BuildTwoBoatPage(QWidget* page);
  void BuildThreeBoatPage(QWidget* page);

  QWidget* TabSyouShiki_;
  QTabBar* TabSyouShikiTabs_;
  QTabWidget* YosouPanel_;
  QLabel *LabelRace2Chekt_, *LabelRace3Chekt_;
  QLabel *LabelMiokuri2_, *LabelMiokuri3_;  // 見送り over a sheet's empty rows
  QLabel* LabelChances3_;  // the three-boat tickets' chances, in the data mode
  std::array<std::array<QLabel*, 2>, 6> Funa2Ken_{};
  std::array<QLabel*, 6> Funa2KenY_{};
  std::array<std::array<QLabel*, 3>, 6> Funa3Ken_{};
  std::array<std::array<QLabel*, 2>, 6> Funa3KenY_{};
};

}  // namespace ui
}  // namespace wakorin
