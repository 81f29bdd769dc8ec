#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <random>

#include "results/ResultFile.h"
#include "tests/TempFiles.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::FindVenueResult;

using testsupport::BuildResultFile;
using testsupport::Payout;
using testsupport::ResultBlockSpec;
using testsupport::ResultRowSpec;

using Events = std::vector<std::string>;

const ResultRow kBlankRow{"   ",   "        ", "   ",   "        ",
                          "     ", "        ", "     ", "        "};

// Results that differ by venue and race, so a row read from the wrong block or offset shows.
ResultRowSpec RowFor(int venue, int race) {
  std::array<char, 3> lanes{char('1' + race % 6), char('1' + (race + 1) % 6),
                            char('1' + (race + 3) % 6)};
  const std::string trifecta{lanes[0], '-', lanes[1], '-', lanes[2]};
  const std::string exacta{lanes[0], '-', lanes[1]};
  const std::string quinella{std::min(lanes[0], lanes[1]), '-', std::max(lanes[0], lanes[1])};
  std::sort(lanes.begin(), lanes.end());
  const std::string trio{lanes[0], '-', lanes[1], '-', lanes[2]};
  const long base = venue * 10000L + race * 100L;
  return ResultRowSpec{trifecta, Payout(base + 4), trio,     Payout(base + 3),
                       exacta,   Payout(base + 2), quinella, Payout(base + 1)};
}

ResultRow Expected(int venue, int race) {
  const ResultRowSpec s = RowFor(venue, race);
  return ResultRow{s.quinella, s.quinellaPay, s.exacta,   s.exactaPay,
                   s.trio,     s.trioPay,     s.trifecta, s.trifectaPay};
}

ResultBlockSpec Block(const std::string& code, int venue, std::size_t length = 10600,
                      bool blankAt408 = true, int races = 12) {
  ResultBlockSpec block;
  block.code = code;
  for (int r = 1; r <= races; ++r) block.rows.push_back(RowFor(venue, r));
  block.blankAt408 = blankAt408;
  block.length = length;
  return block;
}

// Writes down what the search reports; a slide of one-byte steps is folded into "read a..b".
class Recorder : public ResultSearchObserver {
 public:
  void FileOpened(std::uint64_t size) override { events.push_back("open " + std::to_string(size)); }
  void Skipped(int k, std::uint64_t position) override {
    events.push_back("skip " + std::to_string(k) + " to " + std::to_string(position));
  }
  bool BeforeHeaderRead(std::uint64_t position) override {
    if (!events.empty() && events.back().starts_with("read ") && position == last_ + 1) {
      events.back() = "read " + std::to_string(slideStart_) + ".." + std::to_string(position);
    } else {
      events.push_back("read " + std::to_string(position));
      slideStart_ = position;
    }
    last_ = position;
    return !stopAt || !stopAt(position);
  }
  void PassedOtherVenue() override { events.push_back("passed"); }
  void PayoutRead(std::uint64_t position) override {
    events.push_back("payout " + std::to_string(position));
  }

  Events events;
  std::function<bool(std::uint64_t)> stopAt;  // true: answer stop

 private:
  std::uint64_t slideStart_ = 0, last_ = 0;
};

class ResultFileTest : public ::testing::Test {
 protected:
  ResultSearch Find(std::string_view bytes, std::string_view code, int before) {
    auto found = FindVenueResult(dir_.Write("K060415.TXT", bytes), code, before, recorder_);
    EXPECT_TRUE(found.ok());
    return found ? *found : ResultSearch{};
  }
  void ExpectVenue(const ResultSearch& search, int venue, int races = 12) {
    ASSERT_EQ(search.end, ResultSearchEnd::Found);
    for (int r = 1; r <= races; ++r) EXPECT_EQ(search.result.Race(r), Expected(venue, r)) << r;
  }

  testing::TempDir dir_;
  Recorder recorder_;
};

