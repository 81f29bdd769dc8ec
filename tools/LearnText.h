#pragma once
// Every message of wakorin-learn, in English and Japanese; the locale chooses (CliLanguage.h).
// The model file's own header stays in English whatever the locale: it is data, not a message.
#include "tools/CliLanguage.h"

namespace wakorin::learn_text {

using cli::Text;

inline constexpr Text kUsage{
    "usage: wakorin-learn [options] PATH...\n"
    "  PATH                 race program files (B*.TXT, b*.lzh) or folders of them; each day's\n"
    "                       result file is found beside it (b240101.lzh -> k240101.lzh). Each\n"
    "                       day is read once, from the first copy that is the file of that day\n"
    "                       by the date inside it; others are named\n"
    "  --from, --to DATE    the days to learn from (YYYY-MM-DD or YYYY/MM/DD; default: every\n"
    "                       day before the tuning or test days)\n"
    "  --tune-from, --tune-to DATE\n"
    "                       days on which each bet type's skip threshold is chosen (default:\n"
    "                       none, every race is bet)\n"
    "  --test-from, --test-to DATE\n"
    "                       held-out days: the model's returns are printed beside two\n"
    "                       baselines on the same races\n"
    "  -o, --output FILE    write the model file (whole or not at all)\n"
    "  -m, --model FILE     measure this model file on the test days instead of learning\n"
    "      --min-bet-share X  the thresholds keep at least this share of races (default 0.30)\n"
    "      --ridge X        L2 penalty of the weights (default 2)\n"
    "      --refit          once the thresholds are chosen, learn the weights and payouts\n"
    "                       again from the learning and tuning days together\n"
    "      --no-skip        no skip rule: every race is bet with its six tickets\n"
    "  -q, --quiet          no progress on the terminal\n"
    "\n"
    "Exit status: 0 when every day was read, 1 when a day or a file was left out (each is\n"
    "named on stderr) or nothing could be learned or measured, 2 for bad arguments.\n",
    "使い方: wakorin-learn [オプション] パス...\n"
    "  パス                 レース番組表ファイル(B*.TXT、b*.lzh)か、それを入れたフォルダ。\n"
    "                       その日の競走成績ファイルは同じフォルダから探します(b240101.lzh ->\n"
    "                       k240101.lzh)。同じ日は一度だけ、中の日付がその日のものである最初の\n"
    "                       ファイルから読みます。読まなかったファイルは理由とともに表示します\n"
    "  --from, --to 日付    学習に使う日(YYYY-MM-DD または YYYY/MM/DD。既定: 調整・検証の日より\n"
    "                       前のすべての日)\n"
    "  --tune-from, --tune-to 日付\n"
    "                       券種ごとの見送りのしきい値を選ぶ日(既定: なし。すべてのレースを購入)\n"
    "  --test-from, --test-to 日付\n"
    "                       検証の日: モデルの回収率を、同じレースでの2つの比較対象と並べて表示\n"
    "  -o, --output ファイル  モデルファイルを書き出す(全部書けたときだけ置き換えます)\n"
    "  -m, --model ファイル   学習せず、このモデルファイルを検証の日で測る\n"
    "      --min-bet-share X  しきい値で購入するレースの割合の下限(既定 0.30)\n"
    "      --ridge X        重みの L2 罰則(既定 2)\n"
    "      --refit          しきい値を選んだあと、学習と調整の日を合わせて学習し直す\n"
    "      --no-skip        見送りをしない(毎レース6点を買う)\n"
    "  -q, --quiet          進み具合を表示しない\n"
    "\n"
    "終了コード: 0 すべての日を読んだ、1 読まなかった日・ファイルがある(それぞれ標準エラーに\n"
    "表示)か、学習・検証できなかった、2 引数の誤り。\n"};

inline constexpr Text kNotADate{"not a day (YYYY-MM-DD or YYYY/MM/DD)",
                                "日付ではありません(YYYY-MM-DD または YYYY/MM/DD)"};
inline constexpr Text kReadingDays{"reading days", "日ごとに読込中"};
inline constexpr Text kDaysRead{"Days read: learning %s, tuning %s, held out %s\n",
                                "読んだ日: 学習 %s、調整 %s、検証 %s\n"};
inline constexpr Text kDay{" day", "日"}, kDays{" days", "日"};
inline constexpr Text kModelLearnedFrom{"Model %s (learned from %s)\n", "モデル %s(学習: %s)\n"};
inline constexpr Text kNothingToLearn{"no race to learn from in the days given",
                                      "指定した日に学習できるレースがありません"};
inline constexpr Text kLearnedFrom{"Learned from %d races of %s\n", "%d レースから学習しました: %s\n"};
inline constexpr Text kThresholds{"Thresholds (estimated return): ", "しきい値(推定回収率): "};
inline constexpr Text kWritten{"Model written to %s\n", "モデルを %s に書き出しました\n"};
inline constexpr Text kNoTestRace{"no race in the test days", "検証の日にレースがありません"};
inline constexpr Text kHeldOut{
    "\nHeld out %s..%s: %d races. Stake 100 yen per combination; return with its\n"
    "bootstrap 95 %% interval over races; refunds of void starts paid back.\n\n",
    "\n検証 %s..%s: %d レース。1点100円で購入、回収率とレース単位のブートストラップによる\n"
    "95%%区間。返還は払い戻しに含めます。\n\n"};
inline constexpr Text kTableHeader{
    "bet     data mode: return [95% CI]   hit rate  races bet       every combination       six "
    "fixed favourites\n",
    "舟券    データ予想: 回収率 [95%区間]    的中率  購入レース       全通り購入              "
    "固定の6点\n"};
inline constexpr Text kFixed{"\nSix fixed favourites: ", "\n固定の6点: "};
inline constexpr Text kSkipHeader{
    "\nThe skip rule (見送り) against the same six tickets in every race:\n"
    "bet     six in every race [95% CI]   gain of skipping [95% CI]\n",
    "\n見送りの効果(毎レース同じ6点を買った場合との差):\n"
    "舟券    毎レース6点 [95%区間]        見送りによる差 [95%区間]\n"};
inline constexpr Text kNoSkip{"(skips nothing)", "(見送りなし)"};
inline constexpr Text kLossHeader{
    "\nMean log-loss of the outcome (nats; lower is better; market = 75 / winning payout):\n"
    "bet     races    model   market  uniform   model closes of uniform-to-market\n",
    "\n結果の平均対数損失(ナット、小さいほど良い。市場 = 75 ÷ 的中払戻):\n"
    "舟券    レース   モデル  市場    一様      一様から市場までのうちモデルが縮めた割合\n"};
inline constexpr Text kNotProfit{"Past returns; no promise of profit.\n",
                                 "過去の成績であり、利益を約束するものではありません。\n"};

}  // namespace wakorin::learn_text
