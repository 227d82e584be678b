// Reads binary .xlsb workbooks (MS-XLSB records in a zip package) behind WorkbookReader.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "sheet/container/StringTable.h"
#include "sheet/container/ZipArchive.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff12 {

class XlsbReader : public WorkbookReader {
 public:
  /// Reads the package relationships, the workbook part (sheet list, date system, active tab),
  /// its relationships and the styles part. Shared strings are read when a sheet first needs
  /// them. Throws SheetError: kNotAWorkbook without a workbook part, kCorrupt for damaged parts.
  explicit XlsbReader(std::unique_ptr<container::ZipArchive> archive);
  /// Reads the package `source` holds.
  explicit XlsbReader(std::unique_ptr<const container::RandomAccessSource> source);
  ~XlsbReader() override;

  const Workbook& workbook() const override { return workbook_; }

  /// Streams the sheet's cells; chart, dialog and macro sheets stream nothing, and so does a
  /// sheet whose part is missing (with a warning). Throws SheetError kCorrupt when the part is
  /// damaged; std::out_of_range for a bad position.
  void ReadSheet(std::size_t position, SheetSink& sink) override;

  /// True when the package's main part is a binary workbook part.
  static bool IsBinaryWorkbook(container::ZipArchive& archive);

 private:
  void Open();
  void ReadWorkbookPart(const std::string& part, std::vector<std::string>& relationship_ids);
  void LoadSharedStrings();
  /// Reports the commented cells of the sheet stored in `sheet_part`, found through its relationships.
  void ReadComments(const std::string& sheet_part, SheetSink& sink);
  void ResolveExternSheets(const std::vector<std::uint32_t>& xtis, const std::vector<bool>& supbook_is_self);

  std::unique_ptr<container::ZipArchive> archive_;
  Workbook workbook_;
  std::string shared_strings_part_;
  bool shared_strings_loaded_ = false;
  container::StringTable shared_strings_;
  std::vector<std::string> extern_sheets_;  // formula sheet prefixes by XTI index
  std::vector<std::string> defined_names_;  // by BrtName order, for PtgName
};

}  // namespace quorvex::sheet::biff12
