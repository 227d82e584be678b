// Reads Excel 2.x-4.0 files (BIFF2, BIFF3 and BIFF4 worksheets, BIFF4 workbooks) behind
// WorkbookReader.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sheet/biff/CodePage.h"
#include "sheet/biff4/Biff4Styles.h"
#include "sheet/container/ByteSource.h"
#include "sheet/container/RandomAccessSource.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff4 {

/// Opens the stream at byte `offset`: a file on disk, memory, a compound file's stream.
using StreamOpener = std::function<std::unique_ptr<container::ByteSource>(std::uint64_t offset)>;

class Biff4Reader : public WorkbookReader {
 public:
  /// Scans the whole stream once for the sheet list and the formatting. A worksheet file holds
  /// one sheet, named `sheet_name` (the application names it after the file); a BIFF4 workbook
  /// names its sheets itself. `part` names the stream in errors. Throws SheetError: kNotAWorkbook
  /// when the stream does not start with a BIFF2-4 BOF record, kPasswordProtected at a FILEPASS
  /// record, kCorrupt for damaged records.
  Biff4Reader(StreamOpener open, std::string part, std::string sheet_name);
  /// Reads the bare record stream `source` holds, its sheet named after the source (a file's path).
  explicit Biff4Reader(std::unique_ptr<const container::RandomAccessSource> source);
  ~Biff4Reader() override;

  const Workbook& workbook() const override { return workbook_; }
  int biff_version() const { return version_; }

  /// Streams the sheet's cells; chart and macro sheets stream nothing. Throws SheetError
  /// kCorrupt for damaged records; std::out_of_range for a bad position.
  void ReadSheet(std::size_t position, SheetSink& sink) override;

 private:
  struct SheetPlace {
    std::uint64_t offset = 0;  // of the sheet's BOF record
    SheetStyles styles;
  };

  void Scan();
  void ScanWorkbook(biff::BiffRecordReader& records);
  void ScanSheet(biff::BiffRecordReader& records, SheetKind kind, std::string name, std::uint64_t offset);
  bool TakeSetting(biff::BiffRecordReader& records);
  std::string ByteString(biff::BiffRecordReader& records, std::size_t at, const char* what);

  std::string part_;
  std::string sheet_name_;
  StreamOpener open_;
  int version_ = 0;
  Workbook workbook_;
  std::vector<SheetPlace> places_;  // as workbook_.sheets
  std::unique_ptr<biff::CodePage> code_page_;
  const biff::CodePage* current_code_page_ = nullptr;
  std::unique_ptr<StyleCollector> styles_;
};

/// The sheet name the application gives the one sheet of a BIFF2-4 worksheet file at `path`:
/// the file's name without its extension, cut to 31 characters.
std::string SheetNameForFile(const std::string& path);

}  // namespace quorvex::sheet::biff4
