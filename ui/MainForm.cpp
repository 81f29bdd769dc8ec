#include "ui/MainForm.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>

#include "ui/Desktop.h"
#include "ui/Cp932Text.h"
#include "ui/Fonts.h"

namespace wakorin {

TMainForm::TMainForm(Desktop& desktop, QWidget* parent) : QMainWindow(parent), desktop_(desktop) {
  setObjectName(QStringLiteral("MainForm"));
  // A fixed single border: system menu and minimise, no maximise, no resizing.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(ui::MsGothic(13, true));
  BuildLayout();
  BuildMenu();
  ConnectHandlers();
  ConnectMenuCommands();
  SetOuterHeight(kFullHeight);
}

TMainForm::~TMainForm() = default;

void TMainForm::ConnectHandlers() {
  // `activated` fires only on the user's choice, never on a selection made by code.
  connect(SelectC, &QComboBox::activated, this, [this] { SelectCChange(); });
  connect(SelectR, &QComboBox::activated, this, [this] { SelectRChange(); });
  connect(BtnEditData, &QPushButton::clicked, this, [this] { BtnEditDataClick(); });
  connect(N5, &QAction::triggered, this, [this] { N5Click(); });
  connect(TabSyouShikiTabs, &QTabBar::currentChanged, this, [this] { TabSyouShikiChange(); });
  connect(N3, &QAction::triggered, this, [this] { N3Click(); });
  connect(BBtnKekka, &QPushButton::clicked, this, [this] { BBtnKekkaClick(); });
  for (QPushButton* button : BBtnBorat) {
    connect(button, &QPushButton::clicked, this, [this] { BBtnBoratClick(); });
  }
}

void TMainForm::SetOuterHeight(int outerHeight) {
  outerHeight_ = outerHeight;
  // The design's heights include its caption and menu bars; the client area is what remains.
  const int clientHeight = outerHeight - kFrameAllowance;
  Client->setFixedSize(kClientWidth, clientHeight);
  setFixedSize(kClientWidth, clientHeight + MainMenu->sizeHint().height());
}

bool TMainForm::IsRaceCardMode() const {
  return N3->text() == QStringLiteral("全結果 照合");
}

std::string TMainForm::SelectedVenueEntry() const {
  const QByteArray raw = SelectC->currentData().toByteArray();
  return std::string(raw.constData(), static_cast<std::size_t>(raw.size()));
}

void TMainForm::HidePrediction() {
  Panel3->hide();
  Panel4->hide();
  Panel5->hide();
  TabSyouShiki->hide();
}

void TMainForm::ShowRaceCardModeView() {
  SetOuterHeight(kRaceCardHeight);
  HidePrediction();
  Panel2->show();
  BtnEditData->show();
  N5->setEnabled(true);
  Panel8->hide();
  Panel9->hide();
}

void TMainForm::ShowError(const Error& error) {
  desktop_.ShowMessage(this, ErrorText(error));
}

}  // namespace wakorin
