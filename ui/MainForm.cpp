#include "ui/MainForm.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QtConcurrent/QtConcurrentRun>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTabBar>

#include "base/DayDate.h"
#include "predict/DefaultModel.h"
#include "ui/Cp932Text.h"
#include "ui/ErrorText.h"
#include "ui/Desktop.h"
#include "ui/Fonts.h"

namespace wakorin {

TMainForm::TMainForm(Desktop& desktop, QWidget* parent)
    : QMainWindow(parent),
      desktop_(desktop),
      client_(MakeClient(*this)),
      header_(client_),
      cardPanel_(client_),
      startPanels_(client_),
      ticketSheets_(client_),
      chancePanel_(client_),
      resultGrid_(client_),
      checkOverlay_(resultGrid_.Panel()),
      menu_(ui::BuildMainMenu(*this)) {
  ConnectHandlers();
  SetOuterHeight(kFullHeight);
}

TMainForm::~TMainForm() = default;

// The window's own settings come first, so that every region built into the client area
// inherits them.
QWidget* TMainForm::MakeClient(QMainWindow& window) {
  window.setObjectName(QStringLiteral("MainForm"));
  // A fixed single border: system menu and minimise, no maximise, no resizing.
  window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                        Qt::WindowCloseButtonHint);
  window.setWindowTitle(QStringLiteral("Wakorin Ver2.11 2006年度前期ﾃﾞｰﾀ版"));
  window.setFont(ui::MsGothic(13, true));
  auto* client = new QWidget(&window);
  client->setObjectName(QStringLiteral("Client"));
  window.setCentralWidget(client);
  return client;
}

void TMainForm::ConnectHandlers() {
  // `activated` fires only on the user's choice, never on a selection made by code.
  connect(header_.VenueList(), &QComboBox::activated, this, [this](int index) { ShowChosenVenue(index); });
  connect(cardPanel_.RaceList(), &QComboBox::activated, this, [this](int index) { ShowChosenRace(index); });
  connect(cardPanel_.PredictButton(), &QPushButton::clicked, this, [this] { PredictShownRace(); });
  connect(menu_.N5, &QAction::triggered, this, [this] { PredictShownRace(); });
  connect(ticketSheets_.TypeTabs(), &QTabBar::currentChanged, this, [this](int tab) {
    orderedShown_ = tab == 0;
    ShowRecommend();
  });
  connect(ticketSheets_.BoatPages(), &QTabWidget::currentChanged, this,
          [this](int page) { threeBoatShown_ = page == 1; });
  connect(menu_.N3, &QAction::triggered, this, [this] { ToggleResultCheckMode(); });
  connect(resultGrid_.CheckButton(), &QPushButton::clicked, this, [this] { RunResultCheck(); });
  connect(menu_.ModeStandard, &QAction::triggered, this, [this] {
    if (SetPredictionMode(PredictionMode::Standard)) emit PredictionModeChosen(PredictionMode::Standard);
  });
  connect(menu_.ModeData, &QAction::triggered, this, [this] {
    if (SetPredictionMode(PredictionMode::Data)) emit PredictionModeChosen(PredictionMode::Data);
  });
  connect(menu_.DtLearn, &QAction::triggered, this, [this] { emit LearnRequested(); });
  for (QPushButton* button : cardPanel_.LaneButtons()) {
    connect(button, &QPushButton::clicked, this, [this] { cardPanel_.ToggleMeetingResults(); });
  }
  connect(menu_.Print2, &QAction::triggered, this, [this] { PrintShownPage(); });
  connect(menu_.RaceResult, &QAction::triggered, this, [this] { ShowRaceResult(race_); });
  connect(menu_.DayRaces, &QAction::triggered, this, [this] { ShowDayRaces(); });
  const std::pair<QKeySequence, std::function<void()>> keys[] = {
      {QKeySequence(Qt::Key_Right), [this] { StepRace(1); }},
      {QKeySequence(Qt::Key_Left), [this] { StepRace(-1); }},
      {QKeySequence(Qt::Key_PageDown), [this] { StepVenue(1); }},
      {QKeySequence(Qt::Key_PageUp), [this] { StepVenue(-1); }}};
  for (const auto& [key, step] : keys) {
    auto* shortcut = new QShortcut(key, this);
    connect(shortcut, &QShortcut::activated, this, step);
  }
  resultGrid_.OnRaceOpened([this](int race) { ShowRaceResult(race); });
}

void TMainForm::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
}

void TMainForm::FormClose() {
  quitRequested_ = true;
  if (!IsBusy()) Terminate();
}

TMainForm::BusyScope::BusyScope(TMainForm& form) : form_(form) {
  if (form_.busy_++ == 0) form_.ShowBusy();
}

TMainForm::BusyScope::~BusyScope() {
  form_.LeaveBusy();
}

void TMainForm::LeaveBusy() {
  if (--busy_ > 0) return;
  ShowBusy();
  if (quitRequested_) Terminate();
}

