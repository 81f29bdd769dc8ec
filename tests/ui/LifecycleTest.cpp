// Start-up with the title screen, the ways the application ends, and the menu commands.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <filesystem>
#include <functional>
#include <utility>

#include "app/Application.h"
#include "app/Links.h"
#include "base/ByteFile.h"
#include "tests/TempFiles.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"
#include "ui/Widgets.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::Cell;
using testing::Find;

using testsupport::BuildProgramFile;
using testsupport::SampleVenue;

const QString kNotProgramFile = QStringLiteral("レース番組表ファイルではありません。");

QList<TTitleForm*> VisibleTitles() {
  QList<TTitleForm*> titles;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (auto* title = qobject_cast<TTitleForm*>(widget); title && title->isVisible())
      titles << title;
  }
  return titles;
}

class LifecycleTest : public ::testing::Test {
 protected:
  LifecycleTest() : terminated(&form, &TMainForm::TerminateRequested) {}
  ~LifecycleTest() override {
    form.hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QString DayFile() {
    return QString::fromStdString(dir.Write(
        "B060415.TXT", BuildProgramFile({SampleVenue("05", 12, 1), SampleVenue("19", 11, 2)})));
  }
  bool StartUp() {
    auto owned = std::make_unique<TTitleForm>();
    title = owned.get();
    return app.Start(std::move(owned));
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};
  QSignalSpy terminated;
  QPointer<TTitleForm> title;
};

TEST_F(LifecycleTest, TitleWindowAsDesigned) {
  TTitleForm form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Wakorin"));
  EXPECT_TRUE(form.windowFlags() & Qt::Tool);
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  // A thin title bar with the caption and no buttons, which no window manager draws over.
  EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(Find<QLabel>(form, "Caption")->text(), QStringLiteral("Wakorin"));
  EXPECT_LT(Find<QLabel>(form, "Caption")->height(), 20);
  EXPECT_EQ(Find<QLabel>(form, "Caption")->geometry().bottom() + 1,
            Find<QWidget>(form, "Client")->y());
  EXPECT_TRUE(form.findChildren<QAbstractButton*>().isEmpty());
  EXPECT_EQ(Find<QWidget>(form, "Client")->size(), QSize(476, 123));
  EXPECT_EQ(ui::Background(Find<QWidget>(form, "Client")), QColor(0, 255, 255));
  EXPECT_EQ(Find<QLabel>(form, "KyoteiImage")->geometry(), QRect(0, 0, 476, 123));
  EXPECT_TRUE(Find<QLabel>(form, "KyoteiImage")->hasScaledContents());
  EXPECT_EQ(Find<QLabel>(form, "LabelVer")->geometry(), QRect(296, 96, 169, 19));
  EXPECT_EQ(Find<QLabel>(form, "LabelVer")->text(), QStringLiteral("Ver2.11 '06前期データ版"));
  EXPECT_EQ(ui::TextColor(Find<QLabel>(form, "LabelVer")), QColor(255, 0, 0));
  EXPECT_EQ(ui::Background(Find<QLabel>(form, "LabelVer")), QColor(0, 255, 255));
  EXPECT_TRUE(Find<QLabel>(form, "LabelVer")->font().bold());
  EXPECT_EQ(Find<QLabel>(form, "LabelVer")->alignment(), Qt::AlignCenter);
}

TEST_F(LifecycleTest, TitleIsPaintedBeforeTheWaitAndStaysForTheDialog) {
  bool checkedWait = false;
  bool checkedDialog = false;
  desktop.onWait = [&] {
    ASSERT_EQ(VisibleTitles().size(), 1);
    EXPECT_GT(VisibleTitles()[0]->PaintCount(), 0);
    EXPECT_TRUE(desktop.dialogs.empty());
    checkedWait = true;
  };
  desktop.onChoose = [&] {
    EXPECT_EQ(desktop.waits, std::vector<int>{3000});
    EXPECT_EQ(VisibleTitles().size(), 1);
    EXPECT_FALSE(form.isVisible());
    checkedDialog = true;
  };
  desktop.fileAnswers.push_back(DayFile());
  EXPECT_TRUE(StartUp());
  EXPECT_TRUE(checkedWait && checkedDialog);
  EXPECT_TRUE(title.isNull());  // destroyed before the main window shows
  EXPECT_FALSE(form.QuitRequested());
}

TEST_F(LifecycleTest, ValidFileShowsTheMainWindowAtRaceCardHeight) {
  desktop.fileAnswers.push_back(DayFile());
  ASSERT_TRUE(StartUp());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Wakorin Ver2.11 2006年度前期ﾃﾞｰﾀ版"));
  EXPECT_EQ(form.OuterHeight(), 348);
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->currentIndex(), 0);
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->currentText(), QStringLiteral("下　関    [全11R]"));
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentText(), QStringLiteral("1"));
  EXPECT_EQ(terminated.count(), 0);
  EXPECT_TRUE(desktop.messages.isEmpty());
}

