// データ予想を学習... learns the data mode's model from the days in the data folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <cstdlib>
#include <string>

#include "app/Application.h"
#include "app/Settings.h"
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

}  // namespace
}  // namespace wakorin
