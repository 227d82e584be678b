// Tests for CompoundFile and CompoundStreamReader: stream content through every kind of chain,
// and damaged headers, chains and directories reported as kCorrupt with the structure named.
#include <gtest/gtest.h>

#include <functional>

#include "../support/CompoundFileBuilder.h"
#include "../support/InMemory.h"
#include "sheet/container/CompoundFile.h"
#include "sheet/container/CompoundStreamReader.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

using test_support::BuildCompoundFileWithStreams;
using test_support::BuiltCompoundFile;
using test_support::CompoundStream;
using test_support::InMemory;

/// Bytes that differ at every position, so a sector read from the wrong place shows.
std::string Pattern(std::size_t size, unsigned salt) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131 + i / 251 + salt) & 0xFF);
  return data;
}

std::string ReadAll(CompoundStreamReader& reader, std::size_t chunk) {
  std::string out;
  std::string buffer(chunk, '\0');
  while (const std::size_t got = reader.Read(buffer.data(), chunk)) out.append(buffer, 0, got);
  return out;
}

struct StreamCase {
  unsigned shift;
  std::size_t size;
};

class CompoundFileStreams : public ::testing::TestWithParam<StreamCase> {};

TEST_P(CompoundFileStreams, ReadBackExactlyInAnyChunkSize) {
  const StreamCase param = GetParam();
  // A small stream beside the one under test, so the mini stream and the FAT both hold two chains.
  const std::vector<CompoundStream> streams = {{"Other", Pattern(200, 7)},
                                               {"Workbook", Pattern(param.size, 1)}};
  CompoundFile compound(InMemory(BuildCompoundFileWithStreams(streams, param.shift).bytes));
  const CompoundFile::Entry* entry = compound.FindTopLevel("workbook");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->size, param.size);
  for (std::size_t chunk : {std::size_t{1}, std::size_t{63}, std::size_t{4096}, std::size_t{100000}}) {
    auto reader = compound.OpenStream(*entry);
    EXPECT_EQ(ReadAll(*reader, chunk), streams[1].data) << "chunk " << chunk;
  }
  auto other = compound.OpenStream(*compound.FindTopLevel("Other"));
  EXPECT_EQ(ReadAll(*other, 50), streams[0].data);
}

INSTANTIATE_TEST_SUITE_P(Sizes, CompoundFileStreams,
                         ::testing::Values(StreamCase{9, 0}, StreamCase{9, 100}, StreamCase{9, 4095},
                                           StreamCase{9, 4096}, StreamCase{9, 70001}, StreamCase{12, 100},
                                           StreamCase{12, 4096}, StreamCase{12, 70001}));

TEST(CompoundFile, ReadsFatSectorsListedInTheDifat) {
  // 512-byte sectors: over 109 FAT sectors (about 7 MB) need DIFAT sectors.
  const std::string data = Pattern(7'500'000, 3);
  const BuiltCompoundFile built = BuildCompoundFileWithStreams({{"Workbook", data}});
  ASSERT_FALSE(built.difat_sectors.empty());
  CompoundFile compound(InMemory(built.bytes));
  auto reader = compound.OpenStream(*compound.FindTopLevel("Workbook"));
  EXPECT_EQ(ReadAll(*reader, 65536), data);
}

TEST(CompoundFile, SeeksInsideRegularAndMiniStreams) {
  const std::string big = Pattern(20000, 5);
  const std::string small = Pattern(1000, 9);
  CompoundFile compound(InMemory(BuildCompoundFileWithStreams({{"Big", big}, {"Small", small}}).bytes));
  for (const auto& [name, data] : {std::pair{"Big", big}, std::pair{"Small", small}}) {
    auto reader = compound.OpenStream(*compound.FindTopLevel(name));
    reader->Seek(700);
    EXPECT_EQ(ReadAll(*reader, 37), data.substr(700)) << name;
    reader->Seek(0);
    EXPECT_EQ(ReadAll(*reader, 4096), data) << name;
    EXPECT_THROW(reader->Seek(data.size() + 1), SheetError);
  }
}

TEST(CompoundFile, FindsOnlyTopLevelNamesIgnoringCase) {
  CompoundFile compound(
      InMemory(BuildCompoundFileWithStreams({{"Book", "x"}, {"EncryptionInfo", "y"}}).bytes));
  EXPECT_NE(compound.FindTopLevel("BOOK"), nullptr);
  EXPECT_NE(compound.FindTopLevel("encryptioninfo"), nullptr);
  EXPECT_EQ(compound.FindTopLevel("Workbook"), nullptr);
}

struct Damage {
  const char* what;
  std::function<void(BuiltCompoundFile&)> apply;
  SheetErrorCode code = SheetErrorCode::kCorrupt;
  const char* phrase = "";  // part of the message
};

void PrintTo(const Damage& damage, std::ostream* out) {
  *out << damage.what;
}

class CompoundFileDamage : public ::testing::TestWithParam<Damage> {};

