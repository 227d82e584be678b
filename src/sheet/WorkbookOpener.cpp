// Chooses a workbook reader from the signature of a file or of bytes in memory.
#include "sheet/WorkbookOpener.h"

#include <algorithm>
#include <string_view>

#include "sheet/biff12/XlsbReader.h"
#include "sheet/biff4/Biff4Reader.h"
#include "sheet/biff4/Biff4Records.h"
#include "sheet/biff8/XlsReader.h"
#include "sheet/container/CompoundFile.h"
#include "sheet/container/CompoundStreamReader.h"
#include "sheet/container/FileSource.h"
#include "sheet/container/ZipArchive.h"
#include "sheet/model/SheetError.h"
#include "sheet/ooxml/XlsxReader.h"
#include "sheet/stream/HandOffReader.h"

namespace quorvex::sheet {
namespace {

// From this size on, a workbook's sheets are parsed on one thread while the writer works on
// another; below it a second thread costs more than it saves.
constexpr std::uint64_t kHandOffMinimumBytes = std::uint64_t{1} << 20;

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
std::unique_ptr<WorkbookReader> OpenCompoundFile(
    std::unique_ptr<const container::RandomAccessSource> source) {
  auto file = std::make_unique<container::CompoundFile>(std::move(source));
  const std::string& name = file->path();
  if (file->FindAnywhere("EncryptionInfo") != nullptr || file->FindAnywhere("EncryptedPackage") != nullptr) {
    throw SheetError(SheetErrorCode::kPasswordProtected, "the workbook is password-protected", name);
  }
  const container::CompoundFile::Entry* stream = biff8::XlsReader::FindWorkbookStream(*file);
  if (stream == nullptr || !HoldsOldBiffStream(*file, *stream))
    return std::make_unique<biff8::XlsReader>(std::move(file));
  std::string part = name + ": " + stream->name;
  std::string sheet_name = biff4::SheetNameForFile(name);
  std::shared_ptr<container::CompoundFile> shared = std::move(file);
  biff4::StreamOpener open = [shared,
                              stream](std::uint64_t offset) -> std::unique_ptr<container::ByteSource> {
    auto reader = shared->OpenStream(*stream);
    reader->Seek(std::min(offset, reader->size()));
    return reader;
  };
  return std::make_unique<biff4::Biff4Reader>(std::move(open), std::move(part), std::move(sheet_name));
}

std::unique_ptr<WorkbookReader> OpenReader(std::unique_ptr<const container::RandomAccessSource> source) {
  char head[8] = {};
  const std::string_view signature(head, source->ReadAt(0, head, sizeof head));
  if (signature == container::kCompoundFileMagic) return OpenCompoundFile(std::move(source));
  // Excel 2.x-4.0 files are bare record streams starting with their BOF record.
  if (biff4::DetectVersion(signature) != 0) return std::make_unique<biff4::Biff4Reader>(std::move(source));
  if (!IsZipSignature(signature)) {
    throw SheetError(SheetErrorCode::kNotAWorkbook, "the file is not a workbook", source->name());
  }
  auto archive = std::make_unique<container::ZipArchive>(std::move(source));
  if (biff12::XlsbReader::IsBinaryWorkbook(*archive))
    return std::make_unique<biff12::XlsbReader>(std::move(archive));
  return std::make_unique<ooxml::XlsxReader>(std::move(archive));
}

}  // namespace

std::unique_ptr<WorkbookReader> OpenWorkbook(std::unique_ptr<const container::RandomAccessSource> source) {
  const bool large = source->size() >= kHandOffMinimumBytes;
  std::unique_ptr<WorkbookReader> reader = OpenReader(std::move(source));
  if (large) return std::make_unique<HandOffReader>(std::move(reader));
  return reader;
}

std::unique_ptr<WorkbookReader> OpenWorkbookFile(const std::string& path) {
  return OpenWorkbook(std::make_unique<container::FileSource>(path));
}

}  // namespace quorvex::sheet
