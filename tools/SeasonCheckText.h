#pragma once
// Every message of wakorin-check, in English and Japanese; the locale chooses (CliLanguage.h).
#include <optional>
#include <string>
#include <utility>

#include "base/DayDate.h"
#include "day/DayCheck.h"

#include "tools/CliLanguage.h"

namespace wakorin::check_text {

using cli::Text;

inline constexpr Text kUsage{
    "usage: wakorin-check [options] PATH...\n"
    "  PATH            race program files (B*.TXT, or the archives b*.lzh) or folders holding\n"
    "                  them; each day's result file is found beside it (B060415.TXT ->\n"
    "                  K060415.TXT, b241115.lzh -> k241115.lzh or K241115.TXT). Each day is\n"
    "                  read once, from the first copy that is the file of that day by the\n"
    "                  date inside it (a text file before an archive); others are named\n"
    "  -s, --stats F   racer statistics file for every day (default: beside each race program\n"
    "                  file, else in the working directory, Fan0510.txt or else the period\n"
    "                  file fanYYMM.txt or fanYYMM.lzh of the day)\n"
    "  -v, --by-venue  also print the totals of each venue\n"
    "      --csv F     write one line per race to F\n"
    "      --plot F    draw the cumulative return rate day by day (each bet type, the six\n"
    "                  fixed favourites and the 75 % line) as a PNG image to F\n"
    "  -j, --jobs N    days checked at once (default: the number of cores)\n"
    "  -q, --quiet     no progress bar\n"
    "  -m, --mode M    standard (the engine on the statistics file's figures, the default) or\n"
    "                  data (the model learned from past seasons; needs no statistics file)\n"
    "      --model F   the data mode's model file (default: the model built into the program);\n"
    "                  given alone, it asks for the data mode\n"
    "      --from D    count only days from D (YYYY-MM-DD or YYYY/MM/DD); earlier days'\n"
    "                  results still give the data mode the racers' recent form\n"
    "      --to D      count only days up to D\n"
    "\n"
    "Exit status: 0 when every day was checked, 1 when a day, a venue or a file was skipped\n"
    "(each is named on stderr), 2 for bad arguments.\n",
    "使い方: wakorin-check [オプション] パス...\n"
    "  パス            レース番組表ファイル(B*.TXT、または書庫 b*.lzh)か、それを入れたフォルダ。\n"
    "                  その日の競走成績ファイルは同じフォルダから探します(B060415.TXT ->\n"
    "                  K060415.TXT、b241115.lzh -> k241115.lzh または K241115.TXT)。\n"
    "                  同じ日は一度だけ、中の日付がその日のものである最初のファイルから読みます\n"
    "                  (テキストが書庫より先)。読まなかったファイルは理由とともに表示します\n"
    "  -s, --stats F   すべての日に使う選手期別成績ファイル(既定: 番組表ファイルと同じフォルダ、\n"
    "                  なければ作業フォルダの Fan0510.txt、なければその日の期のファイル\n"
    "                  fanYYMM.txt または fanYYMM.lzh)\n"
    "  -v, --by-venue  会場ごとの集計も表示する\n"
    "      --csv F     1レース1行で F に書き出す\n"
    "      --plot F    日ごとの累計回収率(券種ごと、固定6点、75%の線)のグラフを PNG 画像で\n"
    "                  F に書き出す\n"
    "  -j, --jobs N    同時に照合する日数(既定: コアの数)\n"
    "  -q, --quiet     進み具合を表示しない\n"
    "  -m, --mode M    standard(期別成績による標準の予想、既定)または data(過去の\n"
    "                  シーズンから学習したモデル。期別成績ファイルは不要)\n"
    "      --model F   データ予想のモデルファイル(既定: プログラムに組み込みのモデル)。\n"
    "                  これだけを指定するとデータ予想になります\n"
    "      --from D    D(YYYY-MM-DD または YYYY/MM/DD)以降の日だけを集計する。それより前の\n"
    "                  日の結果もデータ予想の選手の近況には使います\n"
    "      --to D      D までの日だけを集計する\n"
    "\n"
    "終了コード: 0 すべての日を照合した、1 照合できなかった日・会場・ファイルがある\n"
    "(それぞれ標準エラーに表示)、2 引数の誤り。\n"};

inline constexpr Text kNotADate{"not a day (YYYY-MM-DD or YYYY/MM/DD)",
                                "日付ではありません(YYYY-MM-DD または YYYY/MM/DD)"};
inline constexpr Text kModelIsForData{
    "--model gives the data mode's model; it cannot go with --mode standard",
    "--model はデータ予想のモデルです。--mode standard とは一緒に使えません"};
inline constexpr Text kLearnedOn{
    "Note: these days overlap the days the model learned from (%s): its figures on them say "
    "little about days it never saw.\n",
    "注意: 照合した日がモデルの学習に使った日(%s)と重なっています。学習に使っていない日の"
    "成績の目安にはなりません。\n"};
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
inline constexpr Text kNoPlotModule{"cannot draw the chart: its module is missing: ",
                                    "グラフを描けません(描画モジュールがありません): "};

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
    "%sは推定値で予想しました(期別成績にない選手がいます)\n"};
