#pragma once

#include <QRectF>
#include <QString>

namespace wakorin::ui {

// One region of the printed page (the title, the card, the prediction's picture, the tickets, the
// grid, the footer) and its place, in points from the page's top left corner.
struct PrintedRegion {
  QString name;
  QRectF place;
};

}  // namespace wakorin::ui
