#include "ui/RaceCardPanel.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <string>

#include "program/RaceCard.h"
#include "ui/Colors.h"
#include "ui/Cp932Text.h"
#include "ui/Fonts.h"
#include "ui/LaneColors.h"
#include "ui/Pictures.h"
#include "ui/Widgets.h"

namespace wakorin::ui {
namespace {

struct Heading {
  int left, top, width;
  const char* text;
};

const Heading kHeadings[] = {
    {41, 52, 80, "選手名"}, {121, 52, 25, "年齢"},   {145, 52, 36, "出身"},
    {181, 52, 25, "体重"},  {205, 52, 25, "級別"},   {241, 36, 90, "全国"},
    {241, 52, 45, "勝率"},  {286, 52, 45, "複勝率"}, {337, 36, 90, "当地"},
    {337, 52, 45, "勝率"},  {382, 52, 45, "複勝率"}, {453, 36, 75, "ボート"},
    {453, 52, 30, "No"},    {483, 52, 45, "複勝率"}, {533, 36, 75, "モータ"},
    {533, 52, 30, "No"},    {563, 52, 45, "複勝率"},
};

// One column of the six lane rows and the racer's field it shows.
struct Column {
  const char* stem;
  int left, width;
  const char* design;
  Qt::Alignment alignment;
  std::string TRacerEntry::*field;
};

const Column kLaneColumns[] = {
    {"LabelBorat", 41, 80, "ＸＸＸＸＸ", Qt::AlignLeft | Qt::AlignVCenter, &TRacerEntry::Name},
    {"LabelOld", 121, 25, "XX", Qt::AlignCenter, &TRacerEntry::Old},
    {"LabelSyusin", 145, 36, "ＸＸ", Qt::AlignCenter, &TRacerEntry::Syusin},
    {"LabelWght", 181, 25, "XX", Qt::AlignCenter, &TRacerEntry::Wght},
    {"LabelClas", 205, 25, "XX", Qt::AlignCenter, &TRacerEntry::Clas},
    {"LabelGWin", 241, 45, "XXXXX", Qt::AlignCenter, &TRacerEntry::GWin},
    {"LabelGWSd", 286, 45, "XXXXX", Qt::AlignCenter, &TRacerEntry::GWSd},
    {"LabelRWin", 337, 45, "XXXXX", Qt::AlignCenter, &TRacerEntry::RWin},
    {"LabelRWSd", 382, 45, "XXXXX", Qt::AlignCenter, &TRacerEntry::RWSd},
    {"LabelBtNo", 453, 30, "XXX", Qt::AlignCenter, &TRacerEntry::BtNo},
    {"LabelBtWn", 483, 45, "XXXXX", Qt::AlignCenter, &TRacerEntry::BtWn},
    {"LabelMtNo", 533, 30, "XXX", Qt::AlignCenter, &TRacerEntry::MtNo},
    {"LabelMtWn", 563, 45, "XXXXX", Qt::AlignCenter, &TRacerEntry::MtWn},
};

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

}  // namespace

RaceCardPanel::RaceCardPanel(QWidget* parent) {
  static_assert(std::size(kLaneColumns) == kColumns);
  const QFont font13 = MsGothic(13, true);
  const QFont font12 = MsGothic(12, true);
  Panel2_ = MakePanel(parent, "Panel2", QRect(4, 51, 625, 250), kBlack);
  MakeLabel(Panel2_, "", QRect(16, 10, 62, 17), Text("レースNo"), font13, kWhite);
  SelectR_ = MakeList(Panel2_, "SelectR", QRect(80, 8, 65, 30), 21);
  LabelRName_ = MakeLabel(Panel2_, "LabelRName", QRect(164, 10, 100, 17), Text("レース名称Ｘ"),
                          font13, kWhite);
  LabelRLeng_ = MakeLabel(Panel2_, "LabelRLeng", QRect(268, 10, 120, 17), Text("距離ＸＸＸＸＸ"),
                          font13, kWhite);
  LabelRChkt_ =
      MakeLabel(Panel2_, "LabelRChkt", QRect(392, 10, 76, 17), Text("販売船券"), font13, kWhite);
  LabelRTime_ =
      MakeLabel(Panel2_, "LabelRTime", QRect(472, 10, 140, 17), Text("締切り時刻"), font13, kWhite);
  // Under the race name, where the header row leaves room above the column headings.
  LabelRKotei_ = MakeCell(Panel2_, "LabelRKotei", QRect(164, 30, 52, 16), Text("進入固定"), font12,
                          kAqua, kBlack);
  LabelRKotei_->hide();

  for (const Heading& h : kHeadings) {
    MakeLabel(Panel2_, "", QRect(h.left, h.top, h.width, 16), Text(h.text), font12, kWhite,
              Qt::AlignCenter);
  }
  BuildLanes();
  BuildMeetingResults();

  BtnEditData_ = new QPushButton(Text("予想"), Panel2_);
  BtnEditData_->setObjectName(QStringLiteral("BtnEditData"));
  BtnEditData_->setGeometry(456, 212, 121, 30);
  BtnEditData_->setFont(MsGothic(24, true));
  BtnEditData_->setCursor(Qt::PointingHandCursor);
  BtnEditData_->setIcon(QPixmap::fromImage(SingleBoatPicture()));
  BtnEditData_->setIconSize(QSize(40, 23));
  SetButtonColors(BtnEditData_, QApplication::palette().color(QPalette::Button), kFuchsia);
}

// Each lane's button, which toggles the meeting results, and its row of the racer's figures.
void RaceCardPanel::BuildLanes() {
  const QFont font13 = MsGothic(13, true);
  for (int lane = 1; lane <= 6; ++lane) {
    const int top = 70 + 22 * (lane - 1);
    auto* button = new QPushButton(QString::number(lane), Panel2_);
    button->setObjectName(Numbered("BBtnBorat", lane));
    button->setGeometry(20, top, 21, 21);
    button->setFont(font13);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(Text("今節成績の表示／非表示"));
    SetPlainButtonColors(button, LaneColor(lane), LaneFontColor(lane));
    BBtnBorat_[lane - 1] = button;
    for (std::size_t c = 0; c < kColumns; ++c) {
      const Column& column = kLaneColumns[c];
      lanes_[c][lane - 1] = MakeCell(
          Panel2_, Numbered(column.stem, lane), QRect(column.left, top, column.width, 21),
          Text(column.design), font13, LaneColor(lane), LaneFontColor(lane), column.alignment);
    }
  }
}

// The meeting-results grid covers the boat and motor columns when shown.
void RaceCardPanel::BuildMeetingResults() {
  const QFont font13 = MsGothic(13, true);
  const QFont font12 = MsGothic(12, true);
  Panel12_ = MakePanel(Panel2_, "Panel12", QRect(430, 25, 186, 180), kBlack);
  const char* slotHeadings[] = {"１", "2", "3", "4", "5", "6"};
  const int kekkaTops[] = {45, 67, 89, 111, 133, 154};
  for (int slot = 1; slot <= 6; ++slot) {
    const int left = 20 + 25 * (slot - 1);
    MakeLabel(Panel12_, "", QRect(left, 25, 20, 16), Text(slotHeadings[slot - 1]), font12, kWhite,
              Qt::AlignCenter);
    for (int lane = 1; lane <= 6; ++lane) {
      LabelKekka_[slot - 1][lane - 1] = MakeCell(
          Panel12_, Numbered("LabelKekka", slot, lane), QRect(left, kekkaTops[lane - 1], 20, 21),
          Text("XX"), font13, LaneColor(lane), LaneFontColor(lane));
    }
  }
  Panel12_->hide();
}

void RaceCardPanel::ListRaces(int raceCount) {
  SelectR_->clear();
  for (int race = 1; race <= raceCount; ++race) SelectR_->addItem(QString::number(race));
  SelectR_->setCurrentIndex(0);
}

void RaceCardPanel::SelectRace(int index) {
  SelectR_->setCurrentIndex(index);
}

void RaceCardPanel::Show(const TRaceCard& card) {
  LabelRName_->setText(FromCp932(card.RName));
  LabelRLeng_->setText(FromCp932(card.RLeng));
  LabelRTime_->setText(FromCp932(card.RTime));
  LabelRChkt_->setText(SaleWords(card.Sale));
  LabelRKotei_->setVisible(card.FixedEntry);
  for (std::size_t i = 0; i < 6; ++i) {
    const TRacerEntry& racer = card.Racers[i];
    for (std::size_t c = 0; c < kColumns; ++c) {
      lanes_[c][i]->setText(FromCp932(racer.*kLaneColumns[c].field));
    }
    lanes_[0][i]->setToolTip(FromCp932(racer.RacerNo));  // the name's cell
    for (std::size_t slot = 0; slot < 6; ++slot) {
      LabelKekka_[slot][i]->setText(FromCp932(racer.MeetingResults[slot]));
    }
  }
}

void RaceCardPanel::ToggleMeetingResults() {
  Panel12_->setVisible(Panel12_->isHidden());
}

void RaceCardPanel::SetShown(bool panel, bool predictButton) {
  Panel2_->setVisible(panel);
  BtnEditData_->setVisible(predictButton);
}

QString SaleWords(TicketSale sale) {
  switch (sale) {
    case TicketSale::All: return QStringLiteral("３連単複");
    case TicketSale::ExactaQuinella: return QStringLiteral("２連単複");
    case TicketSale::Exacta: return QStringLiteral("２連単");
    case TicketSale::Quinella: return QStringLiteral("２連複");
    case TicketSale::None: break;
  }
  return QString();
}

}  // namespace wakorin::ui
