// データ予想を学習... learns the data mode's model from the days in the data folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QSignalSpy>
#include <QThreadPool>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "app/Application.h"
#include "app/LearnCommand.h"
#include "app/Settings.h"
#include "tests/SmallDisk.h"
#include "tests/TempFiles.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

using testing::Action;

class LearnCommandTest : public ::testing::Test {
 protected:
  void TearDown() override {
    // Later tests start with the built-in model and the default data folder.
    settings::SetModelFile(QString());
    settings::SetDataFolder(QString());
  }
  // A folder of `days` made-up days of four venues.
  QString Days(const std::string& name, int days) {
    const std::string folder = dir.PathOf(name);
    const std::string command = std::string(WAKORIN_SAMPLEGEN) + " '" + folder + "' --venues 4 --days " +
                                std::to_string(days) + " > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return QString::fromStdString(folder);
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};
};

TEST_F(LearnCommandTest, LearnsUsesAndReportsOnTheDaysHeldOut) {
  // Too few days to learn, tune and hold out: said, and nothing written.
  settings::SetDataFolder(Days("few", 5));
  Action(form, "DtLearn")->trigger();
  ASSERT_EQ(desktop.messages.size(), 1);
  EXPECT_TRUE(desktop.messages[0].contains(QStringLiteral("20日分以上"))) << desktop.messages[0].toStdString();
  EXPECT_TRUE(settings::ModelFile().isEmpty());

  const QString folder = Days("season", 30);
  settings::SetDataFolder(folder);
  desktop.messages.clear();
  Action(form, "DtLearn")->trigger();
  ASSERT_EQ(desktop.messages.size(), 1);
  const QString said = desktop.messages[0];
  EXPECT_TRUE(said.contains(QStringLiteral("レースから学習しました"))) << said.toStdString();
  EXPECT_TRUE(said.contains(QStringLiteral("２連単"))) << said.toStdString();
  EXPECT_TRUE(said.contains(QStringLiteral("利益を約束するものではありません")));
  const QString model = folder + QStringLiteral("/wakorin-data-model.txt");
  EXPECT_TRUE(QFileInfo::exists(model));
  EXPECT_EQ(settings::ModelFile(), model);
  EXPECT_NE(&form.CurrentDataModel(), nullptr);
  EXPECT_EQ(desktop.progressTitles.size(), 2);

  // The next start reads it back; a model file damaged since is said and the built-in one used.
  {
    TMainForm again{desktop};
    Application restarted{again, desktop};
    EXPECT_EQ(again.CurrentDataModel().learnedFrom, form.CurrentDataModel().learnedFrom);
  }
  dir.Write("season/wakorin-data-model.txt", "wakorin-data-model 1\nbroken\n");
  TMainForm broken{desktop};
  Application restarted{broken, desktop};
  EXPECT_NE(broken.CurrentDataModel().learnedFrom, form.CurrentDataModel().learnedFrom);
}

// A cancel, or the window closed, while the model is fitted: the fit stops and is waited for,
// nothing is written or said, and a quit ends the application once, after the job.
TEST_F(LearnCommandTest, CancelOrQuitDuringTheFitStopsItAndWritesNothing) {
  const QString folder = Days("season", 30);
  settings::SetDataFolder(folder);
  const QString fitting = QStringLiteral("学習しています");
  for (const bool quit : {false, true}) {
    SCOPED_TRACE(quit ? "quit" : "cancel");
    TMainForm window{desktop};
    Application application{window, desktop};
    QSignalSpy terminated(&window, &TMainForm::TerminateRequested);
    desktop.messages.clear();
    desktop.progressLabels.clear();
    bool busy = false, asked = false;
    int reportsAfter = 0;
    desktop.cancelWhen = [&](qint64) {
      if (desktop.progressLabels.last() != fitting) return false;
      if (asked) {
        ++reportsAfter;
        return false;
      }
      asked = true;
      busy = window.IsBusy() && !Action(window, "DtDownload")->isEnabled() &&
             !Action(window, "N1")->isEnabled();
      if (!quit) return true;
      window.close();
      return false;
    };
    Action(window, "DtLearn")->trigger();
    EXPECT_TRUE(asked);
    EXPECT_TRUE(busy);
    EXPECT_EQ(reportsAfter, 0);  // a quit is heard at the next report
    // The learning ran on the pool and has let go of it (its thread may take a moment to
    // return after the job has seen it end); a fit that ran on would hold it.
    EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(60000));
    EXPECT_TRUE(desktop.messages.isEmpty()) << desktop.messages.join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(QFileInfo::exists(folder + QStringLiteral("/wakorin-data-model.txt")));
    EXPECT_TRUE(settings::ModelFile().isEmpty());
    EXPECT_EQ(window.CurrentDataModel().learnedFrom, form.CurrentDataModel().learnedFrom);
    EXPECT_EQ(terminated.count(), quit ? 1 : 0);
    EXPECT_FALSE(window.IsBusy());
    EXPECT_TRUE(Action(window, "DtLearn")->isEnabled());
  }
  desktop.cancelWhen = nullptr;
}

