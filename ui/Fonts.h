#pragma once

#include <QFont>

namespace wakorin::ui {

// The window is laid out for "ＭＳ ゴシック" (fixed pitch) and "ＭＳ Ｐゴシック" (proportional).
// Linux desktops lack them, so both names are mapped to an installed Japanese gothic face.
void InstallFontSubstitutes();

QFont MsGothic(int pixelSize, bool bold = false);
QFont MsPGothic(int pixelSize, bool bold = false);

}  // namespace wakorin::ui
