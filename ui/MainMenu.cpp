#include "ui/MainMenu.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace wakorin::ui {

MainMenu BuildMainMenu(QMainWindow& window) {
  QMenuBar* bar = window.menuBar();
  bar->setObjectName(QStringLiteral("MainMenu"));
  auto submenu = [&](const char* name, const char* caption) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
  };
  auto item = [](QMenu* menu, const char* name, const char* caption) {
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    return action;
  };
  MainMenu m;
  QMenu* n1 = submenu("N1", "予想＆結果(&S)");
  m.N1 = n1->menuAction();
  m.N2 = item(n1, "N2", "番組表 読み込み");
  m.N5 = item(n1, "N5", "推奨船券 予想");
  m.N3 = item(n1, "N3", "全結果 照合");
  m.RaceResult = item(n1, "RaceResult", "レース結果...");
  m.RaceResult->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_K));
  m.DayRaces = item(n1, "DayRaces", "本日のレース一覧...");
  m.DayRaces->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
  m.SeasonSummary = item(n1, "SeasonSummary", "シーズン集計...");
  m.Exit1 = item(n1, "Exit1", "終了");
  QMenu* n4 = submenu("N4", "設定(&T)");
  m.DtUpdate = item(n4, "DtUpdate", "最新データに更新");
  m.DtDownload = item(n4, "DtDownload", "日付を指定してダウンロード...");
  m.DtFolder = item(n4, "DtFolder", "ダウンロード先フォルダ...");
  // How a race is predicted: the engine on the statistics file, or the model learned from past
  // seasons; one of the two is always chosen.
  QMenu* mode = n4->addMenu(QString::fromUtf8("予想方式"));
  mode->setObjectName(QStringLiteral("YosouMode"));
  mode->menuAction()->setObjectName(QStringLiteral("YosouMode"));
  m.YosouMode = mode->menuAction();
  m.ModeStandard = item(mode, "ModeStandard", "標準");
  m.ModeData = item(mode, "ModeData", "データ");
  auto* modes = new QActionGroup(&window);
  modes->setExclusive(true);
  for (QAction* action : {m.ModeStandard, m.ModeData}) {
    action->setCheckable(true);
    modes->addAction(action);
  }
  m.ModeStandard->setChecked(true);
  m.DtLearn = item(n4, "DtLearn", "データ予想を学習...");
  m.N7 = item(n4, "N7", "競艇ｵﾌｨｼｬﾙWeb参照");
  // The fan's own bets: what was bought, and how it came out.
  QMenu* bets = submenu("BetLog", "舟券(&B)");
  m.BetLog = bets->menuAction();
  m.BetRecord = item(bets, "BetRecord", "舟券を記録...");
  m.BetRecord->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
  m.BetBalance = item(bets, "BetBalance", "収支...");
  m.BetBalance->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_B));
  QMenu* print1 = submenu("Print1", "印刷(&O)");
  m.Print1 = print1->menuAction();
  m.Print2 = item(print1, "Print2", "印刷(&P)");
  QMenu* help1 = submenu("Help1", "ﾍﾙﾌﾟ(&H)");
  m.HelpHP = item(help1, "HelpHP", "画面ヘルプ");
  m.J1 = item(help1, "J1", "ソフト サポート ﾎｰﾑﾍﾟｰｼﾞ(&J)");
  m.Help = item(help1, "Help", "Orvik Soft ﾎｰﾑﾍﾟｰｼﾞ(&T)");
  m.AboutVer = item(help1, "AboutVer", "ﾊﾞｰｼﾞｮﾝ情報(&A)");
  return m;
}

}  // namespace wakorin::ui
