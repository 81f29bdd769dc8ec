// Public collections hold the official files converted to UTF-8 or to other line ends; such a copy
// must read as the CP932 CR LF original it was made from, in every reader and in the checker.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "base/ByteFile.h"
#include "tests/TempFiles.h"

namespace wakorin {
namespace {

namespace fs = std::filesystem;
const fs::path kRealData = WAKORIN_REALDATA_DIR;
using testing::ReadAll;

std::string ToUtf8(const std::string& cp932) {
  iconv_t convert = iconv_open("UTF-8", "CP932");
  std::string out(cp932.size() * 3, '\0');
  char* in = const_cast<char*>(cp932.data());
  std::size_t inLeft = cp932.size(), outLeft = out.size();
  char* to = out.data();
  const std::size_t done = iconv(convert, &in, &inLeft, &to, &outLeft);
  iconv_close(convert);
  EXPECT_NE(done, static_cast<std::size_t>(-1));
  out.resize(out.size() - outLeft);
  return out;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) {
    text.replace(at, from.size(), to);
  }
  return text;
}

struct Form {
  const char* name;
  std::function<std::string(const std::string&)> convert;
};

const Form kForms[] = {
    {"utf8", [](const std::string& b) { return ToUtf8(b); }},
    {"utf8-bom", [](const std::string& b) { return "\xEF\xBB\xBF" + ToUtf8(b); }},
    {"lf", [](const std::string& b) { return Replace(b, "\r\n", "\n"); }},
    {"cr", [](const std::string& b) { return Replace(b, "\r\n", "\r"); }},
    {"utf8-lf", [](const std::string& b) { return Replace(ToUtf8(b), "\r\n", "\n"); }},
};

const char* kFiles[] = {"B240116.TXT", "K240116.TXT", "B240401.TXT", "K240401.TXT",
                        "B240710.TXT", "K240710.TXT", "fan1904.txt"};

// The checker's figures and CSV on a folder of the day's files, the statistics file beside them.
std::string Check(const fs::path& folder) {
  const std::string out = (folder / "out.txt").string(), csv = (folder / "races.csv").string();
  const std::string command = std::string(WAKORIN_CHECK_TOOL) + " -q --csv '" + csv + "' '" +
                              folder.string() + "' > '" + out + "' 2>&1";
  const int status = std::system(command.c_str());
  // The statistics file is named by its path, which differs from folder to folder.
  std::string figures = ReadAll(out);
  const std::size_t named = figures.find("; statistics:");
  if (named != std::string::npos) figures.erase(named, figures.find('\n', named) - named);
  return "exit " + std::to_string(status) + figures + ReadAll(csv);
}

TEST(ConvertedCopies, ReadAndCheckAsTheirOriginals) {
  if (!fs::exists(kRealData / "fan1904.txt")) GTEST_SKIP() << "no real data beside the project";
  testing::TempDir dir;
  fs::create_directories(dir.path() / "original");
  for (const char* file : kFiles) fs::copy_file(kRealData / file, dir.path() / "original" / file);
  const std::string expected = Check(dir.path() / "original");
  ASSERT_NE(expected.find("Checked 3 days, 36 venues"), std::string::npos) << expected;

  for (const Form& form : kForms) {
    const fs::path folder = dir.path() / form.name;
    fs::create_directories(folder);
    for (const char* file : kFiles) {
      const std::string original = ReadAll(kRealData / file);
      const std::string copy = dir.Write(std::string(form.name) + "/" + file, form.convert(original));
      auto read = ByteFile::ReadWhole(copy);
      ASSERT_TRUE(read.ok()) << form.name << " " << file;
      EXPECT_TRUE(**read == original) << form.name << " " << file << " does not read as its original";
    }
    EXPECT_EQ(Check(folder), expected) << form.name;
  }
}

TEST(ConvertedCopies, TextOfNeitherFormIsRefusedByName) {
  testing::TempDir dir;
  const std::pair<std::string, TextFault> cases[] = {
      {std::string("\xFF\xFE" "S\0T\0A\0R\0T\0B\0", 14), TextFault::Utf16},
      {"\xEF\xBB\xBFSTARTB\r\n\x82\xA0\r\n", TextFault::BadUtf8},
      {"STARTB\r\n\xF0\x9F\x9A\xA4\r\n", TextFault::NotCp932},  // a character CP932 lacks
  };
  for (const auto& [bytes, fault] : cases) {
    const std::string path = dir.Write("B240401.TXT", bytes);
    ByteFile file;
    const std::optional<Error> error = file.Open(path);
    ASSERT_TRUE(error.has_value()) << static_cast<int>(fault);
    EXPECT_EQ(error->kind, Error::Kind::Text);
    EXPECT_EQ(error->textFault(), fault);
    EXPECT_EQ(error->text, path);
  }
}

}  // namespace
}  // namespace wakorin
