#pragma once

#include <string>
#include <vector>

class QComboBox;
class QFrame;
class QLabel;
class QWidget;

namespace wakorin {

struct DayVenue;
struct TRaceCard;

namespace ui {

// Panel1: the day of the meeting, its date and name, and the list of the day's venues.
class MeetingHeader {
 public:
  explicit MeetingHeader(QWidget* parent);

  // Replaces the venue list with the day's venues and selects the first.
  void ListVenues(const std::vector<DayVenue>& venues);

  void Show(const TRaceCard& card);
  // Shows venue `index` as chosen, without running the handler the user's choice runs.
  void SelectVenue(int index);

  // The venue list, for the handler it triggers and for the check's lock.
  QComboBox* VenueList() const { return SelectC_; }

 private:
  QFrame* Panel1_;
  QComboBox* SelectC_;
  QLabel *LabelCount_, *LabelDDate_, *LabelDName_;
};

}  // namespace ui
}  // namespace wakorin
