// Printing what the window shows to a PDF file, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <algorithm>

#include "tests/TempFiles.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::Find;

const QString kSamples = QStringLiteral(WAKORIN_SAMPLES_DIR);

class PrintTest : public ::testing::Test {
 protected:
  PrintTest() : previous_(QDir::currentPath()) {
    QDir::setCurrent(kSamples);
    desktop.fileAnswers.push_back(kSamples + QStringLiteral("/B060415.TXT"));
    EXPECT_TRUE(form.ChooseProgramFile());
  }
  ~PrintTest() override { QDir::setCurrent(previous_); }

  QByteArray PrintToPdf(const std::string& name) {
    desktop.printToPdf = QString::fromStdString(dir.PathOf(name));
    Action(form, "Print2")->trigger();
    QFile pdf(desktop.printToPdf);
    return pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray();
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  QString previous_;
};

// One A4 page of a real PDF document.
void ExpectOnePage(const QByteArray& pdf) {
  ASSERT_TRUE(pdf.startsWith("%PDF-"));
  EXPECT_EQ(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 1);
  EXPECT_TRUE(pdf.contains("/MediaBox [0 0 595"));
  EXPECT_GT(pdf.size(), 10000);  // text, fonts and pictures, not an empty page
}

TEST_F(PrintTest, RaceCardWithAndWithoutPrediction) {
  const QByteArray card = PrintToPdf("card.pdf");
  ExpectOnePage(card);
  Find<QPushButton>(form, "BtnEditData")->click();
  const QByteArray predicted = PrintToPdf("predicted.pdf");
  ExpectOnePage(predicted);
  EXPECT_GT(predicted.size(), card.size());  // the start pictures and tickets are on it
  EXPECT_TRUE(desktop.messages.isEmpty());
}

// The start pictures go to the page at a print resolution, not at the printer's 1200 dpi: a page
// with all three stays small enough to mail. The PDF's default name says the day and the venue.
TEST_F(PrintTest, PredictedCardIsASmallPdfNamedAfterTheDayAndVenue) {
  Find<QPushButton>(form, "BtnEditData")->click();
  const QByteArray predicted = PrintToPdf("predicted.pdf");
  ExpectOnePage(predicted);
  EXPECT_LT(predicted.size(), 300 * 1024) << predicted.size();
  std::printf("predicted card PDF: %lld bytes\n", static_cast<long long>(predicted.size()));
  EXPECT_EQ(desktop.printDocName, QStringLiteral("Wakorin-20060415-大村-1R-出走表"));
}

// The card and the check of the same venue and day get names of their own; the card's names
// its race.
TEST_F(PrintTest, DefaultNamesSayCardOrCheckAndTheRace) {
  auto* races = Find<QComboBox>(form, "SelectR");
  races->setCurrentIndex(7);
  emit races->activated(7);
  EXPECT_EQ(form.PrintDocumentName(), QStringLiteral("Wakorin-20060415-大村-8R-出走表"));
  Action(form, "N3")->trigger();
  EXPECT_EQ(form.PrintDocumentName(), QStringLiteral("Wakorin-20060415-大村-結果照合"));
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_EQ(form.PrintDocumentName(), QStringLiteral("Wakorin-20060415-大村-結果照合"));
}

bool IsWhite(QRgb pixel) {
  return qRed(pixel) > 250 && qGreen(pixel) > 250 && qBlue(pixel) > 250;
}

// The bounding box, in page points, of what is drawn inside `area` (page points) of `image`
// painted at `scale` pixels a point; empty when nothing is.
QRectF Drawn(const QImage& image, double scale, const QRectF& area) {
  const QRect pixels = QRectF(area.topLeft() * scale, area.size() * scale).toAlignedRect() &
                       image.rect();
  int left = pixels.right() + 1, right = -1, top = pixels.bottom() + 1, bottom = -1;
  for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = pixels.left(); x <= pixels.right(); ++x) {
      if (IsWhite(line[x])) continue;
      left = std::min(left, x), right = std::max(right, x);
      top = std::min(top, y), bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return {};
  return QRectF(QPointF(left, top) / scale, QPointF(right + 1, bottom + 1) / scale);
}

// The printed page, drawn through the printing code onto an image of a screen's resolution
// with room around it: each region's drawing lies inside its place, the prediction's picture
// fills its place in proportion to the window, and nothing is drawn outside the regions, let
// alone off the page, in either mode.
TEST_F(PrintTest, PrintedRegionsStayInTheirPlacesInBothModes) {
  constexpr double kPageWidth = 595 - 2 * 42.5, kPageHeight = 842 - 2 * 42.5;  // A4 less margins
  Find<QPushButton>(form, "BtnEditData")->click();
  for (const bool data : {false, true}) {
    Action(form, data ? "ModeData" : "ModeStandard")->trigger();
    ASSERT_EQ(form.LastDataForecast().has_value(), data);
    for (const int dpi : {96, 100}) {
      const double scale = dpi / 72.0;
      const QSize room(static_cast<int>((kPageWidth + 100) * scale),
                       static_cast<int>((kPageHeight + 100) * scale));
      QImage page(room, QImage::Format_RGB32);
      page.setDotsPerMeterX(static_cast<int>(dpi / 0.0254));
      page.setDotsPerMeterY(static_cast<int>(dpi / 0.0254));
      page.fill(Qt::white);
      QPainter painter(&page);
      painter.scale(scale, scale);
      const std::vector<ui::PrintedRegion> regions = form.PaintPage(painter, kPageWidth);
      painter.end();
      const std::string what = (data ? "data mode, " : "standard mode, ") + std::to_string(dpi);

      QStringList names;
      for (const ui::PrintedRegion& region : regions) names << region.name;
      EXPECT_EQ(names, QStringList({QStringLiteral("title"), QStringLiteral("card"),
                                    QStringLiteral("heading"), QStringLiteral("picture"),
                                    QStringLiteral("tickets")}))
          << what;
      QImage outside = page;
      for (const ui::PrintedRegion& region : regions) {
        const QRectF& place = region.place;
        EXPECT_TRUE(QRectF(0, 0, kPageWidth, kPageHeight).contains(place))
            << what << " " << region.name.toStdString();
        EXPECT_FALSE(Drawn(page, scale, place).isEmpty()) << what << " " << region.name.toStdString();
        // Blanked, so that whatever remains was drawn outside every region.
        QPainter blank(&outside);
        blank.fillRect(QRectF(place.topLeft() * scale, place.size() * scale).adjusted(-1, -1, 1, 1),
                       Qt::white);
      }
      EXPECT_TRUE(Drawn(outside, scale, QRectF(QPointF(), QSizeF(room) / scale)).isEmpty())
          << what << ": drawn outside its regions at "
          << Drawn(outside, scale, QRectF(QPointF(), QSizeF(room) / scale)).topLeft().y();

      // The picture as the window shows it: the window's 429 x 213 pixels, a point each.
      const auto picture = std::find_if(regions.begin(), regions.end(), [](const auto& r) {
        return r.name == QStringLiteral("picture");
      });
      ASSERT_NE(picture, regions.end());
      EXPECT_NEAR(picture->place.width(), 429, 1) << what;
      EXPECT_NEAR(picture->place.height(), 213, 1) << what;
      const QRectF drawn = Drawn(page, scale, picture->place);
      EXPECT_GT(drawn.width(), picture->place.width() - 4) << what;
      EXPECT_GT(drawn.height(), picture->place.height() - 4) << what;
      // The mode's own picture: the start panels' aqua headings, or the chances' grey panel.
      const QPointF probe = picture->place.topLeft() + QPointF(data ? 60 : 4, data ? 100 : 8);
      const QColor colour = page.pixelColor((probe * scale).toPoint());
      EXPECT_EQ(colour, data ? QColor(0x80, 0x80, 0x80) : QColor(0x00, 0xFF, 0xFF))
          << what << " " << colour.name().toStdString();
    }
  }
}

TEST_F(PrintTest, ResultGridAfterACheck) {
  Action(form, "N3")->trigger();
  Find<QPushButton>(form, "BBtnKekka")->click();
  ExpectOnePage(PrintToPdf("results.pdf"));
}

TEST_F(PrintTest, CancellingPrintsNothing) {
  desktop.printToPdf.clear();
  Action(form, "Print2")->trigger();
  EXPECT_TRUE(QDir(QString::fromStdString(dir.path().string())).isEmpty());
  EXPECT_TRUE(desktop.messages.isEmpty());
}

}  // namespace
}  // namespace wakorin
