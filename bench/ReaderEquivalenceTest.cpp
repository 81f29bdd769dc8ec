// The readers take shortcuts for speed: blocks served from a window held in memory, one-byte
// slide steps told to the observer without a header being cut at each, racer keys compared as
// words, a small first read for the start line. Each is checked here against its rules written
// out plainly over the whole file in memory, on generated, damaged and random files, with the
// window's edges placed where they hurt: in a block, in a key, in the start line.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "base/ByteField.h"
#include "predict/RacerStats.h"
#include "program/VenueBlockScan.h"
#include "results/ResultFile.h"
#include "tests/TempFiles.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/ResultFileBuilder.h"
#include "tests/support/StatsFileBuilder.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using namespace testsupport;

constexpr std::size_t kChunk = 64 * 1024;

// The offset just past the 8-byte step holding `marker`, looking only at 8-byte steps.
std::optional<std::size_t> StartOf(std::string_view file, std::string_view marker) {
  for (std::size_t step = 0; step < file.size(); step += 8) {
    if (file.substr(step, marker.size()) == marker) return step + 8;
  }
  return std::nullopt;
}

std::string_view At(std::string_view file, std::uint64_t position, std::size_t count) {
  return position >= file.size() ? std::string_view() : file.substr(position, count);
}

// Junk that never holds a marker, a block mark or a key tail.
std::string Junk(std::mt19937& random, std::size_t length) {
  std::string bytes(length, ' ');
  for (char& c : bytes) c = static_cast<char>('a' + random() % 26);
  return bytes;
}

// Damage of one of several kinds, some of it placed at the edges of the readers' chunks.
std::string Damage(std::string file, std::mt19937& random, std::string_view tail) {
  switch (random() % 6) {
    case 0:
      return file;
    case 1:
      return file.substr(0, random() % (file.size() + 1));
    case 2:
      for (int i = 0; i < 20; ++i) file[random() % file.size()] = static_cast<char>(random());
      return file;
    case 3: {
      const std::size_t at = random() % file.size();
      return file.insert(at, Junk(random, 1 + random() % 900));
    }
    case 4: {
      // A key tail straddling, or just inside, a chunk edge counted from a likely read start.
      for (std::size_t edge = kChunk; edge + 8 < file.size(); edge += kChunk) {
        const std::size_t at = edge - 4 + random() % 8;
        file.replace(at, tail.size(), tail);
      }
      return file;
    }
    default:
      return Junk(random, 4000 + random() % 200) + file;  // start line around the first read
  }
}

// --- The race program file -------------------------------------------------------------------

struct Visit {
  std::string bytes;
  int raceCount = 0;
};

// Block after block from the start line: 12-race blocks follow back to back, anything else
// is taken to have lacked its 12th race.
std::vector<Visit> WalkPlainly(std::string_view file) {
  std::vector<Visit> visits;
  const auto start = StartOf(file, "STARTB");
  if (!start) return visits;
  std::uint64_t p = *start;
  while (true) {
    const std::string_view delivered = At(file, p, program_layout::kBlockBufferSize);
    const bool isBlock = StartsWith(delivered, 2, "BBGN");
    const bool twelve = StartsWith(delivered, 10966, "BEND");
    visits.push_back({std::string(delivered), twelve ? 12 : 11});
    if (p + delivered.size() >= file.size()) return visits;
    p += program_layout::kBlockBufferSize;
    if (!(isBlock && twelve)) p -= program_layout::kRaceRecordSize;
  }
}

// Blocks of every venue, of 11 and 12 races, made once: files are put together from them.
const std::vector<std::string>& BlockPool() {
  static const std::vector<std::string> pool = [] {
    std::vector<std::string> blocks;
    for (int code = 1; code <= 24; ++code) {
      for (int races : {11, 12}) {
        blocks.push_back(BuildVenueBlock(SampleVenue((code < 10 ? "0" : "") + std::to_string(code),
                                                     races, static_cast<unsigned>(code * races))));
      }
    }
    return blocks;
  }();
  return pool;
}

