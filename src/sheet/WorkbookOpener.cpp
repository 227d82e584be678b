// Chooses a workbook reader from a file's signature.
#include "sheet/WorkbookOpener.h"

#include <string_view>

#include "sheet/biff12/XlsbReader.h"
#include "sheet/biff4/Biff4Reader.h"
#include "sheet/biff4/Biff4Records.h"
#include "sheet/biff8/XlsReader.h"
#include "sheet/container/CompoundFile.h"
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

/// A compound file is an encrypted OOXML package or a legacy .xls workbook.
std::unique_ptr<WorkbookReader> OpenCompoundFile(const std::string& path) {
  auto file = std::make_unique<container::CompoundFile>(path);
  if (file->FindAnywhere("EncryptionInfo") != nullptr || file->FindAnywhere("EncryptedPackage") != nullptr) {
    throw SheetError(SheetErrorCode::kPasswordProtected, "The workbook is password-protected", path);
  }
  return std::make_unique<biff8::XlsReader>(std::move(file));
}

}  // namespace

std::unique_ptr<WorkbookReader> OpenWorkbookFile(const std::string& path) {
  {
    container::InputFile file(path);
    char head[8] = {};
    const std::string_view signature(head, file.ReadAt(0, head, sizeof head));
    if (signature == container::kCompoundFileMagic) return OpenCompoundFile(path);
    // Excel 2.x-4.0 files are bare record streams starting with their BOF record.
    if (biff4::DetectVersion(signature) != 0) return std::make_unique<biff4::Biff4Reader>(path);
    if (!IsZipSignature(signature)) {
      throw SheetError(SheetErrorCode::kNotAWorkbook, "the file is not a workbook", path);
    }
  }
  auto archive = std::make_unique<container::ZipArchive>(path);
  if (biff12::XlsbReader::IsBinaryWorkbook(*archive)) return std::make_unique<biff12::XlsbReader>(std::move(archive));
  return std::make_unique<ooxml::XlsxReader>(std::move(archive));
}

}  // namespace quorvex::sheet