// Learning on a data folder whose disk is full: the model learned before stays whole and the
// message says why the new one was not saved.
TEST_F(LearnCommandTest, FullDiskKeepsTheModelLearnedBefore) {
  testing::SmallDisk disk("size=8m");
  if (!disk.mounted()) GTEST_SKIP() << "mounting a small disk needs root";
  const std::string command = std::string(WAKORIN_SAMPLEGEN) + " '" + disk.path() +
                              "' --venues 4 --days 30 > /dev/null";
  ASSERT_EQ(std::system(command.c_str()), 0);
  const std::string old = "wakorin-data-model 1\nlearned before\n";
  std::ofstream(disk.PathOf("wakorin-data-model.txt"), std::ios::binary) << old;
  disk.Fill();
  settings::SetDataFolder(QString::fromStdString(disk.path()));
  Action(form, "DtLearn")->trigger();
  ASSERT_EQ(desktop.messages.size(), 1);
  const QString said = desktop.messages[0];
  EXPECT_TRUE(said.contains(QStringLiteral("ディスクがいっぱいです"))) << said.toStdString();
  EXPECT_TRUE(said.contains(QStringLiteral("そのまま残しました"))) << said.toStdString();
  EXPECT_EQ(testing::ReadAll(disk.PathOf("wakorin-data-model.txt")), old);
  EXPECT_TRUE(settings::ModelFile().isEmpty());
}

// The learned model is written whole or not at all: the model learned before stays, and the
// message names the cause.
TEST(SaveModelFile, KeepsTheOldModelAndNamesTheCause) {
  const std::string old = "wakorin-data-model 1\nold\n";
  const std::string text(20000, 'm');
  testing::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.PathOf("pipe.txt").c_str(), 0644), 0);
  EXPECT_TRUE(SaveModelFile(QString::fromStdString(dir.PathOf("model.txt")), text).isEmpty());
  EXPECT_EQ(testing::ReadAll(dir.PathOf("model.txt")), text);
  // Refused before any open: a pipe with no reader would block the window for ever.
  const QString pipe = SaveModelFile(QString::fromStdString(dir.PathOf("pipe.txt")), text);
  EXPECT_TRUE(pipe.contains(QStringLiteral("ふつうのファイルではありません"))) << pipe.toStdString();

  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
  const struct {
    const char* what;
    const char* options;
    const char* cause;
  } cases[] = {
      {"a full disk", "size=64k", "ディスクがいっぱいです"},
      {"a read-only disk", "ro,size=64k", "書き込めません"},
  };
  for (const auto& c : cases) {
    testing::SmallDisk disk(c.options);
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
    const bool readOnly = std::string_view(c.options).starts_with("ro");
    if (!readOnly) {
      std::ofstream(disk.PathOf("wakorin-data-model.txt"), std::ios::binary) << old;
      disk.Fill();
    }
    const QString said =
        SaveModelFile(QString::fromStdString(disk.PathOf("wakorin-data-model.txt")), text);
    EXPECT_TRUE(said.contains(QStringLiteral("学習したモデルを保存できませんでした"))) << c.what;
    EXPECT_TRUE(said.contains(QString::fromUtf8(c.cause))) << c.what << ": " << said.toStdString();
    if (!readOnly) {
      EXPECT_TRUE(said.contains(QStringLiteral("そのまま残しました"))) << said.toStdString();
      EXPECT_EQ(testing::ReadAll(disk.PathOf("wakorin-data-model.txt")), old);
    }
  }
}

}  // namespace
}  // namespace wakorin
