#include "ui/StartPanels.h"

#include <QFrame>
#include <QLabel>
#include <QPainter>
#include <QStringList>
#include <algorithm>

#include "predict/Prediction.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"
#include "ui/Pictures.h"
#include "ui/Widgets.h"

namespace wakorin::ui {
namespace {

// One heading label in aqua across the top of a start panel.
QLabel* MakeHeading(QWidget* parent, const char* name, int width, const char* text) {
  return MakeCell(parent, name, QRect(0, 0, width, 18), QString::fromUtf8(text), MsGothic(16, true),
                  kAqua, kBlack);
}

}  // namespace

StartPanels::StartPanels(QWidget* parent) {
  const QList<QImage> boats = BoatImageList();
  for (const QImage& boat : boats) boatImages_ << QPixmap::fromImage(boat);
  const QImage water = WaterPicture();

  Panel3_ = MakePanel(parent, "Panel3", QRect(4, 261, 157, 213), QColor());
  MakeHeading(Panel3_, "Label1", 157, "コース進入");
  MakePicture(Panel3_, "Image1", QRect(4, 20, 150, 191), water, true);
  const int entryLefts[] = {96, 96, 88, 28, 16, 16};
  for (int k = 1; k <= 6; ++k) {
    ImageBoart1_[k - 1] =
        MakePicture(Panel3_, Numbered("ImageBoart1", k), QRect(entryLefts[k - 1], 30 * k, 40, 23),
                    boats[k - 1], false);
  }
  // The water left of courses 1 to 3 stays free whatever the entry: room for a note. Its height
  // follows its text.
  LabelSuitei_ = MakeCell(Panel3_, "LabelSuitei", QRect(6, 23, 80, 0), QString(),
                          MsGothic(11, true), kNavy, kWhite, Qt::AlignLeft | Qt::AlignTop);
  LabelSuitei_->setWordWrap(true);
  LabelSuitei_->setMargin(2);
  LabelSuitei_->hide();

  Panel4_ = MakePanel(parent, "Panel4", QRect(161, 261, 157, 213), QColor());
  MakeHeading(Panel4_, "Label2", 157, "スリット進入");
  MakePicture(Panel4_, "Image2", QRect(4, 20, 150, 191), water, true);
  MakeBevel(Panel4_, "Bevel2", QRect(140, 20, 9, 191));
  for (int k = 1; k <= 6; ++k) {
    ImageBoart2_[k - 1] = MakePicture(Panel4_, Numbered("ImageBoart2", k),
                                      QRect(100, 30 * k, 40, 23), boats[k - 1], false);
  }

  Panel5_ = MakePanel(parent, "Panel5", QRect(318, 261, 115, 213), QColor());
  MakeHeading(Panel5_, "Label3", 115, "第１ターン後");
  MakePicture(Panel5_, "Image3", QRect(4, 20, 107, 191), water, true);
  MakeBevel(Panel5_, "Bevel1", QRect(4, 190, 107, 3));
  MakePicture(Panel5_, "Image4", QRect(79, 170, 30, 30), BuoyPicture(), false);
  for (int k = 1; k <= 6; ++k) {
    const int top = 20 + 20 * k;
    ImageBoart3_[k - 1] = MakePicture(Panel5_, Numbered("ImageBoart3", k), QRect(10, top, 40, 23),
                                      boats[k + 5], false);
    LabelBoart3_[k - 1] =
        MakeLabel(Panel5_, Numbered("LabelBoart3", k), QRect(0, top, 40, 12), QString(),
                  MsGothic(10, true), kWhite, Qt::AlignLeft | Qt::AlignTop);
  }
}

StartPlacements PlaceBoats(const TPrediction& p) {
  StartPlacements placed;
  for (int k = 1; k <= 6; ++k) {
    const auto row = static_cast<std::size_t>(k - 1);
    const int step = p.SlitStep[k];
    const int turnLeft = 20 * step + 10;
    placed.entry[row] = {p.Entry[k] - 1, 0};
    placed.slit[row] = {p.Entry[k] - 1, 100 - 20 * step};
    placed.turn[row] = {p.Entry[k] + 5, turnLeft};
  }
  return placed;
}

QRect PlaceTurnWord(int boatLeft, int boatTop, int wordWidth, int wordHeight) {
  // The water of the first-turn panel, and the room between a word and its boat.
  constexpr int kWaterLeft = 4, kWaterRight = 111, kGap = 1;
  int left = boatLeft - kGap - wordWidth;  // before the boat, as the word reads into it
  if (left < kWaterLeft) left = boatLeft + kBoatPictureWidth + kGap;
  left = std::max(kWaterLeft, std::min(left, kWaterRight - wordWidth));
  // Rows are 20 pixels apart and a boat 23 high: a word centred on its boat stays clear of the
  // boats of the rows above and below.
  const int top = boatTop + (kBoatPictureHeight - wordHeight + 1) / 2;
  return QRect(left, top, wordWidth, wordHeight);
}

QString SlitHintText(int step) {
  const int tenths = step < 0 ? -step : step;
  return QStringLiteral("%1%2.%3").arg(step < 0 ? QStringLiteral("-") : QString()).arg(tenths / 10).arg(tenths % 10) +
         QLatin1Char('0');
}

QString TurnMoveText(TurnMove move) {
  switch (move) {
    case TurnMove::Escape: return QStringLiteral("逃げ");
    case TurnMove::Roll: return QStringLiteral("まくり");
    case TurnMove::Cut: return QStringLiteral("差し");
    case TurnMove::None: break;
  }
  return QString();
}

void StartPanels::Show(const TPrediction& p, const std::vector<int>& missingLanes) {
  auto place = [this](QLabel* picture, const BoatPlacement& boat, bool move) {
    picture->setPixmap(boatImages_.value(boat.image));
    if (move) picture->move(boat.left, picture->y());
  };
  const StartPlacements placed = PlaceBoats(p);
  for (std::size_t row = 0; row < 6; ++row) {
    place(ImageBoart1_[row], placed.entry[row], false);  // course entry keeps its design places
    place(ImageBoart2_[row], placed.slit[row], true);
    ImageBoart2_[row]->setToolTip(SlitHintText(p.SlitStep[row + 1]));
    place(ImageBoart3_[row], placed.turn[row], true);
    QLabel* word = LabelBoart3_[row];
    word->setText(TurnMoveText(p.Turn[row + 1]));
    word->setGeometry(PlaceTurnWord(placed.turn[row].left, ImageBoart3_[row]->y(),
                                    word->fontMetrics().horizontalAdvance(word->text()) + 1,
                                    word->height()));
    word->raise();
  }
  ShowMissingRacers(missingLanes);
}

void StartPanels::ShowMissingRacers(const std::vector<int>& lanes) {
  if (lanes.empty()) {
    LabelSuitei_->hide();
    return;
  }
  QStringList numbers;
  for (int lane : lanes) numbers << QString::number(lane);
  LabelSuitei_->setText(QStringLiteral("%1号艇の選手はFAN手帳にないため推定値で予想しました")
                            .arg(numbers.join(QStringLiteral("・"))));
  LabelSuitei_->resize(LabelSuitei_->width(), LabelSuitei_->heightForWidth(LabelSuitei_->width()));
  LabelSuitei_->show();
  LabelSuitei_->raise();
}

void StartPanels::ShowStatsFile(const QString& path) {
  const QString tip = QStringLiteral("予想に使ったFAN手帳: %1").arg(path);
  for (QFrame* panel : {Panel3_, Panel4_, Panel5_}) panel->setToolTip(tip);
}

void StartPanels::SetShown(bool shown) {
  for (QFrame* panel : {Panel3_, Panel4_, Panel5_}) panel->setVisible(shown);
}

QImage StartPanels::Picture(qreal scale) const {
  const QRect all = Panel3_->geometry() | Panel4_->geometry() | Panel5_->geometry();
  QImage image((QSizeF(all.size()) * scale).toSize(), QImage::Format_RGB32);
  image.setDevicePixelRatio(scale);
  image.fill(Qt::white);
  QPainter painter(&image);
  for (QFrame* panel : {Panel3_, Panel4_, Panel5_}) {
    painter.drawImage(panel->geometry().topLeft() - all.topLeft(), WidgetPicture(panel, scale));
  }
  return image;
}

}  // namespace wakorin::ui
