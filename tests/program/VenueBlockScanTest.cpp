#include <gtest/gtest.h>

#include <random>
#include <tuple>

#include "program/VenueBlockScan.h"
#include "program/VenueEntry.h"
#include "tests/TempFiles.h"
#include "tests/support/ProgramFileBuilder.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::IndexVenueBlocks;
using testsupport::LocateVenueBlock;

using testsupport::BuildProgramFile;
using testsupport::BuildVenueBlock;
using testsupport::SampleVenue;
using testsupport::VenueBlockSpec;

class VenueBlockScanTest : public ::testing::Test {
 protected:
  std::string Write(std::string_view bytes) { return dir_.Write("B060415.TXT", bytes); }

  std::vector<std::pair<std::string, int>> Index(std::string_view bytes) {
    auto index = IndexVenueBlocks(Write(bytes));
    EXPECT_TRUE(index.ok());
    std::vector<std::pair<std::string, int>> found;
    if (index) {
      for (const auto& block : index->blocks) found.emplace_back(block.code, block.raceCount);
    }
    return found;
  }

  testing::TempDir dir_;
};

using Found = std::vector<std::pair<std::string, int>>;

TEST_F(VenueBlockScanTest, ReadsTwelveAndElevenRaceBlocksBackToBack) {
  const std::string file = BuildProgramFile({SampleVenue("01", 12, 1), SampleVenue("12", 11, 2),
                                             SampleVenue("24", 12, 3), SampleVenue("05", 11, 4)});
  EXPECT_EQ(Index(file), (Found{{"01", 12}, {"12", 11}, {"24", 12}, {"05", 11}}));
}

TEST_F(VenueBlockScanTest, LastBlockOfElevenRacesWithAShortClosingLine) {
  EXPECT_EQ(Index(BuildProgramFile({SampleVenue("03", 12, 1), SampleVenue("07", 11, 2)})),
            (Found{{"03", 12}, {"07", 11}}));
  // ...and a file that ends exactly after its last 12-race block.
  EXPECT_EQ(Index(BuildProgramFile({SampleVenue("03", 11, 1), SampleVenue("07", 12, 2)}, "", "")),
            (Found{{"03", 11}, {"07", 12}}));
}

TEST_F(VenueBlockScanTest, StartLineOnlyAtEightByteSteps) {
  const VenueBlockSpec venue = SampleVenue("10", 12, 5);
  EXPECT_EQ(Index(BuildProgramFile({venue}, std::string(16, '-'))), (Found{{"10", 12}}));
  auto index = IndexVenueBlocks(Write(BuildProgramFile({venue}, std::string(10, '-'))));
  ASSERT_TRUE(index.ok());
  EXPECT_FALSE(index->startFound);
  EXPECT_TRUE(index->blocks.empty());
}

TEST_F(VenueBlockScanTest, NoBlockAfterTheStartLine) {
  for (std::string_view bytes : {std::string_view("STARTB\r\n"), std::string_view("STARTB"),
                                 std::string_view("STARTB\r\nnothing here\r\nFINALB\r\n")}) {
    auto index = IndexVenueBlocks(Write(bytes));
    ASSERT_TRUE(index.ok());
    EXPECT_TRUE(index->startFound);
    EXPECT_TRUE(index->blocks.empty());
  }
}

TEST_F(VenueBlockScanTest, EmptyAndMarkerlessFilesEndAtTheirEnd) {
  for (std::string_view bytes :
       {std::string_view(""), std::string_view("STARTX\r\n"), std::string_view("STAR")}) {
    auto index = IndexVenueBlocks(Write(bytes));
    ASSERT_TRUE(index.ok());
    EXPECT_FALSE(index->startFound);
  }
  // A large file without a start line is read to its end, quickly, and rejected.
  auto index = IndexVenueBlocks(Write(std::string(24 << 20, ' ')));
  ASSERT_TRUE(index.ok());
  EXPECT_FALSE(index->startFound);
}

TEST_F(VenueBlockScanTest, UnknownVenueCodeStillStepsToTheNextBlock) {
  const std::string file = BuildProgramFile(
      {SampleVenue("01", 11, 1), SampleVenue("99", 11, 2), SampleVenue("02", 12, 3)});
  EXPECT_EQ(Index(file), (Found{{"01", 11}, {"99", 11}, {"02", 12}}));
}

