// Folders of days spoiled as people's folders get spoiled (another day's file under a day's name,
// a venue or a day twice, a misnamed file, a web page for the statistics, a file too large for
// memory) read alike by every road that reads days: the checker in both modes, wakorin-learn and
// the window's learning. Each must read the same days and name what it left out.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QRegularExpression>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>

#include "app/Application.h"
#include "app/Settings.h"
#include "tests/TempFiles.h"
#include "tests/ui/Find.h"
#include "tests/ui/ScriptedDesktop.h"
#include "ui/MainForm.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;
using testing::Action;
using testing::ReadAll;

constexpr int kDays = 25;

struct ToolRun {
  std::string out, err;
  int exit = 0;
};

ToolRun RunTool(const std::string& command, const std::string& dir) {
  const std::string err = dir + "/stderr.txt";
  ToolRun run;
  FILE* pipe = ::popen(("LC_ALL=C.UTF-8 " + command + " 2>'" + err + "'").c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  run.exit = WEXITSTATUS(::pclose(pipe));
  run.err = ReadAll(err);
  return run;
}

// The first number `pattern`'s groups catch, summed: the days a road says it read.
int Sum(const QString& text, const QString& pattern) {
  const QRegularExpressionMatch match = QRegularExpression(pattern).match(text);
  if (!match.hasMatch()) return -1;
  int sum = 0;
  for (int i = 1; i <= match.lastCapturedIndex(); ++i) sum += match.captured(i).toInt();
  return sum;
}

int Number(const std::string& text, const char* pattern) {
  return Sum(QString::fromStdString(text), QString::fromLatin1(pattern));
}

class HostileDaysTest : public ::testing::Test {
 protected:
  void TearDown() override {
    settings::SetModelFile(QString());
    settings::SetDataFolder(QString());
  }
  // Twenty-five made-up days of three venues from 2024-01-01, with their statistics file.
  std::string Days(const std::string& name) {
    const std::string folder = dir.PathOf(name);
    const std::string command = std::string(WAKORIN_SAMPLEGEN) + " '" + folder +
                                "' --date 240101 --venues 3 --days " + std::to_string(kDays) +
                                " > /dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return folder;
  }

  testing::TempDir dir;
  testing::ScriptedDesktop desktop;
  TMainForm form{desktop};
  Application app{form, desktop};
};

void Copy(const std::string& from, const std::string& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

TEST_F(HostileDaysTest, EveryRoadReadsTheSameDaysAndNamesWhatItLeftOut) {
  using Spoil = std::function<void(const std::string& folder)>;
  struct Case {
    const char* name;
    Spoil spoil;
    int daysRead;
    std::string named;          // named by every road: the checker in both modes, both learnings
    std::string namedStandard;  // named by the standard checker alone
  };
  const std::string day = "/B240110.TXT", results = "/K240110.TXT";
  const Case cases[] = {
      {"as made", [](const std::string&) {}, kDays, "", ""},
      {"another day's results under the day's name",
       [&](const std::string& f) { Copy(f + "/K240115.TXT", f + results); }, kDays - 1,
       "K240110.TXT", ""},
      {"a result file under the race program file's name",
       [&](const std::string& f) { Copy(f + results, f + day); }, kDays - 1, "B240110.TXT", ""},
      {"a venue twice",
       [&](const std::string& f) {
         const std::string bytes = ReadAll(f + day);
         const std::size_t second = bytes.find("BBGN", bytes.find("BBGN") + 4) - 2;
         const std::size_t body = bytes.find("BBGN") - 2;
         std::string twice = bytes.substr(0, second);
         for (int i = 0; i < 3; ++i) twice += bytes.substr(body, second - body);
         twice += bytes.substr(second);
         std::ofstream(f + day, std::ios::binary) << twice;
       },
       kDays, "", "stands more than once"},
      {"a day twice, in another letter case",
       [&](const std::string& f) { Copy(f + day, f + "/b240110.txt"); }, kDays, "", ""},
      {"a UTF-16 text before a good copy",
       [&](const std::string& f) {
         Copy(f + day, f + "/b240110.txt");
         std::ofstream(f + day, std::ios::binary) << std::string("\xff\xfe\x42\x00\x42\x00", 6);
       },
       kDays, "B240110.TXT", ""},
      {"a web page as the statistics file",
       [&](const std::string& f) {
         Copy(f + "/Fan0510.txt", f + "/fan2310.txt");
         std::ofstream(f + "/Fan0510.txt") << "<!DOCTYPE html><html><body>login</body></html>";
       },
       kDays, "", "Fan0510.txt"},
      {"a file far larger than memory",
       [&](const std::string& f) { fs::resize_file(f + day, std::uintmax_t{100} << 30); },
       kDays - 1, "B240110.TXT", ""},
  };

  int racesMade = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = Days("days");
    c.spoil(folder);
    const std::string quoted = " '" + folder + "'";

    const ToolRun standard = RunTool(std::string(WAKORIN_CHECK_TOOL) + " -q" + quoted, dir.path());
    const ToolRun data = RunTool(std::string(WAKORIN_CHECK_TOOL) + " -q --mode data" + quoted, dir.path());
    const ToolRun learn = RunTool(std::string(WAKORIN_LEARN_TOOL) +
                                  " -q -o '" + dir.PathOf("model.txt") + "' --test-from 2024-01-21" + quoted,
                              dir.path());
    settings::SetDataFolder(QString::fromStdString(folder));
    desktop.messages.clear();
    Action(form, "DtLearn")->trigger();
    ASSERT_EQ(desktop.messages.size(), 1);
    const QString window = desktop.messages[0];

    const int races = Number(standard.out, "Checked [0-9]+ days?, [0-9]+ venues, ([0-9]+) races");
    EXPECT_EQ(Number(standard.out, "Checked ([0-9]+) day"), c.daysRead) << standard.out << standard.err;
    EXPECT_EQ(Number(data.out, "Checked ([0-9]+) day"), c.daysRead) << data.out << data.err;
    EXPECT_EQ(Number(learn.out, "learning ([0-9]+) days?.*tuning ([0-9]+) days?.*held out ([0-9]+) day"),
              c.daysRead)
        << learn.out << learn.err;
    EXPECT_EQ(Sum(window, QStringLiteral("([0-9]+)日\\(.*しきい値の調整 ([0-9]+)日.*検証 ([0-9]+)日")),
              c.daysRead)
        << window.toStdString();
    // A venue or a day twice is one venue's, one day's races.
    if (racesMade < 0) racesMade = races;
    if (c.daysRead == kDays) {
      EXPECT_EQ(races, racesMade) << standard.out;
    }
    EXPECT_EQ(Number(data.out, "Checked [0-9]+ days?, [0-9]+ venues, ([0-9]+) races"), races);

    const bool clean = c.named.empty() && c.namedStandard.empty();
    EXPECT_EQ(standard.exit, clean ? 0 : 1) << standard.err;
    if (!c.named.empty()) {
      EXPECT_NE(standard.err.find(c.named), std::string::npos) << standard.err;
      EXPECT_NE(data.err.find(c.named), std::string::npos) << data.err;
      EXPECT_NE(learn.err.find(c.named), std::string::npos) << learn.err;
      EXPECT_TRUE(window.contains(QString::fromStdString(c.named))) << window.toStdString();
    }
    if (!c.namedStandard.empty()) {
      EXPECT_NE(standard.err.find(c.namedStandard), std::string::npos) << standard.err;
    }
    fs::remove_all(folder);
  }
}

// A result file refused as another day's feeds nothing: the data mode's figures on the days after
// it are those of a folder without that file at all.
TEST_F(HostileDaysTest, ARefusedResultFileInformsNoForm) {
  const std::string refused = Days("refused"), missing = Days("missing");
  Copy(refused + "/K240115.TXT", refused + "/K240110.TXT");
  fs::remove(missing + "/K240110.TXT");
  auto tally = [&](const std::string& folder) {
    std::string out = RunTool(std::string(WAKORIN_CHECK_TOOL) + " -q --mode data --from 2024-01-11 '" +
                                  folder + "'",
                              dir.path())
                          .out;
    return out.substr(out.find('\n'));  // past the summary line, which names the folder
  };
  EXPECT_EQ(tally(refused), tally(missing));
}

}  // namespace
}  // namespace wakorin
