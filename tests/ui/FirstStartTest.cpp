// The start-up of someone with no day at hand, and a day given on the command line.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QStandardPaths>

#include "app/Application.h"
#include "app/DayDownload.h"
#include "app/FileDialogFolder.h"
#include "app/Settings.h"
#include "tests/Archives.h"
#include "tests/TempFiles.h"
#include "tests/app/ArchiveServer.h"
#include "tests/app/DayArchives.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"

namespace wakorin {
namespace {

using testing::ArchiveServer;
using testing::Find;

const QDate kDay(2024, 11, 15);
const QString kAsk =
    QStringLiteral("レース番組表ファイルがありません。日付を指定してダウンロードしますか？");
const QString kNotProgramFile = QStringLiteral("レース番組表ファイルではありません。");

QString Path(const testing::TempDir& d) {
  return QString::fromStdString(d.path().string());
}

// An empty home: no settings, no data folder, no day.
class FirstStartTest : public ::testing::Test {
 protected:
  FirstStartTest() : oldHome(qgetenv("HOME")), terminated(&form, &TMainForm::TerminateRequested) {
    qputenv("HOME", Path(home).toUtf8());
    qputenv("WAKORIN_DAY_FILES_URL", server.DayFiles().toUtf8());
    qputenv("WAKORIN_RACER_FILES_URL", server.RacerFiles().toUtf8());
    settings::SetDataFolder(QString());
    settings::SetLastFileFolder(QString());
    settings::SetLastDownloadDay(QDate());
    server.Serve(QStringLiteral("/od2/B/202411/b241115.lzh"), testing::ProgramArchiveOf(kDay));
    server.Serve(QStringLiteral("/od2/K/202411/k241115.lzh"), testing::ResultArchiveOf(kDay));
    server.Serve(QStringLiteral("/kibetsu/fan2410.lzh"), testing::StatsArchiveOf());
  }
  ~FirstStartTest() override {
    form.hide();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    qputenv("HOME", oldHome);
    qunsetenv("WAKORIN_DAY_FILES_URL");
    qunsetenv("WAKORIN_RACER_FILES_URL");
  }

  bool StartUp(const QStringList& files = {}) { return app.Start(std::make_unique<TTitleForm>(), files); }
  QString DataFolder() const { return settings::DataFolder(); }

  QByteArray oldHome;
  testing::TempDir home;
  ArchiveServer server;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};
  QSignalSpy terminated;
};

TEST_F(FirstStartTest, YesDownloadsTheLatestPublishedDayAndShowsItsCard) {
  if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
  ASSERT_TRUE(DataFolder().startsWith(Path(home))) << DataFolder().toStdString();
  desktop.questionAnswers.push_back(true);
  desktop.dateAnswers.push_back(kDay);
  ASSERT_TRUE(StartUp()) << desktop.messages.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(desktop.questions, QStringList{kAsk});
  EXPECT_EQ(desktop.datesOffered,
            std::vector<QDate>{LatestPublishedDay(QDateTime::currentDateTime())});
  EXPECT_TRUE(desktop.dialogs.empty());
  EXPECT_TRUE(desktop.messages.isEmpty());
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(QString::fromStdString(form.ProgramFilePath()),
            QDir(DataFolder()).filePath(QStringLiteral("b241115.lzh")));
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->currentText(), QStringLiteral("福　岡    [全12R]"));
  EXPECT_FALSE(Find<QLabel>(form, "LabelRName")->text().isEmpty());
  EXPECT_EQ(settings::LastFileFolder(), DataFolder());
  EXPECT_EQ(terminated.count(), 0);
}

