// The window's controls as designed: names, kinds, places, captions, colours, menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTabBar>
#include <QTabWidget>

#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"
#include "ui/Pictures.h"
#include "ui/Widgets.h"

namespace wakorin {
namespace {

using testing::Find;

class MainFormLayoutTest : public ::testing::Test {
 protected:
  QRect Geometry(const char* name) { return Find<QWidget>(form, name)->geometry(); }

  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
};

TEST_F(MainFormLayoutTest, EveryNamedControlExistsWithItsKind) {
  for (const char* name : {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel8", "Panel9",
                           "Panel10", "Panel12", "Bevel1", "Bevel2"}) {
    Find<QFrame>(form, name);
  }
  for (const char* name :
       {"LabelCorse", "LabelCount", "LabelDDate", "LabelDName", "LabelRName", "LabelRLeng",
        "LabelRChkt", "LabelRTime", "Label1", "Label2", "Label3", "Label4", "Image1", "Image2",
        "Image3", "Image4", "RaceImage", "LabelRace2Chekt", "LabelRace3Chekt"}) {
    Find<QLabel>(form, name);
  }
  Find<QComboBox>(form, "SelectC");
  Find<QComboBox>(form, "SelectR");
  Find<QPushButton>(form, "BtnEditData");
  Find<QPushButton>(form, "BBtnKekka");
  Find<QProgressBar>(form, "FileLoadPBar");
  Find<QTabWidget>(form, "YosouPanel");
  Find<QWidget>(form, "TabSyouShiki");
  Find<QWidget>(form, "Yosou2Sheet");
  Find<QWidget>(form, "Yosou3Sheet");
  for (int n = 1; n <= 6; ++n) {
    Find<QPushButton>(form, ui::Numbered("BBtnBorat", n));
    for (const char* stem :
         {"LabelBorat", "LabelOld", "LabelSyusin", "LabelWght", "LabelClas", "LabelGWin",
          "LabelGWSd", "LabelRWin", "LabelRWSd", "LabelBtNo", "LabelBtWn", "LabelMtNo", "LabelMtWn",
          "ImageBoart1", "ImageBoart2", "ImageBoart3", "LabelBoart3", "Funa2KenY"}) {
      Find<QLabel>(form, ui::Numbered(stem, n));
    }
    for (int m = 1; m <= 6; ++m) Find<QLabel>(form, ui::Numbered("LabelKekka", n, m));
    for (int c = 1; c <= 3; ++c) Find<QLabel>(form, ui::Numbered("Funa3Ken", n, c));
    for (int c = 1; c <= 2; ++c) {
      Find<QLabel>(form, ui::Numbered("Funa2Ken", n, c));
      Find<QLabel>(form, ui::Numbered("Funa3KenY", n, c));
    }
  }
  for (int r = 1; r <= 12; ++r) {
    for (const char* stem :
         {"LabelKekkaR", "LabelKekka2F", "LabelKekka2FR", "LabelKekka2T", "LabelKekka2TR",
          "LabelKekka3F", "LabelKekka3FR", "LabelKekka3T", "LabelKekka3TR"}) {
      Find<QLabel>(form, ui::Numbered(stem, r));
    }
  }
}

TEST_F(MainFormLayoutTest, RegionsAndControlsStandAtTheirPlaces) {
  EXPECT_EQ(Geometry("Panel1"), QRect(4, 0, 625, 51));
  EXPECT_EQ(Geometry("Panel2"), QRect(4, 51, 625, 250));
  EXPECT_EQ(Geometry("Panel8"), QRect(4, 50, 625, 251));
  EXPECT_EQ(Geometry("Panel3"), QRect(4, 261, 157, 213));
  EXPECT_EQ(Geometry("Panel4"), QRect(161, 261, 157, 213));
  EXPECT_EQ(Geometry("Panel5"), QRect(318, 261, 115, 213));
  EXPECT_EQ(Geometry("TabSyouShiki"), QRect(433, 261, 196, 213));
  EXPECT_EQ(Geometry("Panel9"), QRect(1, 2, 623, 244));
  EXPECT_EQ(Geometry("Panel12"), QRect(430, 25, 186, 180));
  EXPECT_EQ(Geometry("BtnEditData"), QRect(456, 212, 121, 30));
  EXPECT_EQ(Geometry("BBtnKekka"), QRect(261, 215, 75, 25));
  EXPECT_EQ(Geometry("Image1"), QRect(4, 20, 150, 191));
  EXPECT_EQ(Geometry("Image3"), QRect(4, 20, 107, 191));
  EXPECT_EQ(Geometry("Image4"), QRect(79, 170, 30, 30));
  EXPECT_EQ(Geometry("Bevel2"), QRect(140, 20, 9, 191));
  EXPECT_EQ(Geometry("RaceImage").topLeft(), QPoint(60, 136));
  EXPECT_EQ(Geometry("FileLoadPBar").width(), 498);
  EXPECT_EQ(Geometry("SelectC").topLeft(), QPoint(68, 10));
  EXPECT_EQ(Geometry("SelectC").width(), 93);
  EXPECT_EQ(Geometry("SelectR").topLeft(), QPoint(80, 8));
  EXPECT_EQ(Geometry("SelectR").width(), 65);
  EXPECT_EQ(Geometry("LabelDName"), QRect(178, 28, 350, 17));
  EXPECT_EQ(Geometry("BBtnBorat1"), QRect(20, 70, 21, 21));
  EXPECT_EQ(Geometry("LabelBorat3"), QRect(41, 114, 80, 21));
  EXPECT_EQ(Geometry("LabelMtWn6"), QRect(563, 180, 45, 21));
  EXPECT_EQ(Geometry("LabelBtNo2"), QRect(453, 92, 30, 21));
  EXPECT_EQ(Geometry("LabelKekka36"), QRect(70, 154, 20, 21));
  EXPECT_EQ(Geometry("LabelKekka11").topLeft(), QPoint(20, 45));
  EXPECT_EQ(Geometry("ImageBoart14").topLeft(), QPoint(28, 120));
  EXPECT_EQ(Geometry("ImageBoart36").topLeft(), QPoint(10, 140));
  EXPECT_EQ(Geometry("Funa2Ken62"), QRect(100, 147, 28, 25));
  EXPECT_EQ(Geometry("Funa2KenY1").topLeft(), QPoint(60, 12));
  EXPECT_EQ(Geometry("Funa3Ken63"), QRect(115, 117, 22, 18));
  EXPECT_EQ(Geometry("Funa3KenY12"), QRect(90, 7, 20, 19));
  EXPECT_EQ(Geometry("LabelKekkaR12").topLeft(), QPoint(40, 195));
  EXPECT_EQ(Geometry("LabelKekka2FR1").left(), 122);
  EXPECT_EQ(Geometry("LabelKekka3T7").topLeft(), QPoint(451, 120));
  EXPECT_EQ(Geometry("LabelKekka3TR12").left(), 513);
}

TEST_F(MainFormLayoutTest, CaptionsFontsAndColours) {
  EXPECT_EQ(Find<QLabel>(form, "LabelCorse")->text(), QStringLiteral("競艇場"));
  EXPECT_EQ(Find<QPushButton>(form, "BtnEditData")->text(), QStringLiteral("予想"));
  EXPECT_EQ(Find<QPushButton>(form, "BBtnKekka")->text(), QStringLiteral("結果表示"));
  EXPECT_EQ(Find<QLabel>(form, "Label1")->text(), QStringLiteral("コース進入"));
  EXPECT_EQ(Find<QLabel>(form, "Label2")->text(), QStringLiteral("スリット進入"));
  EXPECT_EQ(Find<QLabel>(form, "Label3")->text(), QStringLiteral("第１ターン後"));
  EXPECT_EQ(Find<QLabel>(form, "Label4")->text(), QStringLiteral("レース結果 照合中"));
  EXPECT_EQ(Find<QLabel>(form, "LabelKekkaR1")->text(), QStringLiteral(" 1R"));
  EXPECT_EQ(Find<QLabel>(form, "LabelKekkaR9")->text(), QStringLiteral(" 9R"));
  EXPECT_EQ(Find<QLabel>(form, "LabelKekkaR10")->text(), QStringLiteral("10R"));
  EXPECT_EQ(Find<QLabel>(form, "LabelRace3Chekt")->text(), QStringLiteral("推奨 船券番号"));
  EXPECT_EQ(Find<QLabel>(form, "Funa3KenY11")->text(), QStringLiteral("－"));
  auto* tabs = Find<QTabBar>(form, "TabSyouShikiTabs");
  EXPECT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), QStringLiteral("単勝"));
  EXPECT_EQ(tabs->tabText(1), QStringLiteral("複勝"));
  EXPECT_EQ(tabs->currentIndex(), 0);
  auto* pages = Find<QTabWidget>(form, "YosouPanel");
  EXPECT_EQ(pages->tabText(0), QStringLiteral("２連単複"));
  EXPECT_EQ(pages->tabText(1), QStringLiteral("３連単複"));
  EXPECT_EQ(pages->currentWidget()->objectName(), QStringLiteral("Yosou3Sheet"));

  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->font().pixelSize(), 19);
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->font().pixelSize(), 21);
  EXPECT_EQ(Find<QLabel>(form, "Label4")->font().pixelSize(), 48);
  EXPECT_EQ(ui::TextColor(Find<QLabel>(form, "Label4")), QColor(0, 255, 255));
  EXPECT_EQ(Find<QPushButton>(form, "BtnEditData")->font().pixelSize(), 24);
  EXPECT_EQ(Find<QPushButton>(form, "BtnEditData")->palette().color(QPalette::ButtonText),
            QColor(255, 0, 255));
  EXPECT_EQ(Find<QPushButton>(form, "BtnEditData")->cursor().shape(), Qt::PointingHandCursor);
  for (const char* name : {"LabelCount", "LabelDDate", "LabelDName"}) {
    EXPECT_EQ(Find<QLabel>(form, name)->font().pixelSize(), 13);
    EXPECT_TRUE(Find<QLabel>(form, name)->font().bold());
    EXPECT_EQ(ui::TextColor(Find<QLabel>(form, name)), QColor(Qt::white));
  }
  for (const char* name : {"Panel1", "Panel2", "Panel8", "Panel12"}) {
    EXPECT_EQ(ui::Background(Find<QWidget>(form, name)), QColor(Qt::black)) << name;
  }
  EXPECT_EQ(ui::Background(Find<QWidget>(form, "Panel9")), QColor(0, 0, 128));

  const QColor backgrounds[] = {Qt::white, Qt::black,  Qt::red,
                                Qt::blue,  Qt::yellow, QColor(0, 255, 0)};
  const QColor texts[] = {Qt::black, Qt::white, Qt::white, Qt::white, Qt::black, Qt::black};
  for (int lane = 1; lane <= 6; ++lane) {
    for (const char* stem : {"LabelBorat", "LabelMtWn"}) {
      auto* cell = Find<QLabel>(form, ui::Numbered(stem, lane));
      EXPECT_EQ(ui::Background(cell), backgrounds[lane - 1]) << stem << lane;
      EXPECT_EQ(ui::TextColor(cell), texts[lane - 1]) << stem << lane;
    }
    EXPECT_EQ(ui::Background(Find<QLabel>(form, ui::Numbered("LabelKekka", 4, lane))),
              backgrounds[lane - 1]);
  }
  // Neither the result grid nor the meeting-results grid carries a caption of its own.
  for (QLabel* label : form.findChildren<QLabel*>()) {
    for (const char* caption : {"２連", "３連", "今節成績"}) {
      EXPECT_NE(label->text().toStdString(), caption) << label->objectName().toStdString();
    }
  }
}

