#include "ui/MeetingHeader.h"

#include "day/OpenDay.h"

#include <QByteArray>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListView>

#include "program/RaceCard.h"
#include "ui/Cp932Text.h"
#include "ui/Fonts.h"
#include "ui/Widgets.h"

namespace wakorin::ui {

MeetingHeader::MeetingHeader(QWidget* parent) {
  const QFont font = MsGothic(13, true);
  const QColor white(0xFF, 0xFF, 0xFF);
  Panel1_ = MakePanel(parent, "Panel1", QRect(4, 0, 625, 51), QColor(0x00, 0x00, 0x00));
  MakeLabel(Panel1_, "LabelCorse", QRect(20, 10, 46, 28), QStringLiteral("競艇場"), font, white);
  SelectC_ = MakeList(Panel1_, "SelectC", QRect(68, 10, 93, 30), 19);
  SelectC_->view()->setMinimumWidth(230);  // the entry shows its race count in the list
  LabelCount_ = MakeLabel(Panel1_, "LabelCount", QRect(176, 8, 92, 17), QStringLiteral("開催日Ｘ"),
                          font, white);
  LabelDDate_ = MakeLabel(Panel1_, "LabelDDate", QRect(272, 8, 200, 17),
                          QStringLiteral("日付ＸＸ年ＸＸ月ＸＸ日"), font, white);
  LabelDName_ =
      MakeLabel(Panel1_, "LabelDName", QRect(178, 28, 350, 17),
                QStringLiteral("開催名称ＸＸＸＸＸＸＸＸＸＸＸＸ"), font, white, Qt::AlignCenter);
}

void MeetingHeader::ListVenues(const std::vector<DayVenue>& venues) {
  SelectC_->clear();
  for (const DayVenue& venue : venues) {
    // The venue's name, four blanks and "[全12R]", as the list was designed.
    SelectC_->addItem(QStringLiteral("%1    [全%2R]")
                          .arg(FromCp932(venue.name))
                          .arg(venue.raceCount, 2, 10, QLatin1Char('0')));
  }
  if (SelectC_->count() > 0) SelectC_->setCurrentIndex(0);
}

void MeetingHeader::Show(const TRaceCard& card) {
  LabelCount_->setText(FromCp932(card.Count));
  LabelDDate_->setText(FromCp932(card.DDate));
  LabelDName_->setText(FromCp932(card.DName));
}

void MeetingHeader::SelectVenue(int index) {
  SelectC_->setCurrentIndex(index);
}

}  // namespace wakorin::ui
