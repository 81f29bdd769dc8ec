// The main window's controls: names, places, captions, colours and fonts as designed.
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

#include "ui/Fonts.h"
#include "ui/MainForm.h"
#include "ui/Pictures.h"
#include "ui/UprightTabs.h"
#include "ui/Widgets.h"

namespace wakorin {

using namespace ui;

namespace {

const QColor kBlack(0x00, 0x00, 0x00);
const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kAqua(0x00, 0xFF, 0xFF);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kNavy(0x00, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xFF);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kFuchsia(0xFF, 0x00, 0xFF);

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

QComboBox* MakeList(QWidget* parent, QAnyStringView name, QRect geometry, int fontPixels) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->setEditable(false);  // a drop-down list: no free text
  list->setMaxVisibleItems(12);
  list->setFont(MsGothic(fontPixels, true));
  list->setGeometry(geometry);
  // The lists sit on black panels; they keep the ordinary light field with dark text.
  QPalette palette = QApplication::palette();
  list->setPalette(palette);
  return list;
}

QLabel* MakePicture(QWidget* parent, QAnyStringView name, QRect geometry, const QImage& image,
                    bool stretch) {
  auto* picture = new QLabel(parent);
  picture->setObjectName(name);
  picture->setGeometry(geometry);
  picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  picture->setScaledContents(stretch);
  picture->setPixmap(QPixmap::fromImage(image));
  return picture;
}

// One heading label in aqua across the top of a start-prediction panel.
QLabel* MakeHeading(QWidget* parent, const char* name, int width, const char* text) {
  return MakeCell(parent, name, QRect(0, 0, width, 18), Text(text), MsGothic(16, true), kAqua,
                  kBlack);
}

}  // namespace

