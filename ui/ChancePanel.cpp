#include "ui/ChancePanel.h"

#include <QFrame>
#include <QLabel>

#include "predict/DataForecast.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"
#include "ui/LaneColors.h"
#include "ui/Widgets.h"

namespace wakorin::ui {
namespace {

constexpr int kLeft = 4, kTop = 261, kWidth = 429, kHeight = 213;
constexpr int kRowTop = 46, kRowHeight = 26, kLaneWidth = 34;
constexpr int kColumnLeft = 48, kColumnWidth = 124, kBarHeight = 8;

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

ChancePanel::ChancePanel(QWidget* parent) {
  PanelChance_ = MakePanel(parent, "PanelChance", QRect(kLeft, kTop, kWidth, kHeight), kGrey);
  MakeLabel(PanelChance_, "LabelChanceTitle", QRect(8, 2, kWidth - 16, 20),
            Text("データ予想　各艇の推定確率"), MsGothic(13, true), kWhite);
  const char* headings[] = {"1着", "2着以内", "3着以内"};
  for (int c = 0; c < 3; ++c) {
    MakeLabel(PanelChance_, "", QRect(kColumnLeft + c * kColumnWidth, 24, kColumnWidth - 8, 18),
              Text(headings[c]), MsGothic(12, true), kWhite, Qt::AlignCenter);
  }
  for (int lane = 1; lane <= 6; ++lane) {
    const int top = kRowTop + (lane - 1) * kRowHeight;
    QLabel* boat = MakeCell(PanelChance_, Numbered("LabelChanceBoat", lane),
                            QRect(8, top, kLaneWidth, kRowHeight - 4), QString::number(lane),
                            MsGothic(15, true), LaneColor(lane), LaneFontColor(lane));
    boat->setAlignment(Qt::AlignCenter);
    for (int c = 0; c < 3; ++c) {
      const int left = kColumnLeft + c * kColumnWidth;
      // A bar in the lane's colour under the figure, as long as the chance.
      bars_[lane - 1][c] = MakePanel(PanelChance_, "", QRect(left, top + kRowHeight - 4 - kBarHeight, 0, kBarHeight),
                                     LaneColor(lane));
      cells_[lane - 1][c] = MakeLabel(PanelChance_, Numbered("LabelChance", lane, c + 1),
                                      QRect(left, top, kColumnWidth - 8, kRowHeight - 4 - kBarHeight),
                                      QString(), MsGothic(12, true), kWhite, Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  PanelChance_->hide();
}

void ChancePanel::ShowFormNotes(const QStringList& refused) {
  PanelChance_->setToolTip(refused.isEmpty()
                               ? QString()
                               : QStringLiteral("選手の近況に使わなかったファイル:\n") +
                                     refused.join(QLatin1Char('\n')));
}

void ChancePanel::Show(const DataForecast& forecast) {
  const std::array<const std::array<double, 6>*, 3> columns{&forecast.win, &forecast.top2,
                                                            &forecast.top3};
  for (std::size_t lane = 0; lane < 6; ++lane) {
    for (std::size_t c = 0; c < 3; ++c) {
      const double chance = std::clamp((*columns[c])[lane], 0.0, 1.0);
      texts_[lane][c] = QString::number(100.0 * chance, 'f', 1) + QLatin1Char('%');
      cells_[lane][c]->setText(texts_[lane][c]);
      QFrame* bar = bars_[lane][c];
      bar->setFixedWidth(static_cast<int>((kColumnWidth - 8) * chance));
    }
  }
}

QImage ChancePanel::Picture(qreal scale) const {
  return WidgetPicture(PanelChance_, scale);
}

void ChancePanel::SetShown(bool shown) {
  PanelChance_->setVisible(shown);
}

}  // namespace wakorin::ui
