#pragma once

#include <QColor>

// The window's plain colours, named as its design names them.
namespace wakorin::ui {

inline const QColor kBlack(0x00, 0x00, 0x00);
inline const QColor kWhite(0xFF, 0xFF, 0xFF);
inline const QColor kAqua(0x00, 0xFF, 0xFF);
inline const QColor kSilver(0xC0, 0xC0, 0xC0);
inline const QColor kNavy(0x00, 0x00, 0x80);
inline const QColor kBlue(0x00, 0x00, 0xFF);
inline const QColor kGrey(0x80, 0x80, 0x80);
inline const QColor kRed(0xFF, 0x00, 0x00);
inline const QColor kFuchsia(0xFF, 0x00, 0xFF);

}  // namespace wakorin::ui
