#pragma once

#include <QList>
#include <QMainWindow>
#include <QPixmap>
#include <array>
#include <string>
#include <vector>

#include "base/Error.h"
#include "predict/Prediction.h"
#include "program/RaceCard.h"
#include "results/ReturnSummary.h"

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QProgressBar;
class QPushButton;
class QTabBar;
class QTabWidget;

namespace wakorin {

class Desktop;
class TTitleForm;

template <typename T, std::size_t N>
using Row = std::array<T*, N>;

// The main window. Its controls carry the names the rest of the program and the tests use
// (their Qt objectName); the handlers are spread over the subsystem folders that own them.
class TMainForm : public QMainWindow {
  Q_OBJECT

 public:
  // Outer heights, caption bar and menu included, as the window was designed.
  static constexpr int kRaceCardHeight = 348;
  static constexpr int kFullHeight = 522;
  static constexpr int kClientWidth = 633;
  static constexpr int kFrameAllowance = 45;  // caption bar 26 + menu bar 19 of the design

  explicit TMainForm(Desktop& desktop, QWidget* parent = nullptr);
  ~TMainForm() override;

  // --- Life cycle and menu commands (app/) ---
  // The start-up sequence: title, wait, file choice, then the window or the end. Returns whether
  // the application goes on to its event loop.
  bool FormCreate(TTitleForm* titleForm);
  void FormClose();
  void Exit1Click();
  void N2Click();
  void AboutVerClick();
  void HelpClick();
  void J1Click();
  void DtUpdateClick();
  void N7Click();
  void HelpHPClick();
  // Prints what the window shows, laid out for an A4 page.
  void Print2Click();
  // 0 = keep running, -1 = the user asked to quit; long loops test it after processing events.
  int QuitRequested = 0;

  // --- Race program (program/) ---
  bool MainView();
  // What became of a request for the card: a venue that is not found leaves the card as it
  // was and lets the command go on; a reported I/O error ends the command.
  enum class CardRead { Shown, NotFound, Failed };
  CardRead RaceView();
  void SelectCChange();
  void SelectRChange();
  void BBtnBoratClick();

  // --- Prediction (predict/) ---
  void BtnEditDataClick();
  void N5Click();
  // The whole prediction run; false when it ended early with a message.
  bool PredictShownRace();
  void ShowRecommend();
  void TabSyouShikiChange();
  const TPrediction& Prediction() const { return prediction_; }
  // The tickets on sale as LabelRChkt shows them, in the file's bytes.
  std::string TicketsOnSale() const;
  int Ken2Count = 0;  // recommended two-boat and three-boat tickets, set by every run
  int Ken3Count = 0;

  // --- Result check (results/) ---
  void N3Click();
  void BBtnKekkaClick();
  // Hits and return of the last check, as its footer shows them.
  const CheckTally& LastCheckTally() const { return lastTally_; }

  // --- Window state ---
  void SetOuterHeight(int outerHeight);
  int OuterHeight() const { return outerHeight_; }
  bool IsRaceCardMode() const;
  const std::string& ProgramFilePath() const { return programFilePath_; }
  const TRaceCard& RaceCard() const { return raceCard_; }
  // The raw CP932 text of the selected venue entry.
  std::string SelectedVenueEntry() const;

  Desktop& desktop() { return desktop_; }

 signals:
  // The application is asked to end; its event loop is told to exit as well.
  void TerminateRequested();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void Terminate();
  void ConnectMenuCommands();
  void BuildLayout();
  void BuildMenu();
  void ConnectHandlers();
  void ShowRaceCard(const TRaceCard& card);
  void ShowRaceCardModeView();
  void HidePrediction();
  void FillRaceList(int raceCount);
  void ShowError(const Error& error);
  void DrawStartPanels(const TPrediction& prediction);
  // Names the lanes whose racer is not in the statistics file, or hides the note when none is.
  void ShowMissingRacers(const std::vector<int>& lanes);
  void ShowPredictionForMode();
  void EmptyResultGrid();
  void LockForCheck(bool locked);
  void ShowHitReturn(const std::array<RecommendedTickets, 12>& tickets, const VenueResult& result);
  friend class CheckProgress;

