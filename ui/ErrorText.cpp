#include "ui/ErrorText.h"

#include "base/DayDate.h"

#include <cstring>

#include <QDir>
#include <QFileInfo>

#include "ui/Cp932Text.h"

namespace wakorin {
namespace {

QString ArchiveFaultText(ArchiveFault fault) {
  switch (fault) {
    case ArchiveFault::NotArchive:
      return QStringLiteral("LHA形式の圧縮ファイルではありません。");
    case ArchiveFault::Empty:
      return QStringLiteral("ファイルが入っていません。");
    case ArchiveFault::SeveralFiles:
      return QStringLiteral("ファイルが2つ以上入っています。");
    case ArchiveFault::NotAFile:
      return QStringLiteral("フォルダかリンクが入っています。");
    case ArchiveFault::TooLarge:
      return QStringLiteral("展開すると大きすぎます。");
    case ArchiveFault::Truncated:
      return QStringLiteral("圧縮ファイルが途中で切れています。");
    case ArchiveFault::BadChecksum:
      return QStringLiteral("展開した中身が検査値(CRC)と合いません。");
    case ArchiveFault::UnsafeName:
      return QStringLiteral("中のファイル名がフォルダの外を指しています(\"../\" など)。");
    case ArchiveFault::Damaged:
      break;
  }
  return QStringLiteral("圧縮ファイルが壊れています。");
}

QString KindName(DayFileKind kind) {
  switch (kind) {
    case DayFileKind::Program:
      return QStringLiteral("レース番組表ファイル");
    case DayFileKind::Result:
      return QStringLiteral("競走成績ファイル");
    case DayFileKind::Stats:
      return QStringLiteral("選手期別成績ファイル");
    case DayFileKind::Html:
      return QStringLiteral("HTMLのページ");
    case DayFileKind::Other:
      break;
  }
  return QStringLiteral("公式のデータファイルではないもの");
}

QString StatsFaultText(StatsFault fault) {
  switch (fault) {
    case StatsFault::Html:
      return QStringLiteral("HTMLのページです(ログイン画面やエラー画面など)。");
    case StatsFault::Empty:
      return QStringLiteral("空か、1人分の記録にも足りません。");
    case StatsFault::NotRecords:
      break;
  }
  return QStringLiteral("選手期別成績の記録の形をしていません。");
}

// Whole and clean ("./Fan0510.txt" says little about which folder was the working one).
QString PathText(const std::string& path) {
  return QDir::cleanPath(QFileInfo(QString::fromLocal8Bit(path.c_str())).absoluteFilePath());
}

// Why a statistics file found was not used, on one line after its path.
QString RefusedText(const Error& error) {
  switch (error.kind) {
    case Error::Kind::NotStats:
      return StatsFaultText(error.statsFault());
    case Error::Kind::Archive:
      return ArchiveFaultText(error.archiveFault());
    case Error::Kind::Text:
      return QStringLiteral("Shift-JIS(CP932)のテキストでも、それを UTF-8 に変換したものでもありません。");
    case Error::Kind::TooLarge:
      return QStringLiteral("大きすぎます(%1 MB を超えています)。").arg(error.code);
    case Error::Kind::Io:
    case Error::Kind::NotInteger:
    case Error::Kind::Missing:
      break;
  }
  return QStringLiteral("読めません(I/O エラー %1)。").arg(error.code);
}

// The fixed message, then where the file was looked for, what was passed over and why, and that
// the data mode needs none: enough to put the right file in the right place.
QString MissingStatsText(const Error& error) {
  QString text = QStringLiteral("FAN手帳\"data\\FAN0510.TXT\"がありません。");
  if (!error.lookedFor.empty()) {
    text += QStringLiteral("\n\n探したファイル:");
    for (const std::string& path : error.lookedFor) text += QStringLiteral("\n  ") + PathText(path);
    text += QStringLiteral("\n(期のファイル fanYYMM は、それより前の期のものも使います。)");
  }
  if (!error.refused.empty()) {
    text += QStringLiteral("\n\n見つかったが使わなかったファイル:");
    for (const Error& refused : error.refused) {
      text += QStringLiteral("\n  %1: %2").arg(PathText(refused.text), RefusedText(refused));
    }
  }
  text += QStringLiteral(
      "\n\nデータ予想(設定 → 予想方式 → データ)なら、このファイルがなくても予想できます。");
  return text;
}

}  // namespace

QString JapaneseDayText(int yyyymmdd) {
  const QDate day = DayAsDate(yyyymmdd);
  return QStringLiteral("%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day());
}

QString RefusedFileText(const RefusedFile& file, int date) {
  const QString path = QString::fromLocal8Bit(file.path.c_str());
  const QString wanted = KindName(file.wanted);
  switch (file.refusal) {
    case FileRefusal::Unreadable:
      return file.error ? ErrorText(*file.error) : QStringLiteral("\"%1\" を読めません。").arg(path);
    case FileRefusal::WrongKind:
      return QStringLiteral("\"%1\" は%2ではありません(%3です)。").arg(path, wanted, KindName(file.found));
    case FileRefusal::OtherDay:
      return QStringLiteral("\"%1\" は%2の%3で、%4のものではありません。")
          .arg(path, JapaneseDayText(file.foundDate), wanted, JapaneseDayText(date));
    case FileRefusal::NoDate:
      break;
  }
  return QStringLiteral("\"%1\" は日付のない%2です。").arg(path, wanted);
}

QString ModelFaultText(const ModelFileFault& fault) {
  const QString name = QStringLiteral("'%1'").arg(QString::fromStdString(fault.name));
  QString why;
  switch (fault.kind) {
    case ModelFault::TooLarge:
      why = QStringLiteral("モデルファイルにしては大きすぎます。");
      break;
    case ModelFault::Unreadable:
      why = QStringLiteral("読めません(%1)。").arg(QString::fromLocal8Bit(std::strerror(fault.error)));
      break;
    case ModelFault::NotModel:
      why = QStringLiteral("データ予想のモデルファイルではありません。");
      break;
    case ModelFault::OtherFormat:
      why = QStringLiteral("形式 %1 のモデルで、このプログラムが読む形式(%2)ではありません。")
                .arg(QString::fromStdString(fault.name))
                .arg(DataModel::kFormat);
      break;
    case ModelFault::NoLineEnd:
    case ModelFault::NoEndLine:
      why = QStringLiteral("途中で切れています。");
      break;
    case ModelFault::ControlByte:
      why = QStringLiteral("行に制御文字があります。");
      break;
    case ModelFault::Damaged:
      why = QStringLiteral("壊れているか書き換えられています(検査値が合いません)。");
      break;
    case ModelFault::BytesAfterEnd:
      why = QStringLiteral("終わりの行のあとに余分なものがあります。");
      break;
    case ModelFault::Twice:
      why = QStringLiteral("%1 が2回あります。").arg(name);
      break;
    case ModelFault::RacesNotCount:
      why = QStringLiteral("'races' が数ではありません。");
      break;
    case ModelFault::UnknownParameter:
      why = QStringLiteral("知らない項目 %1 があります。").arg(name);
      break;
    case ModelFault::NotFinite:
      why = QStringLiteral("%1 が有限の数ではありません。").arg(name);
      break;
    case ModelFault::Missing:
      why = QStringLiteral("項目 %1 がありません。").arg(name);
      break;
  }
  return fault.line > 0 ? QStringLiteral("%1行目: %2").arg(fault.line).arg(why) : why;
}

QString LeftOutDayText(const RaceDay& day) {
  return QStringLiteral("%1: その日の%2がないため読みませんでした。")
      .arg(JapaneseDayText(day.date), KindName(day.gap == DayGap::NoProgramFile ? DayFileKind::Program
                                                                         : DayFileKind::Result));
}

QString ErrorText(const Error& error) {
  switch (error.kind) {
    case Error::Kind::NotInteger:
      return QStringLiteral("'%1' は整数ではありません").arg(FromCp932(error.text));
    case Error::Kind::Archive:
      return QStringLiteral("圧縮ファイル(\"%1\")を展開できませんでした。\n%2")
          .arg(QString::fromLocal8Bit(error.text.c_str()), ArchiveFaultText(error.archiveFault()));
    case Error::Kind::Text:
      return QStringLiteral("\"%1\" は Shift-JIS(CP932)のテキストでも、それを UTF-8 に変換したものでもありません。")
          .arg(QString::fromLocal8Bit(error.text.c_str()));
    case Error::Kind::Missing:
      // The statistics file is the one file a command looks for by itself.
      return MissingStatsText(error);
    case Error::Kind::TooLarge:
      return QStringLiteral("\"%1\" は大きすぎるため読みません(%2 MB を超えています)。\n"
                            "公式のデータファイルはずっと小さいので、別のファイルです。")
          .arg(PathText(error.text))
          .arg(error.code);
    case Error::Kind::NotStats:
      return QStringLiteral("\"%1\" は選手期別成績ファイルではありません。\n%2")
          .arg(PathText(error.text), StatsFaultText(error.statsFault()));
    case Error::Kind::Io:
      break;
  }
  return QStringLiteral("I/O エラー (%1)").arg(error.code);
}

}  // namespace wakorin
