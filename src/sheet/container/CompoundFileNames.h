// Lists the storage and stream names of a compound file (the container of legacy and encrypted workbooks).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sheet/container/InputFile.h"

namespace quorvex::sheet::container {

/// The first bytes of every compound file.
inline constexpr std::string_view kCompoundFileMagic{"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8};

/// Names of every entry in the compound file's directory (storages and streams, any depth), in
/// directory order, with characters beyond ASCII replaced by '?'. Follows the FAT only as far as the
/// directory needs. Throws SheetError kCorrupt when the header or a sector reference is damaged.
std::vector<std::string> ReadCompoundFileEntryNames(InputFile& file);

}  // namespace quorvex::sheet::container
