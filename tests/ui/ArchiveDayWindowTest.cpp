// A day read straight from the official archives shows in the window exactly as from its text
// files; an archive that cannot be unpacked leaves the window as it was.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <algorithm>
#include <filesystem>

#include "app/Application.h"
#include "tests/Archives.h"
#include "tests/TempFiles.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "tests/ui/WorkingFolder.h"
#include "ui/MainForm.h"
#include "ui/TitleForm.h"
#include "ui/Widgets.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::Find;
using testing::WorkingFolder;

namespace fs = std::filesystem;
const fs::path kSamples = WAKORIN_SAMPLES_DIR;

// Every label the window shows, with its text and colours, in name order.
QStringList Shown(const TMainForm& form) {
  QList<QLabel*> labels = form.findChildren<QLabel*>();
  std::sort(labels.begin(), labels.end(),
            [](QLabel* a, QLabel* b) { return a->objectName() < b->objectName(); });
  QStringList shown;
  for (const QLabel* label : labels) {
    if (!label->isVisibleTo(&form)) continue;
    shown << label->objectName() + QLatin1Char('=') + label->text() + QLatin1Char('|') +
                 ui::Background(label).name() + ui::TextColor(label).name();
  }
  return shown;
}

// One window over a day: every race's card and prediction, then every venue's result check.
struct Session {
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};

  QStringList Walk(const fs::path& program) {
    QStringList seen;
    desktop.fileAnswers.push_back(QString::fromStdString(program.string()));
    if (!form.ChooseProgramFile()) return {QStringLiteral("not opened")};
    auto* venues = Find<QComboBox>(form, "SelectC");
    auto* races = Find<QComboBox>(form, "SelectR");
    for (int venue = 0; venue < venues->count(); ++venue) {
      venues->setCurrentIndex(venue);
      emit venues->activated(venue);
      for (int race = 0; race < races->count(); ++race) {
        races->setCurrentIndex(race);
        emit races->activated(race);
        EXPECT_TRUE(form.PredictShownRace()) << venue << " " << race;
        seen << Shown(form);
      }
    }
    Action(form, "N3")->trigger();
    for (int venue = 0; venue < venues->count(); ++venue) {
      venues->setCurrentIndex(venue);
      emit venues->activated(venue);
      Find<QPushButton>(form, "BBtnKekka")->click();
      seen << Shown(form);
    }
    return seen;
  }
};

class ArchiveDayWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
    for (const char* folder : {"text", "day", "work", "pack"})
      fs::create_directory(dir.path() / folder);
    for (const char* name : {"B060415.TXT", "K060415.TXT", "Fan0510.txt"}) {
      fs::copy_file(kSamples / name, dir.path() / "text" / name);
    }
    // The archives as the official site names them, the statistics as a period file; each file
    // is packed under its bare name (a name climbing out of the folder is refused).
    fs::copy_file(kSamples / "Fan0510.txt", dir.path() / "pack" / "fan0604.txt");
    for (const char* name : {"B060415.TXT", "K060415.TXT"}) {
      fs::copy_file(kSamples / name, dir.path() / "pack" / name);
    }
    for (const auto& [archive, inside] : {std::pair{"b060415.lzh", "B060415.TXT"},
                                          std::pair{"k060415.lzh", "K060415.TXT"},
                                          std::pair{"fan0604.lzh", "fan0604.txt"}}) {
      ASSERT_TRUE(testing::Pack(dir.path() / "pack", archive, {inside})) << archive;
      fs::rename(dir.path() / "pack" / archive, dir.path() / "day" / archive);
    }
  }
  testing::TempDir dir;
};

TEST_F(ArchiveDayWindowTest, SameCardsPredictionsAndResultsAsFromTheTextFiles) {
  Session text, archives;
  QStringList fromText, fromArchives;
  {
    WorkingFolder folder(dir.PathOf("text"));
    fromText = text.Walk(dir.path() / "text" / "B060415.TXT");
  }
  {
    WorkingFolder folder(dir.PathOf("work"));
    fromArchives = archives.Walk(dir.path() / "day" / "b060415.lzh");
  }
  EXPECT_GT(fromText.size(), 69 * 50);
  EXPECT_TRUE(fromArchives == fromText);  // tens of thousands of lines: no dump on failure
  EXPECT_TRUE(text.desktop.messages.isEmpty());
  EXPECT_TRUE(archives.desktop.messages.isEmpty())
      << archives.desktop.messages.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(Find<QFrame>(archives.form, "Panel3")
                  ->toolTip()
                  .endsWith(QString::fromStdString("/day/fan0604.lzh")));
}

TEST_F(ArchiveDayWindowTest, ArchiveThatCannotBeUnpackedKeepsTheWindowAsItWas) {
  WorkingFolder folder(dir.PathOf("work"));
  const std::string damaged = dir.PathOf("day/b060416.lzh");
  fs::copy_file(dir.path() / "day" / "b060415.lzh", damaged);
  fs::resize_file(damaged, fs::file_size(damaged) / 2);
  const QString message = QStringLiteral(
                              "圧縮ファイル(\"%1\")を展開できませんでした。\n"
                              "圧縮ファイルが途中で切れています。")
                              .arg(QString::fromStdString(damaged));

  Session session;
  session.desktop.fileAnswers.push_back(QString::fromStdString(dir.PathOf("day/b060415.lzh")));
  ASSERT_TRUE(session.form.ChooseProgramFile());
  const QStringList before = Shown(session.form);
  session.desktop.fileAnswers.push_back(QString::fromStdString(damaged));
  EXPECT_FALSE(session.form.ChooseProgramFile());
  EXPECT_EQ(session.desktop.messages, QStringList{message});
  EXPECT_EQ(Shown(session.form), before);
  EXPECT_EQ(session.form.ProgramFilePath(), dir.PathOf("day/b060415.lzh"));

  // At start-up, the application ends as for any other file it cannot use.
  Session starting;
  QSignalSpy terminated(&starting.form, &TMainForm::TerminateRequested);
  starting.desktop.fileAnswers.push_back(QString::fromStdString(damaged));
  auto title = std::make_unique<TTitleForm>();
  EXPECT_FALSE(starting.app.Start(std::move(title)));
  EXPECT_EQ(starting.desktop.messages, QStringList{message});
  EXPECT_EQ(terminated.count(), 1);
  EXPECT_FALSE(starting.form.isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace wakorin
