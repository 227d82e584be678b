// Reads .xls workbooks: finds the BIFF stream, reads the globals, streams sheets on demand.
#include "sheet/biff8/XlsReader.h"

#include <stdexcept>

#include "sheet/biff/BiffRecordReader.h"
#include "sheet/biff8/SheetStreamReader.h"
#include "sheet/container/CompoundStreamReader.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff8 {

XlsReader::XlsReader(std::unique_ptr<const container::RandomAccessSource> source)
    : XlsReader(std::make_unique<container::CompoundFile>(std::move(source))) {}

const container::CompoundFile::Entry* XlsReader::FindWorkbookStream(const container::CompoundFile& file) {
  // The stream sits under the root; writers whose directory tree is damaged still list it.
  for (const char* name : {"Workbook", "Book"}) {
    if (const auto* stream = file.FindTopLevel(name)) return stream;
  }
  for (const char* name : {"Workbook", "Book"}) {
    if (const auto* stream = file.FindAnywhere(name)) return stream;
  }
  return nullptr;
}

XlsReader::XlsReader(std::unique_ptr<container::CompoundFile> file) : file_(std::move(file)) {
  stream_ = FindWorkbookStream(*file_);
  if (stream_ == nullptr || stream_->type != 2) {
    throw SheetError(SheetErrorCode::kNotAWorkbook, "the file is not a workbook: it holds no Workbook stream",
                     file_->path());
  }
  part_ = file_->path() + ": " + stream_->name;
  auto stream = file_->OpenStream(*stream_);
  biff::BiffRecordReader records(*stream, part_);
  globals_ = ReadGlobals(records, file_->path());
  code_page_ = std::make_unique<biff::CodePage>(globals_.code_page);
}

XlsReader::~XlsReader() = default;

void XlsReader::ReadSheet(std::size_t position, SheetSink& sink) {
  if (position >= globals_.workbook.sheets.size())
    throw std::out_of_range("XlsReader::ReadSheet: no such sheet");
  if (globals_.workbook.sheets[position].kind != SheetKind::kWorksheet) return;
  const std::uint32_t offset = globals_.sheet_offsets[position];
  auto stream = file_->OpenStream(*stream_);
  if (offset >= stream->size()) {
    throw SheetError(
        SheetErrorCode::kCorrupt,
        "the sheet '" + globals_.workbook.sheets[position].name + "' starts past the end of the stream",
        part_, offset);
  }
  stream->Seek(offset);
  biff::BiffRecordReader records(*stream, part_, offset);
  SheetStreamReader(records, globals_, *code_page_, sink).Read();
}

}  // namespace quorvex::sheet::biff8
