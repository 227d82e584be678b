// Helpers for .xlsb reader tests: records with variable-length headers, and packages holding them.
#pragma once

#include <string>
#include <vector>

#include "../support/BiffBuilder.h"
#include "../support/ZipWriter.h"

namespace quorvex::sheet::test_support {

/// A record of `type` with `body`: type in up to two 7-bit bytes, size in up to four.
inline std::string Brt(std::uint32_t type, const std::string& body) {
  std::string out;
  do {
    out.push_back(static_cast<char>((type & 0x7F) | (type > 0x7F ? 0x80 : 0)));
    type >>= 7;
  } while (type != 0);
  std::size_t size = body.size();
  do {
    out.push_back(static_cast<char>((size & 0x7F) | (size > 0x7F ? 0x80 : 0)));
    size >>= 7;
  } while (size != 0);
  return out + body;
}

struct XlsbSheet {
  std::u16string name;
  std::string part;  // records; empty part name for a chart sheet
  bool chart = false;
  std::uint32_t state = 0;
};

/// A package with workbook.bin (the sheets, `workbook_records` before them), optional styles and
/// shared strings parts, and one part per sheet.
inline std::string BuildXlsb(const std::vector<XlsbSheet>& sheets, const std::string& workbook_records = {},
                             const std::string& styles = {}, const std::string& strings = {}) {
  const std::string ns = "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";
  std::string rels =
      "<?xml version=\"1.0\"?><Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  std::string workbook = workbook_records;
  ZipWriter zip;
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    const std::string id = "rId" + std::to_string(i + 1);
    const std::string target = sheets[i].chart ? "chartsheets/sheet" + std::to_string(i + 1) + ".bin"
                                               : "worksheets/sheet" + std::to_string(i + 1) + ".bin";
    rels += "<Relationship Id=\"" + id + "\" Type=\"" + ns + (sheets[i].chart ? "chartsheet" : "worksheet") +
            "\" Target=\"" + target + "\"/>";
    Bytes bundle;
    bundle.U32(sheets[i].state).U32(static_cast<std::uint32_t>(i + 1));
    bundle.Wide(std::u16string(id.begin(), id.end()));
    bundle.Wide(sheets[i].name);
    workbook += Brt(156, bundle);
    zip.Add("xl/" + target, sheets[i].part);
  }
  if (!styles.empty()) {
    rels += "<Relationship Id=\"rIdS\" Type=\"" + ns + "styles\" Target=\"styles.bin\"/>";
    zip.Add("xl/styles.bin", styles);
  }
  if (!strings.empty()) {
    rels += "<Relationship Id=\"rIdT\" Type=\"" + ns + "sharedStrings\" Target=\"sharedStrings.bin\"/>";
    zip.Add("xl/sharedStrings.bin", strings);
  }
  rels += "</Relationships>";
  zip.Add("_rels/.rels",
          "<?xml version=\"1.0\"?><Relationships "
          "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
          "<Relationship Id=\"rId1\" Type=\"" +
              ns + "officeDocument\" Target=\"xl/workbook.bin\"/></Relationships>");
  zip.Add("xl/workbook.bin", workbook);
  zip.Add("xl/_rels/workbook.bin.rels", rels);
  return zip.Finish();
}

/// A Cell structure: column and style.
inline Bytes XlsbCell(std::uint32_t column, std::uint32_t style = 0) {
  Bytes bytes;
  bytes.U32(column).U32(style);
  return bytes;
}

/// A BrtRowHdr: row, style, height in twips, flags.
inline std::string RowHeader(std::uint32_t row, std::uint16_t height = 300, std::uint8_t flags = 0) {
  return Brt(0, Bytes().U32(row).U32(0).U16(height).U8(0).U8(flags).U8(0).U32(0).str());
}

}  // namespace quorvex::sheet::test_support
