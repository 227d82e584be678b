// Finding a spreadsheet package's parts however its writer laid the package out.
#pragma once

#include <string>
#include <string_view>

#include "sheet/container/ZipArchive.h"
#include "sheet/model/Workbook.h"
#include "sheet/opc/Relationships.h"

namespace quorvex::sheet::opc {

struct MainPart {
  const container::ZipEntry* entry = nullptr;  // nullptr when the package holds no workbook part
  std::string expected;  // the part name looked for first, for messages when it is missing
  bool binary() const { return entry != nullptr && entry->name.ends_with(".bin"); }
};

/// The workbook part: the target of the package's officeDocument relationship when that entry
/// exists, else xl/workbook.xml or xl/workbook.bin, else the first entry of any folder named
/// workbook.xml or workbook.bin (letter case aside). `package` are the package's relationships.
MainPart FindMainPart(const container::ZipArchive& archive, const Relationships& package);

/// The kind of sheet a workbook's relationship of type `relationship_type` points to: a chart,
/// dialog or macro sheet by its type's last segment, else a worksheet.
SheetKind SheetKindOf(std::string_view relationship_type);

/// The warning for a sheet whose part the package does not hold: it is read as an empty sheet.
std::string MissingSheetPartWarning(const SheetInfo& sheet);

}  // namespace quorvex::sheet::opc