  Desktop& desktop_;
  int outerHeight_ = kFullHeight;
  std::string programFilePath_;
  TRaceCard raceCard_;
  TPrediction prediction_;
  QList<QPixmap> boatImages_;
  CheckTally lastTally_;

 public:
  // Controls, named as in the window's design.
  QWidget* Client = nullptr;
  QMenuBar* MainMenu = nullptr;
  QAction *N1 = nullptr, *N2 = nullptr, *N5 = nullptr, *N3 = nullptr, *Exit1 = nullptr;
  QAction *N4 = nullptr, *DtUpdate = nullptr, *N7 = nullptr;
  QAction *Print1 = nullptr, *Print2 = nullptr;
  QAction *Help1 = nullptr, *HelpHP = nullptr, *J1 = nullptr, *Help = nullptr, *AboutVer = nullptr;

  QFrame* Panel1 = nullptr;
  QLabel* LabelCorse = nullptr;
  QComboBox* SelectC = nullptr;
  QLabel *LabelCount = nullptr, *LabelDDate = nullptr, *LabelDName = nullptr;

  QFrame* Panel2 = nullptr;
  QComboBox* SelectR = nullptr;
  QLabel *LabelRName = nullptr, *LabelRLeng = nullptr, *LabelRChkt = nullptr, *LabelRTime = nullptr;
  QLabel* LabelRKotei = nullptr;  // "進入固定", shown for a race whose course entry is fixed
  Row<QPushButton, 6> BBtnBorat{};
  Row<QLabel, 6> LabelBorat{}, LabelOld{}, LabelSyusin{}, LabelWght{}, LabelClas{}, LabelGWin{},
      LabelGWSd{}, LabelRWin{}, LabelRWSd{}, LabelBtNo{}, LabelBtWn{}, LabelMtNo{}, LabelMtWn{};
  QFrame* Panel12 = nullptr;
  std::array<Row<QLabel, 6>, 6> LabelKekka{};  // [slot - 1][lane - 1]
  QPushButton* BtnEditData = nullptr;

  QFrame *Panel3 = nullptr, *Panel4 = nullptr, *Panel5 = nullptr;
  QLabel *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
  QLabel *Image1 = nullptr, *Image2 = nullptr, *Image3 = nullptr, *Image4 = nullptr;
  QFrame *Bevel1 = nullptr, *Bevel2 = nullptr;
  Row<QLabel, 6> ImageBoart1{}, ImageBoart2{}, ImageBoart3{}, LabelBoart3{};
  QLabel* LabelSuitei = nullptr;  // which lanes were predicted from estimated figures

  QWidget* TabSyouShiki = nullptr;
  QTabBar* TabSyouShikiTabs = nullptr;
  QTabWidget* YosouPanel = nullptr;
  QWidget *Yosou2Sheet = nullptr, *Yosou3Sheet = nullptr;
  QLabel *LabelRace2Chekt = nullptr, *LabelRace3Chekt = nullptr;
  std::array<Row<QLabel, 2>, 6> Funa2Ken{};
  Row<QLabel, 6> Funa2KenY{};
  std::array<Row<QLabel, 3>, 6> Funa3Ken{};
  std::array<Row<QLabel, 2>, 6> Funa3KenY{};

  QFrame* Panel8 = nullptr;
  Row<QLabel, 12> LabelKekkaR{}, LabelKekka2F{}, LabelKekka2FR{}, LabelKekka2T{}, LabelKekka2TR{},
      LabelKekka3F{}, LabelKekka3FR{}, LabelKekka3T{}, LabelKekka3TR{};
  QPushButton* BBtnKekka = nullptr;
  QLabel* LabelHitReturn = nullptr;  // hits and return of the last check
  QFrame* Panel9 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* RaceImage = nullptr;
  QFrame* Panel10 = nullptr;
  QProgressBar* FileLoadPBar = nullptr;
};

}  // namespace wakorin
