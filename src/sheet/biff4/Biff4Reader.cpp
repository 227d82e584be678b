// Reads BIFF2-4 streams: one worksheet, or a BIFF4 workbook whose sheets follow its globals as
// substreams, each announced by a SHEETHDR record.
#include "sheet/biff4/Biff4Reader.h"

#include <stdexcept>

#include "platform/Utf8Path.h"
#include "sheet/biff4/Biff4Records.h"
#include "sheet/biff4/Biff4SheetReader.h"
#include "sheet/container/LittleEndian.h"
#include "sheet/container/SourceByteSource.h"
#include "sheet/container/Utf8.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::biff4 {
namespace {

using container::ReadU16;

constexpr std::size_t kMaxSheets = 65535;
constexpr std::size_t kMaxSheetNameCharacters = 31;

SheetKind KindOf(std::uint16_t substream_type) {
  switch (substream_type) {
    case substream::kWorksheet:
      return SheetKind::kWorksheet;
    case substream::kChart:
      return SheetKind::kChart;
    default:
      return SheetKind::kMacro;
  }
}

std::uint16_t SubstreamType(const biff::BiffRecordReader& records) {
  return records.data().size() >= 4 ? ReadU16(records.data().data() + 2) : substream::kWorksheet;
}

}  // namespace

std::string SheetNameForFile(const std::string& path) {
  const std::string stem = container::RepairUtf8(platform::StemOf(path));
  return stem.substr(0, container::PrefixWithinUtf16Units(stem, kMaxSheetNameCharacters));
}

Biff4Reader::Biff4Reader(StreamOpener open, std::string part, std::string sheet_name)
    : part_(std::move(part)), sheet_name_(std::move(sheet_name)), open_(std::move(open)) {
  Scan();
}

Biff4Reader::Biff4Reader(std::unique_ptr<const container::RandomAccessSource> source)
    : part_(source->name()), sheet_name_(SheetNameForFile(source->name())) {
  open_ = [shared = std::shared_ptr<const container::RandomAccessSource>(std::move(source))](
              std::uint64_t offset) -> std::unique_ptr<container::ByteSource> {
    return std::make_unique<container::SourceByteSource>(*shared, offset);
  };
  Scan();
}

Biff4Reader::~Biff4Reader() = default;

void Biff4Reader::Scan() {
  code_page_ = std::make_unique<biff::CodePage>();
  current_code_page_ = code_page_.get();
  styles_ = std::make_unique<StyleCollector>(workbook_, current_code_page_);
  auto source = open_(0);
  biff::BiffRecordReader records(*source, part_);
  const std::uint16_t id = records.Next() ? records.id() : 0;
  if (id != record::kBof2 && id != record::kBof3 && id != record::kBof4) {
    throw SheetError(SheetErrorCode::kNotAWorkbook, "the file is not a workbook", part_);
  }
  version_ = id == record::kBof2 ? 2 : id == record::kBof3 ? 3 : 4;
  const std::uint16_t type = SubstreamType(records);
  if (version_ == 4 && type == substream::kWorkbook) {
    ScanWorkbook(records);
  } else {
    ScanSheet(records, KindOf(type), sheet_name_, 0);
  }
  if (workbook_.fonts.empty()) workbook_.fonts.push_back(Font{});
  if (workbook_.cell_formats.empty()) workbook_.cell_formats.push_back(CellFormat{});
}

bool Biff4Reader::TakeSetting(biff::BiffRecordReader& records) {
  const std::string_view data = records.data();
  switch (records.id()) {
    case record::kCodePage:  // CODEPAGE: the Windows code page of all byte strings
      if (data.size() >= 2) {
        code_page_ = std::make_unique<biff::CodePage>(ReadU16(data.data()));
        current_code_page_ = code_page_.get();
      }
      return true;
    case record::kDateMode:  // 1904: the date system
      if (data.size() >= 2) workbook_.date1904 = ReadU16(data.data()) == 1;
      return true;
    case record::kFilePass:
      throw SheetError(SheetErrorCode::kPasswordProtected, "The workbook is password-protected", part_);
    default:
      return false;
  }
}

std::string Biff4Reader::ByteString(biff::BiffRecordReader& records, std::size_t at, const char* what) {
  const std::string_view data = records.data();
  if (data.size() < at + 1) records.Fail(std::string("a ") + what + " record is too short for its name");
  const std::size_t length = static_cast<unsigned char>(data[at]);
  if (data.size() < at + 1 + length) records.Fail(std::string("a ") + what + " name runs past its record");
  std::string text;
  current_code_page_->Append(data.substr(at + 1, length), text);
  return text;
}

void Biff4Reader::ScanSheet(biff::BiffRecordReader& records, SheetKind kind, std::string name,
                            std::uint64_t offset) {
  if (workbook_.sheets.size() >= kMaxSheets) records.Fail("the workbook lists too many sheets");
  styles_->BeginSubstream();
  ForEachRecordOfSubstream(records, [&] {
    if (!TakeSetting(records)) styles_->Take(records);
  });
  SheetInfo info;
  info.name = std::move(name);
  info.kind = kind;
  info.location = std::to_string(offset);
  workbook_.sheets.push_back(std::move(info));
  places_.push_back({offset, styles_->EndSubstream(false)});
}

void Biff4Reader::ScanWorkbook(biff::BiffRecordReader& records) {
  // The globals (settings, formatting, BOUNDSHEET names) come first; then each sheet: SHEETHDR
  // (the substream's size and the sheet's name) and the sheet's BOF..EOF substream.
  std::vector<std::string> bound_names;
  bool in_globals = true;
  styles_->BeginSubstream();
  while (records.Next()) {
    const std::uint16_t id = records.id();
    const bool sheet_header = id == record::kSheetHeader;
    if (in_globals && (sheet_header || id == record::kEof || IsBof(id))) {
      styles_->EndSubstream(true);
      in_globals = false;
    }
    if (sheet_header || IsBof(id)) {
      const std::size_t index = workbook_.sheets.size();
      std::string name = sheet_header ? ByteString(records, 4, "SHEETHDR") : std::string();
      if (name.empty())
        name = index < bound_names.size() ? bound_names[index] : "Sheet" + std::to_string(index + 1);
      if (sheet_header && (!records.Next() || !IsBof(records.id()))) {
        records.Fail("the sheet '" + name + "' does not start with a BOF record");
      }
      ScanSheet(records, KindOf(SubstreamType(records)), std::move(name), records.offset());
    } else if (in_globals) {
      if (id == record::kBoundSheet) {
        bound_names.push_back(ByteString(records, 0, "BOUNDSHEET"));
      } else if (!TakeSetting(records)) {
        styles_->Take(records);
      }
    } else if (id != record::kEof) {
      break;  // past the globals' EOF and the sheets: nothing more belongs to the workbook
    }
  }
  if (in_globals) styles_->EndSubstream(true);
}

void Biff4Reader::ReadSheet(std::size_t position, SheetSink& sink) {
  if (position >= workbook_.sheets.size()) throw std::out_of_range("Biff4Reader::ReadSheet: no such sheet");
  if (workbook_.sheets[position].kind != SheetKind::kWorksheet) return;
  const SheetPlace& place = places_[position];
  auto source = open_(place.offset);
  biff::BiffRecordReader records(*source, part_, place.offset);
  Biff4SheetReader(records, place.styles, *current_code_page_, sink).Read();
}

}  // namespace quorvex::sheet::biff4
