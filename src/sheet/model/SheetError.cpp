// The spreadsheet engine's error type.
#include "sheet/model/SheetError.h"

namespace quorvex::sheet {
namespace {

std::string Describe(const std::string& sentence, const std::string& part, std::uint64_t offset) {
  std::string text = sentence;
  if (!part.empty()) {
    text += " (in " + part;
    if (offset != SheetError::kNoOffset) text += " at byte " + std::to_string(offset);
    text += ")";
  }
  return text;
}

}  // namespace

SheetError::SheetError(SheetErrorCode code, std::string sentence, std::string part, std::uint64_t offset)
    : std::runtime_error(Describe(sentence, part, offset)),
      code_(code),
      sentence_(std::move(sentence)),
      part_(std::move(part)),
      offset_(offset) {}

}  // namespace quorvex::sheet
