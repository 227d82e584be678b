// Tests of choosing the folder that holds the settings files.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "settings/SettingsFolder.h"
#include "support/TempDir.h"

namespace quorvex::settings {
namespace {

using testing::TempDir;

TEST(SettingsFolder, WritableProgramFolderIsUsed) {
  TempDir dir;
  const std::string program = dir.MakeFolder("bin");
  EXPECT_EQ(ChooseSettingsFolder(program, dir / "config"), program);
  EXPECT_FALSE(std::filesystem::exists(dir / "config"));
}

TEST(SettingsFolder, MissingProgramFolderFallsBackToCreatedConfigFolder) {
  TempDir dir;
  EXPECT_EQ(ChooseSettingsFolder(dir / "nothing", dir / "config/quorvex"), dir / "config/quorvex");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "config/quorvex"));
}

TEST(SettingsFolder, ReadOnlyProgramFolderFallsBackToConfigFolder) {
  if (::geteuid() == 0) {
    GTEST_SKIP() << "the superuser may write everywhere";
  }
  TempDir dir;
  const std::string program = dir.MakeFolder("bin");
  ASSERT_EQ(::chmod(program.c_str(), 0555), 0);
  EXPECT_EQ(ChooseSettingsFolder(program, dir / "config"), dir / "config");
  ::chmod(program.c_str(), 0755);
}

TEST(SettingsFolder, FilePathJoinsWithSlash) {
  EXPECT_EQ(SettingsFilePath("/opt/q", "set.txt"), "/opt/q/set.txt");
}

}  // namespace
}  // namespace quorvex::settings
