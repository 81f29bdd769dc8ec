#pragma once
// A small tmpfs of its own for tests of full and read-only disks; mounting needs root, so a test
// checks mounted() and skips without it.
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tests/TempFiles.h"

namespace wakorin::testing {

class SmallDisk {
 public:
  // `options` as mount's -o takes them: "size=64k", "ro,size=64k".
  explicit SmallDisk(const std::string& options = "size=64k") {
    if (::geteuid() != 0) return;
    const std::string command =
        "mount -t tmpfs -o " + options + " tmpfs '" + dir_.path().string() + "' 2>/dev/null";
    mounted_ = std::system(command.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) std::system(("umount '" + dir_.path().string() + "'").c_str());
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  std::string path() const { return dir_.path().string(); }
  std::string PathOf(const std::string& name) const { return dir_.PathOf(name); }

  // Fills what room is left with a file of its own, up to the last block.
  void Fill() const {
    std::ofstream filler(PathOf("filler"), std::ios::binary);
    const std::vector<char> block(4096, 'x');
    while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
    }
    filler.clear();
    // A byte at a time into the last part-block.
    while (filler.put('x').flush()) {
    }
  }

 private:
  TempDir dir_;
  bool mounted_ = false;
};

}  // namespace wakorin::testing
