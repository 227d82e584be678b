// Tests for ZipArchive and ZipEntryReader: directory parsing, streaming inflate, damage and bombs.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <optional>

#include "../support/InMemory.h"
#include "../support/ZipWriter.h"
#include "sheet/container/FileSource.h"
#include "sheet/container/ZipArchive.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

using test_support::InMemory;
using test_support::ZipWriter;

/// Bytes that do not compress: a linear congruential sequence starting at a fixed value.
std::string Incompressible(std::size_t size) {
  std::string data(size, '\0');
  std::uint32_t state = 12345;
  for (char& c : data) {
    state = state * 1664525u + 1013904223u;
    c = static_cast<char>(state >> 24);
  }
  return data;
}

std::string ReadAllInChunks(ZipArchive& archive, const ZipEntry& entry, std::size_t chunk) {
  auto reader = archive.OpenEntry(entry);
  std::string out;
  std::string buffer(chunk, '\0');
  while (const std::size_t n = reader->Read(buffer.data(), buffer.size())) out.append(buffer, 0, n);
  return out;
}

template <typename Action>
SheetError CatchSheetError(Action action) {
  try {
    action();
  } catch (const SheetError& error) {
    return error;
  }
  ADD_FAILURE() << "no SheetError was thrown";
  return SheetError(SheetErrorCode::kIo, "none");
}