TEST(ResultFilePathTest, ReplacesTheLeadingLetterOfTheFileName) {
  EXPECT_EQ(ResultFilePath("/race/B060415.TXT"), "/race/K060415.TXT");
  EXPECT_EQ(ResultFilePath("/race/b060415.txt"), "/race/K060415.txt");
  EXPECT_EQ(ResultFilePath("B060415.tXt"), "K060415.tXt");
  EXPECT_EQ(ResultFilePath("/race/XB060415.TXT"), "/race/XK060415.TXT");
  EXPECT_EQ(ResultFilePath("/race/b241115.lzh"), "/race/K241115.lzh");
  EXPECT_EQ(ResultFilePath("/race/B241115.LZH.TXT"), "/race/K241115.LZH");
  // Whatever follows the first extension is dropped.
  EXPECT_EQ(ResultFilePath("/race/B060415.TXT.bak"), "/race/K060415.TXT");
  EXPECT_EQ(ResultFilePath("/race/B060415.TXT.TXT"), "/race/K060415.TXT");
  // A folder named like a text file does not count.
  EXPECT_EQ(ResultFilePath("/old.txt/B0604.TXT.d/B060415.TXT"), "/old.txt/B0604.TXT.d/K060415.TXT");
}

TEST(ResultFilePathTest, NamesWithoutRoomForTheRuleGiveNoPath) {
  for (std::string_view path :
       {"", "/", "/race/B060415.DAT", "/race/B060415.TX", "/race/.TXT", "/race/060415.TXT",
        "/race.txt/B060415", "/race/longfolder/B.TXT", "/race/a.txt-B060415.TXT"}) {
    EXPECT_EQ(ResultFilePath(path), "") << path;
  }
}

// Archive tools on Linux extract the official files in lower case; the result file is found
// beside the program file whatever the case of either name, the exact name first, and the
// archive or the text of the day, the same kind as the program file first.
TEST(ResultFilePathTest, ResultFileFoundInAnyLetterCase) {
  struct Case {
    std::vector<std::string> onDisk;
    std::string program, found;
  };
  for (const Case& c : {Case{{"k241115.txt"}, "b241115.txt", "k241115.txt"},
                        Case{{"k241115.txt"}, "B241115.TXT", "k241115.txt"},
                        Case{{"K241115.TXT"}, "b241115.txt", "K241115.TXT"},
                        Case{{"K241115.txt", "k241115.txt"}, "b241115.txt", "K241115.txt"},
                        Case{{"k241116.txt"}, "b241115.txt", ""},
                        Case{{"k241115.lzh"}, "b241115.lzh", "k241115.lzh"},
                        Case{{"K241115.TXT"}, "b241115.lzh", "K241115.TXT"},
                        Case{{"k241115.LZH"}, "B241115.TXT", "k241115.LZH"},
                        Case{{"K241115.TXT", "k241115.lzh"}, "b241115.lzh", "k241115.lzh"},
                        Case{{"K241115.TXT", "k241115.lzh"}, "B241115.TXT", "K241115.TXT"},
                        Case{{"k241116.lzh", "K241116.TXT"}, "b241115.lzh", ""}}) {
    testing::TempDir dir;
    for (const std::string& name : c.onDisk) dir.Write(name, "STARTK\r\n");
    const std::string found = FindResultFile(dir.PathOf(c.program));
    EXPECT_EQ(found, c.found.empty() ? "" : dir.PathOf(c.found)) << c.program;
  }
}

TEST_F(ResultFileTest, SkipsSlidesAndPassesOtherVenuesInOrder) {
  // Blocks of 10600 bytes after an 8-byte start line: keys at 8, 10608 and 21208.
  const std::string file = BuildResultFile({Block("01", 1), Block("02", 2), Block("03", 3)});
  const std::string open = "open " + std::to_string(file.size());

  ExpectVenue(Find(file, "01", 0), 1);
  EXPECT_EQ(recorder_.events, (Events{open, "read 8", "payout 1345"}));

  recorder_.events.clear();
  ExpectVenue(Find(file, "02", 1), 2);  // no skip for the second venue either
  EXPECT_EQ(recorder_.events,
            (Events{open, "read 8", "passed", "read 10397..10608", "payout 11945"}));

  recorder_.events.clear();
  ExpectVenue(Find(file, "03", 2), 3);  // 9977 bytes on, short of the second venue's key
  EXPECT_EQ(recorder_.events, (Events{open, "skip 1 to 9985", "read 9985..10608", "passed",
                                      "read 20997..21208", "payout 22545"}));
}