// The pixels themselves, under every style the toolkit offers: a style may shade a button face
// or a panel however it likes unless told otherwise.
TEST_F(MainFormLayoutTest, LaneButtonsAndTicketPanelsShowTheirPlainColours) {
  const QString original = QApplication::style()->name();
  for (const QString& style : QStyleFactory::keys()) {
    QApplication::setStyle(style);
    for (int lane = 1; lane <= 6; ++lane) {
      const QImage face =
          Find<QPushButton>(form, ui::Numbered("BBtnBorat", lane))->grab().toImage();
      const QColor row = ui::Background(Find<QLabel>(form, ui::Numbered("LabelBorat", lane)));
      // Left and right of the digit.
      for (const QPoint at : {QPoint(4, 10), QPoint(16, 10)}) {
        EXPECT_EQ(face.pixelColor(at).name(), row.name())
            << style.toStdString() << " lane " << lane;
      }
    }
    for (const char* cell : {"Funa2Ken11", "Funa3Ken11"}) {
      const QImage panel = Find<QLabel>(form, cell)->parentWidget()->grab().toImage();
      EXPECT_EQ(panel.pixelColor(2, 2).name(), QStringLiteral("#808080"))
          << style.toStdString() << cell;
    }
  }
  QApplication::setStyle(original);
}