// いいえ, a download that fails, or a folder that already holds a day: the file dialog as ever,
// opening in the data folder, and its cancel ends the application with the usual message.
TEST_F(FirstStartTest, OtherwiseTheFileDialogAsEver) {
  const struct {
    const char* what;
    bool answer;
    const char* fileInFolder;
    bool programPublished;
    int questions, dateDialogs;
  } cases[] = {
      {"いいえ", false, nullptr, true, 1, 0},
      {"download fails", true, nullptr, false, 1, 1},
      {"a day at hand", true, "B060415.lzh", true, 0, 0},
  };
  for (const auto& c : cases) {
    testing::TempDir data;
    settings::SetDataFolder(Path(data));
    if (c.fileInFolder) data.Write(c.fileInFolder, "");
    server.Serve(QStringLiteral("/od2/B/202411/b241115.lzh"),
                 c.programPublished ? ArchiveServer::Answer{testing::ProgramArchiveOf(kDay)}
                                    : ArchiveServer::Answer{"", 404});
    desktop.questions.clear();
    desktop.messages.clear();
    desktop.dialogs.clear();
    desktop.datesOffered.clear();
    desktop.questionAnswers = {c.answer};
    desktop.dateAnswers = {kDay};
    desktop.fileAnswers = {std::nullopt};
    EXPECT_FALSE(StartUp()) << c.what;
    EXPECT_EQ(desktop.questions.size(), c.questions) << c.what;
    EXPECT_EQ(static_cast<int>(desktop.datesOffered.size()), c.dateDialogs) << c.what;
    ASSERT_EQ(desktop.dialogs.size(), 1u) << c.what;
    EXPECT_EQ(desktop.dialogs[0].startFolder, Path(data)) << c.what;
    EXPECT_TRUE(desktop.dialogs[0].sidebar.contains(QUrl::fromLocalFile(Path(data)))) << c.what;
    EXPECT_EQ(desktop.messages.last(), kNotProgramFile) << c.what;
    EXPECT_FALSE(form.isVisible()) << c.what;
  }
  EXPECT_EQ(terminated.count(), 3);
}

// The sample day's folder stands in the side bar while it exists, so that one who declined the
// download finds it at once.
TEST(FileDialogFolderTest, SidebarOffersTheSamplesFolderWhenItExists) {
  testing::TempDir samples;
  const QUrl place = QUrl::fromLocalFile(Path(samples));
  EXPECT_TRUE(FileDialogFolder(Path(samples)).Sidebar().contains(place));
  EXPECT_FALSE(FileDialogFolder(Path(samples) + QStringLiteral("/gone")).Sidebar().contains(
      QUrl::fromLocalFile(Path(samples) + QStringLiteral("/gone"))));
  EXPECT_TRUE(FileDialogFolder::InstalledSamplesFolder().endsWith(QStringLiteral("/share/wakorin/samples")));
}

TEST_F(FirstStartTest, DayGivenOnTheCommandLineOpensWithoutAnyDialog) {
  testing::TempDir days;
  const QString day = QString::fromStdString(days.Write("B241115.TXT", testing::ProgramFileOf(kDay)));
  ASSERT_TRUE(StartUp({day}));
  EXPECT_TRUE(desktop.dialogs.empty());
  EXPECT_TRUE(desktop.questions.isEmpty());
  EXPECT_TRUE(desktop.messages.isEmpty());
  EXPECT_EQ(QString::fromStdString(form.ProgramFilePath()), day);
  EXPECT_EQ(Find<QComboBox>(form, "SelectC")->currentText(), QStringLiteral("福　岡    [全12R]"));
  EXPECT_EQ(settings::LastFileFolder(), Path(days));

  // A file that is not there is named, and the day is chosen as at any start.
  const QString missing = Path(days) + QStringLiteral("/B241116.TXT");
  desktop.fileAnswers.push_back(day);
  ASSERT_TRUE(StartUp({missing}));
  EXPECT_EQ(desktop.messages,
            QStringList{QStringLiteral("レース番組表ファイル(\"%1\")がありません。").arg(missing)});
  ASSERT_EQ(desktop.dialogs.size(), 1u);
  EXPECT_EQ(desktop.dialogs[0].startFolder, Path(days));
}

}  // namespace
}  // namespace wakorin