TEST_P(CompoundFileDamage, IsReportedWithoutReadingGarbage) {
  // "Workbook" spans 20 regular sectors from sector 0; "Small" lives in the mini stream.
  BuiltCompoundFile built =
      BuildCompoundFileWithStreams({{"Workbook", Pattern(10240, 1)}, {"Small", Pattern(300, 2)}});
  GetParam().apply(built);
  try {
    CompoundFile compound(InMemory(built.bytes));
    for (const char* name : {"Workbook", "Small"}) {
      if (const CompoundFile::Entry* entry = compound.FindTopLevel(name)) {
        auto reader = compound.OpenStream(*entry);
        ReadAll(*reader, 4096);
      }
    }
    FAIL() << "no error for " << GetParam().what;
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), GetParam().code) << error.what();
    EXPECT_NE(std::string(error.what()).find(GetParam().phrase), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompoundFileDamage,
    ::testing::Values(
        Damage{"stream chain loops back", [](BuiltCompoundFile& b) { b.Put32(b.FatEntryOffset(5), 2); },
               SheetErrorCode::kCorrupt, "the chain of the stream 'Workbook' loops"},
        Damage{"stream chain leaves the file",
               [](BuiltCompoundFile& b) { b.Put32(b.FatEntryOffset(3), 0x00FFFFFF); },
               SheetErrorCode::kCorrupt, "the stream 'Workbook'"},
        Damage{"stream chain ends early",
               [](BuiltCompoundFile& b) { b.Put32(b.FatEntryOffset(4), 0xFFFFFFFE); },
               SheetErrorCode::kCorrupt, "'Workbook' is truncated"},
        Damage{"stream larger than the file",
               [](BuiltCompoundFile& b) {
                 const std::uint32_t directory = static_cast<std::uint32_t>(b.bytes[0x30] & 0xFF);
                 b.Put32(b.SectorOffset(directory) + 128 + 0x78, 0x7FFFFFFF);
               },
               SheetErrorCode::kCorrupt, "declares more bytes than the file holds"},
        Damage{"file cut in its header", [](BuiltCompoundFile& b) { b.bytes.resize(300); },
               SheetErrorCode::kCorrupt, "truncated inside its header"},
        Damage{"invalid sector size", [](BuiltCompoundFile& b) { b.bytes[0x1E] = 10; },
               SheetErrorCode::kCorrupt, "invalid sector size"},
        Damage{"FAT sector outside the file", [](BuiltCompoundFile& b) { b.Put32(0x4C, 0x7FFFFF); },
               SheetErrorCode::kCorrupt, "FAT"},
        Damage{"mini stream chain loops",
               [](BuiltCompoundFile& b) {
                 // The mini FAT follows the mini stream's one sector; entry 1 points back to 0.
                 const std::uint32_t mini_fat = static_cast<std::uint32_t>(b.bytes[0x3C] & 0xFF);
                 b.Put32(b.SectorOffset(mini_fat) + 4, 0);
               },
               SheetErrorCode::kCorrupt, "the stream 'Small' loops"},
        Damage{"not a compound file", [](BuiltCompoundFile& b) { b.bytes[0] = 'X'; },
               SheetErrorCode::kNotAWorkbook, "not a workbook"}));

class CompoundFileTolerance : public ::testing::TestWithParam<Damage> {};

TEST_P(CompoundFileTolerance, OpensWhenTheDamageTouchesNoStreamItReads) {
  BuiltCompoundFile built =
      BuildCompoundFileWithStreams({{"Workbook", Pattern(10240, 1)}, {"Small", Pattern(300, 2)}});
  GetParam().apply(built);
  CompoundFile compound(InMemory(built.bytes));
  const CompoundFile::Entry* entry = compound.FindTopLevel("Workbook");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(ReadAll(*compound.OpenStream(*entry), 4096), Pattern(10240, 1));
}

/// File offset of directory entry `index`; the built directory fits its first sector.
std::uint64_t DirectoryEntryOffset(const BuiltCompoundFile& b, std::uint32_t index) {
  return b.SectorOffset(static_cast<std::uint32_t>(b.bytes[0x30] & 0xFF)) + 128 * index;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CompoundFileTolerance,
    ::testing::Values(
        Damage{"directory chain loops",
               [](BuiltCompoundFile& b) {
                 const std::uint32_t directory = static_cast<std::uint32_t>(b.bytes[0x30] & 0xFF);
                 b.Put32(b.FatEntryOffset(directory), directory);
               }},
        Damage{"directory chain continues past the end of the file",
               [](BuiltCompoundFile& b) {
                 b.Put32(b.FatEntryOffset(static_cast<std::uint32_t>(b.bytes[0x30] & 0xFF)), 0x00FFFFF0);
               }},
        Damage{"unused stream points past the end of the file",
               [](BuiltCompoundFile& b) {
                 b.Put32(DirectoryEntryOffset(b, 2) + 0x74, 0x00FFFFF0);
                 b.Put32(DirectoryEntryOffset(b, 2) + 0x78, 0x7FFFFFF0);
               }},
        Damage{"mini stream larger than the file",
               [](BuiltCompoundFile& b) { b.Put32(DirectoryEntryOffset(b, 0) + 0x78, 0x7FFFFFF0); }},
        Damage{"mini FAT past the end of the file", [](BuiltCompoundFile& b) { b.Put32(0x3C, 0x00FFFFF0); }},
        Damage{"more FAT sectors declared than the file holds",
               [](BuiltCompoundFile& b) { b.Put32(0x2C, 5000); }}));

}  // namespace
}  // namespace quorvex::sheet::container
