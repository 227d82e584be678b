// Tests of reloading the two lists and saving them when the window closes.
#include <gtest/gtest.h>

#include "settings/LineFile.h"
#include "settings/SavedLists.h"
#include "support/TempDir.h"

namespace quorvex::settings {
namespace {

using catalogue::InputIcon;
using Lines = std::vector<std::string>;
using testing::TempDir;

TEST(SavedLists, ReloadedInputEntriesGetIconByWhatIsThereNow) {
  TempDir dir;
  const std::string folder = dir.MakeFolder("data/more");
  const std::string book = dir.MakeFile("data/Book.xlsx");
  const std::string gone = dir / "data/Deleted.xlsx";
  WriteLines(dir / "EXCEL.txt", {book, folder, gone, ""});
  EXPECT_EQ(LoadInputList(dir.path()), (std::vector<InputEntry>{{book, InputIcon::kFile},
                                                                {folder, InputIcon::kFolder},
                                                                {gone, InputIcon::kMissing},
                                                                {"", InputIcon::kMissing}}));
}

TEST(SavedLists, MissingFilesGiveEmptyLists) {
  TempDir dir;
  EXPECT_TRUE(LoadInputList(dir.path()).empty());
  EXPECT_TRUE(LoadOutputDirectories(dir.path()).empty());
}

TEST(SavedLists, OutputDirectoriesReloadInFileOrderWithEmptyEntries) {
  TempDir dir;
  dir.MakeFile("output.txt", "/b\r\n\r\n/a\r\n");
  EXPECT_EQ(LoadOutputDirectories(dir.path()), (Lines{"/b", "", "/a"}));
}

TEST(SavedLists, FirstSwitchOnlyRewritesInputListAndKeepsOutputFile) {
  TempDir dir;
  dir.MakeFile("set.txt", "1\r\n0\r\n");
  dir.MakeFile("EXCEL.txt", "/old\r\n");
  dir.MakeFile("output.txt", "/kept\r\n");
  SaveListsOnExit(dir.path(), {"/a.xlsx", "/a.xlsx", "/f"}, {"/new"});
  EXPECT_EQ(ReadLines(dir / "EXCEL.txt"), (Lines{"/a.xlsx", "/a.xlsx", "/f"}));
  EXPECT_EQ(ReadLines(dir / "output.txt"), (Lines{"/kept"}));
}

TEST(SavedLists, SecondSwitchOnlyRewritesOutputList) {
  TempDir dir;
  dir.MakeFile("set.txt", "0\r\n1\r\n");
  dir.MakeFile("EXCEL.txt", "/old\r\n");
  SaveListsOnExit(dir.path(), {"/a.xlsx"}, {"/o1", "/o2"});
  EXPECT_EQ(ReadLines(dir / "EXCEL.txt"), (Lines{"/old"}));
  EXPECT_EQ(ReadLines(dir / "output.txt"), (Lines{"/o1", "/o2"}));
}

TEST(SavedLists, NoSwitchesFileWritesNothing) {
  TempDir dir;
  SaveListsOnExit(dir.path(), {"/a.xlsx"}, {"/o"});
  EXPECT_TRUE(ReadLines(dir / "EXCEL.txt").empty());
  EXPECT_TRUE(ReadLines(dir / "output.txt").empty());
}

TEST(SavedLists, EmptyInputListEmptiesItsFile) {
  TempDir dir;
  dir.MakeFile("set.txt", "1\r\n");
  dir.MakeFile("EXCEL.txt", "/old\r\n");
  SaveListsOnExit(dir.path(), {}, {});
  EXPECT_TRUE(ReadLines(dir / "EXCEL.txt").empty());
}

TEST(SavedLists, WritesAtMost201OutputDirectories) {
  TempDir dir;
  dir.MakeFile("set.txt", "0\r\n1\r\n");
  Lines directories;
  for (int i = 0; i < 250; ++i) {
    directories.push_back("/out/" + std::to_string(i));
  }
  SaveListsOnExit(dir.path(), {}, directories);
  const Lines written = ReadLines(dir / "output.txt");
  ASSERT_EQ(written.size(), 201u);
  EXPECT_EQ(written.front(), "/out/0");
  EXPECT_EQ(written.back(), "/out/200");
}

TEST(SavedLists, SwitchesAreReadAtSaveTime) {
  TempDir dir;
  SaveListsOnExit(dir.path(), {"/first"}, {});
  dir.MakeFile("set.txt", "1\r\n");
  SaveListsOnExit(dir.path(), {"/second"}, {});
  EXPECT_EQ(ReadLines(dir / "EXCEL.txt"), (Lines{"/second"}));
}

}  // namespace
}  // namespace quorvex::settings
