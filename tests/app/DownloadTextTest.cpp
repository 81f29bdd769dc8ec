// The downloads' values in words: every value in both languages of wakorin-fetch (the Japanese
// being the window's), so that a kind or a word added without its text shows here.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <functional>
#include <string>
#include <vector>

#include "app/DownloadText.h"
#include "tools/FetchText.h"

namespace wakorin {
namespace {

struct Language {
  const char* name;
  const DownloadWords& words;
  bool japanese;
};

const Language kLanguages[] = {
    {"English", fetch_text::kEnglishDownloadWords, false},
    {"Japanese", kJapaneseDownloadWords, true},
};

bool HasJapanese(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar ch) { return ch.unicode() >= 0x3000; });
}

// A pattern's %1.. that the renderer left unfilled.
bool HasPlaceholder(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] == QLatin1Char('%') && text[i + 1].isDigit()) return true;
  }
  return false;
}

TEST(DownloadTextTest, EveryWordOfEachTableIsThere) {
  using Words = std::array<const char*, sizeof(DownloadWords) / sizeof(const char*)>;
  static_assert(sizeof(DownloadWords) == sizeof(Words));
  for (const Language& language : kLanguages) {
    const Words words = std::bit_cast<Words>(language.words);
    for (std::size_t i = 0; i < words.size(); ++i) {
      EXPECT_TRUE(words[i] != nullptr && *words[i] != '\0') << language.name << " word " << i;
    }
  }
}

// Each kind with each of its variants: which file, the archive's fault, what arrived instead,
// the write's cause. The fields all carry something, as ASCII, so any Japanese in the English
// comes from the words.
TEST(DownloadTextTest, EveryFaultSaidInBothLanguages) {
  using Kind = DownloadFault::Kind;
  DownloadFault full;
  full.file = DownloadFile{DownloadFile::Kind::Program, QStringLiteral("b241115.lzh")};
  full.folder = QStringLiteral("/data");
  full.detail = QStringLiteral("Connection refused");
  full.seconds = 61.5;
  full.bytes = 1000;
  full.expected = 5000;
  full.bytesPerSecond = 512;
  full.megabytes = 8;
  full.redirects = 10;
  full.status = 500;
  full.scheme = QStringLiteral("ftp");
  full.url = QStringLiteral("ftp://127.0.0.1/b%20241115.lzh");
  full.arrived = {DayFileMismatch::Kind::OtherDay, DayFileKind::Program, 20240401};
  full.venues = {QStringLiteral("22"), QStringLiteral("23")};
  full.left = QStringLiteral("B241115.LZH");

  std::vector<std::function<void(DownloadFault&)>> variants = {
      [](DownloadFault&) {},
      [](DownloadFault& f) { f.file.reset(); },
      [](DownloadFault& f) { f.left.clear(); },
      [](DownloadFault& f) { f.detail.clear(); },
  };
  for (auto kind :
       {DownloadFile::Kind::Program, DownloadFile::Kind::Result, DownloadFile::Kind::Stats}) {
    variants.push_back([kind](DownloadFault& f) { f.file->kind = kind; });
  }
  for (auto cause : {DownloadFault::WriteCause::Other, DownloadFault::WriteCause::DiskFull,
                     DownloadFault::WriteCause::FolderNotWritable}) {
    variants.push_back([cause](DownloadFault& f) { f.write = cause; });
  }
  for (int a = 0; a <= static_cast<int>(ArchiveFault::UnsafeName); ++a) {
    variants.push_back([a](DownloadFault& f) { f.archive = static_cast<ArchiveFault>(a); });
  }
  for (int m = 0; m <= static_cast<int>(DayFileMismatch::Kind::OtherDay); ++m) {
    for (int k = 0; k <= static_cast<int>(DayFileKind::Other); ++k) {
      for (int flaw = 0; flaw <= static_cast<int>(DayFileFlaw::NoDate); ++flaw) {
        for (int date : {0, 20240401}) {
          variants.push_back([=](DownloadFault& f) {
            f.arrived = {static_cast<DayFileMismatch::Kind>(m), static_cast<DayFileKind>(k), date,
                         static_cast<DayFileFlaw>(flaw)};
          });
        }
      }
    }
  }

  for (int k = 0; k < static_cast<int>(Kind::Count); ++k) {
    for (std::size_t v = 0; v < variants.size(); ++v) {
      DownloadFault fault = full;
      fault.kind = static_cast<Kind>(k);
      variants[v](fault);
      QString said[2];
      for (int l = 0; l < 2; ++l) {
        const Language& language = kLanguages[l];
        said[l] = FaultText(fault, language.words);
        const std::string where = std::string(language.name) + ", kind " + std::to_string(k) +
                                  ", variant " + std::to_string(v) + ": " + said[l].toStdString();
        EXPECT_FALSE(said[l].trimmed().isEmpty()) << where;
        EXPECT_EQ(HasJapanese(said[l]), language.japanese) << where;
        // The url's own %20 is no placeholder; it stays as it was.
        EXPECT_FALSE(HasPlaceholder(QString(said[l]).remove(full.url))) << where;
        // A name or a value given is said.
        if (fault.file) {
          EXPECT_TRUE(said[l].contains(fault.file->name) || fault.kind == Kind::FolderNotMade)
              << where;
        }
      }
      EXPECT_NE(said[0], said[1]) << "kind " << k << ", variant " << v;
    }
  }
}

