#include "ui/LaneColors.h"

#include "predict/LaneColors.h"

namespace wakorin::ui {

// The colours themselves are the core's: the ticket display decides its cells' colours there.
QColor LaneColor(int lane) {
  return QColor::fromRgb(wakorin::LaneColor(lane));
}

QColor LaneFontColor(int lane) {
  return QColor::fromRgb(wakorin::LaneFontColor(lane));
}

}  // namespace wakorin::ui
