// Chooses a workbook reader from a file's signature.
#include "sheet/WorkbookOpener.h"

#include <algorithm>
#include <string_view>

#include "sheet/container/CompoundFileNames.h"
#include "sheet/container/InputFile.h"
#include "sheet/container/ZipArchive.h"
#include "sheet/model/SheetError.h"
#include "sheet/ooxml/XlsxReader.h"

namespace quorvex::sheet {
namespace {

bool IsZipSignature(std::string_view head) {
  // A local file header, an empty archive's end record, or a spanning marker.
  return head.starts_with(std::string_view("PK\x03\x04", 4)) ||
         head.starts_with(std::string_view("PK\x05\x06", 4)) ||
         head.starts_with(std::string_view("PK\x07\x08", 4));
}

[[noreturn]] void FailCompoundFile(container::InputFile& file) {
  const std::vector<std::string> names = container::ReadCompoundFileEntryNames(file);
  const bool encrypted = std::any_of(names.begin(), names.end(), [](const std::string& name) {
    return name == "EncryptionInfo" || name == "EncryptedPackage";
  });
  if (encrypted) {
    throw SheetError(SheetErrorCode::kPasswordProtected, "The workbook is password-protected", file.path());
  }
  throw SheetError(SheetErrorCode::kUnsupported, "legacy .xls workbooks are not supported yet", file.path());
}

}  // namespace

std::unique_ptr<WorkbookReader> OpenWorkbookFile(const std::string& path) {
  {
    container::InputFile file(path);
    char head[8] = {};
    const std::string_view signature(head, file.ReadAt(0, head, sizeof head));
    if (signature == container::kCompoundFileMagic) FailCompoundFile(file);
    if (!IsZipSignature(signature)) {
      throw SheetError(SheetErrorCode::kNotAWorkbook, "the file is not a workbook", path);
    }
  }
  return std::make_unique<ooxml::XlsxReader>(std::make_unique<container::ZipArchive>(path));
}

}  // namespace quorvex::sheet
