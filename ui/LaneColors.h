#pragma once

#include <QColor>

namespace wakorin::ui {

// Background colour of lane 1..6 as used throughout the window; other lanes are grey.
QColor LaneColor(int lane);
// Text colour that reads on LaneColor(lane).
QColor LaneFontColor(int lane);

}  // namespace wakorin::ui
