// Tests of the output directory check that settles OutputRoot.
#include <gtest/gtest.h>

#include "engine/CheckOutputFolder.h"
#include "engine/PathHelpers.h"
#include "support/RecordingControls.h"
#include "support/TempDir.h"

namespace quorvex::engine {
namespace {

using testing::RecordingControls;

using Message = RecordingControls::Message;
using testing::TempDir;

class CheckOutputFolderTest : public ::testing::Test {
 protected:
  bool Check(const std::string& text, bool typed) {
    controls_.SetOutputDirectory(text, typed);
    return CheckOutputFolder(state_, controls_);
  }

  TempDir dir_;
  EngineState state_;
  RecordingControls controls_;
};

TEST_F(CheckOutputFolderTest, EmptyBoxAsksForAFolder) {
  EXPECT_FALSE(Check("", true));
  EXPECT_EQ(controls_.messages(),
            (std::vector<Message>{{"Please select output folder", MessageIcon::kInformation}}));
}

TEST_F(CheckOutputFolderTest, ExistingFolderGetsExactlyOneTrailingSeparator) {
  const std::string out = dir_.MakeFolder("Out");
  for (const std::string& text : {out, out + "/", out + "//"}) {
    for (const bool typed : {false, true}) {
      EXPECT_TRUE(Check(text, typed)) << text;
      EXPECT_EQ(state_.OutputRoot(), out + "/") << text;
    }
  }
  EXPECT_TRUE(controls_.messages().empty());
}

TEST_F(CheckOutputFolderTest, TypedMissingFolderIsCreated) {
  EXPECT_TRUE(Check(dir_ / "New/", true));
  EXPECT_EQ(PathKind(dir_ / "New"), kFolderAtPath);
  EXPECT_EQ(state_.OutputRoot(), dir_ / "New/");
  EXPECT_TRUE(controls_.messages().empty());
}

TEST_F(CheckOutputFolderTest, CreatesOneLevelOnly) {
  EXPECT_FALSE(Check(dir_ / "A/B", true));
  EXPECT_EQ(PathKind(dir_ / "A"), kNothingAtPath);
  EXPECT_EQ(
      controls_.messages(),
      (std::vector<Message>{{"Failed to create folder! " + (dir_ / "A/B") + ": No such file or directory",
                             MessageIcon::kError}}));
}

TEST_F(CheckOutputFolderTest, TypedNameHeldByAFileCannotBeCreated) {
  dir_.MakeFile("Out");
  EXPECT_FALSE(Check(dir_ / "Out/", true));
  EXPECT_EQ(controls_.messages(),
            (std::vector<Message>{
                {"Failed to create folder! " + (dir_ / "Out") + ": File exists", MessageIcon::kError}}));
}

TEST_F(CheckOutputFolderTest, PickedFolderThatIsGoneIsNotRecreated) {
  EXPECT_FALSE(Check(dir_ / "Gone", false));
  EXPECT_EQ(PathKind(dir_ / "Gone"), kNothingAtPath);
  EXPECT_EQ(controls_.messages(),
            (std::vector<Message>{{"Folder does not exist! " + (dir_ / "Gone"), MessageIcon::kError}}));
}

TEST_F(CheckOutputFolderTest, RootStaysTheRoot) {
  EXPECT_TRUE(Check("///", true));
  EXPECT_EQ(state_.OutputRoot(), "/");
}

}  // namespace
}  // namespace quorvex::engine