TEST_F(VenueBlockScanTest, LocatesTheFirstOfTwoBlocksWithTheSameCode) {
  VenueBlockSpec first = SampleVenue("04", 11, 1);
  VenueBlockSpec second = SampleVenue("04", 12, 2);
  first.meetingName = "FIRST";
  second.meetingName = "SECOND";
  const std::string path = Write(BuildProgramFile({SampleVenue("01", 12, 3), first, second}));
  auto block = LocateVenueBlock(path, "04");
  ASSERT_TRUE(block.ok());
  ASSERT_TRUE(block->has_value());
  EXPECT_EQ((*block)->raceCount, 11);
  EXPECT_EQ((*block)->bytes.substr(127, 5), "FIRST");
  EXPECT_EQ((*block)->bytes.size(), program_layout::kBlockBufferSize);
  EXPECT_FALSE(LocateVenueBlock(path, "05")->has_value());
  EXPECT_FALSE(LocateVenueBlock(path, "")->has_value());
  EXPECT_FALSE(LocateVenueBlock(path, "04BBGN")->has_value());
}

TEST_F(VenueBlockScanTest, LastBlockIsDeliveredAsFarAsTheFileGoes) {
  const std::string path =
      Write(BuildProgramFile({SampleVenue("01", 12, 1), SampleVenue("02", 11, 2)}));
  auto block = LocateVenueBlock(path, "02");
  ASSERT_TRUE(block.ok() && block->has_value());
  EXPECT_EQ((*block)->raceCount, 11);
  EXPECT_EQ((*block)->bytes.size(), 352u + 885u * 11u + 8u);  // block + "FINALB" line
}

TEST_F(VenueBlockScanTest, ReadFailureIsAnIoError) {
  auto index = IndexVenueBlocks(dir_.PathOf("missing.TXT"));
  ASSERT_FALSE(index.ok());
  EXPECT_EQ(index.error().kind, Error::Kind::Io);
  EXPECT_FALSE(LocateVenueBlock(dir_.path().string(), "01").ok());
}

TEST_F(VenueBlockScanTest, TruncatedAndRandomFilesNeverBreakTheScan) {
  const std::string whole = BuildProgramFile(
      {SampleVenue("01", 12, 1), SampleVenue("02", 11, 2), SampleVenue("03", 12, 3)});
  std::mt19937 random(42);
  for (std::size_t cut : {std::size_t{0}, std::size_t{5}, std::size_t{8}, std::size_t{9},
                          std::size_t{8 + 6}, std::size_t{8 + 10971}, std::size_t{8 + 10972},
                          std::size_t{8 + 10972 + 10087 - 1}, whole.size() - 1}) {
    auto index = IndexVenueBlocks(Write(whole.substr(0, cut)));
    ASSERT_TRUE(index.ok()) << cut;
    EXPECT_LE(index->blocks.size(), 3u);
    for (const auto& block : index->blocks) {
      EXPECT_TRUE(block.raceCount == 11 || block.raceCount == 12);
    }
  }
  for (int round = 0; round < 60; ++round) {
    std::string bytes(random() % 40000, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    // Sprinkle markers so the random bytes reach the block loop.
    if (round % 2 == 0) bytes.insert(0, "STARTB\r\n");
    for (int m = 0; m < 6 && !bytes.empty(); ++m) {
      bytes.replace(random() % bytes.size(), 0, m % 2 ? "01BBGN" : "BEND");
    }
    const std::string path = Write(bytes);
    EXPECT_TRUE(IndexVenueBlocks(path).ok());
    EXPECT_TRUE(LocateVenueBlock(path, "01").ok());
  }
}

}  // namespace
}  // namespace wakorin

