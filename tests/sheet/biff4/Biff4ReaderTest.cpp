// Tests for the BIFF2-4 reader: the same worksheet written in each version, Excel 2.0 cells
// that carry their own format, BIFF4 workbooks with several sheets, and the opener.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../support/BiffBuilder.h"
#include "../support/CompoundFileBuilder.h"
#include "../support/EventLog.h"
#include "../support/InMemory.h"
#include "../support/TempFile.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/biff4/Biff4Reader.h"
#include "sheet/container/FileSource.h"
#include "sheet/model/SheetError.h"
#include "sheet/numfmt/CellText.h"

namespace quorvex::sheet::biff4 {
namespace {

using test_support::Bytes;
using test_support::EventLog;
using test_support::InMemory;
using test_support::Record;
using test_support::TempFile;

/// Writes the records of one BIFF version; cells take an XF index (BIFF2: attribute bytes).
class Writer {
 public:
  explicit Writer(int version) : version_(version) {}

  std::string Bof(std::uint16_t type) const {
    Bytes body;
    body.U16(version_ == 2 ? 0x0200 : version_ == 3 ? 0x0300 : 0x0400).U16(type);
    if (version_ > 2) body.U16(0);
    return Record(version_ == 2 ? 0x0009 : version_ == 3 ? 0x0209 : 0x0409, body);
  }
  std::string Format(const std::string& code) const {
    Bytes body;
    if (version_ == 4) body.U16(0);
    return Record(version_ == 4 ? 0x041E : 0x001E,
                  body.U8(static_cast<std::uint32_t>(code.size())).Raw(code));
  }
  std::string Font(const std::string& name) const {
    Bytes body;
    body.U16(200).U16(0);
    if (version_ > 2) body.U16(0x7FFF);
    return Record(version_ == 2 ? 0x0031 : 0x0231,
                  body.U8(static_cast<std::uint32_t>(name.size())).Raw(name));
  }
  /// An XF naming FORMAT index `format`, font 0.
  std::string Xf(std::uint8_t format) const {
    if (version_ == 2) return Record(0x0043, Bytes().U8(0).U8(0).U8(format).U8(0));
    Bytes body;
    body.U8(0).U8(format).U16(version_ == 3 ? 0 : 0xFFF4).U16(0).U16(0).U32(0);
    return Record(version_ == 3 ? 0x0243 : 0x0443, body);
  }
  /// A cell header: row, column, then the XF index (BIFF2: three attribute bytes).
  Bytes Cell(std::uint16_t row, std::uint16_t column, std::uint8_t xf) const {
    Bytes body;
    body.U16(row).U16(column);
    if (version_ == 2) return body.U8(xf).U8(0).U8(0);
    return body.U16(xf);
  }
  std::string Number(std::uint16_t row, std::uint16_t column, std::uint8_t xf, double value) const {
    return Record(version_ == 2 ? 0x0003 : 0x0203, Cell(row, column, xf).F64(value));
  }
  std::string Label(std::uint16_t row, std::uint16_t column, const std::string& text) const {
    Bytes body = Cell(row, column, 0);
    if (version_ == 2)
      body.U8(static_cast<std::uint32_t>(text.size()));
    else
      body.U16(static_cast<std::uint32_t>(text.size()));
    return Record(version_ == 2 ? 0x0004 : 0x0204, body.Raw(text));
  }
  std::string BoolErr(std::uint16_t row, std::uint16_t column, std::uint8_t value, bool error) const {
    return Record(version_ == 2 ? 0x0005 : 0x0205, Cell(row, column, 0).U8(value).U8(error ? 1 : 0));
  }
  std::string Blank(std::uint16_t row, std::uint16_t column, std::uint8_t xf) const {
    return Record(version_ == 2 ? 0x0001 : 0x0201, Cell(row, column, xf));
  }
  /// A FORMULA with an 8-byte cached result and no tokens.
  std::string Formula(std::uint16_t row, std::uint16_t column, const std::string& result) const {
    Bytes body = Cell(row, column, 0).Raw(result);
    if (version_ == 2)
      body.U8(0).U8(0);
    else
      body.U16(0).U16(0);
    return Record(version_ == 2 ? 0x0006 : version_ == 3 ? 0x0206 : 0x0406, body);
  }
  std::string String(const std::string& text) const {
    Bytes body;
    if (version_ == 2)
      body.U8(static_cast<std::uint32_t>(text.size()));
    else
      body.U16(static_cast<std::uint32_t>(text.size()));
    return Record(version_ == 2 ? 0x0007 : 0x0207, body.Raw(text));
  }