void TMainForm::BuildLayout() {
  Client = new QWidget(this);
  Client->setObjectName(QStringLiteral("Client"));
  setCentralWidget(Client);
  const QFont font13 = MsGothic(13, true);
  const QFont font12 = MsGothic(12, true);

  // --- Panel1: meeting header and venue selector ---
  Panel1 = MakePanel(Client, "Panel1", QRect(4, 0, 625, 51), kBlack);
  LabelCorse =
      MakeLabel(Panel1, "LabelCorse", QRect(20, 10, 46, 28), Text("競艇場"), font13, kWhite);
  SelectC = MakeList(Panel1, "SelectC", QRect(68, 10, 93, 30), 19);
  SelectC->view()->setMinimumWidth(230);  // the entry shows its race count in the list
  LabelCount =
      MakeLabel(Panel1, "LabelCount", QRect(176, 8, 92, 17), Text("開催日Ｘ"), font13, kWhite);
  LabelDDate = MakeLabel(Panel1, "LabelDDate", QRect(272, 8, 200, 17),
                         Text("日付ＸＸ年ＸＸ月ＸＸ日"), font13, kWhite);
  LabelDName = MakeLabel(Panel1, "LabelDName", QRect(178, 28, 350, 17),
                         Text("開催名称ＸＸＸＸＸＸＸＸＸＸＸＸ"), font13, kWhite, Qt::AlignCenter);

  // --- Panel2: race card ---
  Panel2 = MakePanel(Client, "Panel2", QRect(4, 51, 625, 250), kBlack);
  MakeLabel(Panel2, "", QRect(16, 10, 62, 17), Text("レースNo"), font13, kWhite);
  SelectR = MakeList(Panel2, "SelectR", QRect(80, 8, 65, 30), 21);
  LabelRName = MakeLabel(Panel2, "LabelRName", QRect(164, 10, 100, 17), Text("レース名称Ｘ"),
                         font13, kWhite);
  LabelRLeng = MakeLabel(Panel2, "LabelRLeng", QRect(268, 10, 120, 17), Text("距離ＸＸＸＸＸ"),
                         font13, kWhite);
  LabelRChkt =
      MakeLabel(Panel2, "LabelRChkt", QRect(392, 10, 76, 17), Text("販売船券"), font13, kWhite);
  LabelRTime =
      MakeLabel(Panel2, "LabelRTime", QRect(472, 10, 140, 17), Text("締切り時刻"), font13, kWhite);
  // Under the race name, where the header row leaves room above the column headings.
  LabelRKotei = MakeCell(Panel2, "LabelRKotei", QRect(164, 30, 52, 16), Text("進入固定"), font12,
                         kAqua, kBlack);
  LabelRKotei->hide();

  struct Heading {
    int left, top, width;
    const char* text;
  };
  const Heading headings[] = {
      {41, 52, 80, "選手名"}, {121, 52, 25, "年齢"},   {145, 52, 36, "出身"},
      {181, 52, 25, "体重"},  {205, 52, 25, "級別"},   {241, 36, 90, "全国"},
      {241, 52, 45, "勝率"},  {286, 52, 45, "複勝率"}, {337, 36, 90, "当地"},
      {337, 52, 45, "勝率"},  {382, 52, 45, "複勝率"}, {453, 36, 75, "ボート"},
      {453, 52, 30, "No"},    {483, 52, 45, "複勝率"}, {533, 36, 75, "モータ"},
      {533, 52, 30, "No"},    {563, 52, 45, "複勝率"},
  };
  for (const Heading& h : headings) {
    MakeLabel(Panel2, "", QRect(h.left, h.top, h.width, 16), Text(h.text), font12, kWhite,
              Qt::AlignCenter);
  }

  struct Column {
    Row<QLabel, 6>* controls;
    const char* stem;
    int left, width;
    const char* design;
    Qt::Alignment alignment;
  };
  const Column columns[] = {
      {&LabelBorat, "LabelBorat", 41, 80, "ＸＸＸＸＸ", Qt::AlignLeft | Qt::AlignVCenter},
      {&LabelOld, "LabelOld", 121, 25, "XX", Qt::AlignCenter},
      {&LabelSyusin, "LabelSyusin", 145, 36, "ＸＸ", Qt::AlignCenter},
      {&LabelWght, "LabelWght", 181, 25, "XX", Qt::AlignCenter},
      {&LabelClas, "LabelClas", 205, 25, "XX", Qt::AlignCenter},
      {&LabelGWin, "LabelGWin", 241, 45, "XXXXX", Qt::AlignCenter},
      {&LabelGWSd, "LabelGWSd", 286, 45, "XXXXX", Qt::AlignCenter},
      {&LabelRWin, "LabelRWin", 337, 45, "XXXXX", Qt::AlignCenter},
      {&LabelRWSd, "LabelRWSd", 382, 45, "XXXXX", Qt::AlignCenter},
      {&LabelBtNo, "LabelBtNo", 453, 30, "XXX", Qt::AlignCenter},
      {&LabelBtWn, "LabelBtWn", 483, 45, "XXXXX", Qt::AlignCenter},
      {&LabelMtNo, "LabelMtNo", 533, 30, "XXX", Qt::AlignCenter},
      {&LabelMtWn, "LabelMtWn", 563, 45, "XXXXX", Qt::AlignCenter},
  };
  for (int lane = 1; lane <= 6; ++lane) {
    const int top = 70 + 22 * (lane - 1);
    auto* button = new QPushButton(QString::number(lane), Panel2);
    button->setObjectName(Numbered("BBtnBorat", lane));
    button->setGeometry(20, top, 21, 21);
    button->setFont(font13);
    button->setCursor(Qt::PointingHandCursor);
    button->setToolTip(Text("今節成績の表示／非表示"));
    SetPlainButtonColors(button, LaneColor(lane), LaneFontColor(lane));
    BBtnBorat[lane - 1] = button;
    for (const Column& c : columns) {
      (*c.controls)[lane - 1] =
          MakeCell(Panel2, Numbered(c.stem, lane), QRect(c.left, top, c.width, 21), Text(c.design),
                   font13, LaneColor(lane), LaneFontColor(lane), c.alignment);
    }
  }

  // The meeting-results grid covers the boat and motor columns when shown.
  Panel12 = MakePanel(Panel2, "Panel12", QRect(430, 25, 186, 180), kBlack);
  const char* slotHeadings[] = {"１", "2", "3", "4", "5", "6"};
  const int kekkaTops[] = {45, 67, 89, 111, 133, 154};
  for (int slot = 1; slot <= 6; ++slot) {
    const int left = 20 + 25 * (slot - 1);
    MakeLabel(Panel12, "", QRect(left, 25, 20, 16), Text(slotHeadings[slot - 1]), font12, kWhite,
              Qt::AlignCenter);
    for (int lane = 1; lane <= 6; ++lane) {
      LabelKekka[slot - 1][lane - 1] = MakeCell(
          Panel12, Numbered("LabelKekka", slot, lane), QRect(left, kekkaTops[lane - 1], 20, 21),
          Text("XX"), font13, LaneColor(lane), LaneFontColor(lane));
    }
  }
  Panel12->hide();

  BtnEditData = new QPushButton(Text("予想"), Panel2);
  BtnEditData->setObjectName(QStringLiteral("BtnEditData"));
  BtnEditData->setGeometry(456, 212, 121, 30);
  BtnEditData->setFont(MsGothic(24, true));
  BtnEditData->setCursor(Qt::PointingHandCursor);
  BtnEditData->setIcon(QPixmap::fromImage(SingleBoatPicture()));
  BtnEditData->setIconSize(QSize(40, 23));
  SetButtonColors(BtnEditData, QApplication::palette().color(QPalette::Button), kFuchsia);

  // --- Start prediction panels ---
  const QList<QImage> boats = BoatImageList();
  for (const QImage& boat : boats) boatImages_ << QPixmap::fromImage(boat);
  const QImage water = WaterPicture();
  Panel3 = MakePanel(Client, "Panel3", QRect(4, 261, 157, 213), QColor());
  Label1 = MakeHeading(Panel3, "Label1", 157, "コース進入");
  Image1 = MakePicture(Panel3, "Image1", QRect(4, 20, 150, 191), water, true);
  const int entryLefts[] = {96, 96, 88, 28, 16, 16};
  for (int k = 1; k <= 6; ++k) {
    ImageBoart1[k - 1] = MakePicture(Panel3, Numbered("ImageBoart1", k),
                                     QRect(entryLefts[k - 1], 30 * k, 40, 23), boats[k - 1], false);
  }

  // The water left of courses 1 to 3 stays free whatever the entry: room for a note. Its height
  // follows its text.
  LabelSuitei = MakeCell(Panel3, "LabelSuitei", QRect(6, 23, 80, 0), QString(), MsGothic(11, true),
                         kNavy, kWhite, Qt::AlignLeft | Qt::AlignTop);
  LabelSuitei->setWordWrap(true);
  LabelSuitei->setMargin(2);
  LabelSuitei->hide();

  Panel4 = MakePanel(Client, "Panel4", QRect(161, 261, 157, 213), QColor());
  Label2 = MakeHeading(Panel4, "Label2", 157, "スリット進入");
  Image2 = MakePicture(Panel4, "Image2", QRect(4, 20, 150, 191), water, true);
  Bevel2 = MakeBevel(Panel4, "Bevel2", QRect(140, 20, 9, 191));
  for (int k = 1; k <= 6; ++k) {
    ImageBoart2[k - 1] = MakePicture(Panel4, Numbered("ImageBoart2", k), QRect(100, 30 * k, 40, 23),
                                     boats[k - 1], false);
  }

  Panel5 = MakePanel(Client, "Panel5", QRect(318, 261, 115, 213), QColor());
  Label3 = MakeHeading(Panel5, "Label3", 115, "第１ターン後");
  Image3 = MakePicture(Panel5, "Image3", QRect(4, 20, 107, 191), water, true);
  Bevel1 = MakeBevel(Panel5, "Bevel1", QRect(4, 190, 107, 3));
  Image4 = MakePicture(Panel5, "Image4", QRect(79, 170, 30, 30), BuoyPicture(), false);
  for (int k = 1; k <= 6; ++k) {
    const int top = 20 + 20 * k;
    ImageBoart3[k - 1] = MakePicture(Panel5, Numbered("ImageBoart3", k), QRect(10, top, 40, 23),
                                     boats[k + 5], false);
    LabelBoart3[k - 1] =
        MakeLabel(Panel5, Numbered("LabelBoart3", k), QRect(0, top, 40, 12), QString(),
                  MsGothic(10, true), kWhite, Qt::AlignLeft | Qt::AlignTop);
  }

  // --- Recommended tickets ---
  TabSyouShiki = new QWidget(Client);
  TabSyouShiki->setObjectName(QStringLiteral("TabSyouShiki"));
  TabSyouShiki->setGeometry(433, 261, 196, 213);
  TabSyouShikiTabs = new UprightTabBar(TabSyouShiki);
  TabSyouShikiTabs->setObjectName(QStringLiteral("TabSyouShikiTabs"));
  TabSyouShikiTabs->setShape(QTabBar::RoundedWest);
  TabSyouShikiTabs->setFont(MsGothic(12, true));
  TabSyouShikiTabs->addTab(Text("単勝"));
  TabSyouShikiTabs->addTab(Text("複勝"));
  TabSyouShikiTabs->setGeometry(0, 0, 24, 213);
  TabSyouShikiTabs->setCurrentIndex(0);

  YosouPanel = new UprightTabWidget(TabSyouShiki);
  YosouPanel->setObjectName(QStringLiteral("YosouPanel"));
  YosouPanel->setTabPosition(QTabWidget::East);
  YosouPanel->setFont(MsGothic(12, true));
  YosouPanel->setGeometry(24, 0, 172, 213);
  Yosou2Sheet = new QWidget();
  Yosou2Sheet->setObjectName(QStringLiteral("Yosou2Sheet"));
  Yosou3Sheet = new QWidget();
  Yosou3Sheet->setObjectName(QStringLiteral("Yosou3Sheet"));
  YosouPanel->addTab(Yosou2Sheet, Text("２連単複"));
  YosouPanel->addTab(Yosou3Sheet, Text("３連単複"));
  YosouPanel->setCurrentWidget(Yosou3Sheet);

  LabelRace2Chekt = MakeCell(Yosou2Sheet, "LabelRace2Chekt", QRect(0, 0, 146, 18),
                             Text("推奨 船券番号"), MsGothic(13, true), kAqua, kBlack);
  // Grey like an empty ticket cell, so that rows of a bet type not on sale blend into it.
  QFrame* grey2 = MakePanel(Yosou2Sheet, "", QRect(0, 20, 146, 180), kGrey);
  for (int r = 1; r <= 6; ++r) {
    const int top = 12 + 27 * (r - 1);
    const QFont digitFont = MsGothic(18, true);
    Funa2Ken[r - 1][0] = MakeCell(grey2, Numbered("Funa2Ken", r, 1), QRect(20, top, 28, 25),
                                  Text("X"), digitFont, kBlue, kWhite);
    Funa2KenY[r - 1] = MakeLabel(grey2, Numbered("Funa2KenY", r), QRect(60, top, 28, 25),
                                 Text("－"), digitFont, kBlack, Qt::AlignCenter);
    Funa2Ken[r - 1][1] = MakeCell(grey2, Numbered("Funa2Ken", r, 2), QRect(100, top, 28, 25),
                                  Text("X"), digitFont, kBlue, kWhite);
  }

  LabelRace3Chekt = MakeCell(Yosou3Sheet, "LabelRace3Chekt", QRect(0, 0, 146, 18),
                             Text("推奨 船券番号"), MsGothic(13, true), kAqua, kBlack);
  QFrame* grey3 = MakePanel(Yosou3Sheet, "", QRect(0, 20, 146, 180), kGrey);
  for (int r = 1; r <= 6; ++r) {
    const int top = 7 + 22 * (r - 1);
    const QFont digitFont = MsGothic(15, true);
    const int lefts[] = {15, 65, 115};
    for (int c = 1; c <= 3; ++c) {
      Funa3Ken[r - 1][c - 1] =
          MakeCell(grey3, Numbered("Funa3Ken", r, c), QRect(lefts[c - 1], top, 22, 18), Text("X"),
                   digitFont, kBlue, kWhite);
    }
    for (int c = 1; c <= 2; ++c) {
      Funa3KenY[r - 1][c - 1] =
          MakeLabel(grey3, Numbered("Funa3KenY", r, c), QRect(40 + 50 * (c - 1), top, 20, 19),
                    Text("－"), digitFont, kBlack, Qt::AlignCenter);
    }
  }

  // --- Panel8: result-check summary ---
  Panel8 = MakePanel(Client, "Panel8", QRect(4, 50, 625, 251), kBlack);
  const Heading summaryHeadings[] = {{28, 10, 44, "レース"},
                                     {91, 10, 70, "連勝複式"},
                                     {331, 10, 70, "連勝複式"},
                                     {208, 10, 70, "連勝単式"},
                                     {468, 10, 70, "連勝単式"}};
  for (const Heading& h : summaryHeadings) {
    MakeLabel(Panel8, "", QRect(h.left, h.top, h.width, 15), Text(h.text), font12, kSilver);
  }
  for (int left : {190, 310, 445, 580}) MakeBevel(Panel8, "", QRect(left, 6, 2, 206));
  MakeBevel(Panel8, "", QRect(8, 26, 609, 2));
  const QFont rowFont = MsGothic(13, true);
  for (int r = 1; r <= 12; ++r) {
    const int top = 30 + 15 * (r - 1);
    const QString caption = r < 10 ? QStringLiteral(" %1R").arg(r) : QStringLiteral("%1R").arg(r);
    LabelKekkaR[r - 1] = MakeLabel(Panel8, Numbered("LabelKekkaR", r), QRect(40, top, 30, 15),
                                   caption, rowFont, kWhite);
    struct Pair {
      Row<QLabel, 12>* ticket;
      const char* ticketStem;
      int ticketLeft, ticketWidth;
      Row<QLabel, 12>* payout;
      const char* payoutStem;
      int payoutLeft;
    };
    const Pair pairs[] = {
        {&LabelKekka2F, "LabelKekka2F", 75, 45, &LabelKekka2FR, "LabelKekka2FR", 122},
        {&LabelKekka2T, "LabelKekka2T", 196, 45, &LabelKekka2TR, "LabelKekka2TR", 243},
        {&LabelKekka3F, "LabelKekka3F", 315, 60, &LabelKekka3FR, "LabelKekka3FR", 377},
        {&LabelKekka3T, "LabelKekka3T", 451, 60, &LabelKekka3TR, "LabelKekka3TR", 513},
    };
    for (const Pair& p : pairs) {
      const bool threeBoat = p.ticketWidth > 45;
      (*p.ticket)[r - 1] =
          MakeCell(Panel8, Numbered(p.ticketStem, r), QRect(p.ticketLeft, top, p.ticketWidth, 15),
                   Text(threeBoat ? "X-X-X(X)" : "X-X(X)"), rowFont, kBlack, kWhite,
                   Qt::AlignLeft | Qt::AlignVCenter);
      (*p.payout)[r - 1] =
          MakeLabel(Panel8, Numbered(p.payoutStem, r), QRect(p.payoutLeft, top, 66, 15),
                    Text("0円"), rowFont, kWhite, Qt::AlignRight | Qt::AlignVCenter);
    }
  }
  MakeCell(Panel8, "", QRect(360, 220, 76, 18), Text("赤枠白抜き"), font13, kRed, kWhite);
  MakeLabel(Panel8, "", QRect(438, 220, 140, 18), Text("は的中船券を示す。"), font13, kWhite);
  // Left of the result button, where the footer has room: hits and return of the last check.
  LabelHitReturn = MakeLabel(Panel8, "LabelHitReturn", QRect(8, 214, 250, 32), QString(),
                             MsGothic(11, true), kWhite, Qt::AlignLeft | Qt::AlignVCenter);
  BBtnKekka = new QPushButton(Text("結果表示"), Panel8);
  BBtnKekka->setObjectName(QStringLiteral("BBtnKekka"));
  BBtnKekka->setGeometry(261, 215, 75, 25);
  BBtnKekka->setFont(font13);
  BBtnKekka->setCursor(Qt::PointingHandCursor);

  // The progress overlay, shown over the grid only while a check runs.
  Panel9 = MakePanel(Panel8, "Panel9", QRect(1, 2, 623, 244), kNavy);
  Label4 = MakeLabel(Panel9, "Label4", QRect(0, 40, 623, 60), Text("レース結果 照合中"),
                     MsGothic(48, true), kAqua, Qt::AlignCenter);
  RaceImage = MakePicture(Panel9, "RaceImage", QRect(60, 136, 40, 23), SingleBoatPicture(), false);
  MakeLabel(Panel9, "", QRect(16, 168, 40, 18), Text("0%"), font13, kAqua, Qt::AlignRight);
  MakeLabel(Panel9, "", QRect(570, 168, 48, 18), Text("100%"), font13, kAqua);
  Panel10 = MakePanel(Panel9, "Panel10", QRect(60, 166, 506, 22), kNavy);
  Panel10->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FileLoadPBar = new QProgressBar(Panel10);
  FileLoadPBar->setObjectName(QStringLiteral("FileLoadPBar"));
  FileLoadPBar->setGeometry(4, 3, 498, 16);
  FileLoadPBar->setRange(0, 100);
  FileLoadPBar->setValue(0);
  FileLoadPBar->setTextVisible(false);
}

