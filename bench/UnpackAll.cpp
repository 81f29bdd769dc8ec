// Reads each archive named on the command line and unpacks its files with libarchive alone,
// discarding the bytes: the floor that reading a season of archives costs any checker.
#include <archive.h>
#include <archive_entry.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

int main(int argc, char** argv) {
  std::vector<char> chunk(64 * 1024);
  unsigned long long unpacked = 0;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    archive* reader = archive_read_new();
    archive_read_support_format_lha(reader);
    if (archive_read_open_memory(reader, bytes.data(), bytes.size()) == ARCHIVE_OK) {
      archive_entry* entry = nullptr;
      while (archive_read_next_header(reader, &entry) >= ARCHIVE_WARN) {
        la_ssize_t got;
        while ((got = archive_read_data(reader, chunk.data(), chunk.size())) > 0) unpacked += got;
      }
    }
    archive_read_free(reader);
  }
  std::printf("%llu bytes unpacked\n", unpacked);
  return 0;
}
