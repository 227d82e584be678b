// The DEFAULTROWHEIGHT record that BIFF3 to BIFF8 sheets share.
#pragma once

#include "sheet/container/LittleEndian.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff {

/// Takes a DEFAULTROWHEIGHT body of at least 4 bytes (DefaultRowHeight, MS-XLS 2.4.87): flags
/// (rows hidden by default 0x02, thick top 0x04, thick bottom 0x08), then the height in twips.
inline void ReadDefaultRowHeight(const char* data, SheetDefaults& defaults) {
  const std::uint16_t flags = container::ReadU16(data);
  defaults.zero_height = (flags & 0x02) != 0;
  defaults.thick_top = (flags & 0x04) != 0;
  defaults.thick_bottom = (flags & 0x08) != 0;
  // With zero height the field holds the height rows had before they were hidden.
  if (!defaults.zero_height) defaults.row_height = (container::ReadU16(data + 2) & 0x7FFF) / 20.0;
}

}  // namespace quorvex::sheet::biff