void TMainForm::BuildMenu() {
  MainMenu = menuBar();
  MainMenu->setObjectName(QStringLiteral("MainMenu"));
  auto submenu = [&](QAction*& action, const char* name, const char* caption) {
    QMenu* menu = MainMenu->addMenu(Text(caption));
    menu->setObjectName(QString::fromLatin1(name));
    action = menu->menuAction();
    action->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  auto item = [&](QMenu* menu, QAction*& action, const char* name, const char* caption) {
    action = menu->addAction(Text(caption));
    action->setObjectName(QString::fromLatin1(name));
  };
  QMenu* n1 = submenu(N1, "N1", "予想＆結果(&S)");
  item(n1, N2, "N2", "番組表 読み込み");
  item(n1, N5, "N5", "推奨船券 予想");
  item(n1, N3, "N3", "全結果 照合");
  item(n1, Exit1, "Exit1", "終了");
  QMenu* n4 = submenu(N4, "N4", "設定(&T)");
  item(n4, DtUpdate, "DtUpdate", "最新データに更新");
  item(n4, N7, "N7", "競艇ｵﾌｨｼｬﾙWeb参照");
  QMenu* print1 = submenu(Print1, "Print1", "印刷(&O)");
  item(print1, Print2, "Print2", "印刷(&P)");
  QMenu* help1 = submenu(Help1, "Help1", "ﾍﾙﾌﾟ(&H)");
  item(help1, HelpHP, "HelpHP", "画面ヘルプ");
  item(help1, J1, "J1", "ソフト サポート ﾎｰﾑﾍﾟｰｼﾞ(&J)");
  item(help1, Help, "Help", "Orvik Soft ﾎｰﾑﾍﾟｰｼﾞ(&T)");
  item(help1, AboutVer, "AboutVer", "ﾊﾞｰｼﾞｮﾝ情報(&A)");
}

}  // namespace wakorin
