// The SaveAs codes the built-in engine writes: for each, whether it saves one sheet or the whole
// workbook, and the function that saves it.
#pragma once

#include <cstddef>
#include <string>

namespace quorvex::automation {

class BuiltinWorkbook;

/// What one SaveAs code writes: the sheet being saved, or the whole workbook.
enum class SaveScope { kSheet, kWorkbook };

/// Characters a save wrote as '?' because the file's encoding (named for the user) lacks them.
struct Replacements {
  std::size_t count = 0;
  std::string encoding;
};

/// Writes `file_name` from `workbook` in its save options; `position` is the saved sheet's place
/// in the whole sheet list (whole-workbook formats ignore it). Throws SheetError; the caller
/// translates it.
using SaveFunction = Replacements (*)(BuiltinWorkbook& workbook, std::size_t position,
                                      const std::string& file_name);

struct SaveFormat {
  int code;  // the FileFormat code of SaveAs
  SaveScope scope;
  SaveFunction save;
};

/// The row of SaveAs code `code`, or nullptr for a code the engine does not write.
const SaveFormat* SaveFormatOf(int code);

}  // namespace quorvex::automation
