// Builds small .xlsx packages for tests.
#include "XlsxPackage.h"

#include "../support/ZipWriter.h"

namespace quorvex::sheet::test_support {

std::string WorksheetXml(const std::string& rows, const std::string& before) {
  return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n<worksheet xmlns=\"") +
         kMainNamespace + "\" xmlns:r=\"" + kRelationshipTypes + "\">" + before + "<sheetData>" + rows +
         "</sheetData><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
         "footer=\"0.3\"/></worksheet>";
}

XlsxPackage& XlsxPackage::AddSheet(const std::string& name, const std::string& xml, const std::string& type,
                                   const std::string& state) {
  const std::string folder = type == "chartsheet"    ? "chartsheets"
                             : type == "dialogsheet" ? "dialogsheets"
                             : type == "macrosheet"  ? "macrosheets"
                                                     : "worksheets";
  const std::string part = "xl/" + folder + "/sheet" + std::to_string(sheets_.size() + 1) + ".xml";
  sheets_.push_back({name, type, part, state});
  sheet_parts_[part] = xml;
  return *this;
}

XlsxPackage& XlsxPackage::SetWorkbookProperties(const std::string& attributes) {
  workbook_properties_ = attributes;
  return *this;
}

XlsxPackage& XlsxPackage::SetSharedStrings(const std::string& xml) {
  shared_strings_ = xml;
  return *this;
}

XlsxPackage& XlsxPackage::SetStyles(const std::string& xml) {
  styles_ = xml;
  return *this;
}

XlsxPackage& XlsxPackage::SetPart(const std::string& name, const std::string& content) {
  overrides_[name] = content;
  return *this;
}

XlsxPackage& XlsxPackage::RemovePart(const std::string& name) {
  overrides_[name] = std::nullopt;
  return *this;
}

std::string XlsxPackage::Build() const {
  std::map<std::string, std::string> parts;
  parts["[Content_Types].xml"] =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"><Default Extension=\"xml\" "
      "ContentType=\"application/xml\"/></Types>";
  parts["_rels/.rels"] = std::string(
                             "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
                             "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                             "<Relationship Id=\"rId1\" Type=\"") +
                         kRelationshipTypes +
                         "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
  std::string workbook = std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"") +
                         kMainNamespace + "\" xmlns:r=\"" + kRelationshipTypes + "\"><workbookPr " +
                         workbook_properties_ + "/><sheets>";
  std::string rels =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships "
      "xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
  for (std::size_t i = 0; i < sheets_.size(); ++i) {
    const std::string id = "rId" + std::to_string(i + 1);
    const std::string state = sheets_[i].state.empty() ? "" : "\" state=\"" + sheets_[i].state;
    workbook += "<sheet name=\"" + sheets_[i].name + state + "\" sheetId=\"" + std::to_string(i + 1) +
                "\" r:id=\"" + id + "\"/>";
    rels += "<Relationship Id=\"" + id + "\" Type=\"" + kRelationshipTypes + "/" + sheets_[i].type +
            "\" Target=\"" + sheets_[i].part.substr(3) + "\"/>";
  }
  if (shared_strings_) {
    rels += std::string("<Relationship Id=\"rIdStrings\" Type=\"") + kRelationshipTypes +
            "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    parts["xl/sharedStrings.xml"] = *shared_strings_;
  }
  if (styles_) {
    rels += std::string("<Relationship Id=\"rIdStyles\" Type=\"") + kRelationshipTypes +
            "/styles\" Target=\"styles.xml\"/>";
    parts["xl/styles.xml"] = *styles_;
  }
  parts["xl/workbook.xml"] = workbook + "</sheets></workbook>";
  parts["xl/_rels/workbook.xml.rels"] = rels + "</Relationships>";
  for (const auto& [name, xml] : sheet_parts_) parts[name] = xml;
  for (const auto& [name, content] : overrides_) {
    if (content) {
      parts[name] = *content;
    } else {
      parts.erase(name);
    }
  }
  ZipWriter zip;
  for (const auto& [name, content] : parts) zip.Add(name, content);
  return zip.Finish();
}

}  // namespace quorvex::sheet::test_support
