// Tests of PathKind, StripExtension, RemoveSpacesAndDots and ResolveWorkbookPath.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine/PathHelpers.h"
#include "support/RecordingControls.h"
#include "support/TempDir.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

using testing::TempDir;

TEST(PathKind, TellsFoldersFromFilesFromNothing) {
  TempDir dir;
  dir.MakeFolder("empty");
  dir.MakeFile("book.xls");
  EXPECT_EQ(PathKind(dir / "empty"), kFolderAtPath);
  EXPECT_EQ(PathKind(dir / "book.xls"), kFileAtPath);
  EXPECT_EQ(PathKind(dir / "missing"), kNothingAtPath);
  // '*' and '?' are ordinary characters of Linux file names.
  dir.MakeFile("What?*.xls");
  EXPECT_EQ(PathKind(dir / "What?*.xls"), kFileAtPath);
}

TEST(PathKind, AnswersNothingForUnusablePaths) {
  TempDir dir;
  dir.MakeFile("a.xls");
  const std::string cases[] = {
      "",                          // empty
      dir / "*",                   // taken literally: no file of that name
      dir / "a.xl?",               // likewise
      dir / "a.xls/inner",         // below a file
      dir / "a.xls/",              // a file named as a folder
      std::string("/tmp\0/x", 7),  // embedded NUL
  };
  for (const std::string& path : cases) {
    EXPECT_EQ(PathKind(path), kNothingAtPath) << path;
  }
}

TEST(PathKind, FollowsLinksAndIgnoresOtherEntries) {
  TempDir dir;
  const std::string target = dir.MakeFile("real.xls");
  std::filesystem::create_symlink(target, dir / "link.xls");
  std::filesystem::create_symlink(dir / "gone.xls", dir / "dangling.xls");
  EXPECT_EQ(PathKind(dir / "link.xls"), kFileAtPath);
  EXPECT_EQ(PathKind(dir / "dangling.xls"), kNothingAtPath);
  EXPECT_EQ(PathKind("/dev/null"), kNothingAtPath);
}

TEST(StripExtension, KeepsTextBeforeTheLastDot) {
  const std::pair<std::string, std::string> cases[] = {
      {"Book.xls", "Book"}, {"a.b.c", "a.b"}, {".xls", ""},
      {"NoDot", "NoDot"},   {"", ""},         {"trailing.", "trailing"},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(StripExtension(text), expected) << text;
  }
}

TEST(RemoveSpacesAndDots, DeletesOnlySpacesAndDots) {
  EXPECT_EQ(RemoveSpacesAndDots("My Book.2010"), "MyBook2010");
  EXPECT_EQ(RemoveSpacesAndDots(" . . "), "");
  EXPECT_EQ(RemoveSpacesAndDots("a_b-c\td"), "a_b-c\td");
  EXPECT_EQ(RemoveSpacesAndDots(""), "");
}

TEST(FitFileName, ShortensOnlyNamesTooLongKeepingStartExtensionAndWholeCharacters) {
  TempDir dir;
  const std::string folder = dir.path() + "/";
  EXPECT_EQ(FitFileName(folder + "Sheet", ".csv"), folder + "Sheet.csv");
  const std::string exact(251, 'a');
  EXPECT_EQ(FitFileName(folder + exact, ".csv"), folder + exact + ".csv");

  const std::string ascii = std::string(300, 'b');
  const std::string accented = "x" + [] {
    std::string text;
    for (int i = 0; i < 200; ++i) text += "\xC3\xA9";  // U+00E9, two bytes each
    return text;
  }();
  for (const std::string& name : {ascii, accented}) {
    const std::string fitted = FitFileName(folder + name, ".mhtml");
    const std::string file = fitted.substr(folder.size());
    EXPECT_LE(file.size(), 255u);
    EXPECT_GE(file.size(), 254u) << "no more is cut than needed";
    EXPECT_EQ(file.substr(file.size() - 6), ".mhtml");
    EXPECT_EQ(name.compare(0, file.size() - 6, file, 0, file.size() - 6), 0) << "the name's start is kept";
    if (name == accented) {
      EXPECT_EQ((file.size() - 6 - 1) % 2, 0u) << "no character is split";
    }
    // The file system takes the fitted name.
    EXPECT_EQ(PathKind(dir.MakeFile(file)), kFileAtPath);
  }
}

class ResolveWorkbookPathTest : public ::testing::Test {
 protected:
  TempDir dir_;
  RecordingControls controls_;
};

TEST_F(ResolveWorkbookPathTest, JoinsFolderEntryAndRowText) {
  dir_.MakeFile("a.xls");
  dir_.MakeFile("b.xlsx");
  controls_.SetSelectedInputEntry(dir_.path());
  controls_.AddWorkbookRow("a.xls", true);
  controls_.AddWorkbookRow("b.xlsx", true);
  EXPECT_EQ(ResolveWorkbookPath(controls_, 2), dir_ / "b.xlsx");
  EXPECT_EQ(ResolveWorkbookPath(controls_, 1), dir_ / "a.xls");
}

TEST_F(ResolveWorkbookPathTest, FileEntryAnswersForEveryRow) {
  const std::string file = dir_.MakeFile("only.xls");
  controls_.SetSelectedInputEntry(file);
  controls_.AddWorkbookRow("only.xls", true);
  controls_.AddWorkbookRow("other.xls", true);
  EXPECT_EQ(ResolveWorkbookPath(controls_, 1), file);
  EXPECT_EQ(ResolveWorkbookPath(controls_, 2), file);
}

TEST_F(ResolveWorkbookPathTest, EntryEndingInSeparatorGivesDoubledSeparator) {
  dir_.MakeFile("a.xls");
  controls_.SetSelectedInputEntry(dir_.path() + "/");
  controls_.AddWorkbookRow("a.xls", true);
  EXPECT_EQ(ResolveWorkbookPath(controls_, 1), dir_.path() + "//a.xls");
}

TEST_F(ResolveWorkbookPathTest, AnswersEmptyWhenNothingResolves) {
  dir_.MakeFolder("sub.xls");
  controls_.AddWorkbookRow("sub.xls", true);
  controls_.AddWorkbookRow("gone.xls", true);

  EXPECT_EQ(ResolveWorkbookPath(controls_, 1), "") << "no input entry";
  controls_.SetSelectedInputEntry(dir_.path());
  EXPECT_EQ(ResolveWorkbookPath(controls_, 1), "") << "row names a folder";
  EXPECT_EQ(ResolveWorkbookPath(controls_, 2), "") << "row names a missing file";
  EXPECT_EQ(ResolveWorkbookPath(controls_, 3), "") << "row beyond the list";
  controls_.SetSelectedInputEntry(dir_ / "missing");
  EXPECT_EQ(ResolveWorkbookPath(controls_, 1), "") << "entry gone";
}

}  // namespace
}  // namespace quorvex::engine
