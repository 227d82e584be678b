// The quorvex executable on bad input and on a folder: clear errors, a status that says so,
// never a crash or a hang, and the good workbooks still converted.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <thread>

#include "sheet/ooxml/XlsxPackage.h"

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string output;
};

/// Runs the command line with a time limit, capturing everything it prints.
Outcome RunQuorvex(const std::string& arguments) {
  const std::string command = "timeout 120 '" + std::string(QUORVEX_CLI) + "' " + arguments + " 2>&1";
  Outcome outcome;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, n);
  const int raw = ::pclose(pipe);
  if (WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
  return outcome;
}

fs::path FreshDir(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("quorvex-e2e-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void WriteWorkbook(const fs::path& path, const quorvex::sheet::test_support::XlsxPackage& package) {
  std::ofstream(path, std::ios::binary) << package.Build();
}

// A sheet of `rows` rows of numbers: large enough that writing it takes a while.
std::string NumberRows(int rows) {
  std::string xml;
  for (int r = 1; r <= rows; ++r) {
    const std::string n = std::to_string(r);
    xml += "<row r=\"" + n + "\">";
    for (const char* column : {"A", "B", "C", "D", "E", "F"}) {
      xml += std::string("<c r=\"") + column + n + "\"><v>" + n + ".25</v></c>";
    }
    xml += "</row>";
  }
  return xml;
}

// Every file below `folder` whose name holds ".partial".
std::vector<fs::path> PartialFiles(const fs::path& folder) {
  std::vector<fs::path> found;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    if (it->path().filename().string().find(".partial") != std::string::npos) found.push_back(it->path());
  }
  return found;
}