TEST(ReaderEquivalence, ProgramFileWalkMatchesItsRules) {
  std::mt19937 random(20060415);
  testing::TempDir dir;
  for (int round = 0; round < 60; ++round) {
    std::string venues = "STARTB\r\n";
    const int count = 1 + static_cast<int>(random() % 24);
    for (int v = 0; v < count; ++v) {
      const std::size_t pick = random() % BlockPool().size();
      venues += BlockPool()[random() % 3 ? pick | 1 : pick];  // odd picks: 12 races
    }
    venues += "FINALB\r\n";
    const std::string file = Damage(venues, random, "BBGN");
    const std::string path = dir.Write("B060415.TXT", file);
    const std::vector<Visit> visits = WalkPlainly(file);

    auto index = IndexVenueBlocks(path);
    ASSERT_TRUE(index.ok());
    EXPECT_EQ(index->startFound, StartOf(file, "STARTB").has_value());
    std::vector<std::pair<std::string, int>> expected, found;
    for (const Visit& v : visits) {
      if (StartsWith(v.bytes, 2, "BBGN")) expected.emplace_back(v.bytes.substr(0, 2), v.raceCount);
    }
    for (const VenueIndexEntry& e : index->blocks) found.emplace_back(e.code, e.raceCount);
    ASSERT_EQ(found, expected) << "round " << round;

    for (const auto& [code, races] : expected) {
      auto located = LocateVenueBlock(path, code);
      ASSERT_TRUE(located.ok());
      ASSERT_TRUE(located->has_value());
      const auto first = std::find_if(visits.begin(), visits.end(), [&](const Visit& v) {
        return StartsWith(v.bytes, 0, code + "BBGN");
      });
      EXPECT_EQ((*located)->bytes, first->bytes) << "round " << round << " venue " << code;
      EXPECT_EQ((*located)->raceCount, first->raceCount);
    }
    auto missing = LocateVenueBlock(path, "99");
    ASSERT_TRUE(missing.ok());
    EXPECT_FALSE(missing->has_value());
  }
}

// A file that ends just where a full read ends: the walk stops there, even though stepping back
// over an 11-race block's missing race would land on a block mark in the bytes already read.
TEST(ReaderEquivalence, FileEndingWithAFullReadEndsTheWalk) {
  testing::TempDir dir;
  const std::string eleven = BlockPool()[2 * 4];  // venue 05, 11 races
  std::string file = "STARTB\r\n" + eleven + "07BBGN";
  file.resize(8 + program_layout::kBlockBufferSize, ' ');
  auto index = IndexVenueBlocks(dir.Write("B060415.TXT", file));
  ASSERT_TRUE(index.ok());
  ASSERT_EQ(index->blocks.size(), 1u);
  EXPECT_EQ(index->blocks[0].code, "05");
  EXPECT_EQ(WalkPlainly(file).size(), 1u);
  // One byte more and the step back is taken.
  file += ' ';
  index = IndexVenueBlocks(dir.Write("B060415.TXT", file));
  ASSERT_TRUE(index.ok());
  ASSERT_EQ(index->blocks.size(), 2u);
  EXPECT_EQ(index->blocks[1].code, "07");
}

// --- The result file -------------------------------------------------------------------------

// One notice of the search: its kind ('o'pen, 's'kip, 'a'sk, 'p'assed, 't'able) and numbers.
struct Note {
  char kind = 0;
  std::uint64_t a = 0, b = 0;
  bool operator==(const Note&) const = default;
};

void PrintTo(const Note& note, std::ostream* out) {
  *out << note.kind << " " << note.a << " " << note.b;
}

// Writes down every notice, each one-byte step on its own, and stops at the n-th question.
class Tape final : public ResultSearchObserver {
 public:
  explicit Tape(int stopAtQuestion) : stopAt_(stopAtQuestion) {}

  void FileOpened(std::uint64_t size) override { notes.push_back({'o', size, 0}); }
  void Skipped(int k, std::uint64_t position) override {
    notes.push_back({'s', static_cast<std::uint64_t>(k), position});
  }
  bool BeforeHeaderRead(std::uint64_t position) override {
    notes.push_back({'a', position, 0});
    return ++questions_ != stopAt_;
  }
  void PassedOtherVenue() override { notes.push_back({'p', 0, 0}); }
  void PayoutRead(std::uint64_t position) override { notes.push_back({'t', position, 0}); }

  std::vector<Note> notes;

 private:
  int stopAt_;
  int questions_ = 0;
};