void TMainForm::ShowBusy() {
  const bool idle = !IsBusy();
  for (QAction* action : {menu_.N1, menu_.N2, menu_.N3, menu_.DtDownload, menu_.YosouMode,
                          menu_.ModeStandard, menu_.ModeData, menu_.DtLearn, menu_.Print1,
                          menu_.Print2, menu_.RaceResult, menu_.DayRaces}) {
    action->setEnabled(idle);
  }
  menu_.N5->setEnabled(idle && IsRaceCardMode());
  for (QWidget* control : {static_cast<QWidget*>(header_.VenueList()),
                           static_cast<QWidget*>(cardPanel_.RaceList()),
                           static_cast<QWidget*>(cardPanel_.PredictButton()),
                           static_cast<QWidget*>(resultGrid_.CheckButton())}) {
    control->setEnabled(idle);
  }
}

void TMainForm::Terminate() {
  emit TerminateRequested();
}

void TMainForm::SetOuterHeight(int outerHeight) {
  outerHeight_ = outerHeight;
  // The design's heights include its caption and menu bars; the client area is what remains.
  const int clientHeight = outerHeight - kFrameAllowance;
  client_->setFixedSize(kClientWidth, clientHeight);
  setFixedSize(kClientWidth, clientHeight + menuBar()->sizeHint().height());
}

void TMainForm::ShowRegions() {
  const bool raceCard = mode_ == Mode::RaceCard;
  // In result-check mode the predictions of a check run out of sight.
  const bool prediction = raceCard && predictionShown_;
  const bool data = predictionMode_ == PredictionMode::Data;
  SetOuterHeight(prediction ? kFullHeight : kRaceCardHeight);
  startPanels_.SetShown(prediction && !data);
  chancePanel_.SetShown(prediction && data);
  ticketSheets_.SetShown(prediction);
  cardPanel_.SetShown(raceCard, raceCard && !prediction);
  resultGrid_.SetShown(!raceCard);
  checkOverlay_.SetShown(checkRunning_);
  ShowBusy();
}

void TMainForm::EnterRaceCardMode() {
  if (IsBusy()) return;
  mode_ = Mode::RaceCard;
  predictionShown_ = false;
  menu_.N3->setText(QStringLiteral("全結果 照合"));
  ShowRegions();
}

bool TMainForm::SetPredictionMode(PredictionMode mode) {
  if (IsBusy()) {
    // The menu's group may have moved its check already: it shows the mode kept.
    menu_.ModeStandard->setChecked(predictionMode_ == PredictionMode::Standard);
    menu_.ModeData->setChecked(predictionMode_ == PredictionMode::Data);
    return false;
  }
  predictionMode_ = mode;
  menu_.ModeStandard->setChecked(mode == PredictionMode::Standard);
  menu_.ModeData->setChecked(mode == PredictionMode::Data);
  RefreshAfterModelChange();
  return true;
}

bool TMainForm::UseDataModel(std::shared_ptr<const DataModel> model) {
  if (IsBusy()) return false;
  learnedModel_ = std::move(model);
  if (predictionMode_ == PredictionMode::Data) RefreshAfterModelChange();
  return true;
}

void TMainForm::RefreshAfterModelChange() {
  // What the other mode or model chose no longer stands: the prediction on the card is made
  // again, and a check's grid, which would take a while to redo, is emptied until 結果表示.
  ClearCheck();
  const bool predicted = predictionShown_ && mode_ == Mode::RaceCard;
  predictionShown_ = false;
  forecast_ = {};
  dataForecast_.reset();
  if (predicted && day_) PredictShownRace();
  ShowRegions();
}

const DataModel& TMainForm::CurrentDataModel() const {
  return learnedModel_ ? *learnedModel_ : DefaultModel();
}

std::shared_ptr<const DataModel> TMainForm::SharedDataModel() const {
  return learnedModel_ ? learnedModel_ : SharedDefaultModel();
}

Predictor TMainForm::CurrentPredictor() const {
  Predictor predictor;
  if (predictionMode_ == PredictionMode::Data) {
    predictor.model = SharedDataModel();
    predictor.forms = forms_;
  }
  return predictor;
}

void TMainForm::StartFormRead() {
  forms_.reset();
  formRefused_.clear();
  formRead_ = {};
  if (!day_ || !day_->Day()) return;
  const std::string folder =
      QFileInfo(QString::fromLocal8Bit(day_->Path().c_str())).absolutePath().toLocal8Bit().toStdString();
  const int day = *day_->Day();
  formRead_ = QtConcurrent::run([folder, day] {
    FormRead read;
    read.book = std::make_shared<const FormBook>(ReadFormsBefore(folder, day, 120, &read.refused));
    return read;
  });
}

void TMainForm::EnsureForms() {
  if (forms_ || !day_ || !day_->Day()) return;
  if (!formRead_.isValid()) StartFormRead();
  if (!formRead_.isFinished()) {
    // The window keeps painting while the last of the form is read; nothing may change the day
    // meanwhile.
    const BusyScope busy(*this);
    QFutureWatcher<FormRead> watcher;
    QEventLoop loop;
    connect(&watcher, &QFutureWatcher<FormRead>::finished, &loop, &QEventLoop::quit);
    watcher.setFuture(formRead_);
    if (!formRead_.isFinished()) loop.exec();
  }
  FormRead read = formRead_.result();
  forms_ = std::move(read.book);
  for (const RefusedFile& file : read.refused) {
    const std::optional<int> date = DayOfFileName(file.path, 'K');
    formRefused_ << RefusedFileText(file, date.value_or(0));
  }
}

void TMainForm::ShowError(const Error& error) {
  desktop_.ShowMessage(this, ErrorText(error));
}

}  // namespace wakorin
