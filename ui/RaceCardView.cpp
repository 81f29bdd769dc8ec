// Copies a race card into its controls.
#include <QLabel>

#include "ui/Cp932Text.h"
#include "ui/MainForm.h"

namespace wakorin {

void TMainForm::ShowRaceCard(const TRaceCard& card) {
  auto show = [](QLabel* label, const std::string& bytes) { label->setText(FromCp932(bytes)); };
  show(LabelCount, card.Count);
  show(LabelDDate, card.DDate);
  show(LabelDName, card.DName);
  show(LabelRName, card.RName);
  show(LabelRLeng, card.RLeng);
  show(LabelRTime, card.RTime);
  show(LabelRChkt, card.RChkt);
  LabelRKotei->setVisible(card.FixedEntry);
  for (std::size_t i = 0; i < 6; ++i) {
    const TRacerEntry& racer = card.Racers[i];
    show(LabelBorat[i], racer.Name);
    LabelBorat[i]->setToolTip(FromCp932(racer.RacerNo));
    show(LabelOld[i], racer.Old);
    show(LabelSyusin[i], racer.Syusin);
    show(LabelWght[i], racer.Wght);
    show(LabelClas[i], racer.Clas);
    show(LabelGWin[i], racer.GWin);
    show(LabelGWSd[i], racer.GWSd);
    show(LabelRWin[i], racer.RWin);
    show(LabelRWSd[i], racer.RWSd);
    show(LabelMtNo[i], racer.MtNo);
    show(LabelMtWn[i], racer.MtWn);
    show(LabelBtNo[i], racer.BtNo);
    show(LabelBtWn[i], racer.BtWn);
    for (std::size_t slot = 0; slot < 6; ++slot) show(LabelKekka[slot][i], racer.Kekka[slot]);
  }
}

}  // namespace wakorin