// The search written out over the file in memory: skip, slide one byte at a time and jump over
// other venues; failing that, look for the key anywhere in 64 KiB chunks; then cut the table.
ResultSearch SearchPlainly(std::string_view file, const std::string& code, int venuesBefore,
                           Tape& tape) {
  tape.FileOpened(file.size());
  ResultSearch search;
  const auto body = StartOf(file, "STARTK");
  if (!body) return search;
  const std::string key = code + "KBGN";
  auto isKey = [&](std::string_view bytes) { return key.size() == 6 && StartsWith(bytes, 0, key); };

  std::optional<std::uint64_t> keyAt;
  std::uint64_t pos = *body;
  if (venuesBefore - 1 >= 1) {
    pos += 9977ULL * static_cast<std::uint64_t>(venuesBefore - 1);
    tape.Skipped(venuesBefore - 1, pos);
  }
  while (true) {
    if (!tape.BeforeHeaderRead(pos)) {
      search.end = ResultSearchEnd::Stopped;
      return search;
    }
    const std::string_view header = At(file, pos, 411);
    if (isKey(header)) {
      keyAt = pos;
      break;
    }
    if (pos + 411 >= file.size()) break;
    if (StartsWith(header, 2, "KBGN")) {
      pos += 411 + 9978;
      tape.PassedOtherVenue();
    } else {
      pos += 1;
    }
  }
  for (std::uint64_t chunk = *body; !keyAt;) {
    if (!tape.BeforeHeaderRead(chunk)) {
      search.end = ResultSearchEnd::Stopped;
      return search;
    }
    const std::string_view bytes = At(file, chunk, kChunk);
    for (std::size_t tail = bytes.find("KBGN", 2); tail != std::string_view::npos && !keyAt;
         tail = bytes.find("KBGN", tail + 1)) {
      if (isKey(bytes.substr(tail - 2))) {
        keyAt = chunk + tail - 2;
      } else {
        tape.PassedOtherVenue();
      }
    }
    if (keyAt) break;
    if (bytes.size() < kChunk) return search;
    chunk += bytes.size() - 5;
  }

  const std::string_view header = At(file, *keyAt, 411);
  const bool longHeader = header.size() <= 408 || header[408] == ' ';
  const std::uint64_t table = *keyAt + 411 - (longHeader ? 0 : 1);
  // The block ends at its end line or at the next key; nothing after it is this venue's.
  const std::string_view rest = file.substr(*keyAt);
  std::size_t end = std::min(rest.find(code + "KEND"), rest.size());
  if (const std::size_t tail = rest.find("KBGN", 6); tail != std::string_view::npos) {
    end = std::min(end, tail - 2);
  }
  if (rest.find(code + "KEND") != std::string_view::npos && table - *keyAt >= end) {
    search.end = ResultSearchEnd::NotPublished;
    return search;
  }
  std::string bytes(table - *keyAt < end ? rest.substr(table - *keyAt, end - (table - *keyAt))
                                          : std::string_view());
  bytes.resize(926, ' ');
  tape.PayoutRead(table + 926);
  for (std::size_t r = 0; r < 12; ++r) {
    const std::size_t b = 77 * r;
    ResultRow& row = search.result.Rows[r];
    row.QuinellaCombination = bytes.substr(b + 64, 3);
    row.QuinellaPayout = bytes.substr(b + 67, 8);
    row.ExactaCombination = bytes.substr(b + 49, 3);
    row.ExactaPayout = bytes.substr(b + 52, 8);
    row.TrioCombination = bytes.substr(b + 32, 5);
    row.TrioPayout = bytes.substr(b + 37, 8);
    row.TrifectaCombination = bytes.substr(b + 15, 5);
    row.TrifectaPayout = bytes.substr(b + 20, 8);
  }
  search.end = ResultSearchEnd::Found;
  return search;
}

// Row r of the table the search read is whole: its label where the fixed table expects it and
// its CR LF at its end.
bool CleanRow(std::string_view file, const Tape& tape, std::size_t r) {
  const auto table = std::find_if(tape.notes.rbegin(), tape.notes.rend(),
                                  [](const auto& note) { return note.kind == 't'; });
  if (table == tape.notes.rend()) return false;
  const std::uint64_t start = table->a - 926 + 77 * r;
  const std::string_view row = At(file, start, 77);
  const std::string label = std::to_string(r + 1) + "R";
  return row.size() == 77 && row.substr(13 - label.size(), label.size()) == label &&
         row.substr(75, 2) == "\r\n";
}

// The eight texts of a row as the table holds them.
std::vector<std::string> Texts(const ResultRow& row) {
  return {row.QuinellaCombination, row.QuinellaPayout, row.ExactaCombination,   row.ExactaPayout,
          row.TrioCombination,     row.TrioPayout,     row.TrifectaCombination, row.TrifectaPayout};
}

std::string Code(int number) {
  return (number < 10 ? "0" : "") + std::to_string(number);
}

ResultRowSpec RandomRow(std::mt19937& random) {
  auto lane = [&] { return std::to_string(1 + random() % 6); };
  ResultRowSpec row;
  row.trifecta = lane() + "-" + lane() + "-" + lane();
  row.trifectaPay = Payout(static_cast<long>(100 + random() % 900000));
  row.trio = lane() + "-" + lane() + "-" + lane();
  row.trioPay = Payout(static_cast<long>(100 + random() % 90000));
  row.exacta = lane() + "-" + lane();
  row.exactaPay = Payout(static_cast<long>(100 + random() % 9000));
  row.quinella = lane() + "-" + lane();
  row.quinellaPay = Payout(static_cast<long>(100 + random() % 9000));
  return row;
}

