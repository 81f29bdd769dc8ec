// Official LHA archives read as the file inside them, and every archive that cannot be read so
// refused as a value.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "base/Archive.h"
#include "base/ByteFile.h"
#include "results/ResultFile.h"
#include "tests/Archives.h"
#include "tests/TempFiles.h"
#include "tests/support/FileRoads.h"

namespace wakorin {
namespace {

using testsupport::FindVenueResult;

namespace fs = std::filesystem;
const fs::path kRealData = WAKORIN_REALDATA_DIR;

using testing::ReadAll;

// The whole file as the readers see it.
Outcome<std::string> ReadThrough(const std::string& path) {
  auto bytes = ByteFile::ReadWhole(path);
  if (!bytes) return bytes.error();
  return std::string(**bytes);
}

class RealArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kRealData / "fan1904.lzh")) GTEST_SKIP() << "no real data beside the project";
  }
  testing::TempDir dir;
};

TEST_F(RealArchiveTest, StatisticsArchiveReadsAsItsText) {
  auto bytes = ReadThrough((kRealData / "fan1904.lzh").string());
  ASSERT_TRUE(bytes.ok());
  EXPECT_TRUE(*bytes == ReadAll(kRealData / "fan1904.txt"));  // 671,310 bytes, no dump on failure
  auto unpacked = UnpackSingleFile(ReadAll(kRealData / "fan1904.lzh"));
  ASSERT_TRUE(unpacked.ok());
  EXPECT_EQ(unpacked->name, "fan1904.txt");
}

// The result archive is searched exactly as its unpacked text, also under a text file's name, and
// an archive of the same name read before does not stand in for it.
TEST_F(RealArchiveTest, ResultArchiveSearchedAsItsText) {
  const std::string archive = ReadAll(kRealData / "k191005.lzh");
  auto unpacked = UnpackSingleFile(archive);
  ASSERT_TRUE(unpacked.ok());
  EXPECT_EQ(unpacked->name, "K191005.TXT");
  EXPECT_EQ(unpacked->bytes.size(), 155072u);
  const std::string text = dir.Write("text.TXT", unpacked->bytes);
  const std::string named = dir.Write("K191005.TXT", archive);
  int found = 0;
  for (int code = 1; code <= 24; ++code) {
    const std::string venue{static_cast<char>('0' + code / 10), static_cast<char>('0' + code % 10)};
    ResultSearchObserver quiet;
    auto expected = FindVenueResult(text, venue, 0, quiet);
    ASSERT_TRUE(expected.ok());
    for (const std::string& path : {(kRealData / "k191005.lzh").string(), named}) {
      auto search = FindVenueResult(path, venue, 0, quiet);
      ASSERT_TRUE(search.ok()) << path;
      EXPECT_EQ(search->end, expected->end) << venue;
      EXPECT_EQ(search->result.Rows, expected->result.Rows) << venue;
    }
    found += expected->end == ResultSearchEnd::Found;
  }
  EXPECT_GT(found, 10);
  // Unpacking stops at the limit, whatever the header says.
  EXPECT_TRUE(UnpackSingleFile(archive, 155072).ok());
  EXPECT_EQ(UnpackSingleFile(archive, 155071).error().archiveFault(), ArchiveFault::TooLarge);
}

// The archive with its level-0 header's stored name replaced by one of the same length.
std::string Renamed(std::string archive, std::string_view name) {
  archive.replace(22, name.size(), name);
  const std::size_t headerSize = static_cast<unsigned char>(archive[0]);
  unsigned sum = 0;
  for (std::size_t i = 2; i < 2 + headerSize; ++i) sum += static_cast<unsigned char>(archive[i]);
  archive[1] = static_cast<char>(sum & 0xff);
  return archive;
}

