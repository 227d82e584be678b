// Chooses a workbook reader from a file's signature.
#include "sheet/WorkbookOpener.h"

#include <algorithm>
#include <string_view>

#include "sheet/biff12/XlsbReader.h"
#include "sheet/biff4/Biff4Reader.h"
#include "sheet/biff4/Biff4Records.h"
#include "sheet/biff8/XlsReader.h"
#include "sheet/container/CompoundFile.h"
#include "sheet/container/CompoundStreamReader.h"
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

/// Whether `stream` holds an Excel 2.x-4.0 record stream (some programs wrap those in a
/// compound file too).
bool HoldsOldBiffStream(container::CompoundFile& file, const container::CompoundFile::Entry& stream) {
  char head[8] = {};
  if (stream.type != 2 || stream.size < sizeof head) return false;
  auto reader = file.OpenStream(stream);
  return reader->Read(head, sizeof head) == sizeof head &&
         biff4::DetectVersion(std::string_view(head, sizeof head)) != 0;
}

/// A compound file is an encrypted OOXML package or a legacy .xls workbook.
std::unique_ptr<WorkbookReader> OpenCompoundFile(const std::string& path) {
  auto file = std::make_unique<container::CompoundFile>(path);
  if (file->FindAnywhere("EncryptionInfo") != nullptr || file->FindAnywhere("EncryptedPackage") != nullptr) {
    throw SheetError(SheetErrorCode::kPasswordProtected, "the workbook is password-protected", path);
  }
  const container::CompoundFile::Entry* stream = biff8::XlsReader::FindWorkbookStream(*file);
  if (stream == nullptr || !HoldsOldBiffStream(*file, *stream))
    return std::make_unique<biff8::XlsReader>(std::move(file));
  std::shared_ptr<container::CompoundFile> shared = std::move(file);
  biff4::StreamOpener open = [shared,
                              stream](std::uint64_t offset) -> std::unique_ptr<container::ByteSource> {
    auto reader = shared->OpenStream(*stream);
    reader->Seek(std::min(offset, reader->size()));
    return reader;
  };
  return std::make_unique<biff4::Biff4Reader>(std::move(open), path + ": " + stream->name,
                                              biff4::SheetNameForFile(path));
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
  if (biff12::XlsbReader::IsBinaryWorkbook(*archive))
    return std::make_unique<biff12::XlsbReader>(std::move(archive));
  return std::make_unique<ooxml::XlsxReader>(std::move(archive));
}

}  // namespace quorvex::sheet
