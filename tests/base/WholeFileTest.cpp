// Writing a file whole or not at all: what stood there stays unless the new file is whole.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "base/WholeFile.h"
#include "tests/SmallDisk.h"
#include "tests/TempFiles.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;
using Kind = WriteFault::Kind;

std::string Describe(const std::optional<WriteFault>& fault) {
  return fault ? "kind " + std::to_string(static_cast<int>(fault->kind)) + ", errno " +
                     std::to_string(fault->error)
               : "written";
}

// Only the file asked for is left: no temporary file beside it.
std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(WriteWholeFile, WritesReplacesAndRefusesWhatIsNotAFile) {
  testing::TempDir dir;
  const std::string old = "old model\n";
  ASSERT_EQ(::mkfifo(dir.PathOf("pipe").c_str(), 0644), 0);
  fs::create_directory(dir.PathOf("folder"));
  dir.Write("target.txt", old);
  fs::create_symlink(dir.PathOf("target.txt"), dir.PathOf("link.txt"));
  fs::create_symlink(dir.PathOf("nowhere.txt"), dir.PathOf("dangling.txt"));
  dir.Write("kept.txt", old);
  ::chmod(dir.PathOf("kept.txt").c_str(), 0600);

  const struct {
    const char* name;
    std::optional<Kind> fault;  // nothing: written
    const char* written;        // where the new bytes are found then
  } cases[] = {
      {"new.txt", std::nullopt, "new.txt"},
      {"kept.txt", std::nullopt, "kept.txt"},
      {"link.txt", std::nullopt, "target.txt"},
      // A reader-less FIFO would block an open for writing: it is refused without one.
      {"pipe", Kind::NotRegularFile, nullptr},
      {"folder", Kind::NotRegularFile, nullptr},
      {"dangling.txt", Kind::NotRegularFile, nullptr},
      {"no-such-folder/new.txt", Kind::NoFolder, nullptr},
      {"target.txt/below", Kind::NoFolder, nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<WriteFault> fault = WriteWholeFile(dir.PathOf(c.name), "new model\n");
    ASSERT_EQ(fault.has_value(), c.fault.has_value()) << c.name << ": " << Describe(fault);
    if (fault) {
      EXPECT_EQ(fault->kind, *c.fault) << c.name << ": " << Describe(fault);
    } else {
      EXPECT_EQ(testing::ReadAll(dir.PathOf(c.written)), "new model\n") << c.name;
    }
  }
  EXPECT_TRUE(fs::is_symlink(dir.PathOf("link.txt")));
  EXPECT_TRUE(fs::is_fifo(dir.PathOf("pipe")));
  // A replaced file keeps its permissions.
  struct stat kept {};
  ASSERT_EQ(::stat(dir.PathOf("kept.txt").c_str(), &kept), 0);
  EXPECT_EQ(kept.st_mode & 0777, 0600u);
  EXPECT_EQ(Names(dir.path()),
            (std::vector<std::string>{"dangling.txt", "folder", "kept.txt", "link.txt", "new.txt",
                                      "pipe", "target.txt"}));
}

// A full disk and a read-only one: the old file stays byte for byte, the cause is named.
TEST(WriteWholeFile, FullOrReadOnlyDiskKeepsTheOldFile) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small disk needs root";
  const std::string old = "old model\n";
  testing::SmallDisk full;
  if (!full.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here";
  { std::ofstream(full.PathOf("model.txt")) << old; }
  full.Fill();
  const std::optional<WriteFault> noRoom =
      WriteWholeFile(full.PathOf("model.txt"), std::string(20000, 'm'));
  ASSERT_TRUE(noRoom) << "written on a full disk";
  EXPECT_EQ(noRoom->kind, Kind::DiskFull) << Describe(noRoom);
  EXPECT_EQ(testing::ReadAll(full.PathOf("model.txt")), old);
  EXPECT_EQ(Names(full.path()), (std::vector<std::string>{"filler", "model.txt"}));

  testing::SmallDisk readOnly("ro,size=64k");
  if (!readOnly.mounted()) GTEST_SKIP() << "cannot mount a read-only tmpfs here";
  const std::optional<WriteFault> refused = WriteWholeFile(readOnly.PathOf("model.txt"), old);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->kind, Kind::ReadOnly) << Describe(refused);
  EXPECT_EQ(refused->error, EROFS);
}

}  // namespace
}  // namespace wakorin
