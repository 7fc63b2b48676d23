#pragma once
// Colours are kept as the Windows values 0x00BBGGRR the design gives.

#include <QColor>

#include <cstdint>

namespace qbx {

inline QColor bgrColour(std::uint32_t bgr)
{
    return QColor(static_cast<int>(bgr & 0xFFu), static_cast<int>((bgr >> 8) & 0xFFu),
                  static_cast<int>((bgr >> 16) & 0xFFu));
}

// Column and cell colours shared by the pop-up and the category window.
inline constexpr std::uint32_t kOverlayDesigned = 0x00E66737; // before the first hover
inline constexpr std::uint32_t kOverlayNormal = 0x00E35B48;   // after any hover
inline constexpr std::uint32_t kCellNormalText = 0x00E0E0E0;
inline constexpr std::uint32_t kCellHoverBack = 0x0000FFFF; // yellow
inline constexpr std::uint32_t kCellHoverText = 0x000000FF; // red
inline constexpr std::uint32_t kWindowText = 0x00000000;    // system window-text colour
inline constexpr std::uint32_t kCaptionText = 0x00FFFFFF;   // system title-bar text colour

} // namespace qbx
