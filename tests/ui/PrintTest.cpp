// Printing what the window shows to a PDF file, offscreen.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QPushButton>

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
  EXPECT_EQ(desktop.printDocName, QStringLiteral("Wakorin-20060415-大村"));
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
