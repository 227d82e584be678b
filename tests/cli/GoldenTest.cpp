// Every golden case: the quorvex command converts the case's workbook, and the files it writes
// match the expected files byte for byte, with nothing missing and nothing extra.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct GoldenCase {
  fs::path workbook;
  fs::path expected;  // expected/<format>
  std::string format;
};

void PrintTo(const GoldenCase& golden, std::ostream* out) {
  *out << golden.workbook.filename() << " as " << golden.format;
}

std::vector<GoldenCase> FindCases() {
  std::vector<GoldenCase> cases;
  const fs::path root = fs::path(QUORVEX_GOLDEN_DIR);
  if (!fs::exists(root)) return cases;
  for (const auto& entry : fs::directory_iterator(root)) {
    if (!entry.is_directory()) continue;
    fs::path workbook;
    for (const auto& file : fs::directory_iterator(entry.path())) {
      if (file.is_regular_file() && file.path().extension().string().rfind(".xls", 0) == 0)
        workbook = file.path();
    }
    for (const char* format : {"csv", "txt"}) {
      fs::path expected = entry.path() / "expected" / format;
      if (!workbook.empty() && fs::is_directory(expected)) cases.push_back({workbook, expected, format});
    }
  }
  std::sort(cases.begin(), cases.end(), [](const GoldenCase& a, const GoldenCase& b) {
    return std::tie(a.workbook, a.format) < std::tie(b.workbook, b.format);
  });
  return cases;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::map<std::string, std::string> ReadFolder(const fs::path& folder) {
  std::map<std::string, std::string> files;
  if (!fs::is_directory(folder)) return files;
  for (const auto& entry : fs::directory_iterator(folder))
    files[entry.path().filename().string()] = ReadFile(entry.path());
  return files;
}

std::string Quote(const fs::path& path) {
  return "'" + path.string() + "'";
}

class GoldenTest : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenTest, WritesExactlyTheExpectedFiles) {
  const GoldenCase& golden = GetParam();
  const fs::path out =
      fs::temp_directory_path() /
      ("quorvex-golden-" + golden.workbook.parent_path().filename().string() + "-" + golden.format);
  fs::remove_all(out);
  const std::string command = Quote(QUORVEX_CLI) + " convert --quiet --format " + golden.format + " -o " +
                              Quote(out) + " " + Quote(golden.workbook);
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  std::string folder = golden.workbook.stem().string();
  std::erase_if(folder, [](char c) { return c == ' ' || c == '.'; });
  const auto written = ReadFolder(out / folder);
  const auto expected = ReadFolder(golden.expected);
  ASSERT_FALSE(expected.empty());
  for (const auto& [name, content] : expected) {
    auto it = written.find(name);
    ASSERT_NE(it, written.end()) << "missing " << name;
    EXPECT_EQ(it->second, content) << "in " << name;
  }
  for (const auto& [name, content] : written) EXPECT_TRUE(expected.count(name)) << "unexpected " << name;
  fs::remove_all(out);
}

std::string CaseName(const ::testing::TestParamInfo<GoldenCase>& info) {
  std::string name = info.param.workbook.parent_path().filename().string() + "_" + info.param.format;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, GoldenTest, ::testing::ValuesIn(FindCases()), CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(GoldenTest);

}  // namespace