TEST_F(LifecycleTest, CancelOrMissingFileAtStartUpEndsWithoutTheMainWindow) {
  desktop.fileAnswers.push_back(std::nullopt);
  EXPECT_FALSE(StartUp());
  EXPECT_EQ(desktop.messages, QStringList{kNotProgramFile});
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(terminated.count(), 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(title.isNull());

  const QString missing = QString::fromStdString(dir.PathOf("B010101.TXT"));
  desktop.fileAnswers.push_back(missing);
  EXPECT_FALSE(StartUp());
  EXPECT_EQ(desktop.messages.last(),
            QStringLiteral("レース番組表ファイル(\"%1\")がありません。").arg(missing));
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(terminated.count(), 2);
}

// What a command that ends early must leave as it found it.
std::string WindowState(const TMainForm& form) {
  QStringList state{QString::number(form.OuterHeight()), Find<QLabel>(form, "LabelRName")->text(),
                    Cell(form, "LabelBorat", 0)->text(), Action(form, "N3")->text()};
  const QWidget* regions[] = {
      Find<QFrame>(form, "Panel2"),        Find<QFrame>(form, "Panel3"),
      Find<QFrame>(form, "Panel8"),        Find<QFrame>(form, "Panel9"),
      Find<QWidget>(form, "TabSyouShiki"), Find<QPushButton>(form, "BtnEditData")};
  for (const QWidget* widget : regions) {
    state << (widget->isHidden() ? QStringLiteral("hidden") : QStringLiteral("shown"));
  }
  state << (Find<QComboBox>(form, "SelectC")->isEnabled() ? QStringLiteral("unlocked")
                                                          : QStringLiteral("locked"));
  return state.join(QLatin1Char('|')).toStdString();
}

// The race program file is read once, when it is opened: an I/O error then ends the start-up,
// and nothing the user does afterwards reads it again, however the file changes on disk.
TEST_F(LifecycleTest, TheDayIsReadOnceWhenItIsOpened) {
  namespace fs = std::filesystem;
  auto messages = [&] { return desktop.messages.join(QLatin1Char('|')).toStdString(); };
  const QString day = DayFile();
  const fs::path path = day.toStdString();
  // A folder in the file's place can be opened but not read.
  fs::remove(path);
  fs::create_directory(path);
  desktop.fileAnswers.push_back(day);
  EXPECT_FALSE(StartUp());
  // The design's text first, then the file and the system's reason.
  EXPECT_EQ(messages(), "I/O エラー (21)\nレース番組表ファイル(\"" + day.toStdString() +
                            "\")を読めませんでした(Is a directory)。");
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(terminated.count(), 1);

  fs::remove_all(path);
  DayFile();
  desktop.fileAnswers.push_back(day);
  Action(form, "N2")->trigger();
  const std::uint64_t opened = ByteFile::OpenCount();
  fs::remove(path);
  fs::create_directory(path);
  desktop.messages.clear();
  Find<QComboBox>(form, "SelectR")->setCurrentIndex(3);
  emit Find<QComboBox>(form, "SelectR")->activated(3);
  EXPECT_EQ(form.SelectedRace(), 4);
  Find<QComboBox>(form, "SelectC")->setCurrentIndex(1);
  emit Find<QComboBox>(form, "SelectC")->activated(1);
  EXPECT_EQ(form.SelectedVenue(), 1u);
  for (int race = 0; race < Find<QComboBox>(form, "SelectR")->count(); ++race) {
    Find<QComboBox>(form, "SelectR")->setCurrentIndex(race);
    emit Find<QComboBox>(form, "SelectR")->activated(race);
    EXPECT_EQ(form.SelectedRace(), race + 1);
  }
  EXPECT_EQ(ByteFile::OpenCount(), opened);
  EXPECT_EQ(messages(), "");

  // The check reads the result file, whose I/O error ends it with the window as it was.
  fs::copy_file(fs::path(WAKORIN_SAMPLES_DIR) / "Fan0510.txt", dir.PathOf("Fan0510.txt"));
  fs::create_directory(dir.PathOf("K060415.TXT"));
  Action(form, "N3")->trigger();
  const std::string before = WindowState(form);
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_EQ(messages(), "I/O エラー (21)");
  EXPECT_EQ(WindowState(form), before);
  EXPECT_EQ(terminated.count(), 1);
}

TEST_F(LifecycleTest, ExitAndClosingTheWindowAskToQuit) {
  desktop.fileAnswers.push_back(DayFile());
  ASSERT_TRUE(StartUp());
  Action(form, "Exit1")->trigger();
  EXPECT_TRUE(form.QuitRequested());
  EXPECT_EQ(terminated.count(), 1);

  // A fresh start-up: nobody has asked to quit yet.
  desktop.fileAnswers.push_back(DayFile());
  ASSERT_TRUE(StartUp());
  ASSERT_FALSE(form.QuitRequested());
  form.close();
  EXPECT_TRUE(form.QuitRequested());
  EXPECT_EQ(terminated.count(), 2);
}

TEST_F(LifecycleTest, ReloadReturnsToRaceCardModeBeforeTheDialogEvenWhenCancelled) {
  desktop.fileAnswers.push_back(DayFile());
  ASSERT_TRUE(StartUp());
  Find<QComboBox>(form, "SelectR")->setCurrentIndex(4);
  emit Find<QComboBox>(form, "SelectR")->activated(4);
  const QString shownRace = Find<QLabel>(form, "LabelRName")->text();
  // Result-check mode with a prediction's height.
  Action(form, "N3")->trigger();
  form.SetOuterHeight(TMainForm::kFullHeight);

  bool checked = false;
  desktop.onChoose = [&] {
    EXPECT_EQ(Action(form, "N3")->text(), QStringLiteral("全結果 照合"));
    EXPECT_FALSE(Find<QFrame>(form, "Panel2")->isHidden());
    EXPECT_FALSE(Find<QPushButton>(form, "BtnEditData")->isHidden());
    EXPECT_TRUE(Find<QFrame>(form, "Panel8")->isHidden());
    EXPECT_TRUE(Find<QFrame>(form, "Panel9")->isHidden());
    EXPECT_TRUE(Action(form, "N5")->isEnabled());
    EXPECT_EQ(form.OuterHeight(), 348);
    checked = true;
  };
  desktop.fileAnswers.push_back(std::nullopt);
  Action(form, "N2")->trigger();
  EXPECT_TRUE(checked);
  EXPECT_EQ(desktop.messages.last(), kNotProgramFile);
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->count(), 2);
  EXPECT_EQ(Find<QComboBox>(form, "SelectR")->currentIndex(), 4);
  EXPECT_EQ(Find<QLabel>(form, "LabelRName")->text(), shownRace);
  EXPECT_EQ(terminated.count(), 0);  // unlike at start-up, the application goes on
  EXPECT_FALSE(form.QuitRequested());

  // A new file replaces the day.
  desktop.fileAnswers.push_back(QString::fromStdString(
      dir.Write("B060416.TXT", BuildProgramFile({SampleVenue("22", 12, 9)}))));
  Action(form, "N2")->trigger();
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->count(), 1);
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->currentText(), QStringLiteral("福　岡    [全12R]"));
}

