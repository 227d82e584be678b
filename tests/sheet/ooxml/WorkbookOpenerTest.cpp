// Tests for OpenWorkbookFile and the errors damaged or hostile workbooks give.
#include <gtest/gtest.h>

#include "../support/CompoundFileWriter.h"
#include "../support/InMemory.h"
#include "../support/TempFile.h"
#include "../support/ZipWriter.h"
#include "RecordingSink.h"
#include "XlsxPackage.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/container/ZipArchive.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet {
namespace {

using test_support::InMemory;
using test_support::RecordingSink;
using test_support::TempFile;
using test_support::WorksheetXml;
using test_support::XlsxPackage;
using test_support::ZipWriter;

struct Outcome {
  SheetErrorCode code = SheetErrorCode::kIo;
  std::string message;  // what() with part and offset
  bool thrown = false;
};

/// Opens the bytes as a workbook and reads every sheet, reporting the error if any.
Outcome OpenAndReadAll(const std::string& bytes) {
  try {
    auto reader = OpenWorkbook(InMemory(bytes));
    for (std::size_t i = 0; i < reader->workbook().sheets.size(); ++i) {
      RecordingSink sink;
      reader->ReadSheet(i, sink);
    }
  } catch (const SheetError& error) {
    return {error.code(), error.what(), true};
  }
  return {};
}

void ExpectError(const Outcome& outcome, SheetErrorCode code, const std::string& phrase) {
  ASSERT_TRUE(outcome.thrown) << "expected: " << phrase;
  EXPECT_EQ(outcome.code, code) << outcome.message;
  EXPECT_NE(outcome.message.find(phrase), std::string::npos) << outcome.message;
}

XlsxPackage OneSheet(const std::string& rows) {
  XlsxPackage package;
  package.AddSheet("Data", WorksheetXml(rows));
  return package;
}

TEST(WorkbookOpener, OpensZipPackagesWithTheXlsxReader) {
  TempFile file(OneSheet("<row r=\"1\"><c r=\"A1\"><v>42</v></c></row>").Build(), ".xlsx");
  auto reader = OpenWorkbookFile(file.path());
  ASSERT_EQ(reader->workbook().sheets.size(), 1u);
  RecordingSink sink;
  reader->ReadSheet(0, sink);
  EXPECT_EQ(sink.cells, (std::vector<std::string>{"0,0 n:42"}));
}

TEST(WorkbookOpener, MissingFileIsAnIoErrorWithTheReason) {
  try {
    OpenWorkbookFile("/nonexistent/book.xlsx");
    FAIL() << "no error";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kIo);
    EXPECT_NE(error.sentence().find("No such file or directory"), std::string::npos) << error.sentence();
  }
}

TEST(WorkbookOpener, OtherFilesAreNotWorkbooks) {
  ExpectError(OpenAndReadAll("name,value\nx,1\n"), SheetErrorCode::kNotAWorkbook,
              "the file is not a workbook");
  ExpectError(OpenAndReadAll(""), SheetErrorCode::kNotAWorkbook, "the file is not a workbook");
  const std::string document =
      ZipWriter()
          .Add("_rels/.rels",
               "<Relationships><Relationship Id=\"r\" Type=\"http://schemas.openxmlformats.org/"
               "officeDocument/2006/relationships/officeDocument\" "
               "Target=\"word/document.xml\"/></Relationships>")
          .Add("word/document.xml", "<w:document xmlns:w=\"urn:w\"/>")
          .Finish();
  ExpectError(OpenAndReadAll(document), SheetErrorCode::kNotAWorkbook, "<document>");
}

TEST(WorkbookOpener, CompoundFilesAreEncryptedPackagesOrLegacyWorkbooks) {
  ExpectError(OpenAndReadAll(test_support::BuildCompoundFile({"\x06"
                                                              "DataSpaces",
                                                              "Version", "DataSpaceMap", "EncryptionInfo",
                                                              "EncryptedPackage"})),
              SheetErrorCode::kPasswordProtected, "the workbook is password-protected");
  // A "Workbook" stream goes to the legacy reader, which finds this one empty.
  ExpectError(OpenAndReadAll(test_support::BuildCompoundFile({"Workbook", "\x05SummaryInformation"})),
              SheetErrorCode::kCorrupt, "the workbook stream is empty");
}

TEST(WorkbookOpener, BinaryWorkbooksGoToTheXlsbReader) {
  const std::string xlsb =
      ZipWriter()
          .Add("_rels/.rels",
               "<Relationships><Relationship Id=\"r\" Type=\"http://schemas.openxmlformats.org/"
               "officeDocument/2006/relationships/officeDocument\" "
               "Target=\"xl/workbook.bin\"/></Relationships>")
          .Add("xl/workbook.bin", std::string(40, '\x01'))
          .Finish();
  // Bytes that are no valid record: the binary reader, not the XML one, rejects them.
  ExpectError(OpenAndReadAll(xlsb), SheetErrorCode::kCorrupt, "inside a record header");
  const std::string without_rels = ZipWriter().Add("xl/workbook.bin", std::string(40, '\x01')).Finish();
  ExpectError(OpenAndReadAll(without_rels), SheetErrorCode::kCorrupt, "inside a record header");
}

