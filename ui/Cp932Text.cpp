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

}  // namespace wakorin
