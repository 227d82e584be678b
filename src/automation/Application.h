// The spreadsheet application's object model as the exporters drive it.
//
// Every member may throw AutomationError, whose description names what failed and why.
// Sheet indices are 1-based, as in the application.
#pragma once

#include <optional>
#include <string>

#include "automation/FileFormat.h"
#include "automation/Variant.h"

namespace quorvex::automation {

class Worksheet {
 public:
  virtual ~Worksheet() = default;
  virtual std::string Name() = 0;
  virtual void Activate() = 0;
  virtual int UsedRangeRowsCount() = 0;                               // UsedRange.Cells.Rows.count
  virtual int UsedRangeColumnsCount() = 0;                            // UsedRange.Cells.Columns.count
  virtual std::string UsedRangeCellAddress(int row, int column) = 0;  // UsedRange.Cells(r, c).Address
  virtual Variant Cells(int row, int column) = 0;                     // the sheet's own cell
  virtual void ColumnsAutoFit() = 0;
  virtual void RangeSelect(const std::string& first, const std::string& last) = 0;
  virtual void SaveAs(const std::string& file_name, int file_format) = 0;
};

class Workbook {
 public:
  virtual ~Workbook() = default;
  virtual int WorksheetsCount() = 0;
  virtual std::string WorksheetsName(int index) = 0;  // Worksheets(i).name
  /// Worksheets(i): the handle stays valid until the workbook is closed.
  virtual Worksheet& Worksheets(int index) = 0;
  virtual int SheetsCount() = 0;                         // Sheets.count: every kind of sheet
  virtual std::string SheetsName(int index) = 0;         // Sheets(i).name
  virtual SheetType SheetsType(int index) = 0;           // Sheets(i).Type
  virtual SheetVisibility SheetsVisible(int index) = 0;  // Sheets(i).Visible
  /// Sheets(i).UsedRange.Address(False, False) of a worksheet: "A1:C20", or "B2" for one cell;
  /// "" for a worksheet without cells and for the other kinds of sheets.
  virtual std::string SheetsUsedRangeAddress(int index) = 0;
  virtual void SheetsSelect(int index) = 0;      // Sheets(i).Select: every kind of sheet counts
  virtual void WorksheetsSelect(int index) = 0;  // Worksheets(i).Select: worksheets only
  virtual void SaveAs(const std::string& file_name, int file_format) = 0;
  /// PublishObjects.Add with its seven positional arguments; source and div_id may be omitted.
  virtual void PublishObjectsAdd(int source_type, const std::string& file_name, const std::string& sheet,
                                 const std::optional<std::string>& source, int html_type,
                                 const std::optional<std::string>& div_id, const std::string& title) = 0;
  virtual void PublishObjectsPublish() = 0;
  virtual void PublishObjectsDelete() = 0;
  virtual void Close() = 0;
};

class Application {
 public:
  virtual ~Application() = default;
  virtual std::string Version() = 0;
  /// Workbooks.Open: the workbook stays owned by the application.
  virtual Workbook& WorkbooksOpen(const std::string& path) = 0;
  virtual void SetDisplayAlerts(bool display) = 0;
  virtual void Quit() = 0;
};

}  // namespace quorvex::automation
