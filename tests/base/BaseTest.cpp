#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "base/ByteField.h"
#include "base/ByteFile.h"
#include "base/Decimal.h"
#include "tests/TempFiles.h"

namespace wakorin {
namespace {

TEST(ParseDecimal, AcceptsLeadingBlanksSignAndDigits) {
  EXPECT_EQ(*ParseDecimal("  7"), 7);
  EXPECT_EQ(*ParseDecimal("007"), 7);
  EXPECT_EQ(*ParseDecimal("-01"), -1);
  EXPECT_EQ(*ParseDecimal("+12"), 12);
  EXPECT_EQ(*ParseDecimal(" -0"), 0);
  EXPECT_EQ(*ParseDecimal("2147483647"), 2147483647);
  EXPECT_EQ(*ParseDecimal("-2147483648"), -2147483647 - 1);
}

TEST(ParseDecimal, RejectsAnythingElseAndCarriesTheText) {
  for (std::string_view bad : {"", "   ", "7 ", "1a", "-", "+", " - 1", "1.5", "2147483648",
                               "99999999999999999999", "\x82\x50"}) {
    auto parsed = ParseDecimal(bad);
    ASSERT_FALSE(parsed.ok()) << bad;
    EXPECT_EQ(parsed.error().kind, Error::Kind::NotInteger);
    EXPECT_EQ(parsed.error().text, bad);
  }
}

TEST(ByteField, CutsAtTheEndOfTheBytesReadAndAtNul) {
  const std::string bytes("abcdef\0gh", 9);
  EXPECT_EQ(CutField(bytes, 1, 3), "bcd");
  EXPECT_EQ(CutField(bytes, 4, 5), "ef");   // NUL ends the field
  EXPECT_EQ(CutField(bytes, 7, 10), "gh");  // past the end: cut short
  EXPECT_EQ(CutField(bytes, 9, 3), "");
  EXPECT_EQ(CutField(bytes, 1000, 3), "");
  EXPECT_EQ(CutColumns("123456", 2, 4), "234");
}

TEST(ByteField, TrimRemovesOnlySingleByteBlanksAndControls) {
  EXPECT_EQ(TrimControlAndBlanks(" \t\r\nabc \x01"), "abc");
  // Full-width blanks (81 40) stay at both ends.
  EXPECT_EQ(TrimControlAndBlanks("  \x81\x40x\x81\x40 "), "\x81\x40x\x81\x40");
  EXPECT_EQ(TrimControlAndBlanks("    "), "");
}

TEST(ByteFile, ReadsSeeksAndReportsTheEnd) {
  testing::TempDir dir;
  const std::string path = dir.Write("f.bin", "0123456789");
  ByteFile file;
  ASSERT_FALSE(file.Open(path));
  EXPECT_EQ(file.Size(), 10u);
  char buffer[8];
  EXPECT_EQ(*file.Read(buffer, 8), 8u);
  EXPECT_FALSE(file.Eof());
  EXPECT_EQ(*file.Read(buffer, 8), 2u);  // fewer only at the end
  EXPECT_TRUE(file.Eof());
  ASSERT_FALSE(file.Seek(3));
  EXPECT_EQ(*file.Read(buffer, 2), 2u);
  EXPECT_EQ(std::string_view(buffer, 2), "34");
  ASSERT_FALSE(file.Seek(100));  // past the end: reads deliver nothing
  EXPECT_EQ(*file.Read(buffer, 8), 0u);
  EXPECT_TRUE(file.Eof());
}

TEST(ByteFile, OpenFailuresCarryTheSystemCode) {
  testing::TempDir dir;
  ByteFile file;
  auto missing = file.Open(dir.PathOf("missing.txt"));
  ASSERT_TRUE(missing);
  EXPECT_EQ(missing->kind, Error::Kind::Io);
  EXPECT_EQ(missing->code, ENOENT);
  EXPECT_EQ(file.Open(dir.path().string())->code, EISDIR);
  // A FIFO must be refused, not waited on forever.
  const std::string fifo = dir.PathOf("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_TRUE(file.Open(fifo));
  char buffer[4];
  EXPECT_FALSE(file.Read(buffer, 4).ok());  // nothing open
  EXPECT_FALSE(ByteFile::Exists(dir.PathOf("missing.txt")));
  EXPECT_TRUE(ByteFile::Exists(fifo));
}

}  // namespace
}  // namespace wakorin
