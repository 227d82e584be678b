// Tests of finding the manual and the settings folder for a build, portable or installed program.
#include <gtest/gtest.h>

#include <filesystem>

#include "settings/ProgramFiles.h"
#include "support/TempDir.h"

namespace quorvex::settings {
namespace {

using testing::TempDir;

TEST(ProgramFiles, ManualBesideProgramKeepsSettingsBesideIt) {
  TempDir dir;
  const std::string bin = dir.MakeFolder("bin");
  dir.MakeFile("bin/help.html");
  dir.MakeFolder("share/quorvex");
  dir.MakeFile("share/quorvex/help.html");  // an older installed copy must not win
  const ProgramFiles files = LocateProgramFiles(bin, "../share/quorvex", dir / "config");
  EXPECT_EQ(files.help_file, dir / "bin/help.html");
  EXPECT_EQ(files.settings_folder, bin);
  EXPECT_FALSE(std::filesystem::exists(dir / "config"));
}

TEST(ProgramFiles, InstalledProgramReadsSharedManualAndKeepsSettingsInConfigFolder) {
  TempDir dir;
  const std::string bin = dir.MakeFolder("usr/bin");  // writable, as for root or a home prefix
  dir.MakeFolder("usr/share/quorvex");
  dir.MakeFile("usr/share/quorvex/help.html");
  const ProgramFiles files = LocateProgramFiles(bin, "../share/quorvex", dir / "home/.config/quorvex");
  EXPECT_EQ(files.help_file, dir / "usr/share/quorvex/help.html");
  EXPECT_EQ(files.settings_folder, dir / "home/.config/quorvex");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "home/.config/quorvex"));
}

TEST(ProgramFiles, NoManualAnywhereNamesTheOneBesideProgram) {
  TempDir dir;
  const std::string bin = dir.MakeFolder("bin");
  dir.MakeFolder("share/quorvex/help.html");  // a folder is no manual
  const ProgramFiles files = LocateProgramFiles(bin, "../share/quorvex", dir / "config");
  EXPECT_EQ(files.help_file, dir / "bin/help.html");
  EXPECT_EQ(files.settings_folder, bin);
}

}  // namespace
}  // namespace quorvex::settings