TEST(EndToEnd, EveryBadWorkbookFailsWithAMessageNamingIt) {
  const fs::path bad = fs::path(QUORVEX_FIXTURES_DIR) / "bad";
  ASSERT_TRUE(fs::is_directory(bad));
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(bad)) {
    if (entry.path().extension().string().rfind(".xls", 0) != 0) continue;
    const fs::path out = FreshDir("bad");
    Outcome outcome = RunQuorvex("convert --quiet -o '" + out.string() + "' '" + entry.path().string() + "'");
    EXPECT_EQ(outcome.status, 1) << entry.path() << "\n" << outcome.output;
    EXPECT_NE(outcome.output.find(entry.path().filename().string()), std::string::npos) << outcome.output;
    EXPECT_NE(outcome.output.find("file failed!"), std::string::npos) << outcome.output;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(EndToEnd, SheetWithoutItsPartConvertsEmptyWithAWarningOnStandardError) {
  const fs::path out = FreshDir("missing-part");
  const fs::path book = fs::path(QUORVEX_FIXTURES_DIR) / "lenient" / "missing_sheet_part.xlsx";
  Outcome outcome = RunQuorvex("convert --quiet -o '" + out.string() + "' '" + book.string() + "'");
  EXPECT_EQ(outcome.status, 0) << outcome.output;
  EXPECT_NE(
      outcome.output.find("Warning: \"missing_sheet_part.xlsx\": the sheet 'More' refers to a part that "
                          "does not exist"),
      std::string::npos)
      << outcome.output;
  EXPECT_TRUE(fs::is_empty(out / "missing_sheet_part" / "More.csv"));
  EXPECT_FALSE(fs::is_empty(out / "missing_sheet_part" / "Data.csv"));
}

TEST(EndToEnd, FolderWithABadWorkbookStillConvertsTheGoodOnes) {
  const fs::path in = FreshDir("mixed-in");
  const fs::path out = FreshDir("mixed-out");
  fs::copy_file(fs::path(QUORVEX_GOLDEN_DIR) / ".." / "fixtures" / "bad" / "not_a_zip.xlsx",
                in / "A bad.xlsx");
  bool copied = false;
  for (const auto& entry : fs::recursive_directory_iterator(QUORVEX_GOLDEN_DIR)) {
    if (!copied && entry.path().extension() == ".xlsx") {
      fs::copy_file(entry.path(), in / "B good.xlsx");
      copied = true;
    }
  }
  ASSERT_TRUE(copied);
  Outcome outcome = RunQuorvex("convert -o '" + out.string() + "' '" + in.string() + "'");
  EXPECT_EQ(outcome.status, 1) << outcome.output;
  EXPECT_NE(outcome.output.find("Convert Abad file failed!"), std::string::npos) << outcome.output;
  EXPECT_EQ(outcome.output.find("Convert Bgood file failed!"), std::string::npos) << outcome.output;
  EXPECT_FALSE(fs::is_empty(out / "Bgood"));
  EXPECT_TRUE(fs::is_empty(out / "Abad"));
}

TEST(EndToEnd, WrongArgumentsExitWithTwo) {
  EXPECT_EQ(RunQuorvex("convert").status, 2);
  EXPECT_EQ(RunQuorvex("convert --format pdf -o /tmp x.xlsx").status, 2);
  Outcome help = RunQuorvex("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("quorvex convert"), std::string::npos);
}

TEST(EndToEnd, ReportsTheOutputFolderWhenNotQuiet) {
  const fs::path out = FreshDir("report");
  const fs::path empty_folder = FreshDir("report-in");
  std::ofstream(empty_folder / "readme.txt") << "no workbooks here";
  Outcome outcome = RunQuorvex("convert -o '" + out.string() + "' '" + empty_folder.string() + "'");
  // No workbook in the folder: the run says so and fails.
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.output.find("Please select excel at fast!"), std::string::npos) << outcome.output;
}

// Ctrl-C, a termination request or a hang-up while a sheet is being written ends the program
// by that signal and leaves no temporary file behind.
TEST(EndToEnd, InterruptedRunRemovesItsTemporaryFile) {
  using quorvex::sheet::test_support::WorksheetXml;
  using quorvex::sheet::test_support::XlsxPackage;
  const fs::path in = FreshDir("interrupt-in");
  WriteWorkbook(in / "Big.xlsx", XlsxPackage().AddSheet("Data", WorksheetXml(NumberRows(100000))));
  for (const int signal_number : {SIGINT, SIGTERM, SIGHUP}) {
    const fs::path out = FreshDir("interrupt-out");
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      ::execl(QUORVEX_CLI, QUORVEX_CLI, "convert", "-q", "-o", out.c_str(), (in / "Big.xlsx").c_str(),
              static_cast<char*>(nullptr));
      ::_exit(127);
    }
    // Wait until the sheet's temporary file exists, then interrupt.
    bool seen = false;
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!seen && std::chrono::steady_clock::now() < give_up) {
      seen = !PartialFiles(out).empty();
      if (!seen) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::kill(child, signal_number);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(seen) << "the run never wrote a temporary file";
    ASSERT_TRUE(WIFSIGNALED(status)) << "signal " << signal_number << ": the run ended before it";
    EXPECT_EQ(WTERMSIG(status), signal_number);
    EXPECT_TRUE(PartialFiles(out).empty()) << "signal " << signal_number;
  }
}

// Names near the file-name limit: the temporary name must fit too, and a name too long is cut,
// keeping its start, whole characters and the extension.
TEST(EndToEnd, NamesNearTheFileNameLimitAreWritten) {
  using quorvex::sheet::test_support::WorksheetXml;
  using quorvex::sheet::test_support::XlsxPackage;
  const fs::path in = FreshDir("long-in");
  const fs::path out = FreshDir("long-out");
  const std::string book(215, 'W');
  std::string accented;
  for (int i = 0; i < 30; ++i) accented += "\xC3\xA9";
  const std::string cell = WorksheetXml("<row r=\"1\"><c r=\"A1\"><v>1</v></c></row>");
  WriteWorkbook(in / (book + ".xlsx"),
                XlsxPackage().AddSheet(std::string(31, 'S'), cell).AddSheet(accented, cell));
  Outcome outcome =
      RunQuorvex("convert -q -n workbook-sheet -o '" + out.string() + "' '" + in.string() + "'");
  EXPECT_EQ(outcome.status, 0) << outcome.output;
  EXPECT_TRUE(fs::is_regular_file(out / book / (book + "_" + std::string(31, 'S') + ".csv")));
  // 216 bytes of "WWW..._" leave 35 bytes before ".csv": 17 whole two-byte characters.
  EXPECT_TRUE(fs::is_regular_file(out / book / (book + "_" + accented.substr(0, 34) + ".csv")))
      << outcome.output;
}

struct Conversion {
  Outcome outcome;
  std::map<std::string, std::string> files;  // path below the output folder -> bytes
};

