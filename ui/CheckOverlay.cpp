#include "ui/CheckOverlay.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <algorithm>

#include "ui/Colors.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/Widgets.h"

namespace wakorin::ui {

CheckOverlay::CheckOverlay(QWidget* grid) {
  const QFont font13 = MsGothic(13, true);
  Panel9_ = MakePanel(grid, "Panel9", QRect(1, 2, 623, 244), kNavy);
  Label4_ = MakeLabel(Panel9_, "Label4", QRect(0, 40, 623, 60), QStringLiteral("レース結果 照合中"),
                      MsGothic(48, true), kAqua, Qt::AlignCenter);
  RaceImage_ =
      MakePicture(Panel9_, "RaceImage", QRect(kBoatStart, 136, 40, 23), SingleBoatPicture(), false);
  MakeLabel(Panel9_, "", QRect(16, 168, 40, 18), QStringLiteral("0%"), font13, kAqua,
            Qt::AlignRight);
  MakeLabel(Panel9_, "", QRect(570, 168, 48, 18), QStringLiteral("100%"), font13, kAqua);
  QFrame* Panel10 = MakePanel(Panel9_, "Panel10", QRect(60, 166, 506, 22), kNavy);
  Panel10->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FileLoadPBar_ = new QProgressBar(Panel10);
  FileLoadPBar_->setObjectName(QStringLiteral("FileLoadPBar"));
  FileLoadPBar_->setGeometry(4, 3, 498, 16);
  FileLoadPBar_->setRange(0, 100);
  FileLoadPBar_->setValue(0);
  FileLoadPBar_->setTextVisible(false);
}

void CheckOverlay::SetShown(bool shown) {
  Panel9_->setVisible(shown);
}

void CheckOverlay::StartBar(int maximum) {
  FileLoadPBar_->setRange(0, std::max(maximum, 1));
  FileLoadPBar_->setValue(0);
}

void CheckOverlay::SetBar(int value) {
  FileLoadPBar_->setValue(value);
}

void CheckOverlay::PlaceBoat(int left) {
  RaceImage_->move(left, RaceImage_->y());
}

void CheckOverlay::FlashCaption() {
  captionRed_ = !captionRed_;
  SetTextColor(Label4_, captionRed_ ? kRed : kAqua);
}

void CheckOverlay::Reset() {
  FileLoadPBar_->setValue(0);
  PlaceBoat(kBoatStart);
}

}  // namespace wakorin::ui