 private:
  int version_;
};

/// A non-number formula result: type byte, value byte, 0xFFFF in the last two bytes.
std::string Result(std::uint8_t type, std::uint8_t value = 0) {
  return Bytes().U8(type).U8(0).U8(value).U8(0).U16(0).U16(0xFFFF).str();
}

/// A stream opened from memory through the opener.
struct Opened {
  explicit Opened(const std::string& bytes) : reader(OpenWorkbook(InMemory(bytes, "book.xls"))) {}
  std::unique_ptr<WorkbookReader> reader;
};

/// Every cell of sheet `position` as the application shows it.
std::vector<std::string> ShownCells(WorkbookReader& reader, std::size_t position) {
  EventLog log;
  reader.ReadSheet(position, log);
  const numfmt::CellText text(reader.workbook());
  std::vector<std::string> shown;
  struct Shower : SheetSink {
    const numfmt::CellText* text;
    std::vector<std::string>* shown;
    SinkControl OnCell(const sheet::Cell& cell) override {
      shown->push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + " " +
                       text->Render(cell.value, cell.style));
      return SinkControl::kContinue;
    }
  } shower;
  shower.text = &text;
  shower.shown = &shown;
  reader.ReadSheet(position, shower);
  return shown;
}

class EveryVersion : public ::testing::TestWithParam<int> {};

TEST_P(EveryVersion, ReadsValuesFormatsResultsDateSystemAndCodePage) {
  const Writer w(GetParam());
  std::string stream = w.Bof(0x0010) + Record(0x0042, Bytes().U16(1251)) + Record(0x0022, Bytes().U16(1));
  stream += w.Font("Arial") + w.Format("General") + w.Format("0.00%") + w.Format("m/d/yy");
  stream += w.Xf(0) + w.Xf(1) + w.Xf(2);
  stream += Record(GetParam() == 2 ? 0x0000 : 0x0200,
                   Bytes().U16(0).U16(4).U16(0).U16(3).str() + (GetParam() == 2 ? "" : std::string(2, '\0')));
  stream += w.Number(0, 0, 1, 0.125) + w.Number(0, 1, 2, 1) + w.Label(0, 2, "\xCF\xF0\xE8");  // "При" in 1251
  stream += w.BoolErr(1, 0, 1, false) + w.BoolErr(1, 1, 0x07, true) + w.Blank(1, 2, 1);
  stream += w.Formula(2, 0, Bytes().F64(42).str()) + w.Formula(2, 1, Result(0)) + w.String("text result");
  stream += w.Formula(2, 2, Result(1, 1)) + w.Formula(3, 0, Result(2, 0x2A));
  if (GetParam() == 2) {
    stream += Record(0x0002, w.Cell(3, 1, 0).U16(7));  // INTEGER
  } else {
    stream += Record(0x027E, w.Cell(3, 1, 0).U32((7u << 2) | 2));  // RK holding the integer 7
  }
  stream += test_support::Eof();
  const Opened opened(stream);
  WorkbookReader* reader = opened.reader.get();
  ASSERT_EQ(reader->workbook().sheets.size(), 1u);
  EXPECT_TRUE(reader->workbook().date1904);
  EXPECT_EQ(ShownCells(*reader, 0),
            (std::vector<std::string>{"0,0 12.50%", "0,1 1/2/04", "0,2 \xD0\x9F\xD1\x80\xD0\xB8", "1,0 TRUE",
                                      "1,1 #DIV/0!", "1,2 ", "2,0 42", "2,1 text result", "2,2 TRUE",
                                      "3,0 #N/A", "3,1 7"}));
  EventLog log;
  reader->ReadSheet(0, log);
  EXPECT_EQ(log.events.front(), "dim 0,0:3,2");
}

INSTANTIATE_TEST_SUITE_P(Versions, EveryVersion, ::testing::Values(2, 3, 4),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Biff" + std::to_string(info.param);
                         });

TEST(Biff4Reader, Excel2CellsWithoutXfRecordsCarryTheirOwnFormat) {
  // Excel 2.0 wrote no XF records: the second attribute byte names the FORMAT record.
  const Writer w(2);
  std::string stream = w.Bof(0x0010) + w.Format("General") + w.Format("0.0") + w.Format("#,##0");
  stream += Record(0x0003, Bytes().U16(0).U16(0).U8(0).U8(1).U8(0).F64(2.25).str());
  stream += Record(0x0003, Bytes().U16(0).U16(1).U8(0).U8(2).U8(0).F64(1234567).str());
  stream += Record(0x0003, Bytes().U16(0).U16(2).U8(0).U8(0).U8(0).F64(0.5).str());
  stream += test_support::Eof();
  const Opened opened(stream);
  WorkbookReader* reader = opened.reader.get();
  EXPECT_EQ(ShownCells(*reader, 0), (std::vector<std::string>{"0,0 2.3", "0,1 1,234,567", "0,2 0.5"}));
}

