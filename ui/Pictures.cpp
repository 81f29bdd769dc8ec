#include "ui/Pictures.h"

#include "ui/LaneColors.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace wakorin::ui {

namespace {

constexpr QRgb kOutline = 0xFF1B2030;
constexpr QRgb kMotorLight = 0xFF6B7280;
constexpr QRgb kMotorDark = 0xFF262A33;
constexpr QRgb kVisor = 0xFF1A2A44;
constexpr QRgb kWaterLight = 0xFF3A9DB0;
constexpr QRgb kWaterDark = 0xFF22788F;
constexpr QRgb kAqua = 0xFF00FFFF;

// Fixed-seed generator so every run paints the same ripples; the pictures must not flicker
// between launches or differ between a test and the application.
class Ripples {
 public:
  explicit Ripples(std::uint32_t seed) : state_(seed) {}
  double Next(double lo, double hi) {
    state_ = state_ * 1664525u + 1013904223u;
    return lo + (hi - lo) * static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24);
  }

 private:
  std::uint32_t state_;
};

QImage NewTransparentImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

// How a boat is dressed: the hull, an optional band along the hull, and the racer.
struct BoatLook {
  QColor hull;
  QColor band;  // invalid: no band
  QColor helmet;
  QColor jacket;
};

// Paints a boat in a 40 x 23 box, bow to the right. Every part gets the same dark outline so a
// white boat reads on light backgrounds and a black one keeps its shape on dark water.
void PaintBoat(QPainter& p, const BoatLook& look) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  const QPen outline(QColor::fromRgba(kOutline), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

  // Wake along the waterline, strongest at the stern where the propeller churns.
  QLinearGradient wake(2, 0, 34, 0);
  wake.setColorAt(0.0, QColor(255, 255, 255, 230));
  wake.setColorAt(0.55, QColor(235, 250, 255, 150));
  wake.setColorAt(1.0, QColor(235, 250, 255, 0));
  QPainterPath wakePath;
  wakePath.moveTo(1.5, 19.5);
  wakePath.cubicTo(8, 17.6, 22, 18.4, 35, 19.2);
  wakePath.cubicTo(24, 21.2, 10, 21.4, 1.5, 20.8);
  wakePath.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(wake);
  p.drawPath(wakePath);

  // Outboard motor on the transom: leg first, cowling on top of it.
  p.setPen(outline);
  p.setBrush(QColor::fromRgba(kMotorDark));
  p.drawRect(QRectF(4.5, 11.5, 2.0, 7.5));
  QLinearGradient cowl(0, 6, 0, 13);
  cowl.setColorAt(0.0, QColor::fromRgba(kMotorLight));
  cowl.setColorAt(1.0, QColor::fromRgba(kMotorDark));
  p.setBrush(cowl);
  p.drawRoundedRect(QRectF(2.5, 6.5, 5.5, 6.5), 2.0, 2.0);
  p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
  p.drawLine(QPointF(4.0, 7.8), QPointF(6.5, 7.8));

  // Spray thrown back by the propeller, over the foot of the motor leg.
  QRadialGradient spray(QPointF(4.0, 18.5), 4.0);
  spray.setColorAt(0.0, QColor(255, 255, 255, 245));
  spray.setColorAt(0.55, QColor(200, 232, 250, 200));
  spray.setColorAt(1.0, QColor(230, 248, 255, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(spray);
  p.drawEllipse(QPointF(3.8, 18.3), 3.6, 3.2);
  p.setBrush(QColor(255, 255, 255, 215));
  p.drawEllipse(QPointF(1.4, 14.6), 0.75, 0.75);
  p.drawEllipse(QPointF(1.2, 11.9), 0.6, 0.6);
  p.drawEllipse(QPointF(0.9, 17.2), 0.6, 0.6);

  // Hull: flat deck, sharp bow, flat bottom.
  QPainterPath hull;
  hull.moveTo(6.5, 11.5);
  hull.lineTo(32.5, 11.5);
  hull.quadTo(37.5, 11.7, 39.0, 13.8);
  hull.quadTo(37.0, 17.8, 31.5, 18.5);
  hull.lineTo(7.5, 18.5);
  hull.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(look.hull);
  p.drawPath(hull);
  p.save();
  p.setClipPath(hull);
  if (look.band.isValid()) {
    p.setBrush(look.band);
    p.drawRect(QRectF(0, 13.0, 40, 2.0));
  }
  // Darker chine so the hull looks rounded rather than flat.
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRect(QRectF(0, 17.0, 40, 3.0));
  p.setPen(QPen(QColor(255, 255, 255, 120), 1.0));
  p.drawLine(QPointF(7.5, 12.5), QPointF(33.0, 12.5));
  p.restore();
  p.setPen(outline);
  p.setBrush(Qt::NoBrush);
  p.drawPath(hull);

  // The racer, kneeling and leaning into the wheel.
  QPainterPath jacket;
  jacket.moveTo(13.5, 11.5);
  jacket.cubicTo(13.0, 8.5, 15.0, 6.5, 18.0, 6.5);
  jacket.cubicTo(21.0, 6.5, 23.5, 8.5, 24.0, 11.5);
  jacket.closeSubpath();
  p.setBrush(look.jacket);
  p.drawPath(jacket);

  QPainterPath arm;
  arm.moveTo(20.0, 9.0);
  arm.lineTo(26.5, 10.0);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor::fromRgba(kOutline), 3.0, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(arm);
  p.setPen(QPen(look.jacket, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(arm);

  // Low windscreen in front of the cockpit.
  QPainterPath screen;
  screen.moveTo(26.0, 11.5);
  screen.lineTo(28.0, 8.5);
  screen.lineTo(30.5, 8.5);
  screen.lineTo(33.0, 11.5);
  screen.closeSubpath();
  p.setPen(outline);
  p.setBrush(QColor(70, 110, 150, 220));
  p.drawPath(screen);

  const QRectF helmetRect(17.5, 1.0, 8.0, 7.6);
  p.setBrush(look.helmet);
  p.drawEllipse(helmetRect);
  QPainterPath helmet;
  helmet.addEllipse(helmetRect);
  QPainterPath visor;
  visor.addRect(QRectF(22.4, 3.4, 4.0, 2.9));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor::fromRgba(kVisor));
  p.drawPath(visor.intersected(helmet));
  p.setBrush(QColor(255, 255, 255, 170));
  p.drawEllipse(QPointF(19.8, 3.2), 1.0, 0.8);

  p.restore();
}

// Paints the buoy in a 30 x 30 box: a striped float sitting in its own ring of ripples.
void PaintBuoy(QPainter& p) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);

  // Ripple ring where the float meets the water.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(20, 90, 120, 90));
  p.drawEllipse(QPointF(15, 24.5), 12.5, 3.8);
  p.setPen(QPen(QColor(255, 255, 255, 200), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(15, 24.5), 11.0, 3.0);
  p.setPen(QPen(QColor(255, 255, 255, 110), 1.0));
  p.drawEllipse(QPointF(15, 24.8), 13.5, 4.2);

  // Body: a barrel with a domed top, bands of orange and white.
  QPainterPath body;
  body.moveTo(8.0, 24.5);
  body.cubicTo(6.5, 20.0, 6.3, 14.0, 7.0, 11.0);
  body.cubicTo(7.5, 2.5, 22.5, 2.5, 23.0, 11.0);
  body.cubicTo(23.7, 14.0, 23.5, 20.0, 22.0, 24.5);
  body.cubicTo(19.0, 26.3, 11.0, 26.3, 8.0, 24.5);
  body.closeSubpath();

  p.save();
  p.setClipPath(body);
  const QColor orange(255, 88, 24);
  const QColor white(250, 250, 250);
  const double bands[] = {2.0, 9.0, 13.0, 17.0, 21.0, 27.0};
  for (int i = 0; i + 1 < 6; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(i % 2 == 0 ? orange : white);
    p.drawRect(QRectF(0, bands[i], 30, bands[i + 1] - bands[i]));
  }
  // Round shading: light from the upper left, shadow on the right.
  QLinearGradient shade(6.5, 0, 23.5, 0);
  shade.setColorAt(0.0, QColor(0, 0, 0, 40));
  shade.setColorAt(0.3, QColor(255, 255, 255, 90));
  shade.setColorAt(0.55, QColor(255, 255, 255, 0));
  shade.setColorAt(1.0, QColor(0, 0, 0, 110));
  p.setBrush(shade);
  p.drawRect(QRectF(0, 0, 30, 30));

  // Sheen near the top of the dome.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 150));
  p.drawEllipse(QPointF(11.5, 7.0), 1.8, 1.3);
  p.restore();

  p.setPen(QPen(QColor(110, 30, 10), 1.0));
  p.setBrush(Qt::NoBrush);
  p.drawPath(body);

  // Front half of the ripple ring passes in front of the float.
  p.setPen(QPen(QColor(255, 255, 255, 220), 1.2));
  p.drawArc(QRectF(4.0, 21.5, 22.0, 6.0), 200 * 16, 140 * 16);
  p.restore();
}

// Ripples for a water surface seen from above: long faint swells plus short glints where the
// light catches a crest.
void PaintWaterTexture(QPainter& p, const QRectF& area, std::uint32_t seed, double density) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setClipRect(area);
  Ripples random(seed);

  for (double y = area.top() + random.Next(0, 8); y < area.bottom() + 4; y += random.Next(9, 15)) {
    const double phase = random.Next(0, 6.3);
    QPainterPath swell;
    swell.moveTo(area.left() - 4, y);
    for (double x = area.left(); x <= area.right() + 8; x += 4) {
      swell.lineTo(x, y + 1.6 * std::sin(x * 0.07 + phase));
    }
    p.setPen(QPen(QColor(255, 255, 255, 14), 3.0));
    p.drawPath(swell);
    p.setPen(QPen(QColor(0, 40, 60, 14), 2.0));
    p.drawPath(swell.translated(0, 3.0));
  }

  const int count = static_cast<int>(area.width() * area.height() * density);
  for (int i = 0; i < count; ++i) {
    const double x = random.Next(area.left() - 6, area.right());
    const double y = random.Next(area.top(), area.bottom() + 2);
    const double length = random.Next(4.0, 12.0);
    const double lift = random.Next(0.4, 1.2);
    QPainterPath crest;
    crest.moveTo(x, y);
    crest.quadTo(x + length / 2, y - lift, x + length, y);
    // A soft trough just below each glint is what makes it read as a wave.
    p.setPen(QPen(QColor(10, 60, 80, 40), 1.0, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(crest.translated(0.5, 1.2));
    p.setPen(QPen(QColor(255, 255, 255, static_cast<int>(random.Next(35, 80))), 1.0, Qt::SolidLine,
                  Qt::RoundCap));
    p.drawPath(crest);
  }
  p.restore();
}

BoatLook LaneLook(int lane) {
  const QColor color = LaneColor(lane);
  return BoatLook{color, QColor(), color, color};
}

// Draws text as a filled outline so the banner lettering gets a thick border and a gradient.
// The word is scaled to fit `area` (left-aligned, centred vertically) so a substitute font that
// runs wider cannot push it into the boats.
void PaintLogoWord(QPainter& p, const QString& word, const QFont& font, const QRectF& area) {
  const QFontMetricsF metrics(font);
  QPainterPath letters;
  double x = 0;
  for (int i = 0; i < word.size(); ++i) {
    const QString letter = word.mid(i, 1);
    QPainterPath glyph;
    glyph.addText(0, 0, font, letter);
    // A little bounce and tilt per letter keeps the name lively.
    QTransform t;
    t.translate(x, -5.0 * std::sin(i * 1.1));
    t.rotate(-4.0 + 5.0 * std::sin(i * 1.7));
    letters.addPath(t.map(glyph));
    x += metrics.horizontalAdvance(letter) - 1.0;
  }
  letters.setFillRule(Qt::WindingFill);
  // Leave room for the outline strokes drawn around the glyphs.
  constexpr double kBorder = 6.0;
  const QRectF raw = letters.boundingRect();
  if (raw.width() <= 0 || raw.height() <= 0) return;  // no usable font: better no logo than a crash
  const double scale = std::min((area.width() - 2 * kBorder) / raw.width(),
                                (area.height() - 2 * kBorder) / raw.height());
  QTransform fit;
  fit.translate(area.left() + kBorder, area.center().y() - raw.height() * scale / 2);
  fit.scale(scale, scale);
  fit.translate(-raw.left(), -raw.top());
  letters = fit.map(letters);
  const QRectF box = letters.boundingRect();

  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setPen(QPen(QColor(5, 25, 70, 90), 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(QColor(5, 25, 70, 90));
  p.drawPath(letters.translated(4, 4));
  p.setPen(QPen(QColor(11, 36, 102), 10.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(letters);
  p.setPen(QPen(Qt::white, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPath(letters);
  QLinearGradient fill(0, box.top(), 0, box.bottom());
  fill.setColorAt(0.0, QColor(255, 246, 120));
  fill.setColorAt(0.45, QColor(255, 190, 0));
  fill.setColorAt(1.0, QColor(255, 80, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(letters);
  // Gloss on the upper half of the letters.
  p.setClipRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.42));
  p.setBrush(QColor(255, 255, 255, 70));
  p.drawPath(letters);
  p.restore();
}

}  // namespace

QImage BoatPicture(int lane, bool facingRight) {
  QImage image = NewTransparentImage(kBoatPictureWidth, kBoatPictureHeight);
  {
    QPainter p(&image);
    PaintBoat(p, LaneLook(lane));
  }
  // Mirroring instead of repainting keeps both directions pixel-identical in shape.
  return facingRight ? image : image.mirrored(true, false);
}

QList<QImage> BoatImageList() {
  QList<QImage> images;
  images.reserve(12);
  for (bool facingRight : {true, false}) {
    for (int lane = 1; lane <= 6; ++lane) images.append(BoatPicture(lane, facingRight));
  }
  return images;
}

QImage WaterPicture() {
  QImage image(177, 191, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  QLinearGradient base(0, 0, 0, image.height());
  base.setColorAt(0.0, QColor::fromRgba(kWaterLight));
  base.setColorAt(1.0, QColor::fromRgba(kWaterDark));
  p.fillRect(image.rect(), base);
  // Broad, faint patches of sky reflection so the surface is not a flat fill.
  for (const QPointF centre : {QPointF(40, 30), QPointF(140, 95), QPointF(55, 160)}) {
    QRadialGradient glow(centre, 60);
    glow.setColorAt(0.0, QColor(255, 255, 255, 28));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);
  }
  PaintWaterTexture(p, QRectF(image.rect()), 20060401u, 0.0042);
  return image;
}

QImage BuoyPicture() {
  QImage image = NewTransparentImage(30, 30);
  QPainter p(&image);
  PaintBuoy(p);
  return image;
}

QImage SingleBoatPicture() {
  QImage image = NewTransparentImage(kBoatPictureWidth, kBoatPictureHeight);
  QPainter p(&image);
  PaintBoat(p, BoatLook{QColor(222, 30, 38), QColor(255, 255, 255), QColor(255, 255, 255),
                        QColor(222, 30, 38)});
  return image;
}

QImage AppIcon(int size) {
  QImage image = NewTransparentImage(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // A rounded tile of water with the single boat drawn large, crisp at any size.
  const QRectF tile(size * 0.04, size * 0.04, size * 0.92, size * 0.92);
  QPainterPath rounded;
  rounded.addRoundedRect(tile, size * 0.18, size * 0.18);
  QLinearGradient water(tile.topLeft(), tile.bottomLeft());
  water.setColorAt(0.0, QColor(64, 170, 200));
  water.setColorAt(1.0, QColor(18, 96, 140));
  p.fillPath(rounded, water);
  p.setPen(QPen(QColor(11, 31, 77), size / 32.0));
  p.drawPath(rounded);
  p.save();
  p.setClipPath(rounded);
  const double scale = size * 0.86 / kBoatPictureWidth;
  p.translate(size * 0.07, size * 0.5 - kBoatPictureHeight * scale / 2);
  p.scale(scale, scale);
  PaintBoat(p, BoatLook{QColor(222, 30, 38), QColor(255, 255, 255), QColor(255, 255, 255),
                        QColor(222, 30, 38)});
  p.restore();
  return image;
}

QImage TitleArtwork() {
  constexpr int kWidth = 477;
  constexpr int kHeight = 127;
  // Water ends here; below is plain aqua, where the subtitle and the version label sit.
  constexpr double kShore = 92.0;

  QImage image(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor::fromRgba(kAqua));
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);

  // Sky, deep overhead and pale at the horizon, with a few clouds.
  QLinearGradient sky(0, 0, 0, 46);
  sky.setColorAt(0.0, QColor(60, 180, 235));
  sky.setColorAt(1.0, QColor(205, 248, 255));
  p.fillRect(QRectF(0, 0, kWidth, 46), sky);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 230));
  for (const QRectF cloud : {QRectF(292, 10, 34, 11), QRectF(306, 5, 26, 13),
                             QRectF(320, 11, 30, 9), QRectF(400, 19, 26, 8), QRectF(412, 15, 20, 9),
                             QRectF(170, 6, 22, 7), QRectF(180, 3, 18, 8)}) {
    p.drawEllipse(cloud);
  }

  // Far bank: a line of trees along the horizon.
  QPainterPath trees;
  trees.moveTo(0, 50);
  for (double x = 0; x < kWidth; x += 14) {
    trees.quadTo(x + 3, 37 + 3 * std::sin(x * 0.37), x + 7, 40 + 2 * std::cos(x * 0.21));
    trees.quadTo(x + 11, 36 + 3 * std::cos(x * 0.53), x + 14, 41);
  }
  trees.lineTo(kWidth, 50);
  trees.closeSubpath();
  QLinearGradient leaves(0, 36, 0, 50);
  leaves.setColorAt(0.0, QColor(70, 160, 90));
  leaves.setColorAt(1.0, QColor(30, 100, 70));
  p.setBrush(leaves);
  p.drawPath(trees);

  // The course, with a foam edge along the near side.
  QPainterPath foam;
  foam.moveTo(kWidth, kShore - 1);
  for (double x = kWidth; x > -24; x -= 24) {
    foam.quadTo(x - 6, kShore + 2.5, x - 12, kShore - 1);
    foam.quadTo(x - 18, kShore - 4.5, x - 24, kShore - 1);
  }
  QPainterPath water = foam;
  water.lineTo(-24, 46);
  water.lineTo(kWidth, 46);
  water.closeSubpath();
  QLinearGradient depth(0, 46, 0, kShore);
  depth.setColorAt(0.0, QColor(110, 200, 215));
  depth.setColorAt(1.0, QColor::fromRgba(kWaterDark));
  p.setBrush(depth);
  p.drawPath(water);
  p.save();
  p.setClipPath(water);
  PaintWaterTexture(p, QRectF(0, 48, kWidth, kShore - 46), 127u, 0.003);
  p.restore();
  p.setPen(QPen(QColor(255, 255, 255, 230), 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawPath(foam);

  // Turn mark, and the boats racing for it, the farther ones higher and smaller.
  p.save();
  p.translate(428, 38);
  p.scale(1.4, 1.4);
  PaintBuoy(p);
  p.restore();

  struct Racer {
    int lane;
    QPointF at;
    double angle;
    double scale;
  };
  const Racer racers[] = {
      {1, QPointF(366, 38), -10.0, 1.25},
      {3, QPointF(318, 50), -4.0, 1.4},
      {4, QPointF(266, 56), -1.0, 1.5},
  };
  for (const Racer& racer : racers) {
    p.save();
    p.translate(racer.at);
    p.rotate(racer.angle);
    p.scale(racer.scale, racer.scale);
    // Long wake trailing off behind the stern.
    QLinearGradient trail(-60, 0, 8, 0);
    trail.setColorAt(0.0, QColor(255, 255, 255, 0));
    trail.setColorAt(1.0, QColor(255, 255, 255, 190));
    QPainterPath wakePath;
    wakePath.moveTo(8, 18.5);
    wakePath.quadTo(-25, 18.5, -60, 16.5);
    wakePath.quadTo(-25, 22.5, 8, 21.5);
    wakePath.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(trail);
    p.drawPath(wakePath);
    PaintBoat(p, LaneLook(racer.lane));
    p.restore();
  }

  QFont logoFont(QStringLiteral("DejaVu Sans"));
  logoFont.setPixelSize(64);
  logoFont.setBold(true);
  logoFont.setItalic(true);
  PaintLogoWord(p, QStringLiteral("Wakorin"), logoFont, QRectF(12, 14, 250, 70));

  // Subtitle on a navy badge in the aqua strip, clear of the version label on the right.
  QFont subtitleFont(QStringLiteral("IPAGothic"));
  subtitleFont.setPixelSize(21);
  subtitleFont.setBold(true);
  const QRectF badge(16, 96, 150, 27);
  p.setPen(QPen(Qt::white, 2.0));
  p.setBrush(QColor(11, 36, 102));
  p.drawRoundedRect(badge, 8, 8);
  p.setFont(subtitleFont);
  p.setPen(Qt::white);
  p.drawText(badge, Qt::AlignCenter, QStringLiteral("競艇予想"));
  return image;
}

}  // namespace wakorin::ui
