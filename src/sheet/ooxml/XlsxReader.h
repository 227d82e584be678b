// Reads .xlsx and .xlsm workbooks (SpreadsheetML in a zip package) behind WorkbookReader.
#pragma once

#include <memory>
#include <string>

#include "sheet/container/ZipArchive.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/ooxml/SharedStrings.h"

namespace quorvex::sheet::ooxml {

class XlsxReader : public WorkbookReader {
 public:
  /// Reads the package `source` holds; see the archive constructor for what is read at open.
  explicit XlsxReader(std::unique_ptr<const container::RandomAccessSource> source);
  /// Reads the package relationships, the workbook part (sheet list, date system), its
  /// relationships and the styles part. Shared strings are read when a sheet first needs them.
  /// Throws SheetError: kNotAWorkbook when there is no workbook part, kUnsupported for binary
  /// (.xlsb) workbooks, kCorrupt for damaged parts.
  explicit XlsxReader(std::unique_ptr<container::ZipArchive> archive);
  ~XlsxReader() override;

  const Workbook& workbook() const override { return workbook_; }

  /// Streams the sheet's cells. Chart and dialog sheets stream nothing, and so does a sheet whose
  /// part does not exist (with a warning). Throws SheetError kCorrupt when the part is damaged;
  /// std::out_of_range for a bad position.
  void ReadSheet(std::size_t position, SheetSink& sink) override;

 private:
  void Open();
  void LoadSharedStrings();
  /// Reports the commented cells of the sheet stored in `sheet_part`, found through its relationships.
  void ReadComments(const std::string& sheet_part, SheetSink& sink);

  std::unique_ptr<container::ZipArchive> archive_;
  Workbook workbook_;
  std::string shared_strings_part_;  // empty when the workbook has none
  bool shared_strings_loaded_ = false;
  SharedStrings shared_strings_;
};

}  // namespace quorvex::sheet::ooxml
