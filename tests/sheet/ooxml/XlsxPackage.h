// Builds small .xlsx packages for tests: sheets, shared strings, styles, and raw part overrides.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvex::sheet::test_support {

inline constexpr const char* kMainNamespace = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
inline constexpr const char* kRelationshipTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

/// A worksheet part whose <sheetData> holds `rows`, preceded by `before` (a <dimension>, say).
std::string WorksheetXml(const std::string& rows, const std::string& before = {});

class XlsxPackage {
 public:
  /// Adds a sheet (in workbook order) with a relationship of `type` ("worksheet", "chartsheet",
  /// ...) to `part`, which holds `xml`; `state` ("hidden", "veryHidden") goes on its <sheet>.
  XlsxPackage& AddSheet(const std::string& name, const std::string& xml,
                        const std::string& type = "worksheet", const std::string& state = "");
  XlsxPackage& SetWorkbookProperties(const std::string& attributes);  // on <workbookPr>
  XlsxPackage& SetSharedStrings(const std::string& xml);
  XlsxPackage& SetStyles(const std::string& xml);
  /// Puts a part verbatim, replacing a generated one of the same name.
  XlsxPackage& SetPart(const std::string& name, const std::string& content);
  XlsxPackage& RemovePart(const std::string& name);

  /// The package as zip bytes.
  std::string Build() const;

 private:
  struct Sheet {
    std::string name;
    std::string type;
    std::string part;
    std::string state;
  };
  std::vector<Sheet> sheets_;
  std::string workbook_properties_;
  std::optional<std::string> shared_strings_;
  std::optional<std::string> styles_;
  std::map<std::string, std::optional<std::string>> overrides_;  // nullopt removes
  std::map<std::string, std::string> sheet_parts_;
};

}  // namespace quorvex::sheet::test_support