TEST_F(ResultFileTest, ByteAt408PlacesTheTable) {
  const std::string file =
      BuildResultFile({Block("01", 1, 10600, false), Block("02", 2, 10600, true)});
  ExpectVenue(Find(file, "01", 0), 1);
  EXPECT_EQ(recorder_.events.back(), "payout 1344");  // table at 410
  ExpectVenue(Find(file, "02", 1), 2);
  EXPECT_EQ(recorder_.events.back(), "payout 11945");  // table at 411
}

TEST_F(ResultFileTest, RowsOfRacesNotRunAreReadAsTheyStand) {
  const ResultSearch search = Find(BuildResultFile({Block("07", 7, 10600, true, 11)}), "07", 0);
  ExpectVenue(search, 7, 11);
  EXPECT_EQ(search.result.Race(12), kBlankRow);  // blanks, not empty texts
  EXPECT_EQ(search.result.Race(0), kBlankRow);
  EXPECT_EQ(search.result.Race(13), kBlankRow);
}

TEST_F(ResultFileTest, TableCutShortByTheEndOfTheFileReadsAsBlanks) {
  const std::string file = BuildResultFile({Block("01", 1), Block("02", 2)});
  const std::size_t key = 8 + 10600;
  // Rows 1 and 2 are partly in the file; race 2's trifecta combination is the last whole field.
  ResultSearch search = Find(file.substr(0, key + 411 + 97), "02", 1);
  ASSERT_EQ(search.end, ResultSearchEnd::Found);
  EXPECT_EQ(search.result.Race(1), Expected(2, 1));
  EXPECT_EQ(search.result.Race(2).TrifectaCombination, Expected(2, 2).TrifectaCombination);
  EXPECT_EQ(search.result.Race(2).TrifectaPayout, "        ");
  for (int r = 3; r <= 12; ++r) EXPECT_EQ(search.result.Race(r), kBlankRow) << r;
  EXPECT_EQ(recorder_.events.back(), "payout " + std::to_string(key + 411 + 926));

  // A header cut before byte 408 leaves nothing of the table.
  search = Find(file.substr(0, key + 300), "02", 1);
  ASSERT_EQ(search.end, ResultSearchEnd::Found);
  for (int r = 1; r <= 12; ++r) EXPECT_EQ(search.result.Race(r), kBlankRow) << r;
}

TEST_F(ResultFileTest, StartMarkerOnlyAtEightByteSteps) {
  const std::vector<ResultBlockSpec> blocks{Block("05", 5)};
  ExpectVenue(Find(BuildResultFile(blocks, std::string(16, '-')), "05", 0), 5);
  for (const std::string& bytes :
       {std::string(), std::string("STARTX\r\n05KBGN\r\n"),
        BuildResultFile(blocks, std::string(10, '-')), std::string(8 << 20, ' ')}) {
    recorder_.events.clear();
    EXPECT_EQ(Find(bytes, "05", 0).end, ResultSearchEnd::NotFound);
    EXPECT_EQ(recorder_.events, (Events{"open " + std::to_string(bytes.size())}));
  }
  // A marker in a last, short step still counts; nothing follows it.
  recorder_.events.clear();
  EXPECT_EQ(Find("12345678STARTK", "05", 0).end, ResultSearchEnd::NotFound);
  EXPECT_EQ(recorder_.events[1], "read 16");
}

TEST_F(ResultFileTest, ObserverCanStopTheSearch) {
  const std::string file = BuildResultFile({Block("01", 1), Block("02", 2), Block("03", 3)});
  recorder_.stopAt = [](std::uint64_t position) { return position == 10400; };
  EXPECT_EQ(Find(file, "02", 1).end, ResultSearchEnd::Stopped);
  EXPECT_EQ(recorder_.events.back(), "read 10397..10400");

  // ...also in the search from the start that follows a miss.
  recorder_.events.clear();
  recorder_.stopAt = [&](std::uint64_t position) {
    return position == 8 && recorder_.events.size() > 2;
  };
  EXPECT_EQ(Find(file, "09", 0).end, ResultSearchEnd::Stopped);
  EXPECT_EQ(recorder_.events.back(), "read 8");
}