TEST_F(MainFormLayoutTest, MenuTreeWithCaptionsAndAccelerators) {
  auto* bar = Find<QMenuBar>(form, "MainMenu");
  QStringList top;
  for (QAction* action : bar->actions())
    top << action->objectName() + QLatin1Char('=') + action->text();
  EXPECT_EQ(top,
            (QStringList{QStringLiteral("N1=予想＆結果(&S)"), QStringLiteral("N4=設定(&T)"),
                         QStringLiteral("BetLog=舟券(&B)"), QStringLiteral("Print1=印刷(&O)"),
                         QStringLiteral("Help1=ﾍﾙﾌﾟ(&H)")}));
  auto items = [&](const char* menu) {
    QStringList names;
    for (QAction* action : Find<QMenu>(form, menu)->actions()) {
      names << action->objectName() + QLatin1Char('=') + action->text();
    }
    return names;
  };
  EXPECT_EQ(items("N1"),
            (QStringList{QStringLiteral("N2=番組表 読み込み"), QStringLiteral("N5=推奨船券 予想"),
                         QStringLiteral("N3=全結果 照合"), QStringLiteral("RaceResult=レース結果..."),
                         QStringLiteral("DayRaces=本日のレース一覧..."),
                         QStringLiteral("SeasonSummary=シーズン集計..."),
                         QStringLiteral("Exit1=終了")}));
  EXPECT_EQ(items("N4"), (QStringList{QStringLiteral("DtUpdate=最新データに更新"),
                                      QStringLiteral("DtDownload=日付を指定してダウンロード..."),
                                      QStringLiteral("DtFolder=ダウンロード先フォルダ..."),
                                      QStringLiteral("YosouMode=予想方式"),
                                      QStringLiteral("DtLearn=データ予想を学習..."),
                                      QStringLiteral("N7=競艇ｵﾌｨｼｬﾙWeb参照")}));
  EXPECT_EQ(items("YosouMode"),
            (QStringList{QStringLiteral("ModeStandard=標準"), QStringLiteral("ModeData=データ")}));
  EXPECT_EQ(items("BetLog"), (QStringList{QStringLiteral("BetRecord=舟券を記録..."),
                                          QStringLiteral("BetBalance=収支...")}));
  EXPECT_EQ(items("Print1"), (QStringList{QStringLiteral("Print2=印刷(&P)")}));
  EXPECT_EQ(items("Help1"), (QStringList{QStringLiteral("HelpHP=画面ヘルプ"),
                                         QStringLiteral("J1=ソフト サポート ﾎｰﾑﾍﾟｰｼﾞ(&J)"),
                                         QStringLiteral("Help=Orvik Soft ﾎｰﾑﾍﾟｰｼﾞ(&T)"),
                                         QStringLiteral("AboutVer=ﾊﾞｰｼﾞｮﾝ情報(&A)")}));
}

