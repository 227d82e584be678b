// The SaveAs codes the built-in engine writes, each with its scope and save function.
#include "automation/builtin/SaveFormats.h"

#include <array>
#include <memory>

#include "automation/FileFormat.h"
#include "automation/builtin/BuiltinWorkbook.h"
#include "automation/builtin/BuiltinWorksheet.h"
#include "platform/Utf8Path.h"
#include "sheet/writers/DbfSaver.h"
#include "sheet/writers/HtmlPageWriter.h"
#include "sheet/writers/SheetSaver.h"
#include "sheet/writers/TextEncoding.h"
#include "sheet/writers/XmlSpreadsheetWriter.h"

namespace quorvex::automation {
namespace {

sheet::TextEncoding EncodingOf(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8Bom:
      return sheet::TextEncoding::kUtf8Bom;
    case TextEncoding::kWindows1252:
      return sheet::TextEncoding::kWindows1252;
    case TextEncoding::kUtf8:
      break;
  }
  return sheet::TextEncoding::kUtf8;
}

template <char kDelimiter>
Replacements SaveDelimited(BuiltinWorkbook& workbook, std::size_t position, const std::string& file_name) {
  const sheet::TextEncoding encoding = EncodingOf(workbook.save_options().text);
  const std::size_t replaced = sheet::SaveDelimited(workbook.reader(), workbook.cell_text(), position,
                                                    file_name, kDelimiter, encoding);
  return {replaced, sheet::TextEncodingName(encoding)};
}

template <sheet::DbfVersion kVersion>
Replacements SaveDbf(BuiltinWorkbook& workbook, std::size_t position, const std::string& file_name) {
  sheet::DbfSaveRequest request = workbook.DbfRequest(position, kVersion);
  request.utf8 = workbook.save_options().dbf == DbfEncoding::kUtf8;
  const KeptReading kept = workbook.TakeKeptReading(position);
  const sheet::DbfSaveResult result =
      sheet::SaveDbf(workbook.reader(), workbook.cell_text(), position, request, file_name, kept.cells.get(),
                     kept.dbf_first_pass.get());
  return {result.replaced, result.encoding};
}

template <bool kSingleFile>
Replacements SaveWorkbookPage(BuiltinWorkbook& workbook, std::size_t, const std::string& file_name) {
  // The page is titled after the workbook's own title, else its file name without extension.
  std::string title = workbook.reader().workbook().title;
  if (title.empty()) title = platform::StemOf(workbook.FileName());
  sheet::SaveWebPage(file_name, kSingleFile, [&](sheet::OutputStream& out) {
    sheet::WriteWorkbookPage(workbook.reader(), workbook.cell_text(), title, out);
  });
  return {};
}

Replacements SaveXml(BuiltinWorkbook& workbook, std::size_t, const std::string& file_name) {
  sheet::SaveXmlSpreadsheet(workbook.reader(), workbook.cell_text(), file_name);
  return {};
}

constexpr std::array kSaveFormats{
    SaveFormat{kCsv, SaveScope::kSheet, &SaveDelimited<','>},
    SaveFormat{kText, SaveScope::kSheet, &SaveDelimited<'\t'>},
    SaveFormat{kDbf4, SaveScope::kSheet, &SaveDbf<sheet::DbfVersion::kDbase4>},
    SaveFormat{kDbf3, SaveScope::kSheet, &SaveDbf<sheet::DbfVersion::kDbase3>},
    SaveFormat{kDbf2, SaveScope::kSheet, &SaveDbf<sheet::DbfVersion::kDbase2>},
    SaveFormat{kHtml, SaveScope::kWorkbook, &SaveWorkbookPage<false>},
    SaveFormat{kWebArchive, SaveScope::kWorkbook, &SaveWorkbookPage<true>},
    SaveFormat{kXmlSpreadsheet, SaveScope::kWorkbook, &SaveXml},
};

}  // namespace

const SaveFormat* SaveFormatOf(int code) {
  for (const SaveFormat& format : kSaveFormats) {
    if (format.code == code) return &format;
  }
  return nullptr;
}

}  // namespace quorvex::automation
