// The colour palette of a BIFF workbook: the default 64 entries, replaced by a PALETTE record.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "sheet/model/CellStyle.h"

namespace quorvex::sheet::biff8 {

class Palette {
 public:
  Palette();
  /// Replaces colours from index 8 on with a PALETTE record's body (MS-XLS 2.4.188); a record
  /// too short for its count changes nothing.
  void Load(std::string_view record);
  /// The RGB of an icv colour index; system and automatic colours (64 and up) give nullopt.
  std::optional<Rgb> Resolve(std::uint16_t index) const;

 private:
  std::array<Rgb, 64> colors_;
};

}  // namespace quorvex::sheet::biff8