namespace wakorin {
namespace {

using testsupport::BuildPlaceholderBlock;
using testsupport::ProgramLayout;

testsupport::VenueBlockSpec Current(const std::string& code, int races, unsigned seed) {
  testsupport::VenueBlockSpec venue = testsupport::SampleVenue(code, races, seed);
  venue.layout = ProgramLayout::Current;
  return venue;
}

TEST(VenueBlockScanToday, BlocksTellTheirLayoutAndPlaceholdersCarryNoRaces) {
  testing::TempDir dir;
  std::string file = "STARTB\r\n";
  file += BuildVenueBlock(Current("01", 12, 1));
  file += BuildVenueBlock(Current("02", 11, 2));
  file += BuildPlaceholderBlock("03");
  file += BuildVenueBlock(Current("04", 12, 4));
  file += BuildPlaceholderBlock("05");
  file += BuildVenueBlock(Current("06", 11, 6));
  file += "FINALB\r\n";
  const std::string path = dir.Write("B240401.TXT", file);
  auto index = IndexVenueBlocks(path);
  ASSERT_TRUE(index.ok());
  std::vector<std::tuple<std::string, int, bool>> seen;
  for (const auto& block : index->blocks) {
    EXPECT_EQ(block.layout, BlockLayout::BoatRaceVenueLine);
    seen.emplace_back(block.code, block.raceCount, block.placeholder);
  }
  EXPECT_EQ(seen, (std::vector<std::tuple<std::string, int, bool>>{{"01", 12, false},
                                                                   {"02", 11, false},
                                                                   {"03", 0, true},
                                                                   {"04", 12, false},
                                                                   {"05", 0, true},
                                                                   {"06", 11, false}}));
  EXPECT_EQ(BuildVenueEntries(*index).size(), 4u);
  auto block = LocateVenueBlock(path, "04");
  ASSERT_TRUE(block.ok() && block->has_value());
  EXPECT_EQ((*block)->layout, BlockLayout::BoatRaceVenueLine);
  EXPECT_EQ((*block)->bytes.size(), 10975u);
  EXPECT_EQ((*block)->bytes.substr(10967, 6), "04BEND");
}

TEST(VenueBlockScanToday, ClassicBlocksKeepTheClassicReading) {
  testing::TempDir dir;
  // A classic 11-race block whose end line is damaged still steps back 885 bytes, as before.
  std::string damaged = BuildVenueBlock(testsupport::SampleVenue("07", 11, 1));
  damaged.replace(damaged.size() - 6, 4, "XXXX");
  const std::string path = dir.Write(
      "B.TXT", "STARTB\r\n" + damaged + BuildVenueBlock(testsupport::SampleVenue("08", 12, 2)));
  auto index = IndexVenueBlocks(path);
  ASSERT_TRUE(index.ok());
  ASSERT_EQ(index->blocks.size(), 2u);
  EXPECT_EQ(index->blocks[0].layout, BlockLayout::KyoteijoVenueLine);
  EXPECT_EQ(index->blocks[0].raceCount, 11);
  EXPECT_EQ(index->blocks[1].code, "08");
  EXPECT_EQ(index->blocks[1].layout, BlockLayout::KyoteijoVenueLine);
}

}  // namespace
}  // namespace wakorin

namespace wakorin {
namespace {

TEST(VenueBlockScanInMemory, SameBlocksAsTheFileAndTheBytesLocateDelivers) {
  testing::TempDir dir;
  const std::vector<testsupport::VenueBlockSpec> venues{
      testsupport::SampleVenue("01", 11, 1), testsupport::SampleVenue("02", 12, 2),
      testsupport::SampleVenue("01", 12, 3), testsupport::SampleVenue("03", 11, 4)};
  std::string file = testsupport::BuildProgramFile(venues);
  const std::string path = dir.Write("B.TXT", file);
  auto fromFile = IndexVenueBlocks(path);
  auto inMemory = IndexVenueBlocksIn(file);
  ASSERT_TRUE(fromFile.ok() && inMemory.ok());
  ASSERT_EQ(inMemory->blocks.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) {
    const VenueIndexEntry& block = inMemory->blocks[i];
    EXPECT_EQ(block.code, fromFile->blocks[i].code);
    EXPECT_EQ(block.raceCount, fromFile->blocks[i].raceCount);
    EXPECT_EQ(block.offset, fromFile->blocks[i].offset);
    if (i == 2) continue;  // a second block of the same code is never located
    auto located = LocateVenueBlock(path, block.code);
    EXPECT_EQ(file.substr(block.offset, block.length), (*located)->bytes) << i;
    // The block as built, whatever the index makes of the file.
    const std::string built = testsupport::BuildVenueBlock(venues[i]);
    EXPECT_EQ((*located)->bytes.substr(0, built.size()), built) << i;
  }
  EXPECT_FALSE(IndexVenueBlocksIn("")->startFound);
}

}  // namespace
}  // namespace wakorin
