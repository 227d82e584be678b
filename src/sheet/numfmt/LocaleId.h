// Windows locale ids as the locale tags of format codes carry them ("[$-40C]").
#pragma once

#include <cstdint>

namespace quorvex::sheet::numfmt {

/// The primary language of a Windows locale id: its low 10 bits (0x0C for 0x040C, French).
constexpr std::uint32_t LanguageOf(std::uint32_t lcid) {
  return lcid & 0x3FF;
}

}  // namespace quorvex::sheet::numfmt