TEST_F(ResultFileTest, ShortBlocksAreFoundBySearchingAgainFromTheStart) {
  // Blocks of 9632 bytes: the jump after the first key lands past the second.
  const std::string file = BuildResultFile(
      {Block("01", 1, 9632), Block("02", 2, 9632), Block("03", 3, 9632), Block("04", 4, 9632)});
  ExpectVenue(Find(file, "02", 1), 2);
  EXPECT_EQ(recorder_.events.back(), "payout " + std::to_string(8 + 9632 + 1337));
  for (int venue = 1; venue <= 4; ++venue) {
    ExpectVenue(Find(file, "0" + std::to_string(venue), venue - 1), venue);
  }
  EXPECT_EQ(Find(file, "05", 4).end, ResultSearchEnd::NotFound);
  // Far too many venues before: the skip lands past the end, and the search from the start
  // finds the key even where it straddles two of its reads.
  for (std::size_t filler : {std::size_t{0}, std::size_t{65533}}) {
    ExpectVenue(Find("STARTK\r\n" + std::string(filler, ' ') +
                         testsupport::BuildResultBlock(Block("01", 1)),
                     "01", 30),
                1);
  }
  // A venue not in the file: the first search ends with the read that reaches the end of the
  // file, the second goes through from the start.
  recorder_.events.clear();
  EXPECT_EQ(Find(BuildResultFile({Block("01", 1)}), "02", 0).end, ResultSearchEnd::NotFound);
  EXPECT_EQ(recorder_.events,
            (Events{"open 10616", "read 8", "passed", "read 10397", "read 8", "passed"}));
  EXPECT_EQ(Find(file, "2", 1).end, ResultSearchEnd::NotFound);
  EXPECT_EQ(Find(file, "02KBGN", 1).end, ResultSearchEnd::NotFound);
}

TEST_F(ResultFileTest, KeyMetBySkippingStaysTheResult) {
  // The skip passes over the first "05"; the one it meets is the answer.
  ExpectVenue(Find(BuildResultFile({Block("05", 1), Block("07", 2), Block("05", 3)}), "05", 2), 3);
}

TEST_F(ResultFileTest, OpenFailureIsAnIoError) {
  auto missing = FindVenueResult(dir_.PathOf("K060415.TXT"), "01", 0, recorder_);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().kind, Error::Kind::Io);
  EXPECT_FALSE(FindVenueResult(dir_.path().string(), "01", 0, recorder_).ok());
}

TEST_F(ResultFileTest, TruncatedAndRandomFilesNeverBreakTheSearch) {
  auto expectWellFormed = [](const ResultSearch& search) {
    if (search.end != ResultSearchEnd::Found) return;
    for (const ResultRow& row : search.result.Rows) {
      EXPECT_EQ(row.QuinellaCombination.size() + row.ExactaCombination.size(), 6u);
      EXPECT_EQ(row.TrioCombination.size() + row.TrifectaCombination.size(), 10u);
      EXPECT_EQ(row.QuinellaPayout.size() + row.ExactaPayout.size() + row.TrioPayout.size() +
                    row.TrifectaPayout.size(),
                32u);
    }
  };
  const std::string whole = BuildResultFile({Block("01", 1), Block("02", 2, 9632)});
  for (std::size_t cut = 0; cut < whole.size(); cut += 997) {
    expectWellFormed(Find(whole.substr(0, cut), "02", 1));
  }
  std::mt19937 random(7);
  for (int round = 0; round < 40; ++round) {
    std::string bytes(random() % 60000, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    if (round % 2 == 0) bytes.insert(0, "STARTK\r\n");
    for (int m = 0; m < 8 && !bytes.empty(); ++m) {
      bytes.replace(random() % bytes.size(), 0, m % 2 ? "03KBGN" : "11KBGN");
    }
    const std::string path = dir_.Write("random.TXT", bytes);
    for (int before : {-1, 0, 3, 40}) {
      ResultSearchObserver quiet;
      auto search = FindVenueResult(path, "03", before, quiet);
      ASSERT_TRUE(search.ok());
      expectWellFormed(*search);
    }
  }
}

}  // namespace
}  // namespace wakorin
