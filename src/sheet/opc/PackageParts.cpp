// Finds the workbook part of a package (by its relationship, at its usual place, or by its name)
// and the kind of each sheet part.
#include "sheet/opc/PackageParts.h"

#include <array>
#include <string_view>

namespace quorvex::sheet::opc {
namespace {

constexpr std::array<std::string_view, 2> kUsualParts = {"xl/workbook.xml", "xl/workbook.bin"};

bool IsWorkbookFileName(std::string_view name) {
  const std::size_t slash = name.find_last_of("/\\");
  const std::string_view file = slash == std::string_view::npos ? name : name.substr(slash + 1);
  for (const std::string_view usual : {std::string_view("workbook.xml"), std::string_view("workbook.bin")}) {
    if (file.size() != usual.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < file.size() && same; ++i) {
      const char c = file[i] >= 'A' && file[i] <= 'Z' ? static_cast<char>(file[i] - 'A' + 'a') : file[i];
      same = c == usual[i];
    }
    if (same) return true;
  }
  return false;
}

}  // namespace

MainPart FindMainPart(const container::ZipArchive& archive, const Relationships& package) {
  MainPart main;
  if (const Relationship* office_document = package.FindByType("officeDocument")) {
    main.expected = office_document->target;
    if (!office_document->target.empty()) main.entry = archive.Find(office_document->target);
    if (main.entry != nullptr) return main;
  }
  if (main.expected.empty()) main.expected = kUsualParts[0];
  for (const std::string_view usual : kUsualParts) {
    if ((main.entry = archive.Find(usual)) != nullptr) return main;
  }
  for (const container::ZipEntry& entry : archive.entries()) {
    if (IsWorkbookFileName(entry.name)) {
      main.entry = &entry;
      return main;
    }
  }
  return main;
}

SheetKind SheetKindOf(std::string_view relationship_type) {
  const std::string_view name = RelationshipTypeName(relationship_type);
  if (name == "chartsheet") return SheetKind::kChart;
  if (name == "dialogsheet") return SheetKind::kDialog;
  if (name == "macrosheet" || name == "xlMacrosheet" || name == "xlIntlMacrosheet") return SheetKind::kMacro;
  return SheetKind::kWorksheet;
}

std::string MissingSheetPartWarning(const SheetInfo& sheet) {
  return "the sheet '" + sheet.name + "' refers to a part that does not exist" +
         (sheet.location.empty() ? std::string() : " (" + sheet.location + ")") +
         "; it is read as an empty sheet";
}

}  // namespace quorvex::sheet::opc