TEST_F(MainFormLayoutTest, DesignVisibilityAndFixedOuterHeights) {
  EXPECT_TRUE(Find<QWidget>(form, "Panel12")->isHidden());
  for (const char* name :
       {"Panel1", "Panel2", "Panel3", "Panel4", "Panel5", "Panel8", "Panel9", "TabSyouShiki"}) {
    EXPECT_FALSE(Find<QWidget>(form, name)->isHidden()) << name;
  }
  form.SetOuterHeight(TMainForm::kFullHeight);
  EXPECT_EQ(Find<QWidget>(form, "Client")->size(), QSize(633, 477));
  form.SetOuterHeight(TMainForm::kRaceCardHeight);
  EXPECT_EQ(form.OuterHeight(), 348);
  // Exactly the meeting header and the race card (or summary) show at 348.
  EXPECT_EQ(Find<QWidget>(form, "Client")->height(), 303);
  EXPECT_LE(Find<QFrame>(form, "Panel2")->geometry().bottom(),
            Find<QWidget>(form, "Client")->height());
  EXPECT_LE(Find<QFrame>(form, "Panel8")->geometry().bottom(),
            Find<QWidget>(form, "Client")->height());
  // Not resizable, no maximise button.
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
}

}  // namespace
}  // namespace wakorin