TEST(DownloadTextTest, ProgressNamesTheFileInBothLanguages) {
  for (const Language& language : kLanguages) {
    for (auto kind :
         {DownloadFile::Kind::Program, DownloadFile::Kind::Result, DownloadFile::Kind::Stats}) {
      const QString said = ProgressText({kind, QStringLiteral("fan2410.lzh")}, language.words);
      EXPECT_TRUE(said.contains(QStringLiteral("\"fan2410.lzh\""))) << language.name;
      EXPECT_EQ(HasJapanese(said), language.japanese) << said.toStdString();
    }
  }
  EXPECT_EQ(ProgressText({DownloadFile::Kind::Result, QStringLiteral("k241115.lzh")}),
            QStringLiteral("競走成績ファイル(\"k241115.lzh\")をダウンロードしています..."));
}

// The values that tell which words: the same fault in each language keeps its numbers and names.
TEST(DownloadTextTest, ValuesKeptInTheirWords) {
  DownloadFault slow{DownloadFault::Kind::TooSlow,
                     DownloadFile{DownloadFile::Kind::Stats, QStringLiteral("fan2404.lzh")}};
  slow.seconds = 60.04;
  slow.bytes = 2048;
  slow.bytesPerSecond = 512;
  EXPECT_EQ(FaultText(slow),
            QStringLiteral("選手期別成績ファイル(\"fan2404.lzh\")をダウンロードできませんでした。\n"
                           "受信が遅すぎるので打ち切りました(60.0秒で 2048 バイト、毎秒 512 "
                           "バイト未満)。"));
  EXPECT_EQ(FaultText(slow, fetch_text::kEnglishDownloadWords),
            QStringLiteral("Could not download the racer statistics file \"fan2404.lzh\".\n"
                           "Given up as too slow (2048 bytes in 60.0 seconds, under 512 bytes a "
                           "second)."));

  DownloadFault other{DownloadFault::Kind::NotWanted,
                      DownloadFile{DownloadFile::Kind::Program, QStringLiteral("b241115.lzh")}};
  other.arrived = {DayFileMismatch::Kind::OtherKind, DayFileKind::Result, 20241115};
  other.left = QStringLiteral("b241115.lzh");
  EXPECT_EQ(FaultText(other),
            QStringLiteral("レース番組表ファイル(\"b241115.lzh\")として届いたものは求めたファイル"
                           "ではないので、保存しませんでした。\n2024年11月15日の競走成績ファイル"
                           "です。\nすでにある\"b241115.lzh\"はそのまま残しました。"));
  EXPECT_EQ(FaultText(other, fetch_text::kEnglishDownloadWords),
            QStringLiteral("What arrived as the race program file \"b241115.lzh\" is not the file "
                           "asked for, so it was not kept.\nIt is a result file of 2024-11-15.\n"
                           "\"b241115.lzh\", already there, was left as it was."));
}

}  // namespace
}  // namespace wakorin