TEST_F(LifecycleTest, VersionInformationShowsTheTitleWithItsItemGreyedOut) {
  bool checked = false;
  desktop.onWait = [&] {
    EXPECT_FALSE(Action(form, "AboutVer")->isEnabled());
    ASSERT_EQ(VisibleTitles().size(), 1);
    EXPECT_EQ(VisibleTitles()[0]->parentWidget(), nullptr);  // not owned by the main window
    EXPECT_GT(VisibleTitles()[0]->PaintCount(), 0);
    checked = true;
  };
  Action(form, "AboutVer")->trigger();
  EXPECT_TRUE(checked);
  EXPECT_EQ(desktop.waits, std::vector<int>{3000});
  EXPECT_TRUE(Action(form, "AboutVer")->isEnabled());
  EXPECT_TRUE(VisibleTitles().isEmpty());
}

TEST_F(LifecycleTest, LinksOpenTheirTargetsAndPrintDoesNothing) {
  Action(form, "N7")->trigger();
  Action(form, "DtUpdate")->trigger();
  Action(form, "Help")->trigger();
  Action(form, "J1")->trigger();
  Action(form, "Print2")->trigger();
  ASSERT_EQ(desktop.opened.size(), 2u);
  EXPECT_EQ(desktop.opened[0], QUrl(QString::fromLatin1(links::kOfficialSite)));
  EXPECT_EQ(desktop.opened[1], QUrl(QString::fromLatin1(links::kDataDownload)));
  // The project has no web pages: its support and home page items show the bundled help in the
  // help window, not in a browser.
  EXPECT_NE(form.findChild<QWidget*>(QStringLiteral("HelpBrowser")), nullptr);
  EXPECT_TRUE(desktop.messages.isEmpty());
}

}  // namespace
}  // namespace wakorin
