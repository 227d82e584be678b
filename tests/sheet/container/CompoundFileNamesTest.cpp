// Tests for listing a compound file's directory names.
#include <gtest/gtest.h>

#include "../support/CompoundFileWriter.h"
#include "../support/TempFile.h"
#include "sheet/container/CompoundFileNames.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

using test_support::BuildCompoundFile;
using test_support::TempFile;

TEST(CompoundFileNames, ListsNamesAcrossSeveralDirectorySectors) {
  const std::vector<std::string> streams = {
      "\x06"
      "DataSpaces",
      "Version",
      "DataSpaceMap",
      "DataSpaceInfo",
      "TransformInfo",
      "Primary",
      "EncryptionInfo",
      "EncryptedPackage"};
  TempFile file(BuildCompoundFile(streams));
  InputFile input(file.path());
  std::vector<std::string> expected = {"Root Entry"};
  expected.insert(expected.end(), streams.begin(), streams.end());
  expected[1] = "?DataSpaces";  // control characters are not ASCII text either way
  expected[1][0] = '\x06';
  EXPECT_EQ(ReadCompoundFileEntryNames(input), expected);
}

TEST(CompoundFileNames, DamagedHeaderOrChainIsCorrupt) {
  std::string bytes = BuildCompoundFile({"Workbook"});
  std::string bad_shift = bytes;
  bad_shift[0x1E] = 7;
  TempFile shift_file(bad_shift);
  InputFile shift_input(shift_file.path());
  EXPECT_THROW(ReadCompoundFileEntryNames(shift_input), SheetError);

  std::string looping = bytes;
  looping[512 + 4] = 1;  // the directory sector's FAT entry points at itself
  looping[512 + 5] = looping[512 + 6] = looping[512 + 7] = 0;
  TempFile loop_file(looping);
  InputFile loop_input(loop_file.path());
  try {
    ReadCompoundFileEntryNames(loop_input);
    ADD_FAILURE() << "a looping chain was accepted";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
    EXPECT_NE(error.sentence().find("loops"), std::string::npos);
  }

  std::string past_end = bytes;
  past_end[0x30] = 50;  // directory starts past the end of the file
  TempFile end_file(past_end);
  InputFile end_input(end_file.path());
  EXPECT_THROW(ReadCompoundFileEntryNames(end_input), SheetError);
}

}  // namespace
}  // namespace quorvex::sheet::container
