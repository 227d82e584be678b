// Workbook bytes handed to a reader from memory, as the fuzz targets do, instead of a file.
#pragma once

#include <memory>
#include <string>

#include "sheet/container/MemorySource.h"

namespace quorvex::sheet::test_support {

/// A source holding a copy of `bytes`; errors name it `name`, and a BIFF2-4 worksheet's sheet is
/// named after it.
inline std::unique_ptr<container::MemorySource> InMemory(std::string bytes, std::string name = "book") {
  return std::make_unique<container::MemorySource>(std::move(bytes), std::move(name));
}

}  // namespace quorvex::sheet::test_support
