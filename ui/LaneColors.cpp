#include "ui/LaneColors.h"

namespace wakorin::ui {

QColor LaneColor(int lane) {
  switch (lane) {
    case 1:
      return QColor(0xFF, 0xFF, 0xFF);  // white
    case 2:
      return QColor(0x00, 0x00, 0x00);  // black
    case 3:
      return QColor(0xFF, 0x00, 0x00);  // red
    case 4:
      return QColor(0x00, 0x00, 0xFF);  // blue
    case 5:
      return QColor(0xFF, 0xFF, 0x00);  // yellow
    case 6:
      return QColor(0x00, 0xFF, 0x00);  // lime
    default:
      return QColor(0x80, 0x80, 0x80);  // grey: an empty ticket cell
  }
}

QColor LaneFontColor(int lane) {
  return lane == 2 || lane == 3 || lane == 4 ? QColor(Qt::white) : QColor(Qt::black);
}

}  // namespace wakorin::ui
