// The one error type of the spreadsheet engine: what failed, where, and a sentence for the user.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace quorvex::sheet {

enum class SheetErrorCode {
  kNotAWorkbook,       // the bytes are not any workbook format we know
  kCorrupt,            // a structure is damaged or inconsistent
  kUnsupported,        // a valid feature we do not read
  kPasswordProtected,  // the workbook is encrypted
  kTooLarge,           // a limit against hostile input was hit
  kIo,                 // reading or writing a file failed
};

class SheetError : public std::runtime_error {
 public:
  /// `part` names the zip part or stream ("xl/workbook.xml", "Workbook"), empty when none;
  /// `offset` is the byte offset in it, or kNoOffset.
  SheetError(SheetErrorCode code, std::string sentence, std::string part = {},
             std::uint64_t offset = kNoOffset);

  static constexpr std::uint64_t kNoOffset = ~std::uint64_t{0};

  SheetErrorCode code() const { return code_; }
  const std::string& sentence() const { return sentence_; }
  const std::string& part() const { return part_; }
  std::uint64_t offset() const { return offset_; }

 private:
  SheetErrorCode code_;
  std::string sentence_;
  std::string part_;
  std::uint64_t offset_;
};

}  // namespace quorvex::sheet