// Converts `in` into a fresh output folder named after it (so tests run side by side keep apart),
// and reads back every file written. With `shards` > 1, one run per shard, one after another into
// that folder.
Conversion ConvertFolder(const fs::path& in, const std::string& options, int shards = 1) {
  const fs::path out = FreshDir(in.filename().string() + "-out");
  Conversion conversion;
  for (int shard = 1; shard <= shards; ++shard) {
    const std::string slice =
        shards > 1 ? " --shard " + std::to_string(shard) + "/" + std::to_string(shards) : "";
    const Outcome outcome =
        RunQuorvex("convert " + options + slice + " -o '" + out.string() + "' '" + in.string() + "'");
    conversion.outcome.status = std::max(conversion.outcome.status, outcome.status);
    conversion.outcome.output += outcome.output;
  }
  for (const auto& entry : fs::recursive_directory_iterator(out)) {
    const std::string name = fs::relative(entry.path(), out).string();
    if (entry.is_directory()) {
      conversion.files[name + "/"] = "";
      continue;
    }
    std::ifstream file(entry.path(), std::ios::binary);
    conversion.files[name].assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  return conversion;
}

// Four workbooks at a time write the files, names and numbers and print the lines of one at a
// time, whichever workbook finishes first: among them workbooks sharing a name, one failing at
// its second sheet (the numbers of the next workbook go on from it), one that is no workbook and
// one with a warning.
TEST(EndToEnd, FourJobsWriteAndPrintWhatOneJobDoes) {
  using quorvex::sheet::test_support::WorksheetXml;
  using quorvex::sheet::test_support::XlsxPackage;
  const fs::path in = FreshDir("jobs-in");
  for (int book = 1; book <= 8; ++book) {
    XlsxPackage package;
    for (int sheet = 1; sheet <= book % 3 + 1; ++sheet) {
      package.AddSheet("S" + std::to_string(sheet), WorksheetXml(NumberRows(book * 40 + sheet)));
    }
    WriteWorkbook(in / ("Book" + std::to_string(book) + (book == 3 ? ".xlsm" : ".xlsx")), package);
  }
  WriteWorkbook(in / "Book3.xlsx", XlsxPackage().AddSheet("Only", WorksheetXml(NumberRows(5))));
  WriteWorkbook(in / "Book2 broken.xlsx",
                XlsxPackage()
                    .AddSheet("Fine", WorksheetXml(NumberRows(30)))
                    .AddSheet("Cut", "<worksheet><sheetData><row r=\"1\"><c r=\"A1\">"));
  fs::copy_file(fs::path(QUORVEX_FIXTURES_DIR) / "bad" / "not_a_zip.xlsx", in / "Book4 junk.xlsx");
  fs::copy_file(fs::path(QUORVEX_FIXTURES_DIR) / "lenient" / "missing_sheet_part.xlsx",
                in / "Book5 holes.xlsx");

  for (const std::string options : {"-n number", "-f xml", "-f dbf4 -n workbook-sheet"}) {
    const Conversion serial = ConvertFolder(in, "-j1 " + options);
    ASSERT_EQ(serial.outcome.status, 1) << serial.outcome.output;
    for (int trial = 0; trial < 4; ++trial) {
      const Conversion parallel = ConvertFolder(in, "-j4 " + options);
      EXPECT_EQ(parallel.outcome.output, serial.outcome.output) << options;
      EXPECT_EQ(parallel.files, serial.files) << options;
    }
  }
}

// A tree converted with --recursive: every folder's workbooks in the same folder below the output,
// hidden folders and a link loop left out; and shards run one after another into one folder
// write exactly what one run writes, clashing names (W3.xlsx and W3.xlsm) and numbers included.
TEST(EndToEnd, RecursiveRunMirrorsTheTreeAndShardsTogetherWriteWhatOneRunWrites) {
  using quorvex::sheet::test_support::WorksheetXml;
  using quorvex::sheet::test_support::XlsxPackage;
  const fs::path in = FreshDir("tree-in");
  for (const char* folder : {"Sales/2024", "Empty/Deeper", ".hidden"}) fs::create_directories(in / folder);
  fs::create_directory_symlink("../..", in / "Sales" / "2024" / "loop");
  const XlsxPackage two_sheets =
      XlsxPackage().AddSheet("S1", WorksheetXml(NumberRows(2))).AddSheet("S2", WorksheetXml(NumberRows(3)));
  for (int book = 1; book <= 8; ++book)
    WriteWorkbook(in / ("W" + std::to_string(book) + ".xlsx"), two_sheets);
  for (const char* book :
       {"W3.xlsm", "Sales/Q1.xlsx", "Sales/2024/Q1.xlsx", "Empty/Deeper/D.xlsx", ".hidden/H.xlsx"}) {
    WriteWorkbook(in / book, two_sheets);
  }
  const Conversion whole = ConvertFolder(in, "-r -n number");
  ASSERT_EQ(whole.outcome.status, 0) << whole.outcome.output;
  EXPECT_EQ(whole.files.size(), 12 * 3 + 4u)
      << "12 workbooks: a folder and two files each; 4 mirrored folders";
  for (const char* file : {"W3/2.csv", "W31/2.csv", "Sales/2024/Q1/1.csv", "Empty/Deeper/D/2.csv"}) {
    EXPECT_EQ(whole.files.count(file), 1u) << file;
  }
  const Conversion sharded = ConvertFolder(in, "-r -n number", 3);
  EXPECT_EQ(sharded.outcome.status, 0) << sharded.outcome.output;
  EXPECT_EQ(sharded.files, whole.files);
}

// list describes every sheet (kind, visibility, used range) as JSON with the names escaped; a
// workbook that cannot be read is an error object, the others are still listed, the status is 1.
TEST(EndToEnd, ListDescribesEverySheetAndReportsUnreadableWorkbooks) {
  using quorvex::sheet::test_support::WorksheetXml;
  using quorvex::sheet::test_support::XlsxPackage;
  const fs::path in = FreshDir("list");
  WriteWorkbook(
      in / "A.xlsx",
      XlsxPackage()
          .AddSheet("Data \\ &quot;1&quot;", WorksheetXml("<row r=\"2\"><c r=\"B2\"><v>1</v></c>"
                                                          "<c r=\"D2\"><v>2</v></c></row>"))
          .AddSheet("Old", WorksheetXml("<row r=\"3\"><c r=\"C3\"><v>1</v></c></row>"), "worksheet", "hidden")
          .AddSheet("Macros", WorksheetXml(""), "worksheet", "veryHidden")
          .AddSheet("Chart", "<chartsheet/>", "chartsheet"));
  fs::copy_file(fs::path(QUORVEX_FIXTURES_DIR) / "bad" / "not_a_zip.xlsx", in / "B.xlsx");
  const std::string a = (in / "A.xlsx").string();
  const std::string b = (in / "B.xlsx").string();
  Outcome outcome = RunQuorvex("list '" + in.string() + "'");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(outcome.output,
            a + "\t1\tData \\ \"1\"\tworksheet\tvisible\tB2:D2\n" + a + "\t2\tOld\tworksheet\thidden\tC3\n" +
                a + "\t3\tMacros\tworksheet\tvery-hidden\t\n" + a +
                "\t4\tChart\tchart\tvisible\t\nCannot open \"B.xlsx\": the file is not a workbook\n");
  outcome = RunQuorvex("list --json '" + b + "' '" + a + "'");
  EXPECT_EQ(outcome.status, 1);
  EXPECT_EQ(
      outcome.output,
      "Cannot open \"B.xlsx\": the file is not a workbook\n[\n  {\"path\": \"" + b +
          "\", \"error\": \"Cannot open \\\"B.xlsx\\\": the file is not a workbook\"},\n  {\"path\": \"" + a +
          "\", \"sheets\": [\n"
          "    {\"position\": 1, \"name\": \"Data \\\\ \\\"1\\\"\", \"kind\": \"worksheet\", \"visibility\": "
          "\"visible\", \"used_range\": \"B2:D2\"},\n"
          "    {\"position\": 2, \"name\": \"Old\", \"kind\": \"worksheet\", \"visibility\": \"hidden\", "
          "\"used_range\": \"C3\"},\n"
          "    {\"position\": 3, \"name\": \"Macros\", \"kind\": \"worksheet\", \"visibility\": "
          "\"very-hidden\", \"used_range\": \"\"},\n"
          "    {\"position\": 4, \"name\": \"Chart\", \"kind\": \"chart\", \"visibility\": \"visible\", "
          "\"used_range\": \"\"}\n  ]}\n]\n");
}

}  // namespace
