#pragma once

#include <QColor>
#include <QImage>
#include <QList>

// Every picture the window shows is painted here at run time, so the application ships no image
// files. All images are QImage::Format_ARGB32_Premultiplied. The shape pictures need no
// QGuiApplication; TitleArtwork() draws text and therefore needs one to be alive.
namespace wakorin::ui {

inline constexpr int kBoatPictureWidth = 40;
inline constexpr int kBoatPictureHeight = 23;

// A racing boat with its racer in the lane's colour, 40 x 23, on a transparent background.
QImage BoatPicture(int lane, bool facingRight);

// Twelve boats: index 0..5 are lanes 1..6 facing right, index 6..11 the same boats facing left
// (index = lane + 5).
QList<QImage> BoatImageList();

// The pond seen from above, 177 x 191, calm enough for six boats in rows to stand out on it.
QImage WaterPicture();

// The turn-mark buoy, 30 x 30, on a transparent background.
QImage BuoyPicture();

// A red and white boat facing right, 40 x 23, for the progress animation and the predict button.
QImage SingleBoatPicture();

// The title banner, 477 x 127, meant for an aqua (#00FFFF) window. The rectangle x 296..465,
// y 96..115 is left plain aqua for the version label drawn over it.
// Needs a live QGuiApplication (text is drawn with the system fonts).
QImage TitleArtwork();

// The application's icon: the single boat on a tile of water, drawn at `size` pixels square.
QImage AppIcon(int size);

}  // namespace wakorin::ui
