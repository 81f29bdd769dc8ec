#pragma once
// Every message of wakorin-check, in English and Japanese; the locale chooses (CliLanguage.h).
#include <regex>
#include <string>

#include "tools/CliLanguage.h"

namespace wakorin::check_text {

using cli::Text;

inline constexpr Text kUsage{
    "usage: wakorin-check [options] PATH...\n"
    "  PATH            race program files (B*.TXT, or the archives b*.lzh) or folders holding\n"
    "                  them; each day's result file is found beside it (B060415.TXT ->\n"
    "                  K060415.TXT, b241115.lzh -> k241115.lzh or K241115.TXT)\n"
    "  -s, --stats F   racer statistics file for every day (default: beside each race program\n"
    "                  file, else in the working directory, Fan0510.txt or else the period\n"
    "                  file fanYYMM.txt or fanYYMM.lzh of the day)\n"
    "  -v, --by-venue  also print the totals of each venue\n"
    "      --csv F     write one line per race to F\n"
    "  -j, --jobs N    days checked at once (default: the number of cores)\n"
    "  -q, --quiet     no progress bar\n"
    "  -m, --mode M    standard (the engine on the statistics file's figures, the default) or\n"
    "                  data (the model learned from past seasons; needs no statistics file)\n"
    "      --model F   the data mode's model file (default: the model built into the program)\n"
    "      --from D    count only days from D (YYYY-MM-DD); earlier days' results still give\n"
    "                  the data mode the racers' recent form\n"
    "      --to D      count only days up to D (YYYY-MM-DD)\n"
    "\n"
    "Exit status: 0 when every day was checked, 1 when a day, a venue or a file was skipped\n"
    "(each is named on stderr), 2 for bad arguments.\n",
    "使い方: wakorin-check [オプション] パス...\n"
    "  パス            レース番組表ファイル(B*.TXT、または書庫 b*.lzh)か、それを入れたフォルダ。\n"
    "                  その日の競走成績ファイルは同じフォルダから探します(B060415.TXT ->\n"
    "                  K060415.TXT、b241115.lzh -> k241115.lzh または K241115.TXT)\n"
    "  -s, --stats F   すべての日に使う選手期別成績ファイル(既定: 番組表ファイルと同じフォルダ、\n"
    "                  なければ作業フォルダの Fan0510.txt、なければその日の期のファイル\n"
    "                  fanYYMM.txt または fanYYMM.lzh)\n"
    "  -v, --by-venue  会場ごとの集計も表示する\n"
    "      --csv F     1レース1行で F に書き出す\n"
    "  -j, --jobs N    同時に照合する日数(既定: コアの数)\n"
    "  -q, --quiet     進み具合を表示しない\n"
    "  -m, --mode M    standard(期別成績による標準の予想、既定)または data(過去の\n"
    "                  シーズンから学習したモデル。期別成績ファイルは不要)\n"
    "      --model F   データ予想のモデルファイル(既定: プログラムに組み込みのモデル)\n"
    "      --from D    D(YYYY-MM-DD)以降の日だけを集計する。それより前の日の結果も\n"
    "                  データ予想の選手の近況には使います\n"
    "      --to D      D(YYYY-MM-DD)までの日だけを集計する\n"
    "\n"
    "終了コード: 0 すべての日を照合した、1 照合できなかった日・会場・ファイルがある\n"
    "(それぞれ標準エラーに表示)、2 引数の誤り。\n"};

inline constexpr Text kNoProgramFileIn{": no race program file (B*.TXT, b*.lzh) in it",
                                       ": レース番組表ファイル(B*.TXT、b*.lzh)がありません"};
inline constexpr Text kCannotBeRead{"cannot be read (", "読めません("};
inline constexpr Text kCannotBeReadEnd{")", ")"};
inline constexpr Text kNoResultFile{"no result file", "競走成績ファイルがありません"};
inline constexpr Text kNoStatsFile{
    "no racer statistics file (Fan0510.txt, fanYYMM.txt, fanYYMM.lzh) "
    "beside it or in the working directory (give one with --stats)",
    "選手期別成績ファイル(Fan0510.txt、fanYYMM.txt、fanYYMM.lzh)が同じフォルダにも"
    "作業フォルダにもありません(--stats で指定できます)"};
inline constexpr Text kStatsCannotBeRead{"its racer statistics file ", "選手期別成績ファイル "};
inline constexpr Text kLookedFor{"looked for: ", "探したファイル: "};
inline constexpr Text kEarlierPeriods{" (or an earlier period's fanYYMM)",
                                      "(それより前の期の fanYYMM も可)"};
inline constexpr Text kDataModeNeedsNone{"the data mode (--mode data) needs none",
                                         "データ予想(--mode data)では不要です"};
inline constexpr Text kNone{"none", "なし"};
inline constexpr Text kCannotWrite{"cannot write ", "書き込めません: "};

// Counted words: "1 day", "2 days"; Japanese has one form.
inline constexpr Text kDay{"day", "日"}, kDays{"days", "日"};
inline constexpr Text kVenue{"venue", "場"}, kVenues{"venues", "場"};
inline constexpr Text kRace{"race", "レース"}, kRaces{"races", "レース"};
inline constexpr Text kFile{"file", "ファイル"}, kFiles{"files", "ファイル"};
inline constexpr Text kRacer{"racer", "人"}, kRacers{"racers", "人"};

inline constexpr Text kSummary{"Checked %s, %s, %s (%s skipped); statistics: %s\n",
                               "照合: %s、%s、%s(飛ばしたもの %s)。期別成績: %s\n"};
inline constexpr Text kSummaryData{"Checked %s, %s, %s (%s skipped); data mode, model: %s\n",
                                   "照合: %s、%s、%s(飛ばしたもの %s)。データ予想、モデル: %s\n"};
inline constexpr Text kBuiltIn{"built in", "組み込み"};
inline constexpr Text kEstimated{
    "%s predicted with estimated figures (racers missing from the statistics)\n",
    "%s は推定値で予想しました(期別成績にない選手がいます)\n"};
inline constexpr Text kTallyHeader{
    "%sbet       races    hits  hit rate        stake       return     refund  return rate\n",
    "%s舟券     レース    的中    的中率       購入額       払戻額       返還額       回収率\n"};
// The data mode's table: the races each bet type was skipped (見送り); `races` counts those bet.
inline constexpr Text kTallyHeaderData{
    "%sbet       races  skipped    hits  hit rate        stake       return     refund  return rate\n",
    "%s舟券     レース   見送り    的中    的中率       購入額       払戻額       返還額       回収率\n"};
inline constexpr Text kDaysBar{"\r[%s%s] %zu/%zu days", "\r[%s%s] %zu/%zu 日"};

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
inline constexpr Text kFileTooLarge{"larger than %d MB, far larger than any official file",
                                    "%d MB を超えていて、公式のどのファイルよりずっと大きいです"};
inline constexpr Text kStatsHtml{"a web page (a login or error page), not a statistics file",
                                 "HTMLのページ(ログイン画面やエラー画面など)で、期別成績ファイルではありません"};
inline constexpr Text kStatsEmpty{"shorter than one racer's record",
                                  "1人分の記録にも足りません"};
inline constexpr Text kStatsNotRecords{"not the records of a statistics file",
                                       "期別成績ファイルの記録の形をしていません"};

// The day's check reports its problems in English; under a Japanese locale they are said in
// Japanese. A problem not in this table is shown as it stands.
inline std::string Problem(const std::string& problem) {
  if (cli::CurrentLanguage() != cli::Language::Japanese) return problem;
  static const std::pair<std::regex, const char*> kProblems[] = {
      {std::regex("not a race program file"), "レース番組表ファイルではありません"},
      {std::regex("the race program file is of (.+), the result file of (.+): not checked"),
       "レース番組表ファイルは $1、競走成績ファイルは $2 のものです: 照合しません"},
      {std::regex("the result file holds venue (\\S+) more than once: the first is checked"),
       "競走成績ファイルに会場 $1 が2回以上あります: 最初のものを照合します"},
      {std::regex("venue (\\S+) stands more than once in the race program file: the first is "
                  "checked"),
       "レース番組表ファイルに会場 $1 が2回以上あります: 最初のものを照合します"},
      {std::regex("no venue found"), "会場がひとつもありません"},
      {std::regex("venue (\\S+): cannot be checked"), "会場 $1: 照合できません"},
      {std::regex("venue (\\S+) race (\\d+): statistics or equipment numbers do not convert"),
       "会場 $1 $2R: 成績やモーター・ボートの番号が数に変換できません"},
      {std::regex("venue (\\S+): results not published yet"),
       "会場 $1: 結果はまだ公開されていません"},
      {std::regex("venue (\\S+): no result found"), "会場 $1: 結果が見つかりません"},
  };
  for (const auto& [pattern, japanese] : kProblems) {
    if (std::regex_match(problem, pattern)) return std::regex_replace(problem, pattern, japanese);
  }
  return problem;
}

}  // namespace wakorin::check_text
