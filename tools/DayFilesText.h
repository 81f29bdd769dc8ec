#pragma once
// How the command-line tools say why a file or a day was not read, in the locale's language
// (CliLanguage.h): one table for wakorin-check and wakorin-learn alike.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/DayDate.h"
#include "base/Error.h"
#include "base/WholeFile.h"
#include "predict/DataModel.h"
#include "day/RaceDays.h"
#include "tools/CliLanguage.h"

namespace wakorin::day_text {

using cli::Say;
using cli::Text;

// Why a file cannot be read.
inline constexpr Text kUtf16{"UTF-16 text, neither Shift-JIS nor UTF-8",
                             "UTF-16 のテキストで、Shift-JIS でも UTF-8 でもありません"};
inline constexpr Text kBadUtf8{"marked as UTF-8 but not UTF-8",
                               "UTF-8 と印があるのに UTF-8 ではありません"};
inline constexpr Text kNotInCp932{"UTF-8 holding characters Shift-JIS does not have",
                                  "Shift-JIS にない文字を含む UTF-8 です"};
inline constexpr Text kNotInteger{"' is not an integer", "' は整数ではありません"};
inline constexpr Text kNotArchive{"not an LHA archive", "LHA形式の書庫ではありません"};
inline constexpr Text kEmpty{"an archive with nothing inside", "中身のない書庫です"};
inline constexpr Text kSeveralFiles{"an archive of more than one file",
                                    "ファイルが2つ以上入った書庫です"};
inline constexpr Text kNotAFile{"an archive holding a folder or a link",
                                "フォルダかリンクが入った書庫です"};
inline constexpr Text kTooLarge{"an archive that unpacks to too much",
                                "展開すると大きすぎる書庫です"};
inline constexpr Text kTruncated{"an archive cut short", "途中で切れた書庫です"};
inline constexpr Text kBadChecksum{"an archive whose data fail their CRC",
                                   "中身が検査値(CRC)と合わない書庫です"};
inline constexpr Text kUnsafeName{"an archive whose file name climbs out of its folder",
                                  "ファイル名がフォルダの外を指す書庫です"};
inline constexpr Text kDamaged{"a damaged archive", "壊れた書庫です"};
inline constexpr Text kMissing{"not found: ", "見つかりません: "};
inline constexpr Text kFileTooLarge{"larger than %d MB, far larger than any official file",
                                    "%d MB を超えていて、公式のどのファイルよりずっと大きいです"};
inline constexpr Text kStatsHtml{"a web page (a login or error page), not a statistics file",
                                 "HTMLのページ(ログイン画面やエラー画面など)で、期別成績ファイルではありません"};
inline constexpr Text kStatsEmpty{"shorter than one racer's record", "1人分の記録にも足りません"};
inline constexpr Text kStatsNotRecords{"not the records of a statistics file",
                                       "期別成績ファイルの記録の形をしていません"};

// Why a file cannot be read, without its name.
inline std::string FileError(const Error& error) {
  if (error.kind == Error::Kind::Text) {
    return error.textFault() == TextFault::Utf16     ? Say(kUtf16)
           : error.textFault() == TextFault::BadUtf8 ? Say(kBadUtf8)
                                                     : Say(kNotInCp932);
  }
  if (error.kind == Error::Kind::NotInteger) return "'" + error.text + Say(kNotInteger);
  if (error.kind == Error::Kind::Missing) return Say(kMissing) + error.text;
  if (error.kind == Error::Kind::TooLarge) {
    char said[200];
    std::snprintf(said, sizeof said, Say(kFileTooLarge), error.code);
    return said;
  }
  if (error.kind == Error::Kind::NotStats) {
    return error.statsFault() == StatsFault::Html    ? Say(kStatsHtml)
           : error.statsFault() == StatsFault::Empty ? Say(kStatsEmpty)
                                                     : Say(kStatsNotRecords);
  }
  if (error.kind != Error::Kind::Archive) return std::strerror(error.code);
  switch (error.archiveFault()) {
    case ArchiveFault::NotArchive:
      return Say(kNotArchive);
    case ArchiveFault::Empty:
      return Say(kEmpty);
    case ArchiveFault::SeveralFiles:
      return Say(kSeveralFiles);
    case ArchiveFault::NotAFile:
      return Say(kNotAFile);
    case ArchiveFault::TooLarge:
      return Say(kTooLarge);
    case ArchiveFault::Truncated:
      return Say(kTruncated);
    case ArchiveFault::BadChecksum:
      return Say(kBadChecksum);
    case ArchiveFault::UnsafeName:
      return Say(kUnsafeName);
    case ArchiveFault::Damaged:
      break;
  }
  return Say(kDamaged);
}

inline constexpr Text kCannotBeRead{"cannot be read (", "読めません("};
inline constexpr Text kCannotBeReadEnd{")", ")"};

inline std::string CannotBeRead(const Error& error) {
  return Say(kCannotBeRead) + FileError(error) + Say(kCannotBeReadEnd);
}

inline const char* KindName(DayFileKind kind) {
  static constexpr Text kNames[] = {
      {"a race program file", "レース番組表ファイル"},
      {"a result file", "競走成績ファイル"},
      {"a racer statistics file", "選手期別成績ファイル"},
      {"an HTML page", "HTMLのページ"},
      {"no official file", "公式のデータファイルではないもの"},
  };
  return Say(kNames[static_cast<int>(kind)]);
}

inline constexpr Text kNotThe{"not %s: it is %s", "%sではありません(%sです)"};
inline constexpr Text kOfOtherDay{"%s of %s, not of %s", "%sの%sで、%sのものではありません"};
inline constexpr Text kNoDate{"%s without a date", "日付のない%sです"};

inline std::string Format(const Text& text, const std::string& a, const std::string& b,
                          const std::string& c = {}) {
  std::string out(std::strlen(Say(text)) + a.size() + b.size() + c.size() + 1, '\0');
  const int n = std::snprintf(out.data(), out.size(), Say(text), a.c_str(), b.c_str(), c.c_str());
  out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return out;
}

// "B240401.TXT: a result file of 2024-07-10, not of 2024-04-01", for a copy not taken.
inline std::string Refused(const RefusedFile& file, int date) {
  const std::string wanted = KindName(file.wanted);
  std::string why;
  switch (file.refusal) {
    case FileRefusal::Unreadable:
      why = file.error ? CannotBeRead(*file.error) : Say(kCannotBeRead);
      break;
    case FileRefusal::WrongKind:
      why = Format(kNotThe, wanted, KindName(file.found));
      break;
    case FileRefusal::OtherDay:
      why = cli::CurrentLanguage() == cli::Language::Japanese
                ? Format(kOfOtherDay, DayText(file.foundDate), wanted, DayText(date))
                : Format(kOfOtherDay, wanted, DayText(file.foundDate), DayText(date));
      break;
    case FileRefusal::NoDate:
      why = Format(kNoDate, wanted, {});
      break;
  }
  return file.path + ": " + why;
}

inline constexpr Text kNotFound{"no such file or folder", "そのようなファイルもフォルダもありません"};
inline constexpr Text kNoDayInFolder{
    "no race program or result file (B*.TXT, b*.lzh, K*.TXT, k*.lzh) in it",
    "レース番組表ファイルも競走成績ファイル(B*.TXT、b*.lzh、K*.TXT、k*.lzh)もありません"};
inline constexpr Text kNoDateInside{"no race program file's date in it",
                                    "レース番組表ファイルの日付がありません"};

inline std::string PathProblem(const wakorin::PathProblem& problem) {
  std::string why;
  switch (problem.fault) {
    case PathFault::NotFound:
      why = Say(kNotFound);
      break;
    case PathFault::NoDayInFolder:
      why = Say(kNoDayInFolder);
      break;
    case PathFault::Unreadable:
      why = problem.error ? CannotBeRead(*problem.error) : Say(kCannotBeRead);
      break;
    case PathFault::NoDateInside:
      why = Say(kNoDateInside);
      break;
  }
  return problem.path + ": " + why;
}

inline constexpr Text kLeftOutNoProgram{"%s: left out: no race program file of the day to take",
                                        "%s: 読みませんでした(その日のレース番組表ファイルがありません)"};
inline constexpr Text kLeftOutNoResult{"%s: left out: no result file of the day to take",
                                       "%s: 読みませんでした(その日の競走成績ファイルがありません)"};

// "2024-04-01: left out: ...", for a day not read.
inline std::string LeftOut(const RaceDay& day) {
  return Format(day.gap == DayGap::NoProgramFile ? kLeftOutNoProgram : kLeftOutNoResult,
                DayText(day.date), {});
}

inline constexpr Text kCannotWrite{"cannot write %s: %s; nothing was written there",
                                   "%s を書き込めません(%s)。何も書き込んでいません"};
inline constexpr Text kDiskFull{"the disk is full", "ディスクがいっぱいです"};
inline constexpr Text kReadOnly{"the folder cannot be written", "フォルダに書き込めません"};
inline constexpr Text kNotRegular{"not a regular file", "通常のファイルではありません"};
inline constexpr Text kNoFolder{"no such folder", "フォルダがありません"};

// "cannot write out.csv: the disk is full; ...", for a file the tool writes.
inline std::string CannotWrite(const std::string& path, const WriteFault& fault) {
  std::string why;
  switch (fault.kind) {
    case WriteFault::Kind::DiskFull:
      why = Say(kDiskFull);
      break;
    case WriteFault::Kind::ReadOnly:
      why = Say(kReadOnly);
      break;
    case WriteFault::Kind::NotRegularFile:
      why = Say(kNotRegular);
      break;
    case WriteFault::Kind::NoFolder:
      why = Say(kNoFolder);
      break;
    case WriteFault::Kind::Other:
      why = std::strerror(fault.error);
      break;
  }
  if (fault.error != 0 && fault.kind != WriteFault::Kind::Other) {
    why += std::string(", ") + std::strerror(fault.error);
  }
  return Format(kCannotWrite, path, why);
}

// Whether `path` may be written by WriteWholeFile: not a folder, a pipe or a device. Asked
// before long work, so that a run is not wasted on a file it could never write.
inline bool WritableTarget(const std::string& path) {
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  return !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
}

// Why a model file was refused: "line 208: cut short (no end line)".
inline std::string ModelFault(const ModelFileFault& fault) {
  using K = wakorin::ModelFault;
  const bool ja = cli::CurrentLanguage() == cli::Language::Japanese;
  const std::string name = "'" + fault.name + "'";
  std::string why;
  switch (fault.kind) {
    case K::TooLarge:
      why = ja ? "モデルファイルにしては大きすぎます" : "too large for a model file";
      break;
    case K::Unreadable:
      why = (ja ? "読めません: " : "cannot be read: ") + std::string(std::strerror(fault.error));
      break;
    case K::NotModel:
      why = ja ? "wakorin のデータ予想モデルのファイルではありません" : "not a wakorin data model file";
      break;
    case K::OtherFormat:
      why = ja ? "形式 " + fault.name + " のモデルで、このプログラムが読む形式(" +
                     std::to_string(DataModel::kFormat) + ")ではありません"
               : "model format " + fault.name + " is not the one this program reads (" +
                     std::to_string(DataModel::kFormat) + ")";
      break;
    case K::NoLineEnd:
      why = ja ? "途中で切れています(行末がありません)" : "cut short (no line end)";
      break;
    case K::ControlByte:
      why = ja ? "行に制御文字があります" : "a control byte in the line";
      break;
    case K::Damaged:
      why = ja ? "壊れているか書き換えられています(検査値が合いません)"
               : "damaged or edited (its checksum does not match)";
      break;
    case K::BytesAfterEnd:
      why = ja ? "終わりの行のあとに何かがあります" : "bytes after the end line";
      break;
    case K::Twice:
      why = ja ? name + " が2回あります" : name + " given twice";
      break;
    case K::RacesNotCount:
      why = ja ? "'races' が数ではありません" : "'races' is not a count";
      break;
    case K::UnknownParameter:
      why = ja ? "知らない項目 " + name + " があります" : "unknown parameter " + name;
      break;
    case K::NotFinite:
      why = ja ? name + " が有限の数ではありません" : name + " is not a finite number";
      break;
    case K::NoEndLine:
      why = ja ? "途中で切れています(終わりの行がありません)" : "cut short (no end line)";
      break;
    case K::Missing:
      why = ja ? "項目 " + name + " がありません" : "parameter " + name + " is missing";
      break;
  }
  if (fault.line <= 0) return why;
  return (ja ? std::to_string(fault.line) + "行目: " : "line " + std::to_string(fault.line) + ": ") + why;
}

}  // namespace wakorin::day_text
