#include "program/VenueTable.h"

#include <array>
#include <utility>

namespace wakorin {
namespace {

// Names as CP932 bytes; "\x81\x40" is the full-width blank.
constexpr std::array<std::pair<std::string_view, std::string_view>, 24> kVenues{{
    {"01", "\x8b\xcb\x81\x40\x90\xb6"},  // 桐　生
    {"02", "\x8c\xcb\x81\x40\x93\x63"},  // 戸　田
    {"03", "\x8d\x5d\x8c\xcb\x90\xec"},  // 江戸川
    {"04", "\x95\xbd\x98\x61\x93\x87"},  // 平和島
    {"05", "\x91\xbd\x96\x80\x90\xec"},  // 多摩川
    {"06", "\x95\x6c\x96\xbc\x8c\xce"},  // 浜名湖
    {"07", "\x8a\x97\x81\x40\x8c\x53"},  // 蒲　郡
    {"08", "\x8f\xed\x81\x40\x8a\x8a"},  // 常　滑
    {"09", "\x81\x40\x92\xc3\x81\x40"},  // 　津　
    {"10", "\x8e\x4f\x81\x40\x8d\x91"},  // 三　国
    {"11", "\x94\xfa\x94\x69\x8c\xce"},  // 琵琶湖
    {"12", "\x8f\x5a\x94\x56\x8d\x5d"},  // 住之江
    {"13", "\x93\xf2\x81\x40\x8d\xe8"},  // 尼　崎
    {"14", "\x96\xc2\x81\x40\x96\xe5"},  // 鳴　門
    {"15", "\x8a\xdb\x81\x40\x8b\x54"},  // 丸　亀
    {"16", "\x8e\x99\x81\x40\x93\x87"},  // 児　島
    {"17", "\x8b\x7b\x81\x40\x93\x87"},  // 宮　島
    {"18", "\x93\xbf\x81\x40\x8e\x52"},  // 徳　山
    {"19", "\x89\xba\x81\x40\x8a\xd6"},  // 下　関
    {"20", "\x8e\xe1\x81\x40\x8f\xbc"},  // 若　松
    {"21", "\x88\xb0\x81\x40\x89\xae"},  // 芦　屋
    {"22", "\x95\x9f\x81\x40\x89\xaa"},  // 福　岡
    {"23", "\x93\x82\x81\x40\x92\xc3"},  // 唐　津
    {"24", "\x91\xe5\x81\x40\x91\xba"},  // 大　村
}};

}  // namespace

std::string VenueNameOfCode(std::string_view code) {
  for (const auto& [venueCode, name] : kVenues) {
    if (venueCode == code) return std::string(name);
  }
  return std::string(code);
}

std::string VenueCodeOfName(std::string_view name) {
  for (const auto& [venueCode, venueName] : kVenues) {
    if (venueName == name) return std::string(venueCode);
  }
  return std::string(name);
}

bool IsVenueCode(std::string_view code) {
  for (const auto& venue : kVenues) {
    if (venue.first == code) return true;
  }
  return false;
}

}  // namespace wakorin
