#pragma once
// Every message of wakorin-fetch, in English and Japanese; the locale chooses (CliLanguage.h).
// The downloads answer in values (app/DayDownload); their Japanese words are the window's
// (app/DownloadText), their English ones are here.
#include <QString>

#include "app/DownloadText.h"
#include "tools/CliLanguage.h"

namespace wakorin::fetch_text {

using cli::Text;

inline constexpr Text kUsage{
    "usage: wakorin-fetch [--into FOLDER] DAY|FIRST..LAST\n"
    "  DAY is written 2024-11-15. Downloads the day's race program and result archives (.lzh)\n"
    "  and, when the folder holds none, a racer statistics archive into FOLDER (default: the\n"
    "  data folder). Archives already there are not fetched again (except a result archive\n"
    "  fetched before the day's racing ended, and one that is not that day's file of its kind).\n"
    "  What arrives is unpacked and checked; an HTML page, another day's file or a damaged\n"
    "  archive is not kept, and the reason is shown.\n"
    "  A racer statistics period the site does not have is named on stderr and asked for once.\n"
    "  Exit status: 0 every day arrived, 1 a day did not, 2 bad arguments.\n"
    "  WAKORIN_DAY_FILES_URL and WAKORIN_RACER_FILES_URL change where the files come from.\n",
    "使い方: wakorin-fetch [--into フォルダ] 日付|開始日..終了日\n"
    "  日付は 2024-11-15 の形。その日のレース番組表・競走成績の書庫(.lzh)と、フォルダに\n"
    "  なければ選手期別成績の書庫を、フォルダ(既定: データフォルダ)にダウンロードします。\n"
    "  すでにある書庫はダウンロードし直しません(レース終了前に取得した競走成績と、中身が\n"
    "  その日のその種類のファイルでない書庫を除く)。届いたものは展開して確かめ、HTMLの\n"
    "  ページ・別の日のファイル・壊れた書庫などは保存せず、理由を表示します。\n"
    "  サイトにない選手期別成績の期は標準エラー出力に表示し、一度だけ取りにいきます。\n"
    "  終了コード: 0 すべて揃った、1 揃わなかった日がある、2 引数の誤り。\n"
    "  WAKORIN_DAY_FILES_URL, WAKORIN_RACER_FILES_URL で取得先を変えられます。\n"};
inline constexpr Text kSaved{" saved", " を保存しました"};
inline constexpr Text kAlreadyThere{" already there", " はすでにあります"};
inline constexpr Text kNotYetPublished{" not published yet", " はまだ公開されていません"};
inline constexpr Text kIncomplete{" still lacks a venue's results (fetched again next time)",
                                  " はまだ結果のない会場があります(次回また取得します)"};
inline constexpr Text kStatsMissing{
    "Racer statistics not had: %1. %2 day(s) fetched have none: their standard prediction needs "
    "one (the data mode does not).\n",
    "選手期別成績ファイル(%1)を取得できませんでした。%2日分は選手期別成績ファイルがないため、"
    "標準の予想ができません(データ予想はできます)。\n"};
inline constexpr Text kSavedIn{"Saved in: %1\n", "保存先フォルダ: %1\n"};
inline constexpr Text kSentenceJoin{"; ", "。"};
inline constexpr Text kSentenceEnd{".\n", "。\n"};
inline constexpr Text kSummary{"%2 of %1 days complete in %3.\n",
                               "%1日のうち %2日分を %3 に揃えました。\n"};

inline QString QSay(const Text& text) {
  return QString::fromUtf8(cli::Say(text));
}

inline constexpr DownloadWords kEnglishDownloadWords{
    .programFile = "the race program file \"%1\"",
    .resultFile = "the result file \"%1\"",
    .statsFile = "the racer statistics file \"%1\"",
    .programKind = "a race program file",
    .resultKind = "a result file",
    .statsKind = "a racer statistics file",
    .htmlKind = "an HTML page",
    .otherKind = "something that is not a data file",
    .date = "%1-%2-%3",

    .downloading = "downloading %1...",
    .cancelled = "The download was cancelled.",
    .cancelledFile = "The download of %1 was cancelled.",
    .folderNotMade = "Could not make the data folder \"%1\".",
    .notWritten = "Could not write %1 (%2).",
    .diskFull = "the disk is full",
    .folderNotWritable = "the folder \"%1\" cannot be written: %2",
    .writeError = "write error",

    .notDownloaded = "Could not download %1.",
    .stalled = "Nothing arrived for %1 seconds.",
    .tooSlow = "Given up as too slow (%2 bytes in %1 seconds, under %3 bytes a second).",
    .tooLarge = "Given up as too large (over %1 MB).",
    .redirectLoop = "More than %1 redirects: they go round in a loop.",
    .redirectToOtherScheme = "Redirected to another scheme (%1): %2, not followed.",
    .redirectNotFollowed = "Redirected to %1, which could not be followed.",
    .redirectFailed = "Redirected to another scheme (%1): %2, which could not be followed (%3).",
    .notOnServer = "Not on the server (HTTP 404).",
    .httpError = "The server answered with an error (HTTP %1).",
    .cutShort = "The transfer stopped short (%1 of %2 bytes).",
    .networkError = "Network error: %1",

    .notWanted = "What arrived as %1 is not the file asked for, so it was not kept.",
    .keptOld = "\"%1\", already there, was left as it was.",
    .venuesLost = "It lacks the results of venues (%1) that the one fetched before held.",
    .venueSeparator = " ",
    .notArchive = "Not an LHA archive.",
    .archiveEmpty = "The archive holds no file.",
    .archiveSeveralFiles = "The archive holds more than one file.",
    .archiveNotAFile = "The archive holds a folder or a link.",
    .archiveTooLarge = "The archive unpacks to too much (over %1 MB).",
    .archiveDamaged = "The archive is damaged.",
    .archiveTruncated = "The archive is cut short.",
    .archiveBadChecksum = "The archive's data fail their CRC.",
    .archiveUnsafeName = "A file name in the archive climbs out of its folder (\"../\").",
    .notPacked = "It is %1, not packed.",
    .html = "It is an HTML page (a login or error page), not a data file.",
    .notDataFile = "It is neither a race program, a result nor a racer statistics file.",
    .otherKindOfDay = "It is %2 of %1.",
    .otherKindAlone = "It is %1.",
    .flawed = "It is %1, but %2",
    .otherDay = "It is %2 of another day (%1).",
    .datesDisagree = "its venues are of different days.",
    .noVenue = "it holds no venue.",
    .noDate = "its date cannot be read.",
};

// The downloads' words in the locale's language.
inline const DownloadWords& LocalWords() {
  return cli::CurrentLanguage() == cli::Language::Japanese ? kJapaneseDownloadWords
                                                           : kEnglishDownloadWords;
}

}  // namespace wakorin::fetch_text
