#pragma once
// Every message of wakorin-fetch, in English and Japanese; the locale chooses (CliLanguage.h).
// The downloads themselves (app/DayDownload) speak Japanese, for the window; under any other
// locale their messages are said in English here, at the tool's output.
#include <QRegularExpression>
#include <QString>
#include <utility>

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

// A message of the downloads as the locale speaks it.
inline QString Local(const QString& japanese) {
  if (cli::CurrentLanguage() == cli::Language::Japanese) return japanese;
  // Whole sentences first, then the names of files, kinds and dates they hold.
  static const std::pair<QRegularExpression, QString> kPhrases[] = {
      {QRegularExpression(QStringLiteral("^(.+)をダウンロードしています\\.\\.\\.$")),
       QStringLiteral("downloading \\1...")},
      {QRegularExpression(QStringLiteral("^(.+)をダウンロードできませんでした。")),
       QStringLiteral("Could not download \\1.")},
      {QRegularExpression(QStringLiteral("^(.+)のダウンロードを中止しました。")),
       QStringLiteral("The download of \\1 was cancelled.")},
      {QRegularExpression(QStringLiteral("ダウンロードを中止しました。")),
       QStringLiteral("The download was cancelled.")},
      {QRegularExpression(QStringLiteral("データフォルダ\\(\"(.+)\"\\)を作れませんでした。")),
       QStringLiteral("Could not make the data folder \"\\1\".")},
      {QRegularExpression(QStringLiteral("^(.+)を書き込めませんでした\\((.*)\\)。")),
       QStringLiteral("Could not write \\1 (\\2).")},
      {QRegularExpression(QStringLiteral("フォルダ\"(.+)\"には書き込めません: ")),
       QStringLiteral("the folder \"\\1\" cannot be written: ")},
      {QRegularExpression(QStringLiteral("ディスクがいっぱいです")),
       QStringLiteral("the disk is full")},
      {QRegularExpression(QStringLiteral("書き込みエラー")), QStringLiteral("write error")},
      {QRegularExpression(QStringLiteral("([\\d.]+)秒間、受信が進みませんでした。")),
       QStringLiteral("Nothing arrived for \\1 seconds.")},
      {QRegularExpression(QStringLiteral("受信が遅すぎるので打ち切りました\\(([\\d.]+)秒で (\\d+) "
                                         "バイト、毎秒 (\\d+) バイト未満\\)。")),
       QStringLiteral(
           "Given up as too slow (\\2 bytes in \\1 seconds, under \\3 bytes a second).")},
      {QRegularExpression(
           QStringLiteral("大きすぎるので打ち切りました\\((\\d+) MB を超えます\\)。")),
       QStringLiteral("Given up as too large (over \\1 MB).")},
      {QRegularExpression(QStringLiteral(
           "転送\\(リダイレクト\\)が(\\d+)回を超えて続きました。転送が堂々めぐりしています。")),
       QStringLiteral("More than \\1 redirects: they go round in a loop.")},
      {QRegularExpression(QStringLiteral("別の方式\\((.+)\\)の転送先\\((.+)\\)へ転送\\("
                                         "リダイレクト\\)されたので、たどりませんでした。")),
       QStringLiteral("Redirected to another scheme (\\1): \\2, not followed.")},
      {QRegularExpression(
           QStringLiteral("別の方式\\((.+)\\)の転送先\\((.+)\\)へ転送\\(リダイレクト\\)"
                          "されましたが、たどれませんでした\\((.*)\\)。")),
       QStringLiteral(
           "Redirected to another scheme (\\1): \\2, which could not be followed (\\3).")},
      {QRegularExpression(QStringLiteral(
           "転送先\\((.+)\\)へ転送\\(リダイレクト\\)されましたが、たどれませんでした。")),
       QStringLiteral("Redirected to \\1, which could not be followed.")},
      {QRegularExpression(QStringLiteral("サーバーにありません\\(HTTP 404\\)。")),
       QStringLiteral("Not on the server (HTTP 404).")},
      {QRegularExpression(QStringLiteral("サーバーがエラーを返しました\\(HTTP (\\d+)\\)。")),
       QStringLiteral("The server answered with an error (HTTP \\1).")},
      {QRegularExpression(QStringLiteral("受信が途中で途切れました\\((\\d+) / (\\d+) バイト\\)。")),
       QStringLiteral("The transfer stopped short (\\1 of \\2 bytes).")},
      {QRegularExpression(QStringLiteral("通信エラー: ")), QStringLiteral("Network error: ")},
      {QRegularExpression(
           QStringLiteral("前に取得したものにあった会場\\((.+)\\)の結果がありません。")),
       QStringLiteral("It lacks the results of venues (\\1) that the one fetched before held.")},
      {QRegularExpression(QStringLiteral(
           "^(.+)として届いたものは求めたファイルではないので、保存しませんでした。")),
       QStringLiteral("What arrived as \\1 is not the file asked for, so it was not kept.")},
      {QRegularExpression(QStringLiteral("すでにある\"(.+)\"はそのまま残しました。")),
       QStringLiteral("\"\\1\", already there, was left as it was.")},
      {QRegularExpression(QStringLiteral("LHA形式の圧縮ファイルではありません。")),
       QStringLiteral("Not an LHA archive.")},
      {QRegularExpression(QStringLiteral("圧縮ファイルの中にファイルがありません。")),
       QStringLiteral("The archive holds no file.")},
      {QRegularExpression(QStringLiteral("圧縮ファイルにファイルが2つ以上入っています。")),
       QStringLiteral("The archive holds more than one file.")},
      {QRegularExpression(QStringLiteral("圧縮ファイルにフォルダかリンクが入っています。")),
       QStringLiteral("The archive holds a folder or a link.")},
      {QRegularExpression(
           QStringLiteral("圧縮ファイルを展開すると大きすぎます\\((\\d+) MB を超えます\\)。")),
       QStringLiteral("The archive unpacks to too much (over \\1 MB).")},
      {QRegularExpression(QStringLiteral("圧縮ファイルが途中で切れています。")),
       QStringLiteral("The archive is cut short.")},
      {QRegularExpression(QStringLiteral("圧縮ファイルの中身が検査値\\(CRC\\)と合いません。")),
       QStringLiteral("The archive's data fail their CRC.")},
      {QRegularExpression(QStringLiteral(
           "圧縮ファイルの中のファイル名がフォルダの外を指しています\\(\"\\.\\./\" など\\)。")),
       QStringLiteral("A file name in the archive climbs out of its folder (\"../\").")},
      {QRegularExpression(QStringLiteral("圧縮ファイルが壊れています。")),
       QStringLiteral("The archive is damaged.")},
      {QRegularExpression(QStringLiteral("圧縮されていない(.+)です。")),
       QStringLiteral("It is \\1, not packed.")},
      {QRegularExpression(QStringLiteral(
           "データファイルではなくHTMLのページです\\(ログイン画面やエラー画面など\\)。")),
       QStringLiteral("It is an HTML page (a login or error page), not a data file.")},
      {QRegularExpression(
           QStringLiteral("レース番組表・競走成績・選手期別成績のどのファイルでもありません。")),
       QStringLiteral("It is none of race program, result or racer statistics file.")},
      {QRegularExpression(QStringLiteral("別の日\\((.+)\\)の(.+)です。")),
       QStringLiteral("It is \\2 of another day (\\1).")},
      {QRegularExpression(QStringLiteral("^(.+)ですが、日付が読めません。")),
       QStringLiteral("It is \\1, but its date cannot be read.")},
      {QRegularExpression(QStringLiteral("^(.+)ですが、")), QStringLiteral("It is \\1, but ")},
      {QRegularExpression(QStringLiteral("会場によって日付が違います。")),
       QStringLiteral("its venues are of different days.")},
      {QRegularExpression(QStringLiteral("会場がひとつもありません。")),
       QStringLiteral("it holds no venue.")},
      {QRegularExpression(QStringLiteral("日付が読めません。")),
       QStringLiteral("its date cannot be read.")},
      {QRegularExpression(QStringLiteral("^(\\d+年\\d+月\\d+日)の(.+)です。")),
       QStringLiteral("It is \\2 of \\1.")},
      {QRegularExpression(QStringLiteral("^(.+)です。")), QStringLiteral("It is \\1.")},
      {QRegularExpression(QStringLiteral("レース番組表ファイル\\(\"([^\"]+)\"\\)")),
       QStringLiteral("the race program file \"\\1\"")},
      {QRegularExpression(QStringLiteral("競走成績ファイル\\(\"([^\"]+)\"\\)")),
       QStringLiteral("the result file \"\\1\"")},
      {QRegularExpression(QStringLiteral("選手期別成績ファイル\\(\"([^\"]+)\"\\)")),
       QStringLiteral("the racer statistics file \"\\1\"")},
      {QRegularExpression(QStringLiteral("レース番組表ファイル")),
       QStringLiteral("a race program file")},
      {QRegularExpression(QStringLiteral("競走成績ファイル")), QStringLiteral("a result file")},
      {QRegularExpression(QStringLiteral("選手期別成績ファイル")),
       QStringLiteral("a racer statistics file")},
      {QRegularExpression(QStringLiteral("HTMLのページ")), QStringLiteral("an HTML page")},
      {QRegularExpression(QStringLiteral("データファイルではないもの")),
       QStringLiteral("something that is not a data file")},
      {QRegularExpression(QStringLiteral("(\\d+)年(\\d+)月(\\d+)日")),
       QStringLiteral("\\1-\\2-\\3")},
  };
  QStringList lines = japanese.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    for (const auto& [pattern, english] : kPhrases) line.replace(pattern, english);
  }
  return lines.join(QLatin1Char('\n'));
}

}  // namespace wakorin::fetch_text
