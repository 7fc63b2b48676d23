#pragma once
// One palette for every generated picture: the blue of the pop-up columns (0x00E35B48) for the
// tiles, a deep navy for the strips, gold for what the pointer lights.

#include <QColor>

namespace qbx::assets {

inline const QColor kNavy{0x1A, 0x21, 0x58};
inline const QColor kNavyLight{0x25, 0x30, 0x82};
inline const QColor kBlue{0x48, 0x5B, 0xE3}; // 0x00E35B48 as RGB
inline const QColor kBlueTop{0x5E, 0x70, 0xEE};
inline const QColor kBlueBottom{0x33, 0x44, 0xC2};
inline const QColor kLitTop{0x8A, 0x99, 0xFF};
inline const QColor kLitBottom{0x55, 0x68, 0xF0};
inline const QColor kPressedTop{0x26, 0x33, 0x99};
inline const QColor kPressedBottom{0x3B, 0x4D, 0xD0};
inline const QColor kGold{0xFF, 0xD5, 0x4A};
inline const QColor kGoldDark{0xB8, 0x86, 0x0B};
inline const QColor kNameText{0xDC, 0xE3, 0xFF};
inline const QColor kPaper{0xF6, 0xF2, 0xE6};
inline const QColor kPaperShade{0xC9, 0xC0, 0xA8};

} // namespace qbx::assets
