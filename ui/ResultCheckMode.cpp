// Race-card mode and result-check mode; the caption of N3 is the one record of which is current.
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include "ui/MainForm.h"
#include "ui/Widgets.h"

namespace wakorin {

void TMainForm::EmptyResultGrid() {
  LabelHitReturn->clear();
  LabelHitReturn->setToolTip(QString());
  for (std::size_t r = 0; r < 12; ++r) {
    for (QLabel* cell : {LabelKekka2F[r], LabelKekka2FR[r], LabelKekka2T[r], LabelKekka2TR[r],
                         LabelKekka3F[r], LabelKekka3FR[r], LabelKekka3T[r], LabelKekka3TR[r]}) {
      cell->clear();
      cell->setToolTip(QString());  // a dead heat's note goes with its cell
    }
    for (QLabel* ticket : {LabelKekka2F[r], LabelKekka2T[r], LabelKekka3F[r], LabelKekka3T[r]}) {
      ui::SetBackground(ticket, Qt::black);
    }
  }
}

void TMainForm::N3Click() {
  if (IsRaceCardMode()) {
    EmptyResultGrid();
    SetOuterHeight(kRaceCardHeight);
    HidePrediction();
    Panel2->hide();
    BtnEditData->hide();
    N5->setEnabled(false);
    Panel8->show();
    Panel9->hide();
    N3->setText(QStringLiteral("出走表 確認"));
    return;
  }
  // The grid keeps its contents, unseen, until result-check mode is entered again.
  ShowRaceCardModeView();
  N3->setText(QStringLiteral("全結果 照合"));
}

}  // namespace wakorin