inline constexpr Text kTallyHeader{
    "%sbet       races    hits  hit rate        stake       return     refund  return rate\n",
    "%s舟券     レース    的中    的中率       購入額       払戻額       返還額       回収率\n"};
// The data mode's table: the races each bet type was skipped (見送り); `races` counts those bet.
inline constexpr Text kTallyHeaderData{
    "%sbet       races  skipped    hits  hit rate        stake       return     refund  return rate\n",
    "%s舟券     レース   見送り    的中    的中率       購入額       払戻額       返還額       回収率\n"};
// The data mode's log-loss of what won, beside the market's and a uniform guess's.
inline constexpr Text kLossHeader{
    "\nMean log-loss of the outcome (nats; lower is better; market = 75 / winning payout):\n"
    "bet        races    model   market  uniform\n",
    "\n結果の平均対数損失(ナット、小さいほど良い。市場 = 75 ÷ 的中払戻):\n"
    "舟券     レース   モデル    市場     一様\n"};
inline constexpr Text kDaysBar{"\r[%s%s] %zu/%zu days", "\r[%s%s] %zu/%zu 日"};

// Why a day, a venue or a race could not be checked in full.
inline std::string Problem(const DayProblem& problem, const std::optional<std::pair<int, int>>& otherDay) {
  using Kind = DayProblem::Kind;
  const bool ja = cli::CurrentLanguage() == cli::Language::Japanese;
  const std::string& v = problem.venue;
  switch (problem.kind) {
    case Kind::NotProgramFile:
      return ja ? "レース番組表ファイルではありません" : "not a race program file";
    case Kind::OtherDay: {
      const std::string program = otherDay ? DayText(otherDay->first) : "?";
      const std::string results = otherDay ? DayText(otherDay->second) : "?";
      return ja ? "レース番組表ファイルは " + program + "、競走成績ファイルは " + results +
                      " のものです: 照合しません"
                : "the race program file is of " + program + ", the result file of " + results +
                      ": not checked";
    }
    case Kind::ResultVenueTwice:
      return ja ? "競走成績ファイルに会場 " + v + " が2回以上あります: 最初のものを照合します"
                : "the result file holds venue " + v + " more than once: the first is checked";
    case Kind::ProgramVenueTwice:
      return ja ? "レース番組表ファイルに会場 " + v + " が2回以上あります: 最初のものを照合します"
                : "venue " + v + " stands more than once in the race program file: the first is checked";
    case Kind::NoVenue:
      return ja ? "会場がひとつもありません" : "no venue found";
    case Kind::VenueUnchecked:
      return ja ? "会場 " + v + ": 照合できません" : "venue " + v + ": cannot be checked";
    case Kind::RaceNotConverted:
      return ja ? "会場 " + v + " " + std::to_string(problem.race) +
                      "R: 成績やモーター・ボートの番号が数に変換できません"
                : "venue " + v + " race " + std::to_string(problem.race) +
                      ": statistics or equipment numbers do not convert";
    case Kind::NotPublished:
      return ja ? "会場 " + v + ": 結果はまだ公開されていません" : "venue " + v + ": results not published yet";
    case Kind::NoResult:
      break;
  }
  return ja ? "会場 " + v + ": 結果が見つかりません" : "venue " + v + ": no result found";
}

}  // namespace wakorin::check_text