TEST(WorkbookOpener, TruncatedPackageIsCorrupt) {
  const std::string bytes = OneSheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>").Build();
  ExpectError(OpenAndReadAll(bytes.substr(0, bytes.size() / 2)), SheetErrorCode::kCorrupt, "truncated");
}

TEST(WorkbookOpener, MissingWorkbookPartFailsAtOpen) {
  XlsxPackage package = OneSheet("");
  package.RemovePart("xl/workbook.xml");
  ExpectError(OpenAndReadAll(package.Build()), SheetErrorCode::kNotAWorkbook,
              "the file is not a workbook: xl/workbook.xml is missing");
}

TEST(WorkbookOpener, SheetWithoutItsPartReadsEmptyWithAWarning) {
  XlsxPackage no_relationship = OneSheet("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
  no_relationship.SetPart("xl/_rels/workbook.xml.rels", "<Relationships/>");
  XlsxPackage no_part = OneSheet("");
  no_part.RemovePart("xl/worksheets/sheet1.xml");
  XlsxPackage escaping = OneSheet("");
  escaping.SetPart("xl/_rels/workbook.xml.rels",
                   std::string("<Relationships><Relationship Id=\"rId1\" Type=\"") +
                       test_support::kRelationshipTypes +
                       "/worksheet\" Target=\"../../../etc/passwd\"/></Relationships>");
  for (const XlsxPackage* package : {&no_relationship, &no_part, &escaping}) {
    auto reader = OpenWorkbook(InMemory(package->Build()));
    std::vector<std::string> warnings;
    reader->SetWarningHandler([&](const std::string& warning) { warnings.push_back(warning); });
    ASSERT_EQ(reader->workbook().sheets.size(), 1u);
    RecordingSink sink;
    reader->ReadSheet(0, sink);
    EXPECT_TRUE(sink.cells.empty());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("the sheet 'Data' refers to a part that does not exist"), std::string::npos)
        << warnings[0];
    EXPECT_NE(warnings[0].find("read as an empty sheet"), std::string::npos) << warnings[0];
  }
}

/// The relationships of xl/workbook.xml with the one sheet's target written as `target`.
std::string WorkbookRelationships(const std::string& target) {
  return std::string("<Relationships><Relationship Id=\"rId1\" Type=\"") + test_support::kRelationshipTypes +
         "/worksheet\" Target=\"" + target + "\"/></Relationships>";
}

TEST(WorkbookOpener, FindsPartsHoweverThePackageNamesThem) {
  const std::string sheet = WorksheetXml("<row r=\"1\"><c r=\"A1\"><v>42</v></c></row>");
  std::vector<std::pair<std::string, XlsxPackage>> cases;
  for (const char* target :
       {"/xl/worksheets/sheet1.xml", "worksheets\\sheet1.xml", "\\xl\\worksheets\\sheet1.xml",
        "Worksheets/SHEET1.XML", "./worksheets/../worksheets/./sheet1.xml", "../xl/worksheets/sheet1.xml",
        "xl/worksheets/sheet1.xml"}) {
    XlsxPackage package;
    package.AddSheet("Data", sheet).SetPart("xl/_rels/workbook.xml.rels", WorkbookRelationships(target));
    cases.emplace_back(std::string("target ") + target, package);
  }
  XlsxPackage no_package_relationships;
  no_package_relationships.AddSheet("Data", sheet)
      .RemovePart("_rels/.rels")
      .RemovePart("[Content_Types].xml");
  cases.emplace_back("no _rels/.rels and no [Content_Types].xml", no_package_relationships);
  XlsxPackage dangling_main;
  dangling_main.AddSheet("Data", sheet)
      .SetPart("_rels/.rels", std::string("<Relationships><Relationship Id=\"rId1\" Type=\"") +
                                  test_support::kRelationshipTypes +
                                  "/officeDocument\" Target=\"xl/book.xml\"/></Relationships>");
  cases.emplace_back("officeDocument naming a missing part", dangling_main);
  XlsxPackage moved;
  moved.AddSheet("Data", sheet)
      .RemovePart("_rels/.rels")
      .RemovePart("xl/_rels/workbook.xml.rels")
      .RemovePart("xl/workbook.xml")
      .SetPart("data/Workbook.xml",
               std::string("<workbook xmlns:r=\"") + test_support::kRelationshipTypes +
                   "\"><sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")
      .SetPart("data/_rels/Workbook.xml.rels", WorkbookRelationships("../xl/worksheets/sheet1.xml"));
  cases.emplace_back("workbook part elsewhere without package relationships", moved);

  for (const auto& [what, package] : cases) {
    auto reader = OpenWorkbook(InMemory(package.Build()));
    ASSERT_EQ(reader->workbook().sheets.size(), 1u) << what;
    RecordingSink sink;
    reader->ReadSheet(0, sink);
    EXPECT_EQ(sink.cells, std::vector<std::string>{"0,0 n:42"}) << what;
  }
}

