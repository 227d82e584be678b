// A workbook opened by the built-in engine.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/Application.h"
#include "automation/builtin/BuiltinApplication.h"
#include "automation/builtin/BuiltinPublishObjects.h"
#include "sheet/model/WorkbookReader.h"
#include "sheet/numfmt/CellText.h"
#include "sheet/stream/SheetScan.h"
#include "sheet/writers/DbfSaver.h"

namespace quorvex::automation {

class BuiltinWorksheet;
struct KeptReading;

class BuiltinWorkbook : public Workbook {
 public:
  /// Opens the workbook file; throws AutomationError naming the file and the reason. Damage the
  /// reader works around is told to `warnings` once per sentence, naming the file, and so is
  /// every save that wrote characters as '?'. Saves hold their text as `options` say.
  BuiltinWorkbook(const std::string& path, bool display_alerts, WarningSink warnings = {},
                  SaveOptions options = {});
  ~BuiltinWorkbook() override;

  int WorksheetsCount() override;
  std::string WorksheetsName(int index) override;
  Worksheet& Worksheets(int index) override;
  int SheetsCount() override;
  std::string SheetsName(int index) override;
  SheetType SheetsType(int index) override;
  SheetVisibility SheetsVisible(int index) override;
  std::string SheetsUsedRangeAddress(int index) override;
  void SheetsSelect(int index) override;
  void WorksheetsSelect(int index) override;
  void SaveAs(const std::string& file_name, int file_format) override;
  void PublishObjectsAdd(int source_type, const std::string& file_name, const std::string& sheet,
                         const std::optional<std::string>& source, int html_type,
                         const std::optional<std::string>& div_id, const std::string& title) override;
  void PublishObjectsPublish() override;
  void PublishObjectsDelete() override;
  void Close() override;

  void SetDisplayAlerts(bool display) { display_alerts_ = display; }
  void Activate(std::size_t position) { active_ = position; }

  /// Saves the sheet at `position` (in the whole sheet list) in a single-sheet format.
  void SaveSheet(std::size_t position, const std::string& file_name, int file_format);
  /// Raises AutomationError("<what>: the file already exists") when alerts are on and
  /// `file_name` exists: alerts on would ask before replacing it, and nobody is there to answer.
  void RefuseToReplace(const std::string& what, const std::string& file_name) const;
  /// What a dBASE save of the sheet at `position` writes: its worksheet's selection and fitted widths.
  sheet::DbfSaveRequest DbfRequest(std::size_t position, sheet::DbfVersion version);
  /// What the worksheet at `position` kept from the reading that found its used range, taken
  /// from it; empty when it kept nothing.
  KeptReading TakeKeptReading(std::size_t position);

  const SaveOptions& save_options() const { return options_; }
  const BuiltinPublishObjects& publish_objects() const { return publish_objects_; }

  sheet::WorkbookReader& reader();
  const sheet::numfmt::CellText& cell_text();
  std::string FileName() const;

 private:
  void RequireOpen(const char* operation) const;
  void Warn(const std::string& sentence);
  std::size_t WorksheetPosition(int index, const char* operation);
  const sheet::SheetInfo& SheetAt(int index, const char* operation);

  std::string path_;
  bool display_alerts_;
  WarningSink warnings_;
  SaveOptions options_;
  std::vector<std::string> warnings_told_;
  std::unique_ptr<sheet::WorkbookReader> reader_;
  std::unique_ptr<sheet::numfmt::CellText> cell_text_;
  std::vector<std::size_t> worksheet_positions_;
  std::vector<std::unique_ptr<BuiltinWorksheet>> worksheets_;  // created on first use
  std::size_t active_ = 0;
  BuiltinPublishObjects publish_objects_;
};

}  // namespace quorvex::automation