void PatchU32(std::string& bytes, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

/// What reading an entry gives: its bytes, or the error's code and sentence.
std::string Outcome(ZipArchive& archive, const ZipEntry& entry) {
  try {
    return "bytes:" + archive.ReadEntry(entry, std::uint64_t{1} << 30);
  } catch (const SheetError& error) {
    return "error " + std::to_string(static_cast<int>(error.code())) + ": " + error.sentence();
  }
}

/// Tests of inflating, run once with each inflater the build holds.
class ZipInflating : public ::testing::TestWithParam<Inflater> {};

INSTANTIATE_TEST_SUITE_P(Inflaters, ZipInflating, ::testing::ValuesIn(BuiltInflaters()),
                         [](const ::testing::TestParamInfo<Inflater>& info) {
                           return info.param == Inflater::kIsal ? std::string("Isal") : std::string("Zlib");
                         });

TEST_P(ZipInflating, ReadsStoredAndDeflatedEntries) {
  const std::string text = "<?xml version=\"1.0\"?><a>" + std::string(5000, 'x') + "</a>";
  ZipArchive archive(
      InMemory(ZipWriter().Add("plain.txt", "hello", false).Add("xl/workbook.xml", text).Finish()), {},
      GetParam());
  ASSERT_EQ(archive.entries().size(), 2u);
  EXPECT_EQ(archive.entries()[0].method, ZipEntry::kMethodStored);
  EXPECT_EQ(archive.entries()[1].method, ZipEntry::kMethodDeflate);
  EXPECT_LT(archive.entries()[1].compressed_size, text.size());
  EXPECT_EQ(archive.ReadEntry(*archive.Find("plain.txt"), 100), "hello");
  EXPECT_EQ(archive.ReadEntry(*archive.Find("xl/workbook.xml"), 1 << 20), text);
}

TEST(ZipArchive, FindPrefersExactNameThenIgnoresCaseAndBackslashes) {
  ZipArchive archive(InMemory(ZipWriter()
                                  .Add("xl/Workbook.xml", "upper")
                                  .Add("xl/workbook.xml", "exact")
                                  .Add("XL\\Styles.xml", "styles")
                                  .Finish()));
  EXPECT_EQ(archive.ReadEntry(*archive.Find("xl/workbook.xml"), 100), "exact");
  EXPECT_EQ(archive.ReadEntry(*archive.Find("xl/Workbook.xml"), 100), "upper");
  ASSERT_NE(archive.Find("xl/styles.xml"), nullptr);
  EXPECT_EQ(archive.Find("xl/styles.xml")->name, "XL\\Styles.xml");
  EXPECT_EQ(archive.Find("xl/missing.xml"), nullptr);
}

TEST(ZipArchive, ReadsZip64Directory) {
  ZipArchive archive(
      InMemory(ZipWriter().Add("a.xml", "<a/>").Add("b.xml", std::string(300, 'b'), false).Finish(true)));
  ASSERT_EQ(archive.entries().size(), 2u);
  EXPECT_EQ(archive.ReadEntry(*archive.Find("a.xml"), 100), "<a/>");
  EXPECT_EQ(archive.ReadEntry(*archive.Find("b.xml"), 1000), std::string(300, 'b'));
}

TEST_P(ZipInflating, StreamsEntryLargerThanItsChunksWithAnyReadSize) {
  std::string data;
  for (int i = 0; i < 200000; ++i) {
    data += "<c r=\"A" + std::to_string(i) + "\"><v>" + std::to_string(i * 7) + "</v></c>";
  }
  data += Incompressible(600000);
  ZipArchive archive(InMemory(ZipWriter().Add("sheet.xml", data).Add("stored.bin", data, false).Finish()), {},
                     GetParam());
  EXPECT_EQ(ReadAllInChunks(archive, *archive.Find("sheet.xml"), 1000), data);
  EXPECT_EQ(ReadAllInChunks(archive, *archive.Find("sheet.xml"), 1 << 20), data);
  EXPECT_EQ(ReadAllInChunks(archive, *archive.Find("stored.bin"), 4096), data);
}

TEST(ZipArchive, FileWithoutEndRecordIsCorrupt) {
  std::string bytes = ZipWriter().Add("a.xml", "<a/>").Finish();
  bytes.resize(bytes.size() - 10);  // cuts into the end record
  const SheetError error = CatchSheetError([&] { ZipArchive archive(InMemory(bytes)); });
  EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
  EXPECT_NE(error.sentence().find("truncated"), std::string::npos);

  EXPECT_EQ(CatchSheetError([&] { ZipArchive archive(InMemory("PK\x03\x04")); }).code(),
            SheetErrorCode::kCorrupt);
}

TEST(ZipArchive, DirectoryOffsetPastTheEndIsCorrupt) {
  std::string bytes = ZipWriter().Add("a.xml", "<a/>").Finish();
  PatchU32(bytes, bytes.size() - 6, 0x7FFFFFF0);  // directory offset in the end record
  const SheetError error = CatchSheetError([&] { ZipArchive archive(InMemory(bytes)); });
  EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
  EXPECT_NE(error.sentence().find("outside the file"), std::string::npos);
}

TEST(ZipArchive, EntryOffsetPastTheEndFailsOnlyWhenThatEntryIsRead) {
  std::string bytes = ZipWriter().Add("a.xml", "<a/>").Add("b.xml", "<b/>").Finish();
  const std::size_t directory = bytes.find("PK\x01\x02");
  ASSERT_NE(directory, std::string::npos);
  PatchU32(bytes, directory + 42, 0x00FFFFFF);  // local header offset of a.xml
  ZipArchive archive(InMemory(bytes));
  EXPECT_EQ(archive.ReadEntry(*archive.Find("b.xml"), 100), "<b/>");
  const SheetError error = CatchSheetError([&] { archive.ReadEntry(*archive.Find("a.xml"), 100); });
  EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
  EXPECT_NE(error.sentence().find("a.xml"), std::string::npos);
}

TEST(ZipArchive, ReadsArchivesWithDataBeforeThemAndWrongEntryCounts) {
  ZipArchive shifted(
      InMemory(ZipWriter().Prefix(std::string(777, 'S')).Add("a.xml", "<a/>").Add("b.xml", "<b/>").Finish()));
  EXPECT_EQ(shifted.ReadEntry(*shifted.Find("b.xml"), 100), "<b/>");

  // More than 65535 entries overflow the end record's counts; the directory's bytes tell the truth.
  std::string bytes = ZipWriter().Add("a.xml", "<a/>").Add("b.xml", "<b/>").Finish();
  bytes[bytes.size() - 14] = 1;
  bytes[bytes.size() - 12] = 7;
  ZipArchive counted(InMemory(bytes));
  EXPECT_EQ(counted.entries().size(), 2u);
  EXPECT_EQ(counted.ReadEntry(*counted.Find("b.xml"), 100), "<b/>");
}

TEST_P(ZipInflating, WrongDeclaredSizesReadWhatActuallyInflates) {
  const std::string text = "<sst>" + std::string(3000, 'q') + "</sst>";
  struct Case {
    const char* name;
    bool deflate;
    std::optional<std::uint32_t> size;
    std::optional<std::uint32_t> compressed_size;
    bool descriptor;
    std::optional<std::uint32_t> crc;
  };
  const Case cases[] = {
      {"size_too_big", true, 5000000, {}, false, {}},
      {"size_too_small", true, 3, {}, false, {}},
      {"size_zero", true, 0, {}, false, {}},
      {"compressed_too_small", true, {}, 10, false, {}},
      {"compressed_too_big", true, {}, 2000000, false, {}},
      {"descriptor", true, {}, {}, true, {}},
      {"descriptor_holds_the_crc", true, 0, 0, true, 0},
      {"stored_size_wrong", false, 12, {}, false, {}},
  };
  ZipWriter writer;
  for (const Case& c : cases) {
    ZipWriter::Entry entry;
    entry.name = c.name;
    entry.data = text;
    entry.deflate = c.deflate;
    entry.declared_size = c.size;
    entry.declared_compressed_size = c.compressed_size;
    entry.data_descriptor = c.descriptor;
    entry.declared_crc = c.crc;
    writer.Add(entry);
  }
  ZipArchive archive(InMemory(writer.Finish()), {}, GetParam());
  for (const Case& c : cases) {
    EXPECT_EQ(archive.ReadEntry(*archive.Find(c.name), 1 << 20), text) << c.name;
    EXPECT_EQ(ReadAllInChunks(archive, *archive.Find(c.name), 7), text) << c.name;
  }
}

TEST_P(ZipInflating, TruncatedCompressedDataIsCorruptWithPartAndOffset) {
  const std::string data = Incompressible(100000);
  ZipWriter::Entry entry;
  entry.name = "xl/worksheets/sheet1.xml";
  entry.data = data;
  entry.raw_compressed = ZipWriter::Deflate(data).substr(0, 40000);
  ZipArchive archive(InMemory(ZipWriter().Add(entry).Finish()), {}, GetParam());
  const SheetError error = CatchSheetError([&] { ReadAllInChunks(archive, archive.entries()[0], 8192); });
  EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
  EXPECT_EQ(error.part(), "xl/worksheets/sheet1.xml");
  EXPECT_NE(error.offset(), SheetError::kNoOffset);
  EXPECT_NE(error.sentence().find("truncated"), std::string::npos);
}

TEST_P(ZipInflating, DamagedDeflateDataIsCorrupt) {
  ZipWriter::Entry entry;
  entry.name = "a.xml";
  entry.data = std::string(1000, 'a');
  entry.raw_compressed = std::string("\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 8);
  ZipArchive archive(InMemory(ZipWriter().Add(entry).Finish()), {}, GetParam());
  EXPECT_EQ(CatchSheetError([&] { archive.ReadEntry(archive.entries()[0], 1 << 20); }).code(),
            SheetErrorCode::kCorrupt);
}

TEST_P(ZipInflating, CrcMismatchIsCorrupt) {
  ZipWriter::Entry entry;
  entry.name = "a.xml";
  entry.data = "<a>some content</a>";
  entry.declared_crc = 0x12345678;
  ZipWriter::Entry stored = entry;
  stored.name = "b.xml";
  stored.deflate = false;
  ZipArchive archive(InMemory(ZipWriter().Add(entry).Add(stored).Finish()), {}, GetParam());
  for (const char* name : {"a.xml", "b.xml"}) {
    const SheetError error = CatchSheetError([&] { archive.ReadEntry(*archive.Find(name), 1000); });
    EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt) << name;
    EXPECT_NE(error.sentence().find("CRC"), std::string::npos) << name;
  }
}

TEST_P(ZipInflating, BombDeclaringASmallSizeStopsAsTooLarge) {
  ZipWriter::Entry entry;
  entry.name = "xl/sharedStrings.xml";
  entry.data = std::string(std::size_t{50} << 20, '\0');  // 50 MiB of zeros, about 50 KiB deflated
  entry.declared_size = 1000;
  ZipArchive archive(InMemory(ZipWriter().Add(entry).Finish()), {}, GetParam());
  const SheetError error =
      CatchSheetError([&] { ReadAllInChunks(archive, archive.entries()[0], 64 * 1024); });
  EXPECT_EQ(error.code(), SheetErrorCode::kTooLarge);
  EXPECT_NE(error.sentence().find("expands beyond safe limits"), std::string::npos);
  EXPECT_EQ(error.part(), "xl/sharedStrings.xml");
}

TEST_P(ZipInflating, InflatingOverTheCapOrRatioStopsAsTooLarge) {
  std::string rows;
  for (int i = 0; rows.size() < (std::size_t{2} << 20); ++i) {
    rows += "<c r=\"B" + std::to_string(i) + "\"><v>1</v></c>";
  }
  const std::string zip =
      ZipWriter().Add("rows.xml", rows).Add("zeros.xml", std::string(std::size_t{8} << 20, '\0')).Finish();

  ZipArchive defaults(InMemory(zip), {}, GetParam());
  EXPECT_EQ(ReadAllInChunks(defaults, *defaults.Find("rows.xml"), 1 << 18), rows);
  // Deflate's best case is about 1030:1, reached only by runs such as these zeros.
  EXPECT_EQ(CatchSheetError([&] { ReadAllInChunks(defaults, *defaults.Find("zeros.xml"), 1 << 18); }).code(),
            SheetErrorCode::kTooLarge);

  ZipLimits small_cap;
  small_cap.max_entry_size = std::size_t{1} << 20;
  ZipArchive capped(InMemory(zip), small_cap, GetParam());
  EXPECT_EQ(CatchSheetError([&] { ReadAllInChunks(capped, *capped.Find("rows.xml"), 1 << 18); }).code(),
            SheetErrorCode::kTooLarge);
}

TEST_P(ZipInflating, RatioRunningAwayWhileStreamingStopsAsTooLarge) {
  // Zeros first, then noise: the whole entry's ratio is modest, its start is not.
  const std::string data = std::string(std::size_t{40} << 20, '\0') + Incompressible(std::size_t{1} << 20);
  ZipLimits limits;
  limits.max_ratio = 100;
  limits.ratio_grace = std::size_t{4} << 20;
  ZipArchive archive(InMemory(ZipWriter().Add("sheet.xml", data).Finish()), limits, GetParam());
  const SheetError error = CatchSheetError([&] { ReadAllInChunks(archive, archive.entries()[0], 1 << 18); });
  EXPECT_EQ(error.code(), SheetErrorCode::kTooLarge);
}

TEST(ZipArchive, EncryptedEntryIsPasswordProtected) {
  ZipWriter::Entry entry;
  entry.name = "xl/workbook.xml";
  entry.data = "<workbook/>";
  entry.flags = ZipEntry::kFlagEncrypted;
  ZipArchive archive(InMemory(ZipWriter().Add(entry).Finish()));
  const SheetError error = CatchSheetError([&] { archive.OpenEntry(archive.entries()[0]); });
  EXPECT_EQ(error.code(), SheetErrorCode::kPasswordProtected);
  EXPECT_EQ(error.sentence(), "the workbook is password-protected");
}

TEST(ZipArchive, UnknownCompressionMethodIsUnsupported) {
  ZipWriter::Entry entry;
  entry.name = "a.xml";
  entry.data = "<a/>";
  entry.method = 12;  // bzip2
  ZipArchive archive(InMemory(ZipWriter().Add(entry).Finish()));
  const SheetError error = CatchSheetError([&] { archive.OpenEntry(archive.entries()[0]); });
  EXPECT_EQ(error.code(), SheetErrorCode::kUnsupported);
  EXPECT_NE(error.sentence().find("method 12"), std::string::npos);
}

TEST_P(ZipInflating, ReadEntryCapsWhatInflatesNotWhatIsDeclared) {
  ZipWriter::Entry understated;
  understated.name = "big.xml";
  understated.data = std::string(5000, 'x');
  understated.declared_size = 10;
  ZipWriter::Entry overstated = understated;
  overstated.name = "small.xml";
  overstated.declared_size = 0xFFFFFFF0;
  ZipArchive archive(InMemory(ZipWriter().Add(understated).Add(overstated).Finish()), {}, GetParam());
  EXPECT_EQ(CatchSheetError([&] { archive.ReadEntry(*archive.Find("big.xml"), 4999); }).code(),
            SheetErrorCode::kTooLarge);
  EXPECT_EQ(archive.ReadEntry(*archive.Find("big.xml"), 5000).size(), 5000u);
  EXPECT_EQ(archive.ReadEntry(*archive.Find("small.xml"), 5000).size(), 5000u);
}

TEST_P(ZipInflating, StreamGivesTheEntryReadersBytesAndErrorsOnALargePart) {
  // Large enough on disk to be read ahead on a thread of its own.
  const std::string data = Incompressible(std::size_t{3} << 20) + std::string(100000, 'z');
  ZipWriter::Entry damaged;
  damaged.name = "damaged.xml";
  damaged.data = data;
  damaged.declared_crc = 0x12345678;
  ZipArchive archive(InMemory(ZipWriter().Add("sheet.xml", data).Add(damaged).Finish()), {}, GetParam());

  auto stream = archive.OpenStream(*archive.Find("sheet.xml"));
  std::string out;
  std::string buffer(100000, '\0');
  while (const std::size_t n = stream->Read(buffer.data(), buffer.size())) out.append(buffer, 0, n);
  EXPECT_EQ(out, data);

  auto bad = archive.OpenStream(*archive.Find("damaged.xml"));
  std::uint64_t read_before_error = 0;
  const SheetError error = CatchSheetError([&] {
    while (const std::size_t n = bad->Read(buffer.data(), buffer.size())) read_before_error += n;
  });
  EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
  EXPECT_NE(error.sentence().find("CRC"), std::string::npos);
  EXPECT_EQ(read_before_error, data.size());  // every byte first, then the failed check

  // A reader dropped after its first bytes stops its thread: no hang, no leak under sanitizers.
  auto dropped = archive.OpenStream(*archive.Find("sheet.xml"));
  ASSERT_GT(dropped->Read(buffer.data(), 10), 0u);
}

TEST(ZipArchive, EveryFixtureWorkbookInflatesAlikeWithEachInflater) {
  const std::vector<Inflater> inflaters = BuiltInflaters();
  if (inflaters.size() < 2) GTEST_SKIP() << "this build holds one inflater";
  int parts = 0;
  for (const auto& file : std::filesystem::recursive_directory_iterator(QUORVEX_FIXTURES_DIR)) {
    const std::string extension = file.path().extension().string();
    if (extension != ".xlsx" && extension != ".xlsb") continue;
    std::optional<ZipArchive> reference;
    try {
      reference.emplace(std::make_unique<FileSource>(file.path().string()), ZipLimits{}, inflaters[0]);
    } catch (const SheetError&) {
      continue;  // not a zip archive, or its directory is damaged: nothing is inflated
    }
    for (std::size_t i = 1; i < inflaters.size(); ++i) {
      ZipArchive other(std::make_unique<FileSource>(file.path().string()), ZipLimits{}, inflaters[i]);
      ASSERT_EQ(other.entries().size(), reference->entries().size());
      for (std::size_t k = 0; k < other.entries().size(); ++k) {
        EXPECT_EQ(Outcome(other, other.entries()[k]), Outcome(*reference, reference->entries()[k]))
            << file.path() << ": " << other.entries()[k].name;
        ++parts;
      }
    }
  }
  EXPECT_GT(parts, 100);
}

}  // namespace
}  // namespace quorvex::sheet::container
