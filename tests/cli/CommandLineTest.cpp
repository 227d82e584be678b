// Parsing of the quorvex command line.
#include <gtest/gtest.h>

#include "cli/CommandLine.h"
#include "cli/ListCommand.h"

namespace quorvex::cli {
namespace {

ParsedCommandLine Parse(std::vector<std::string> arguments) {
  return ParseCommandLine(arguments);
}

TEST(CommandLine, ReadsEveryConvertOption) {
  auto parsed = Parse({"convert", "--format", "txt", "--naming=number", "-o", "/out", "-s", "Jan",
                       "--sheet=Feb", "--quiet", "a.xlsx", "dir"});
  ASSERT_TRUE(parsed.convert) << parsed.error;
  EXPECT_EQ(parsed.convert->format_index, 1);
  EXPECT_EQ(parsed.convert->naming_mode, 2);
  EXPECT_EQ(parsed.convert->output_directory, "/out");
  EXPECT_EQ(parsed.convert->sheets, (std::vector<std::string>{"Jan", "Feb"}));
  EXPECT_TRUE(parsed.convert->quiet);
  EXPECT_EQ(parsed.convert->inputs, (std::vector<std::string>{"a.xlsx", "dir"}));
}

TEST(CommandLine, DefaultsToCsvNamedBySheet) {
  auto parsed = Parse({"convert", "-o", "out", "a.xlsx"});
  ASSERT_TRUE(parsed.convert);
  EXPECT_EQ(parsed.convert->format_index, 0);
  EXPECT_EQ(parsed.convert->naming_mode, 0);
  EXPECT_FALSE(parsed.convert->quiet);
}

TEST(CommandLine, MapsNamingRulesToTheFileNameList) {
  for (auto [rule, index] : {std::pair{"sheet", 0}, {"workbook-sheet", 1}, {"number", 2}}) {
    auto parsed = Parse({"convert", "-n", rule, "-o", "o", "a.xlsx"});
    ASSERT_TRUE(parsed.convert) << rule;
    EXPECT_EQ(parsed.convert->naming_mode, index) << rule;
  }
}

TEST(CommandLine, MapsDbaseFormatsToTheirFileFormatListPositions) {
  for (auto [format, index] : {std::pair{"dbf4", 5}, {"dbf3", 6}, {"dbf2", 7}}) {
    auto parsed = Parse({"convert", "-f", format, "-o", "o", "a.xlsx"});
    ASSERT_TRUE(parsed.convert) << format;
    EXPECT_EQ(parsed.convert->format_index, index) << format;
  }
}

TEST(CommandLine, ReadsWebOptionsIntoTheirControls) {
  auto parsed = Parse({"convert", "-f", "mht", "--web-mode", "workbook", "--html-type=pivot", "--title",
                       "workbook-sheet", "--extension", "long", "-o", "o", "a.xlsx"});
  ASSERT_TRUE(parsed.convert) << parsed.error;
  EXPECT_EQ(parsed.convert->format_index, 3);
  EXPECT_TRUE(parsed.convert->entire_workbook);
  EXPECT_EQ(parsed.convert->html_type_index, 2);
  EXPECT_EQ(parsed.convert->page_title_index, 3);
  EXPECT_FALSE(parsed.convert->short_extension);
  EXPECT_EQ(Parse({"convert", "-f", "html", "-o", "o", "a.xlsx"}).convert->format_index, 2);
  EXPECT_EQ(Parse({"convert", "-f", "xml", "-o", "o", "a.xlsx"}).convert->format_index, 4);
}

TEST(CommandLine, WebOptionsDefaultToStaticPagesPerSheetWithoutTitle) {
  auto parsed = Parse({"convert", "-f", "html", "-o", "o", "a.xlsx"});
  ASSERT_TRUE(parsed.convert);
  EXPECT_FALSE(parsed.convert->entire_workbook);
  EXPECT_EQ(parsed.convert->html_type_index, 0);
  EXPECT_EQ(parsed.convert->page_title_index, 0);
  EXPECT_TRUE(parsed.convert->short_extension);
}

TEST(CommandLine, RejectsUnknownWebOptionValues) {
  for (const char* option : {"--web-mode", "--html-type", "--title", "--extension"}) {
    auto parsed = Parse({"convert", option, "bogus", "-o", "o", "a.xlsx"});
    EXPECT_FALSE(parsed.convert) << option;
    EXPECT_NE(parsed.error.find("bogus"), std::string::npos) << option;
  }
}

TEST(CommandLine, ReadsTheJobCountInEverySpelling) {
  EXPECT_EQ(Parse({"convert", "-o", "o", "a.xlsx"}).convert->jobs, 0) << "0 stands for one per core";
  for (auto [arguments, jobs] : {std::pair{std::vector<std::string>{"-j", "3"}, 3},
                                 {{"-j4"}, 4},
                                 {{"--jobs", "1"}, 1},
                                 {{"--jobs=256"}, 256}}) {
    arguments.insert(arguments.begin(), "convert");
    arguments.insert(arguments.end(), {"-o", "o", "a.xlsx"});
    auto parsed = Parse(arguments);
    ASSERT_TRUE(parsed.convert) << parsed.error;
    EXPECT_EQ(parsed.convert->jobs, jobs) << arguments[1];
  }
}

TEST(CommandLine, ReadsEncodingsRecursionAndShard) {
  auto parsed = Parse({"convert", "--encoding", "windows-1252", "--dbf-encoding=utf-8", "-r", "--shard",
                       "3/8", "-o", "o", "a"});
  ASSERT_TRUE(parsed.convert) << parsed.error;
  EXPECT_EQ(parsed.convert->save.text, automation::TextEncoding::kWindows1252);
  EXPECT_EQ(parsed.convert->save.dbf, automation::DbfEncoding::kUtf8);
  EXPECT_TRUE(parsed.convert->recursive);
  EXPECT_EQ(std::pair(parsed.convert->shard, parsed.convert->shards), std::pair(3, 8));
  EXPECT_EQ(Parse({"convert", "--encoding=utf-8-bom", "-o", "o", "a"}).convert->save.text,
            automation::TextEncoding::kUtf8Bom);
  parsed = Parse({"convert", "-o", "o", "a"});
  EXPECT_EQ(parsed.convert->save.text, automation::TextEncoding::kUtf8);
  EXPECT_EQ(parsed.convert->save.dbf, automation::DbfEncoding::kCodePage);
  EXPECT_FALSE(parsed.convert->recursive);
  EXPECT_EQ(std::pair(parsed.convert->shard, parsed.convert->shards), std::pair(1, 1));
}

TEST(CommandLine, ReadsTheListCommand) {
  auto parsed = Parse({"list", "--json", "-r", "a.xlsx", "--", "--b"});
  ASSERT_TRUE(parsed.list) << parsed.error;
  EXPECT_TRUE(parsed.list->json);
  EXPECT_TRUE(parsed.list->recursive);
  EXPECT_EQ(parsed.list->inputs, (std::vector<std::string>{"a.xlsx", "--b"}));
  EXPECT_NE(Parse({"list", "-o", "x", "a"}).error.find("unknown option \"-o\""), std::string::npos);
  EXPECT_NE(Parse({"list"}).error.find("no workbook"), std::string::npos);
}

TEST(ListCommand, JsonStringEscapesAndRepairsBrokenUtf8) {
  EXPECT_EQ(JsonString("a\"b\\c\n\t\x01\x7F"), "\"a\\\"b\\\\c\\n\\t\\u0001\\u007F\"");
  EXPECT_EQ(JsonString("Zo\xC3\xAB \xE6\xA0\xAA \xF0\x9F\x98\x80"),
            "\"Zo\xC3\xAB \xE6\xA0\xAA \xF0\x9F\x98\x80\"");
  // A lone byte, a cut sequence, an overlong form and a surrogate each become U+FFFD.
  EXPECT_EQ(JsonString("\xFF|\xE6\xA0|\xC0\xAF|\xED\xA0\x80"),
            "\"\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD|"
            "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\"");
}

TEST(CommandLine, DoubleDashEndsOptions) {
  auto parsed = Parse({"convert", "-o", "o", "--", "--weird.xlsx"});
  ASSERT_TRUE(parsed.convert);
  EXPECT_EQ(parsed.convert->inputs, std::vector<std::string>{"--weird.xlsx"});
}

TEST(CommandLine, ExplainsWrongArguments) {
  struct Row {
    std::vector<std::string> arguments;
    const char* error_part;
  };
  for (const Row& row :
       {Row{{}, "no command"}, Row{{"frobnicate"}, "unknown command"},
        Row{{"convert", "-o", "o"}, "no workbook"}, Row{{"convert", "a.xlsx"}, "no output directory"},
        Row{{"convert", "-f", "pdf", "-o", "o", "a.xlsx"}, "unknown format \"pdf\""},
        Row{{"convert", "-n", "random", "-o", "o", "a.xlsx"}, "unknown naming rule"},
        Row{{"convert", "--colour", "-o", "o", "a.xlsx"}, "unknown option \"--colour\""},
        Row{{"convert", "a.xlsx", "-o"}, "needs a value"},
        Row{{"convert", "-j", "0", "-o", "o", "a.xlsx"}, "-j needs a number from 1 to 256, not \"0\""},
        Row{{"convert", "-j2x", "-o", "o", "a.xlsx"}, "not \"2x\""},
        Row{{"convert", "--jobs=257", "-o", "o", "a.xlsx"}, "not \"257\""},
        Row{{"convert", "--encoding", "latin1", "-o", "o", "a"}, "(choose utf-8|utf-8-bom|windows-1252)"},
        Row{{"convert", "--dbf-encoding", "cp437", "-o", "o", "a"}, "(choose code-page|utf-8)"},
        Row{{"convert", "--shard", "0/4", "-o", "o", "a"}, "1 <= K <= N, not \"0/4\""},
        Row{{"convert", "--shard", "5/4", "-o", "o", "a"}, "not \"5/4\""},
        Row{{"convert", "--shard", "2", "-o", "o", "a"}, "not \"2\""},
        Row{{"convert", "--shard", "1/x", "-o", "o", "a"}, "not \"1/x\""}}) {
    auto parsed = Parse(row.arguments);
    EXPECT_FALSE(parsed.convert);
    EXPECT_NE(parsed.error.find(row.error_part), std::string::npos) << parsed.error;
  }
}

TEST(CommandLine, HelpAndVersion) {
  EXPECT_TRUE(Parse({"--help"}).show_help);
  EXPECT_TRUE(Parse({"convert", "-o", "o", "--help"}).show_help);
  EXPECT_TRUE(Parse({"--version"}).show_version);
  EXPECT_NE(HelpText().find("--sheet"), std::string::npos);
}

}  // namespace
}  // namespace quorvex::cli
