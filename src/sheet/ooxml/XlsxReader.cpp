// Reads .xlsx and .xlsm workbooks: package relationships, workbook, styles, shared strings, sheets.
#include "sheet/ooxml/XlsxReader.h"

#include <stdexcept>

#include "sheet/container/XmlPullParser.h"
#include "sheet/ooxml/CommentsPart.h"
#include "sheet/ooxml/CorePropertiesPart.h"
#include "sheet/ooxml/SpreadsheetColors.h"
#include "sheet/ooxml/StylesPart.h"
#include "sheet/ooxml/WorkbookPart.h"
#include "sheet/ooxml/WorksheetReader.h"
#include "sheet/opc/PackageParts.h"
#include "sheet/opc/Relationships.h"

namespace quorvex::sheet::ooxml {
namespace {

using opc::Relationship;
using opc::Relationships;

// Where parts usually live, for packages whose relationships leave them out.
constexpr std::string_view kDefaultStylesPart = "xl/styles.xml";
constexpr std::string_view kDefaultSharedStringsPart = "xl/sharedStrings.xml";

/// The part a relationship of `type` points to, else `fallback` when the relationships do not
/// mention that type at all.
std::string PartFor(const Relationships& relationships, std::string_view type, std::string_view fallback) {
  if (const Relationship* relationship = relationships.FindByType(type)) return relationship->target;
  return std::string(fallback);
}

[[noreturn]] void FailBinaryWorkbook() {
  throw SheetError(SheetErrorCode::kUnsupported,
                   "the package holds a binary workbook (.xlsb), not an XML one");
}

}  // namespace

XlsxReader::XlsxReader(std::unique_ptr<const container::RandomAccessSource> source)
    : XlsxReader(std::make_unique<container::ZipArchive>(std::move(source))) {}

XlsxReader::XlsxReader(std::unique_ptr<container::ZipArchive> archive) : archive_(std::move(archive)) {
  Open();
}

XlsxReader::~XlsxReader() = default;

void XlsxReader::Open() {
  const Relationships package = Relationships::Read(*archive_, "");
  const opc::MainPart main = opc::FindMainPart(*archive_, package);
  if (main.entry == nullptr) {
    throw SheetError(SheetErrorCode::kNotAWorkbook,
                     "the file is not a workbook: " + main.expected + " is missing", archive_->path());
  }
  if (main.binary()) FailBinaryWorkbook();
  const container::ZipEntry* workbook_entry = main.entry;
  const std::string workbook_part = workbook_entry->name;

  WorkbookPart parsed;
  {
    auto reader = archive_->OpenEntry(*workbook_entry);
    container::XmlPullParser parser(*reader, workbook_part);
    parsed = ReadWorkbookPart(parser);
  }
  const Relationships relationships = Relationships::Read(*archive_, workbook_part);
  workbook_.date1904 = parsed.date1904;
  if (parsed.active_tab < parsed.sheets.size()) workbook_.active_sheet = parsed.active_tab;
  workbook_.sheets.reserve(parsed.sheets.size());
  for (WorkbookPart::Sheet& sheet : parsed.sheets) {
    SheetInfo info;
    info.name = std::move(sheet.name);
    info.hidden = sheet.hidden;
    info.very_hidden = sheet.very_hidden;
    // A sheet whose relationship is missing keeps an empty location and fails when it is read.
    if (const Relationship* relationship = relationships.FindById(sheet.relationship_id)) {
      info.kind = opc::SheetKindOf(relationship->type);
      info.location = relationship->target;
    }
    workbook_.sheets.push_back(std::move(info));
  }

  ThemeColors theme = DefaultThemeColors();
  if (const Relationship* relationship = relationships.FindByType("theme")) {
    if (const container::ZipEntry* entry = archive_->Find(relationship->target)) {
      auto reader = archive_->OpenEntry(*entry);
      container::XmlPullParser parser(*reader, entry->name);
      theme = ReadThemeColors(parser);
    }
  }
  const std::string styles_part = PartFor(relationships, "styles", kDefaultStylesPart);
  if (const container::ZipEntry* entry = styles_part.empty() ? nullptr : archive_->Find(styles_part)) {
    auto reader = archive_->OpenEntry(*entry);
    container::XmlPullParser parser(*reader, entry->name);
    ReadStylesPart(parser, workbook_, theme);
  }
  if (const Relationship* relationship = package.FindByType("core-properties")) {
    if (const container::ZipEntry* entry = archive_->Find(relationship->target)) {
      auto reader = archive_->OpenEntry(*entry);
      container::XmlPullParser parser(*reader, entry->name);
      ReadCorePropertiesPart(parser, workbook_);
    }
  }
  if (workbook_.cell_formats.empty()) workbook_.cell_formats.push_back(CellFormat{});

  shared_strings_part_ = PartFor(relationships, "sharedStrings", kDefaultSharedStringsPart);
}

void XlsxReader::LoadSharedStrings() {
  if (shared_strings_loaded_) return;
  if (const container::ZipEntry* entry =
          shared_strings_part_.empty() ? nullptr : archive_->Find(shared_strings_part_)) {
    auto reader = archive_->OpenStream(*entry);
    container::XmlPullParser parser(*reader, entry->name);
    shared_strings_.Load(parser, container::StringTable::BudgetForCompressedPart(entry->compressed_size));
  }
  shared_strings_loaded_ = true;
}

void XlsxReader::ReadSheet(std::size_t position, SheetSink& sink) {
  if (position >= workbook_.sheets.size()) throw std::out_of_range("XlsxReader::ReadSheet: no such sheet");
  const SheetInfo& sheet = workbook_.sheets[position];
  if (sheet.kind == SheetKind::kChart || sheet.kind == SheetKind::kDialog) return;
  const container::ZipEntry* entry = sheet.location.empty() ? nullptr : archive_->Find(sheet.location);
  if (entry == nullptr) {
    // The application opens such a workbook and shows the sheet empty.
    Warn(opc::MissingSheetPartWarning(sheet));
    return;
  }
  LoadSharedStrings();
  bool complete = false;
  {
    auto reader = archive_->OpenStream(*entry);
    container::XmlPullParser parser(*reader, entry->name);
    complete = WorksheetReader(parser, shared_strings_.size() > 0 ? &shared_strings_ : nullptr,
                               workbook_.date1904, sink)
                   .Read();
  }
  if (complete) ReadComments(entry->name, sink);
}

void XlsxReader::ReadComments(const std::string& sheet_part, SheetSink& sink) {
  // Commented cells only widen the used range: a comments part that cannot be read is passed
  // over rather than failing a sheet whose cells were read.
  try {
    const Relationships relationships = Relationships::Read(*archive_, sheet_part);
    const Relationship* comments = relationships.FindByType("comments");
    const container::ZipEntry* entry = comments != nullptr ? archive_->Find(comments->target) : nullptr;
    if (entry == nullptr) return;
    auto reader = archive_->OpenEntry(*entry);
    container::XmlPullParser parser(*reader, entry->name);
    ReadCommentsPart(parser, sink);
  } catch (const SheetError&) {
  }
}

}  // namespace quorvex::sheet::ooxml
