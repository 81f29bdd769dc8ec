#include "ui/LaneColors.h"
#include "ui/Pictures.h"

#include <QGuiApplication>
#include <QHash>
#include <QRect>

#include <gtest/gtest.h>

namespace wakorin::ui {
namespace {

// The hull outline colour; everything else that is opaque on a boat should be mostly lane colour.
constexpr QRgb kOutline = 0xFF1B2030;

bool CornersTransparent(const QImage& image) {
  const int right = image.width() - 1;
  const int bottom = image.height() - 1;
  for (const QPoint corner :
       {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
    if (qAlpha(image.pixel(corner)) != 0) return false;
  }
  return true;
}

QRgb DominantOpaqueColour(const QImage& image) {
  QHash<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) == 255 && pixel != kOutline) ++counts[pixel];
    }
  }
  QRgb best = 0;
  int bestCount = 0;
  for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
    if (it.value() > bestCount) {
      best = it.key();
      bestCount = it.value();
    }
  }
  return best;
}

// Text needs a platform; the shape pictures must not, so only the title test asks for this.
void EnsureGuiApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "PicturesTest";
  static char* argv[] = {name, nullptr};
  static QGuiApplication app(argc, argv);
}

TEST(PicturesTest, LaneColoursAndFallback) {
  const QRgb expected[] = {0xFFFFFF, 0x000000, 0xFF0000, 0x0000FF, 0xFFFF00, 0x00FF00};
  const QRgb font[] = {0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0x000000, 0x000000};
  for (int lane = 1; lane <= 6; ++lane) {
    EXPECT_EQ(LaneColor(lane).rgb() & 0xFFFFFF, expected[lane - 1]) << "lane " << lane;
    EXPECT_EQ(LaneFontColor(lane).rgb() & 0xFFFFFF, font[lane - 1]) << "lane " << lane;
  }
  for (int lane : {0, 7, -1}) {
    EXPECT_EQ(LaneColor(lane).rgb() & 0xFFFFFF, 0x808080u) << "lane " << lane;
    EXPECT_EQ(LaneFontColor(lane).rgb() & 0xFFFFFF, 0x000000u) << "lane " << lane;
  }
}

TEST(PicturesTest, BoatsAreLaneColouredOnTransparentGround) {
  for (int lane = 0; lane <= 7; ++lane) {
    for (bool facingRight : {true, false}) {
      const QImage boat = BoatPicture(lane, facingRight);
      ASSERT_EQ(boat.size(), QSize(40, 23));
      EXPECT_EQ(boat.format(), QImage::Format_ARGB32_Premultiplied);
      EXPECT_TRUE(CornersTransparent(boat)) << "lane " << lane;
      EXPECT_EQ(DominantOpaqueColour(boat), LaneColor(lane).rgba()) << "lane " << lane;
    }
  }
  // The bow points the way asked.
  const QRgb red = LaneColor(3).rgba();
  EXPECT_EQ(BoatPicture(3, true).pixel(37, 14), red);
  EXPECT_NE(BoatPicture(3, false).pixel(37, 14), red);
  EXPECT_EQ(BoatPicture(3, false).pixel(2, 14), red);
}

TEST(PicturesTest, ImageListHoldsBothDirectionsInLaneOrder) {
  const QList<QImage> images = BoatImageList();
  ASSERT_EQ(images.size(), 12);
  for (int lane = 1; lane <= 6; ++lane) {
    const QImage& right = images[lane - 1];
    const QImage& left = images[lane + 5];
    EXPECT_EQ(right, BoatPicture(lane, true)) << "lane " << lane;
    EXPECT_EQ(left, right.mirrored(true, false)) << "lane " << lane;
  }
}

TEST(PicturesTest, WaterBuoyAndSingleBoat) {
  const QImage water = WaterPicture();
  ASSERT_EQ(water.size(), QSize(177, 191));
  EXPECT_EQ(water.format(), QImage::Format_ARGB32_Premultiplied);
  for (int y = 0; y < water.height(); ++y) {
    for (int x = 0; x < water.width(); ++x) ASSERT_EQ(qAlpha(water.pixel(x, y)), 255);
  }
  // Painted from a fixed seed: the pond must look the same on every launch.
  EXPECT_EQ(water, WaterPicture());

  const QImage buoy = BuoyPicture();
  ASSERT_EQ(buoy.size(), QSize(30, 30));
  EXPECT_TRUE(CornersTransparent(buoy));
  EXPECT_EQ(qAlpha(buoy.pixel(15, 15)), 255);

  const QImage single = SingleBoatPicture();
  ASSERT_EQ(single.size(), QSize(40, 23));
  EXPECT_TRUE(CornersTransparent(single));
  int red = 0;
  int white = 0;
  for (int y = 0; y < single.height(); ++y) {
    for (int x = 0; x < single.width(); ++x) {
      const QColor c = QColor::fromRgba(single.pixel(x, y));
      if (c.alpha() < 255) continue;
      if (c.red() > 180 && c.green() < 60 && c.blue() < 60) ++red;
      if (c.red() == 255 && c.green() == 255 && c.blue() == 255) ++white;
    }
  }
  EXPECT_GT(red, 60);
  EXPECT_GT(white, 40);
}

TEST(PicturesTest, TitleLeavesTheVersionLabelAreaPlainAqua) {
  EnsureGuiApplication();
  const QImage title = TitleArtwork();
  ASSERT_EQ(title.size(), QSize(477, 127));
  EXPECT_EQ(title.format(), QImage::Format_ARGB32_Premultiplied);
  const QRect label(QPoint(296, 96), QPoint(465, 115));
  for (int y = label.top(); y <= label.bottom(); ++y) {
    for (int x = label.left(); x <= label.right(); ++x) {
      ASSERT_EQ(title.pixel(x, y), 0xFF00FFFFu) << x << "," << y;
    }
  }
  // Something is drawn outside that area: the picture is not a plain fill.
  EXPECT_NE(title.pixel(60, 50), 0xFF00FFFFu);
}

}  // namespace
}  // namespace wakorin::ui
