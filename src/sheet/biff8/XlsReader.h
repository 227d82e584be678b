// Reads legacy .xls workbooks (BIFF8 and BIFF5 in a compound file) behind WorkbookReader.
#pragma once

#include <memory>
#include <string>

#include "sheet/biff/CodePage.h"
#include "sheet/biff8/GlobalsReader.h"
#include "sheet/container/CompoundFile.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::biff8 {

class XlsReader : public WorkbookReader {
 public:
  /// Opens the "Workbook" (BIFF8) or "Book" (BIFF5) stream of `file` and reads the workbook
  /// globals. Throws SheetError: kNotAWorkbook when neither stream exists, kPasswordProtected
  /// for encrypted workbooks, kUnsupported for versions before BIFF5, kCorrupt for damage.
  explicit XlsReader(std::unique_ptr<container::CompoundFile> file);
  /// Reads the compound file `source` holds first.
  explicit XlsReader(std::unique_ptr<const container::RandomAccessSource> source);
  ~XlsReader() override;

  const Workbook& workbook() const override { return globals_.workbook; }

  /// The "Workbook" (BIFF8) or "Book" (BIFF5) stream of `file`: under the root, or anywhere in a
  /// damaged directory tree; nullptr when there is none.
  static const container::CompoundFile::Entry* FindWorkbookStream(const container::CompoundFile& file);
  int biff_version() const { return globals_.biff_version; }

  /// Streams the sheet's cells; chart and macro sheets stream nothing. Throws SheetError
  /// kCorrupt when the sheet's position or records are damaged; std::out_of_range for a bad position.
  void ReadSheet(std::size_t position, SheetSink& sink) override;

 private:
  std::unique_ptr<container::CompoundFile> file_;
  const container::CompoundFile::Entry* stream_ = nullptr;
  std::string part_;
  XlsGlobals globals_;
  std::unique_ptr<biff::CodePage> code_page_;
};

}  // namespace quorvex::sheet::biff8
