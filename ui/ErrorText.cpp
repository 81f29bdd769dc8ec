#include "ui/ErrorText.h"

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

}  // namespace

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
      return QStringLiteral("FAN手帳\"data\\FAN0510.TXT\"がありません。");
    case Error::Kind::Io:
      break;
  }
  return QStringLiteral("I/O エラー (%1)").arg(error.code);
}

}  // namespace wakorin