TEST(WorkbookOpener, MalformedSheetXmlNamesThePartAndOffset) {
  XlsxPackage package;
  package.AddSheet("Data",
                   "<worksheet><sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></row></sheetData></worksheet>");
  ExpectError(OpenAndReadAll(package.Build()), SheetErrorCode::kCorrupt,
              "does not match the open element <c> (in xl/worksheets/sheet1.xml at byte 51)");
}

TEST(WorkbookOpener, BadCellContentIsCorruptNamingTheCell) {
  const std::pair<std::string, std::string> cases[] = {
      {"<row r=\"3\"><c r=\"B3\"><v>12abc</v></c></row>", "the cell B3 holds '12abc', which is not a number"},
      {"<row r=\"1\"><c r=\"A1\" t=\"b\"><v>yes</v></c></row>",
       "the cell A1 holds 'yes', which is not a boolean"},
      {"<row r=\"1\"><c r=\"A1\" t=\"d\"><v>2023-02-29</v></c></row>", "which is not an ISO 8601 date"},
      {"<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>",
       "refers to shared string 0, but the workbook has none"},
      {"<row r=\"1\"><c r=\"A1\" t=\"zz\"><v>0</v></c></row>", "the cell type 'zz' is not valid"},
      {"<row r=\"1048577\"><c><v>1</v></c></row>", "the row number '1048577' is not valid"},
      {"<row r=\"1\"><c r=\"XFE1\"><v>1</v></c></row>", "the cell reference 'XFE1' is not valid"},
      {"<row r=\"1\"><c r=\"XFD1\"><v>1</v></c><c><v>2</v></c></row>", "more cells than a sheet has columns"},
      {"<row r=\"1048576\"/><row/>", "more rows than a sheet can hold"},
      {"<row r=\"1\"><c r=\"A1\" s=\"-1\"><v>1</v></c></row>", "the cell style '-1' is not valid"},
  };
  for (const auto& [rows, phrase] : cases) {
    ExpectError(OpenAndReadAll(OneSheet(rows).Build()), SheetErrorCode::kCorrupt, phrase);
  }
}

TEST(WorkbookOpener, SharedStringIndexOutOfRangeIsCorrupt) {
  XlsxPackage package = OneSheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>2</v></c></row>");
  package.SetSharedStrings("<sst><si><t>a</t></si><si><t>b</t></si></sst>");
  ExpectError(OpenAndReadAll(package.Build()), SheetErrorCode::kCorrupt,
              "the cell A1 refers to shared string 2, but the workbook has only 2");
}

TEST(WorkbookOpener, EntityBombInSharedStringsIsRefused) {
  XlsxPackage package = OneSheet("<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>");
  std::string bomb = "<?xml version=\"1.0\"?><!DOCTYPE sst [<!ENTITY a \"aaaaaaaaaa\">";
  for (char c = 'b'; c <= 'j'; ++c) {
    bomb += std::string("<!ENTITY ") + c + " \"";
    for (int i = 0; i < 10; ++i) bomb += std::string("&") + static_cast<char>(c - 1) + ";";
    bomb += "\">";
  }
  bomb += "]><sst><si><t>&j;</t></si></sst>";
  package.SetSharedStrings(bomb);
  ExpectError(OpenAndReadAll(package.Build()), SheetErrorCode::kCorrupt,
              "document type declarations are not allowed in workbook parts (in xl/sharedStrings.xml");
}

TEST(WorkbookOpener, ZipBombSheetIsTooLarge) {
  XlsxPackage package = OneSheet("");
  std::string huge =
      WorksheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>" + std::string(std::size_t{20} << 20, ' '));
  ZipWriter::Entry bomb;
  bomb.name = "xl/worksheets/sheet1.xml";
  bomb.data = huge;
  bomb.declared_size = 4096;
  // Rebuild the package by hand so this one part lies about its size.
  ZipWriter zip;
  container::ZipArchive parts(InMemory(package.Build()));
  for (const auto& entry : parts.entries()) {
    if (entry.name != bomb.name) zip.Add(entry.name, parts.ReadEntry(entry, 1 << 20));
  }
  zip.Add(bomb);
  ExpectError(OpenAndReadAll(zip.Finish()), SheetErrorCode::kTooLarge, "expands beyond safe limits");
}

TEST(WorkbookOpener, EncryptedZipEntryIsPasswordProtected) {
  ZipWriter::Entry workbook;
  workbook.name = "xl/workbook.xml";
  workbook.data = "<workbook/>";
  workbook.flags = 1;
  ExpectError(OpenAndReadAll(ZipWriter().Add(workbook).Finish()), SheetErrorCode::kPasswordProtected,
              "the workbook is password-protected");
}

}  // namespace
}  // namespace quorvex::sheet
