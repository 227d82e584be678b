// Fuzz target: any bytes as an Excel 2.x-4.0 record stream, read from memory.
#include <algorithm>

#include "TouchingSink.h"
#include "sheet/biff4/Biff4Reader.h"
#include "sheet/container/MemoryByteSource.h"
#include "sheet/model/SheetError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvex::sheet;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const biff4::StreamOpener open = [bytes](std::uint64_t offset) -> std::unique_ptr<container::ByteSource> {
    return std::make_unique<container::MemoryByteSource>(
        bytes.substr(std::min<std::uint64_t>(offset, bytes.size())));
  };
  try {
    biff4::Biff4Reader reader(open, "stream", "Sheet1");
    quorvex::fuzz::ReadAllSheets(reader);
  } catch (const SheetError&) {
  }
  return 0;
}