TEST(ReaderEquivalence, ResultSearchMatchesItsRulesNoticeForNotice) {
  std::mt19937 random(415);
  testing::TempDir dir;
  for (int round = 0; round < 80; ++round) {
    std::vector<ResultBlockSpec> blocks;
    const int count = 1 + static_cast<int>(random() % 24);
    // Mostly the usual lengths; some days have blocks shorter than the skip assumes.
    const bool shortBlocks = random() % 4 == 0;
    for (int v = 0; v < count; ++v) {
      ResultBlockSpec block;
      block.code = Code(1 + static_cast<int>(random() % 24));
      for (int r = 0; r < 12; ++r) block.rows.push_back(RandomRow(random));
      block.blankAt408 = random() % 5 != 0;
      block.length = shortBlocks ? 2000 + random() % 8000 : 10400 + random() % 500;
      // Header, twelve rows and a blank line leave no single spare byte, which no line can take.
      const std::size_t used = PayoutTableOffset(block.blankAt408) + 12 * 77 + 2;
      if (block.length - kResultEndLineSize - used == 1) ++block.length;
      blocks.push_back(block);
    }
    const std::string file = Damage(BuildResultFile(blocks), random, "KBGN");
    const std::string path = dir.Write("K060415.TXT", file);
    for (int attempt = 0; attempt < 4; ++attempt) {
      const std::string code = Code(1 + static_cast<int>(random() % 25));
      const int before = static_cast<int>(random() % (count + 2)) - 1;
      const int stopAt = random() % 3 == 0 ? 1 + static_cast<int>(random() % 3000) : 0;
      Tape expectedTape(stopAt), tape(stopAt);
      const ResultSearch expected = SearchPlainly(file, code, before, expectedTape);
      auto search = FindVenueResult(path, code, before, tape);
      ASSERT_TRUE(search.ok());
      const std::string where = "round " + std::to_string(round) + " code " + code + " before " +
                                std::to_string(before) + " stop " + std::to_string(stopAt);
      ASSERT_EQ(tape.notes, expectedTape.notes) << where;
      ASSERT_EQ(search->end, expected.end) << where;
      if (expected.end == ResultSearchEnd::Found) {
        // Rows after damage inside the table are found by their labels instead: the fixed
        // reading is the rule up to the first row that is not a clean labelled row.
        for (std::size_t r = 0; r < 12 && CleanRow(file, expectedTape, r); ++r) {
          EXPECT_EQ(Texts(search->result.Rows[r]), Texts(expected.result.Rows[r]))
              << where << " race " << r + 1;
        }
      }
    }
  }
}

TEST(ReaderEquivalence, RandomBytesWithManyKeyTails) {
  std::mt19937 random(7);
  testing::TempDir dir;
  for (int round = 0; round < 30; ++round) {
    std::string file(70000 + random() % 140000, '\0');
    for (char& c : file) c = static_cast<char>('A' + random() % 8);
    file.replace(0, 8, "STARTK\r\n");
    for (int m = 0; m < 200; ++m) file.replace(random() % (file.size() - 6), 6, "05KBGN");
    for (int m = 0; m < 40; ++m) file.replace(random() % (file.size() - 4), 4, "KBGN");
    const std::string path = dir.Write("K060415.TXT", file);
    for (const char* code : {"05", "07"}) {
      const int before = static_cast<int>(random() % 30);
      Tape expectedTape(0), tape(0);
      const ResultSearch expected = SearchPlainly(file, code, before, expectedTape);
      auto search = FindVenueResult(path, code, before, tape);
      ASSERT_TRUE(search.ok());
      ASSERT_EQ(tape.notes, expectedTape.notes) << "round " << round << " code " << code;
      ASSERT_EQ(search->end, expected.end);
    }
  }
}

