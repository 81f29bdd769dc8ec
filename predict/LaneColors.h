#pragma once

#include <cstdint>

namespace wakorin {

// Lane colours as 0xRRGGBB: every per-lane cell, ticket digit and boat picture uses them.
constexpr std::uint32_t LaneColor(int lane) {
  switch (lane) {
    case 1:
      return 0xFFFFFF;  // white
    case 2:
      return 0x000000;  // black
    case 3:
      return 0xFF0000;  // red
    case 4:
      return 0x0000FF;  // blue
    case 5:
      return 0xFFFF00;  // yellow
    case 6:
      return 0x00FF00;  // lime
    default:
      return 0x808080;
  }
}

constexpr std::uint32_t LaneFontColor(int lane) {
  return lane == 2 || lane == 3 || lane == 4 ? 0xFFFFFF : 0x000000;
}

inline constexpr std::uint32_t kEmptyTicketCellColor = 0x808080;  // grey

}  // namespace wakorin
