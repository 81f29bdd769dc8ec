#include "ui/Cp932Text.h"

#include <QStringDecoder>

namespace wakorin {

namespace {

bool IsLeadByte(unsigned char c) {
  return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// True when the field ends in the first byte of a double-byte character whose second byte was
// cut off by the field's width.
bool EndsInCutCharacter(std::string_view bytes) {
  bool lead = false;
  for (char c : bytes) lead = !lead && IsLeadByte(static_cast<unsigned char>(c));
  return lead;
}

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

QString FromCp932(std::string_view bytes) {
  const bool cut = EndsInCutCharacter(bytes);
  if (cut) bytes.remove_suffix(1);
  QStringDecoder decoder("windows-31j", QStringConverter::Flag::Stateless);
  if (!decoder.isValid()) decoder = QStringDecoder("Shift_JIS", QStringConverter::Flag::Stateless);
  QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
  // A cut character shows as a replacement mark rather than vanishing.
  if (cut) text += QChar(QChar::ReplacementCharacter);
  return text;
}

QString ErrorText(const Error& error) {
  switch (error.kind) {
    case Error::Kind::NotInteger:
      return QStringLiteral("'%1' は整数ではありません").arg(FromCp932(error.text));
    case Error::Kind::Archive:
      return QStringLiteral("圧縮ファイル(\"%1\")を展開できませんでした。\n%2")
          .arg(QString::fromLocal8Bit(error.text.c_str()), ArchiveFaultText(error.archiveFault()));
    case Error::Kind::Io:
      break;
  }
  return QStringLiteral("I/O エラー (%1)").arg(error.code);
}

}  // namespace wakorin
