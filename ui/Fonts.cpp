#include "ui/Fonts.h"

#include <QStringList>

namespace wakorin::ui {
namespace {

QString GothicName() {
  return QStringLiteral("ＭＳ ゴシック");
}
QString PGothicName() {
  return QStringLiteral("ＭＳ Ｐゴシック");
}

}  // namespace

void InstallFontSubstitutes() {
  // IPA Gothic first; Noto CJK when only that is installed.
  QFont::insertSubstitutions(GothicName(),
                             {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                              QStringLiteral("Noto Sans CJK JP")});
  QFont::insertSubstitutions(PGothicName(),
                             {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                              QStringLiteral("IPAGothic")});
}

static QFont MakeFont(const QString& family, int pixelSize, bool bold) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

QFont MsGothic(int pixelSize, bool bold) {
  return MakeFont(GothicName(), pixelSize, bold);
}
QFont MsPGothic(int pixelSize, bool bold) {
  return MakeFont(PGothicName(), pixelSize, bold);
}

}  // namespace wakorin::ui
