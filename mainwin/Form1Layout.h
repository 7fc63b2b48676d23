#pragma once
// The main window's design, in twips. The window is frameless and draws its own border and
// caption strip; its outer size is the 1875 x 8595 the edge rules work with, and the controls
// stand in a client area of 1785 x 8220 inside it.

#include <array>

namespace qbx::form1 {

inline constexpr int kOuterWidth = 1875;
inline constexpr int kOuterHeight = 8595;
inline constexpr int kBorder = 45;
inline constexpr int kCaptionHeight = 330; // client top: caption strip and the top border
inline constexpr int kClientWidth = 1785;
inline constexpr int kClientHeight = 8220;

inline constexpr int kTiles = 7;
inline constexpr int kTileLeft = 367;
inline constexpr int kTileTop0 = 480;
inline constexpr int kTileStep = 1050;
inline constexpr int kTileSize = 1050;
inline constexpr int kIconInset = 278;
inline constexpr int kIconBox = 494;
inline constexpr int kStripWidth = 360;
inline constexpr int kStripHeight = 1050;
inline constexpr std::array<int, kTiles> kStripTop{480, 1530, 2580, 3600, 4650, 5700, 6750};
inline constexpr std::array<int, kTiles> kRightStripLeft{1410, 1415, 1415, 1415, 1410, 1410, 1410};

inline constexpr int tileTop(int i)
{
    return kTileTop0 + kTileStep * i;
}

// Pop-up placement: beside the tile on the right, this far left of the window on the left.
inline constexpr int kPopupLeftOffset = 4088;
inline constexpr int kPopupDropDown = 270; // below the strip's top while the category window fits below
inline constexpr int kPopupDropUp = 390;

// Edge rules.
inline constexpr int kSnapZone = 2375; // pulled in when the left edge passes screen width - 2375
inline constexpr int kSideStripWidth = 360;
inline constexpr int kPopupSideRoom = 1900;

} // namespace qbx::form1
