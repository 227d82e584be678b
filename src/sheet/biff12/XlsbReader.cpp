// Reads .xlsb workbooks: relationships (XML, as in .xlsx), then the binary workbook, styles,
// shared strings and worksheet parts.
#include "sheet/biff12/XlsbReader.h"

#include <algorithm>
#include <stdexcept>

#include "sheet/biff12/BinaryRecordReader.h"
#include "sheet/biff12/RecordFields.h"
#include "sheet/biff12/XlsbRecords.h"
#include "sheet/biff12/XlsbSheetReader.h"
#include "sheet/biff12/XlsbStyles.h"
#include "sheet/container/LittleEndian.h"
#include "sheet/formula/FormulaDecompiler.h"
#include "sheet/opc/PackageParts.h"
#include "sheet/opc/Relationships.h"

namespace quorvex::sheet::biff12 {
namespace {

constexpr std::size_t kMaxSheets = 65535;

opc::MainPart FindMainPart(container::ZipArchive& archive) {
  return opc::FindMainPart(archive, opc::Relationships::Read(archive, ""));
}

}  // namespace

bool XlsbReader::IsBinaryWorkbook(container::ZipArchive& archive) {
  return FindMainPart(archive).binary();
}

XlsbReader::XlsbReader(std::unique_ptr<const container::RandomAccessSource> source)
    : XlsbReader(std::make_unique<container::ZipArchive>(std::move(source))) {}

XlsbReader::XlsbReader(std::unique_ptr<container::ZipArchive> archive) : archive_(std::move(archive)) {
  Open();
}

XlsbReader::~XlsbReader() = default;

void XlsbReader::Open() {
  const opc::MainPart main = FindMainPart(*archive_);
  if (main.entry == nullptr) {
    throw SheetError(SheetErrorCode::kNotAWorkbook,
                     "the file is not a workbook: " + main.expected + " is missing", archive_->path());
  }
  const std::string workbook_part = main.entry->name;
  std::vector<std::string> relationship_ids;
  ReadWorkbookPart(workbook_part, relationship_ids);

  const opc::Relationships relationships = opc::Relationships::Read(*archive_, workbook_part);
  for (std::size_t i = 0; i < workbook_.sheets.size(); ++i) {
    // A sheet whose relationship is missing keeps an empty location and fails when it is read.
    if (const opc::Relationship* relationship = relationships.FindById(relationship_ids[i])) {
      workbook_.sheets[i].kind = opc::SheetKindOf(relationship->type);
      workbook_.sheets[i].location = relationship->target;
    }
  }
  if (const opc::Relationship* styles = relationships.FindByType("styles")) {
    if (const container::ZipEntry* styles_entry = archive_->Find(styles->target)) {
      auto reader = archive_->OpenEntry(*styles_entry);
      BinaryRecordReader records(*reader, archive_->path() + ": " + styles_entry->name);
      ReadXlsbStyles(records, workbook_);
    }
  }
  if (workbook_.cell_formats.empty()) workbook_.cell_formats.push_back(CellFormat{});
  if (workbook_.fonts.empty()) workbook_.fonts.push_back(Font{});
  if (const opc::Relationship* strings = relationships.FindByType("sharedStrings")) {
    shared_strings_part_ = strings->target;
  }
}

void XlsbReader::ReadWorkbookPart(const std::string& part, std::vector<std::string>& relationship_ids) {
  auto reader = archive_->OpenEntry(*archive_->Find(part));
  BinaryRecordReader records(*reader, archive_->path() + ": " + part);
  std::size_t active_tab = 0;
  std::vector<bool> supbook_is_self;
  std::vector<std::uint32_t> xtis;
  while (records.Next()) {
    switch (records.id()) {
      case record::kSupSelf:
      case record::kSupSame:
      case record::kBeginSupBook:
        supbook_is_self.push_back(records.id() == record::kSupSelf);
        break;
      case record::kName: {
        // BrtName, MS-XLSB: 4 bytes of flags, a key byte, the sheet index (4 bytes), then the
        // name as an XLNameWideString. A damaged name keeps its place with no text.
        RecordFields fields(records);
        std::string name;
        if (fields.remaining() >= 13) {
          fields.Skip(9);
          const std::uint32_t count = container::ReadU32(fields.Peek(4).data());
          if (count <= (fields.remaining() - 4) / 2) fields.WideString(name);
        }
        defined_names_.push_back(std::move(name));
        break;
      }
      case record::kExternSheet: {
        // BrtExternSheet, MS-XLSB: a count, then XTI entries of three 32-bit fields (supporting
        // link, first sheet, last sheet), resolved to sheet names once all sheets are listed.
        RecordFields fields(records);
        if (fields.remaining() < 4) break;
        const std::size_t count = std::min<std::size_t>(fields.U32(), fields.remaining() / 12);
        for (std::size_t i = 0; i < 3 * count; ++i) xtis.push_back(fields.U32());
        break;
      }
      case record::kWbProp: {
        // BrtWbProp, MS-XLSB 2.4.807: bit 0 of the flags is the 1904 date system.
        RecordFields fields(records);
        workbook_.date1904 = (fields.U32() & 0x01) != 0;
        break;
      }
      case record::kBookView: {
        // BrtBookView, MS-XLSB: the active tab follows six 32-bit fields.
        // Some writers leave the record short; then the first sheet is active.
        RecordFields fields(records);
        if (fields.remaining() >= 28) {
          fields.Skip(24);
          active_tab = fields.U32();
        }
        break;
      }
      case record::kBundleSh: {
        // BrtBundleSh, MS-XLSB 2.4.301: visibility, tab id, relationship id, name.
        if (workbook_.sheets.size() >= kMaxSheets) records.Fail("the workbook lists too many sheets");
        RecordFields fields(records);
        SheetInfo sheet;
        const std::uint32_t state = fields.U32() & 0x03;  // hsState: 0 visible, 1 hidden, 2 very hidden
        sheet.hidden = state != 0;
        sheet.very_hidden = state == 2;
        fields.U32();
        std::string id;
        fields.NullableWideString(id);
        fields.WideString(sheet.name);
        relationship_ids.push_back(std::move(id));
        workbook_.sheets.push_back(std::move(sheet));
        break;
      }
      default:
        break;
    }
  }
  if (active_tab < workbook_.sheets.size()) workbook_.active_sheet = active_tab;
  ResolveExternSheets(xtis, supbook_is_self);
}

void XlsbReader::ResolveExternSheets(const std::vector<std::uint32_t>& xtis,
                                     const std::vector<bool>& supbook_is_self) {
  const std::vector<SheetInfo>& sheets = workbook_.sheets;
  for (std::size_t i = 0; i + 2 < xtis.size(); i += 3) {
    const std::uint32_t supbook = xtis[i];
    const std::uint32_t first = xtis[i + 1];
    const std::uint32_t last = xtis[i + 2];
    std::string prefix;  // empty for other workbooks and sheets that do not exist
    if (supbook < supbook_is_self.size() && supbook_is_self[supbook] && first <= last &&
        last < sheets.size()) {
      prefix =
          formula::FormulaDecompiler::SheetSpanText(sheets[first].name, sheets[last].name, first == last);
    }
    extern_sheets_.push_back(std::move(prefix));
  }
}

void XlsbReader::LoadSharedStrings() {
  if (shared_strings_loaded_) return;
  shared_strings_loaded_ = true;
  const container::ZipEntry* entry =
      shared_strings_part_.empty() ? nullptr : archive_->Find(shared_strings_part_);
  if (entry == nullptr) return;
  shared_strings_ =
      container::StringTable(container::StringTable::BudgetForCompressedPart(entry->compressed_size));
  auto reader = archive_->OpenStream(*entry);
  BinaryRecordReader records(*reader, archive_->path() + ": " + entry->name);
  std::string text;
  while (records.Next()) {
    if (records.id() == record::kBeginSst) {
      RecordFields fields(records);
      fields.U32();
      shared_strings_.Reserve(
          std::min<std::uint32_t>(fields.U32(), 1u << 20));  // a declared count, not trusted
    } else if (records.id() == record::kSstItem) {
      // BrtSSTItem, MS-XLSB: a RichStr; runs and phonetic data after the text are skipped.
      RecordFields fields(records);
      fields.U8();
      text.clear();
      fields.WideString(text);
      if (!shared_strings_.Add(text)) {
        throw SheetError(SheetErrorCode::kTooLarge, container::StringTable::kOverBudget, records.part(),
                         records.offset());
      }
    }
  }
}

void XlsbReader::ReadSheet(std::size_t position, SheetSink& sink) {
  if (position >= workbook_.sheets.size()) throw std::out_of_range("XlsbReader::ReadSheet: no such sheet");
  const SheetInfo& sheet = workbook_.sheets[position];
  if (sheet.kind != SheetKind::kWorksheet) return;
  const container::ZipEntry* entry = sheet.location.empty() ? nullptr : archive_->Find(sheet.location);
  if (entry == nullptr) {
    Warn(opc::MissingSheetPartWarning(sheet));
    return;
  }
  LoadSharedStrings();
  bool complete = false;
  {
    auto reader = archive_->OpenStream(*entry);
    BinaryRecordReader records(*reader, archive_->path() + ": " + entry->name);
    complete = XlsbSheetReader(records, shared_strings_, workbook_.cell_formats.size(), sink, &extern_sheets_,
                               &defined_names_)
                   .Read();
  }
  if (complete) ReadComments(entry->name, sink);
}

void XlsbReader::ReadComments(const std::string& sheet_part, SheetSink& sink) {
  // Commented cells only widen the used range: a comments part that cannot be read is passed
  // over rather than failing a sheet whose cells were read.
  try {
    const opc::Relationships relationships = opc::Relationships::Read(*archive_, sheet_part);
    const opc::Relationship* comments = relationships.FindByType("comments");
    const container::ZipEntry* entry = comments != nullptr ? archive_->Find(comments->target) : nullptr;
    if (entry == nullptr) return;
    auto reader = archive_->OpenEntry(*entry);
    BinaryRecordReader records(*reader, archive_->path() + ": " + entry->name);
    while (records.Next()) {
      if (records.id() != record::kBeginComment) continue;
      // BrtBeginComment, MS-XLSB 2.4.28: author index, then the cell as an RfX.
      RecordFields fields(records);
      fields.U32();
      const std::uint32_t row = fields.U32();
      fields.U32();
      const std::uint32_t column = fields.U32();
      if (row < (1u << 20) && column < (1u << 14)) sink.OnComment(row, column);
    }
  } catch (const SheetError&) {
  }
}

}  // namespace quorvex::sheet::biff12
