// Broken files of every kind fed to the real handlers: each ends in a message or a defined
// result, the window still works afterwards, and nothing is written to disk.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <filesystem>
#include <map>
#include <random>

#include "app/Application.h"
#include "tests/TempFiles.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "tests/ui/WorkingFolder.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

using testing::Action;
using testing::Cell;
using testing::Find;

using testing::WorkingFolder;

namespace fs = std::filesystem;
namespace ts = testsupport;

// Names, sizes and times of everything in a folder, to prove that nothing was written.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Snapshot(
    const fs::path& folder) {
  std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    const bool file = entry.is_regular_file();
    files[entry.path().string()] = {file ? entry.file_size() : 0, entry.last_write_time()};
  }
  return files;
}

class MalformedInputTest : public ::testing::Test {
 protected:
  MalformedInputTest() {
    // A good day to come back to after every broken file.
    std::vector<ts::VenueBlockSpec> venues{ts::SampleVenue("06", 12, 1),
                                           ts::SampleVenue("14", 11, 2)};
    std::string stats;
    for (const auto& venue : venues) {
      for (const auto& race : venue.races) {
        for (const auto& racer : race.racers)
          stats += ts::BuildStatsRecord(ts::StatsFor(racer.racerNo, 3));
      }
    }
    goodProgram = ts::BuildProgramFile(venues);
    goodStats = stats;
    std::vector<ts::ResultBlockSpec> results(2);
    results[0].code = "06";
    results[1].code = "14";
    for (auto& block : results) {
      block.rows.assign(12, {"1-2-3", ts::Payout(1230), "1-2-3", ts::Payout(450), "1-2",
                             ts::Payout(320), "1-2", ts::Payout(210)});
    }
    goodResults = ts::BuildResultFile(results);
    good = dir.Write("B060415.TXT", goodProgram);
    dir.Write("K060415.TXT", goodResults);
    dir.Write("Fan0510.txt", goodStats);
  }

  // Chooses a file through the menu, then proves the window still works on the good day.
  void Choose(const std::string& path) {
    desktop.fileAnswers.push_back(QString::fromStdString(path));
    Action(form, "N2")->trigger();
  }
  void ExpectStillWorks() {
    desktop.fileAnswers.push_back(QString::fromStdString(good));
    Action(form, "N2")->trigger();
    ASSERT_EQ(Find<QComboBox>(form, "SelectC")->count(), 2);
    Find<QComboBox>(form, "SelectR")->setCurrentIndex(3);
    emit Find<QComboBox>(form, "SelectR")->activated(3);
    EXPECT_EQ(form.RaceCard().Lane(1).RacerNo.size(), 4u);
    EXPECT_TRUE(form.PredictShownRace());
    EXPECT_FALSE(Find<QFrame>(form, "Panel3")->isHidden());
  }
  void RandomBytes(std::string& bytes, std::size_t size) {
    bytes.resize(size);
    for (char& c : bytes) c = static_cast<char>(random());
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};  // the reload command
  std::mt19937 random{2006};
  std::string goodProgram, goodStats, goodResults, good;
};

TEST_F(MalformedInputTest, BrokenRaceProgramFiles) {
  WorkingFolder folder(dir.path().string());
  const auto before = Snapshot(dir.path());
  std::vector<std::string> broken{"", "STARTB", "STARTB\r\n", std::string(10, ' ') + goodProgram,
                                  std::string(4096, '\0')};
  for (std::size_t cut = 1; cut < goodProgram.size(); cut += 997)
    broken.push_back(goodProgram.substr(0, cut));
  std::string bytes;
  for (std::size_t size : {7u, 100u, 10972u, 50000u}) {
    RandomBytes(bytes, size);
    broken.push_back(bytes);
    broken.push_back("STARTB\r\n" + bytes);
  }
  // A block of ten races: the blocks after it are no longer at their places.
  std::vector<ts::VenueBlockSpec> odd{ts::SampleVenue("01", 10, 1), ts::SampleVenue("02", 12, 2)};
  broken.push_back(ts::BuildProgramFile(odd));
  // NUL bytes inside fields.
  std::string nuls = goodProgram;
  for (std::size_t at = 8 + 127; at < nuls.size(); at += 37) nuls[at] = '\0';
  broken.push_back(nuls);

  for (std::size_t i = 0; i < broken.size(); ++i) {
    const std::string path = dir.Write("B" + std::to_string(100000 + i) + ".TXT", broken[i]);
    desktop.messages.clear();
    Choose(path);
    // Either a day is listed or a message says why not.
    EXPECT_TRUE(Find<QComboBox>(form, "SelectC")->count() > 0 || !desktop.messages.isEmpty()) << i;
    for (int venue = 0; venue < Find<QComboBox>(form, "SelectC")->count(); ++venue) {
      Find<QComboBox>(form, "SelectC")->setCurrentIndex(venue);
      emit Find<QComboBox>(form, "SelectC")->activated(venue);
      for (int race = 0; race < Find<QComboBox>(form, "SelectR")->count(); ++race) {
        Find<QComboBox>(form, "SelectR")->setCurrentIndex(race);
        emit Find<QComboBox>(form, "SelectR")->activated(race);
        form.PredictShownRace();
      }
    }
    fs::remove(path);
  }
  EXPECT_EQ(Snapshot(dir.path()), before);
  ExpectStillWorks();
}