// The slide runs over 64 KiB held in memory from where it started; a key tail standing across
// the end of what is held, or just before or after it, must be judged as one read there would.
TEST(ReaderEquivalence, KeyTailsAroundTheEndOfTheBytesHeld) {
  std::mt19937 random(64);
  testing::TempDir dir;
  const std::size_t body = 8;
  const std::size_t held = body + kChunk;  // the first refill reads from the body's start
  for (int shift = -8; shift <= 3; ++shift) {
    std::string file = "STARTK\r\n" + Junk(random, kChunk + 30000);
    file.replace(held - 2 + static_cast<std::size_t>(shift), 6, "07KBGN");
    file.replace(held + 15000, 6, "05KBGN");
    const std::string path = dir.Write("K060415.TXT", file);
    for (const char* code : {"07", "05"}) {
      Tape expectedTape(0), tape(0);
      const ResultSearch expected = SearchPlainly(file, code, 0, expectedTape);
      auto search = FindVenueResult(path, code, 0, tape);
      ASSERT_TRUE(search.ok());
      ASSERT_EQ(tape.notes, expectedTape.notes) << "shift " << shift << " code " << code;
      ASSERT_EQ(search->end, ResultSearchEnd::Found);
    }
  }
}

// The start line is looked for in a small first read, then in large ones: a line at any 8-byte
// step around the first read's end is found, and one off the steps is not.
TEST(ReaderEquivalence, StartLineAroundTheEndOfTheFirstRead) {
  std::mt19937 random(8);
  testing::TempDir dir;
  const std::string program =
      BuildProgramFile({SampleVenue("03", 12, 1), SampleVenue("07", 11, 2)});
  std::vector<ResultBlockSpec> blocks(2);
  blocks[0].code = "03";
  blocks[1].code = "07";
  const std::string results = BuildResultFile(blocks);
  for (std::size_t junk = 4064; junk <= 4136; ++junk) {
    const std::string programFile = Junk(random, junk) + program;
    auto index = IndexVenueBlocks(dir.Write("B060415.TXT", programFile));
    ASSERT_TRUE(index.ok());
    std::vector<std::string> expected, found;
    for (const Visit& v : WalkPlainly(programFile)) {
      if (StartsWith(v.bytes, 2, "BBGN")) expected.push_back(v.bytes.substr(0, 2));
    }
    for (const VenueIndexEntry& e : index->blocks) found.push_back(e.code);
    ASSERT_EQ(index->startFound, junk % 8 == 0) << junk;
    ASSERT_EQ(found, expected) << junk;

    const std::string resultFile = Junk(random, junk) + results;
    Tape expectedTape(0), tape(0);
    SearchPlainly(resultFile, "07", 1, expectedTape);
    auto search = FindVenueResult(dir.Write("K060415.TXT", resultFile), "07", 1, tape);
    ASSERT_TRUE(search.ok());
    ASSERT_EQ(tape.notes, expectedTape.notes) << junk;
    ASSERT_EQ(search->end, junk % 8 == 0 ? ResultSearchEnd::Found : ResultSearchEnd::NotFound);
  }
}

// --- The racer statistics file ---------------------------------------------------------------

TEST(ReaderEquivalence, RacerKeysMatchAsTheirCutFieldWould) {
  std::mt19937 random(1600);
  testing::TempDir dir;
  // Key bytes from a small alphabet with NULs and blanks, so that short and cut keys meet.
  const std::string alphabet = std::string("12 ") + '\0';
  auto text = [&](std::size_t length) {
    std::string bytes(length, ' ');
    for (char& c : bytes) c = alphabet[random() % alphabet.size()];
    return bytes;
  };
  const std::string templateRecord = BuildStatsRecord(StatsFor("0000", 1));
  for (int round = 0; round < 40; ++round) {
    // More records than one read takes, each carrying its number in its first entry count.
    const std::size_t records = 300 + random() % 400;
    std::string file;
    for (std::size_t i = 0; i < records; ++i) {
      std::string record = templateRecord;
      record.replace(0, 4, text(4));
      const std::string number = std::to_string(i % 1000);
      record.replace(82, 3, std::string(3 - number.size(), '0') + number);
      file += record;
    }
    file += text(random() % 412);  // a part-record, ignored
    const std::string path = dir.Write("Fan0510.txt", file);

    std::array<std::string, 6> numbers;
    for (std::string& n : numbers) {
      n = text(random() % 6);
      if (random() % 3 == 0 && !n.empty()) n.back() = '1';
    }
    auto lanes = ReadRacerStats(path, numbers);
    ASSERT_TRUE(lanes.ok());
    for (std::size_t lane = 0; lane < 6; ++lane) {
      std::optional<std::size_t> last;
      for (std::size_t i = 0; i < records; ++i) {
        if (CutField(std::string_view(file).substr(i * 412, 412), 0, 4) == numbers[lane]) last = i;
      }
      ASSERT_EQ((*lanes)[lane].Found, last.has_value()) << "round " << round << " lane " << lane;
      if (last) {
        EXPECT_EQ((*lanes)[lane].Course(1).EntryCount, static_cast<int>(*last % 1000));
      }
    }
  }
}

}  // namespace
}  // namespace wakorin
