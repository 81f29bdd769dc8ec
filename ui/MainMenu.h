#pragma once

class QAction;
class QMainWindow;

namespace wakorin::ui {

// The window's menu bar (MainMenu); each item is a QAction named as the design names it.
struct MainMenu {
  QAction *N1 = nullptr, *N2 = nullptr, *N5 = nullptr, *N3 = nullptr, *Exit1 = nullptr;
  QAction* RaceResult = nullptr;  // the race's whole result, once the result file is at hand
  QAction* DayRaces = nullptr;    // every race of the day by its betting deadline
  QAction* SeasonSummary = nullptr;  // a folder's days checked and charted
  QAction *DtUpdate = nullptr, *DtDownload = nullptr, *DtFolder = nullptr, *N7 = nullptr;
  QAction *YosouMode = nullptr, *ModeStandard = nullptr, *ModeData = nullptr, *DtLearn = nullptr;
  QAction *BetLog = nullptr, *BetRecord = nullptr, *BetBalance = nullptr;
  QAction *Print1 = nullptr, *Print2 = nullptr;
  QAction *HelpHP = nullptr, *J1 = nullptr, *Help = nullptr, *AboutVer = nullptr;
};

MainMenu BuildMainMenu(QMainWindow& window);

}  // namespace wakorin::ui