TEST_F(MalformedInputTest, DirectoryUnreadableAndShrunkFiles) {
  WorkingFolder folder(dir.path().string());
  fs::create_directory(dir.PathOf("B999999.TXT"));
  Choose(dir.PathOf("B999999.TXT"));
  EXPECT_TRUE(desktop.messages.takeLast().startsWith(QStringLiteral("I/O エラー (21)\nレース番組表ファイル(")));
  ExpectStillWorks();

  if (::geteuid() != 0) {  // root reads whatever the permissions say
    const std::string locked = dir.Write("B888888.TXT", goodProgram);
    ::chmod(locked.c_str(), 0);
    Choose(locked);
    EXPECT_EQ(desktop.messages.takeLast(), QStringLiteral("I/O エラー (13)"));
    ExpectStillWorks();
  }

  // The file is replaced by a shorter one after loading: the card comes from what is left.
  ExpectStillWorks();
  dir.Write("B060415.TXT", goodProgram.substr(0, 8 + 10972 + 2000));
  for (int venue = 0; venue < 2; ++venue) {
    Find<QComboBox>(form, "SelectC")->setCurrentIndex(venue);
    emit Find<QComboBox>(form, "SelectC")->activated(venue);
    for (int race = 0; race < Find<QComboBox>(form, "SelectR")->count(); ++race) {
      Find<QComboBox>(form, "SelectR")->setCurrentIndex(race);
      emit Find<QComboBox>(form, "SelectR")->activated(race);
    }
  }
  dir.Write("B060415.TXT", goodProgram);
  ExpectStillWorks();
}

TEST_F(MalformedInputTest, BrokenStatisticsFiles) {
  WorkingFolder folder(dir.path().string());
  ExpectStillWorks();
  std::string notConverting = goodStats;
  notConverting.replace(82, 3, "1 2");
  std::string random;
  RandomBytes(random, 412 * 30 + 17);
  const std::vector<std::string> broken{"",
                                        goodStats.substr(0, 411),
                                        goodStats + "tail",
                                        goodStats.substr(0, goodStats.size() - 200),
                                        notConverting,
                                        random,
                                        std::string(412 * 3, '\0')};
  for (const std::string& bytes : broken) {
    dir.Write("Fan0510.txt", bytes);
    desktop.messages.clear();
    const bool predicted = form.PredictShownRace();
    EXPECT_TRUE(predicted || !desktop.messages.isEmpty());
  }
  fs::remove(dir.PathOf("Fan0510.txt"));
  fs::create_directory(dir.PathOf("Fan0510.txt"));
  EXPECT_FALSE(form.PredictShownRace());
  EXPECT_TRUE(desktop.messages.takeLast().startsWith(
      QStringLiteral("FAN手帳\"data\\FAN0510.TXT\"がありません。\n")));
  fs::remove(dir.PathOf("Fan0510.txt"));
  dir.Write("Fan0510.txt", goodStats);
  ExpectStillWorks();
}

TEST_F(MalformedInputTest, BrokenResultFiles) {
  WorkingFolder folder(dir.path().string());
  ExpectStillWorks();
  Action(form, "N3")->trigger();
  const std::size_t table = 8 + 411;  // the first block's payout table
  std::string random;
  RandomBytes(random, 30000);
  const std::vector<std::string> broken{"",
                                        goodResults.substr(0, table + 500),  // cut inside the table
                                        goodResults.substr(0, table + 5),
                                        goodResults.substr(0, 100),
                                        "STARTK\r\n" + random,
                                        random,
                                        std::string(3, ' ') + goodResults};
  for (int venue = 0; venue < 2; ++venue) {
    Find<QComboBox>(form, "SelectC")->setCurrentIndex(venue);
    emit Find<QComboBox>(form, "SelectC")->activated(venue);
    for (const std::string& bytes : broken) {
      dir.Write("K060415.TXT", bytes);
      desktop.messages.clear();
      Find<QPushButton>(form, "BBtnKekka")->click();
      EXPECT_TRUE(Find<QPushButton>(form, "BBtnKekka")->isEnabled());
      EXPECT_TRUE(Find<QComboBox>(form, "SelectC")->isEnabled());
      EXPECT_TRUE(Find<QFrame>(form, "Panel9")->isHidden());
      EXPECT_FALSE(form.QuitRequested());
    }
  }
  fs::remove(dir.PathOf("K060415.TXT"));
  fs::create_directory(dir.PathOf("K060415.TXT"));
  desktop.messages.clear();
  Find<QPushButton>(form, "BBtnKekka")->click();
  ASSERT_FALSE(desktop.messages.isEmpty());
  EXPECT_EQ(desktop.messages.last(), QStringLiteral("I/O エラー (21)"));
  EXPECT_TRUE(Find<QPushButton>(form, "BBtnKekka")->isEnabled());
  fs::remove(dir.PathOf("K060415.TXT"));
  dir.Write("K060415.TXT", goodResults);
  Find<QPushButton>(form, "BBtnKekka")->click();
  EXPECT_EQ(Cell(form, "LabelKekka3TR", 0)->text().trimmed(), QStringLiteral("1,230円"));
  Action(form, "N3")->trigger();
  ExpectStillWorks();
}

}  // namespace
}  // namespace wakorin