// Each archive is written to the same path in turn, after a good one was read from it.
TEST_F(RealArchiveTest, ArchivesThatCannotBeReadAreRefused) {
  if (!testing::CanPack()) GTEST_SKIP() << "jlha is not installed";
  const std::string good = ReadAll(kRealData / "k191005.lzh");
  dir.Write("A.TXT", "a\r\n");
  dir.Write("B.TXT", "b\r\n");
  fs::create_directory(dir.path() / "folder");
  std::string big;
  while (big.size() <= kMaxUnpackedSize) big += ReadAll(kRealData / "fan1904.txt");
  dir.Write("big", big);
  ASSERT_TRUE(testing::Pack(dir.path(), "two.lzh", {"A.TXT", "B.TXT"}));
  ASSERT_TRUE(testing::Pack(dir.path(), "folder.lzh", {"folder"}));
  ASSERT_TRUE(testing::Pack(dir.path(), "big.lzh", {"big"}));
  // A level-0 header holds the name as it stands, under a byte sum that is easily made again.
  dir.Write("AAAAA.TXT", "a\r\n");
  ASSERT_TRUE(testing::Pack(dir.path(), "level0.lzh", {"AAAAA.TXT"}, "a0"));
  const std::string level0 = ReadAll(dir.path() / "level0.lzh");
  ASSERT_EQ(level0.substr(22, 9), "AAAAA.TXT");
  EXPECT_TRUE(UnpackSingleFile(level0).ok());
  std::string badCrc = level0;
  badCrc[2 + static_cast<unsigned char>(level0[0])] ^= 1;  // the stored file's first byte
  std::string damaged = good;
  damaged.replace(15000, 4, "\xff\xff\xff\xff");

  struct Case {
    const char* what;
    std::string bytes;
    ArchiveFault fault;
  };
  const Case cases[] = {
      {"two files", ReadAll(dir.path() / "two.lzh"), ArchiveFault::SeveralFiles},
      {"a folder", ReadAll(dir.path() / "folder.lzh"), ArchiveFault::NotAFile},
      {"nothing inside", std::string(1, '\0'), ArchiveFault::Empty},
      {"no bytes", "", ArchiveFault::Empty},
      {"cut short", good.substr(0, 20000), ArchiveFault::Truncated},
      {"cut before its end mark", good.substr(0, good.size() - 1), ArchiveFault::Truncated},
      {"damaged data", damaged, ArchiveFault::Damaged},
      {"a bad CRC", badCrc, ArchiveFault::BadChecksum},
      {"a header cut short", good.substr(0, 12), ArchiveFault::Truncated},
      {"a name climbing out", Renamed(level0, "../AA.TXT"), ArchiveFault::UnsafeName},
      {"a name from the root", Renamed(level0, "/AAA.TXT"), ArchiveFault::UnsafeName},
      {"a name from the root", Renamed(level0, "\\AAA.TXT"), ArchiveFault::UnsafeName},
      {"a zip", std::string("PK\x03\x04\x14\x00\x00\x00", 8) + std::string(40, 'z'),
       ArchiveFault::NotArchive},
      {"a text file", "STARTK\r\n", ArchiveFault::NotArchive},
      {"unpacking past the limit", ReadAll(dir.path() / "big.lzh"), ArchiveFault::TooLarge},
  };
  const std::string path = dir.PathOf("k191005.lzh");
  for (const Case& c : cases) {
    dir.Write("k191005.lzh", good);
    ASSERT_TRUE(ReadThrough(path).ok());
    dir.Write("k191005.lzh", c.bytes);
    auto read = ReadThrough(path);
    ASSERT_FALSE(read.ok()) << c.what;
    EXPECT_EQ(read.error().kind, Error::Kind::Archive) << c.what;
    EXPECT_EQ(read.error().archiveFault(), c.fault) << c.what;
    EXPECT_EQ(read.error().text, path) << c.what;
  }
  // Larger than anything it may unpack to: refused without being read.
  dir.Write("k191005.lzh", std::string(kMaxUnpackedSize + 1, '\0'));
  EXPECT_EQ(ReadThrough(path).error().archiveFault(), ArchiveFault::TooLarge);
}

}  // namespace
}  // namespace wakorin