TEST(Biff4Reader, Biff2IxfeRecordGivesTheXfOfTheCellAfterIt) {
  const Writer w(2);
  std::string stream = w.Bof(0x0010) + w.Format("General") + w.Format("0.000");
  for (int i = 0; i < 70; ++i) stream += w.Xf(i == 66 ? 1 : 0);
  stream += Record(0x0044, Bytes().U16(66));
  stream += w.Number(0, 0, 0x3F, 1.5) + test_support::Eof();
  const Opened opened(stream);
  WorkbookReader* reader = opened.reader.get();
  EXPECT_EQ(ShownCells(*reader, 0), std::vector<std::string>{"0,0 1.500"});
}

TEST(Biff4Reader, ReadsBiff4WorkbooksSheetBySheet) {
  // Globals: formatting and the sheet names; then SHEETHDR and each sheet's substream. The
  // second sheet has no formatting of its own and uses the globals'.
  const Writer w(4);
  const std::string first = w.Bof(0x0010) + w.Format("General") + w.Format("0.0") + w.Xf(0) + w.Xf(1) +
                            w.Number(0, 0, 1, 3.14159) + test_support::Eof();
  const std::string chart = w.Bof(0x0020) + test_support::Eof();
  const std::string second =
      w.Bof(0x0010) + w.Label(1, 1, "second") + w.Number(2, 1, 1, 2) + test_support::Eof();
  auto header = [](const std::string& name, const std::string& substream) {
    return Record(0x008F, Bytes()
                              .U32(static_cast<std::uint32_t>(substream.size()))
                              .U8(static_cast<std::uint32_t>(name.size()))
                              .Raw(name));
  };
  auto bound = [](const std::string& name) {
    return Record(0x0085, Bytes().U8(static_cast<std::uint32_t>(name.size())).Raw(name));
  };
  std::string stream = w.Bof(0x0100) + w.Format("General") + w.Format("0.000") + w.Xf(0) + w.Xf(1);
  stream += bound("Data") + bound("Graph") + bound("More");
  stream += header("Data", first) + first + header("Graph", chart) + chart + header("More", second) + second;
  stream += test_support::Eof();
  const Opened opened(stream);
  WorkbookReader* reader = opened.reader.get();
  const auto& sheets = reader->workbook().sheets;
  ASSERT_EQ(sheets.size(), 3u);
  EXPECT_EQ(sheets[0].name, "Data");
  EXPECT_EQ(sheets[1].kind, SheetKind::kChart);
  EXPECT_EQ(sheets[2].name, "More");
  EXPECT_EQ(ShownCells(*reader, 0), std::vector<std::string>{"0,0 3.1"});
  EXPECT_TRUE(ShownCells(*reader, 1).empty());
  EXPECT_EQ(ShownCells(*reader, 2), (std::vector<std::string>{"1,1 second", "2,1 2.000"}));
}

TEST(Biff4Reader, WorksheetFileNamesItsSheetAfterTheFile) {
  const Writer w(3);
  TempFile file(w.Bof(0x0010) + w.Number(0, 0, 0, 1) + test_support::Eof(), ".xls");
  const Biff4Reader reader(std::make_unique<container::FileSource>(file.path()));
  EXPECT_EQ(reader.biff_version(), 3);
  ASSERT_EQ(reader.workbook().sheets.size(), 1u);
  EXPECT_EQ(reader.workbook().sheets[0].name, SheetNameForFile(file.path()));
  EXPECT_EQ(SheetNameForFile("/data/Quarterly report.xls"), "Quarterly report");
  EXPECT_EQ(SheetNameForFile("/x/" + std::string(40, 'n') + ".XLS"), std::string(31, 'n'));
}

TEST(Biff4Reader, OpensAnOldStreamWrappedInACompoundFile) {
  const Writer w(3);
  const std::string stream = w.Bof(0x0010) + w.Format("General") + w.Format("0.0") + w.Xf(0) + w.Xf(1) +
                             w.Number(0, 0, 1, 2.5) + w.Label(1, 0, "wrapped") + test_support::Eof();
  auto reader = OpenWorkbook(InMemory(test_support::BuildCompoundFileWithStreams({{"Book", stream}}).bytes));
  ASSERT_EQ(reader->workbook().sheets.size(), 1u);
  EXPECT_EQ(ShownCells(*reader, 0), (std::vector<std::string>{"0,0 2.5", "1,0 wrapped"}));
}

TEST(Biff4Reader, DamageAndEncryptionGiveClearErrors) {
  const Writer w(4);
  try {
    const Opened opened(w.Bof(0x0010) + Record(0x002F, std::string(4, '\0')) + test_support::Eof());
    FAIL() << "no error";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kPasswordProtected);
  }
  const Opened damaged(w.Bof(0x0010) + w.Number(0, 0, 0, 1) + Record(0x0203, "short") + test_support::Eof());
  EventLog log;
  try {
    damaged.reader->ReadSheet(0, log);
    FAIL() << "no error";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
    EXPECT_NE(std::string(error.what()).find("NUMBER record is too short"), std::string::npos)
        << error.what();
  }
}

}  // namespace
}  // namespace quorvex::sheet::biff4
