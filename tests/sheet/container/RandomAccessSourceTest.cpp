// Tests for the random-access sources: a file and memory read alike at any offset, from any
// thread, and a file's failures name it with the system's reason.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "../support/TempFile.h"
#include "sheet/container/FileSource.h"
#include "sheet/container/MemorySource.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {
namespace {

using test_support::TempFile;

std::string Pattern(std::size_t size) {
  std::string data(size, '\0');
  for (std::size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131 + i / 253) & 0xFF);
  return data;
}

std::string ReadAt(const RandomAccessSource& source, std::uint64_t offset, std::size_t size) {
  std::string buffer(size, '\0');
  buffer.resize(source.ReadAt(offset, buffer.data(), size));
  return buffer;
}

TEST(RandomAccessSource, FileAndMemoryReadTheSameBytesUpToTheEnd) {
  const std::string data = Pattern(300000);
  const TempFile file(data);
  const FileSource on_disk(file.path());
  const MemorySource in_memory(data);
  struct Case {
    std::uint64_t offset;
    std::size_t size;
    std::string expected;
  };
  const Case cases[] = {{0, 10, data.substr(0, 10)},
                        {123457, 70000, data.substr(123457, 70000)},
                        {299990, 100, data.substr(299990)},  // short only at the end
                        {300000, 5, ""},
                        {std::uint64_t{1} << 40, 5, ""},
                        {7, 0, ""}};
  for (const RandomAccessSource* source : {static_cast<const RandomAccessSource*>(&on_disk),
                                           static_cast<const RandomAccessSource*>(&in_memory)}) {
    EXPECT_EQ(source->size(), data.size());
    for (const Case& c : cases) EXPECT_EQ(ReadAt(*source, c.offset, c.size), c.expected) << c.offset;
  }
  EXPECT_EQ(on_disk.name(), file.path());
}

TEST(FileSource, ReadsPastFourGigabytes) {
  // A sparse file: the gigabytes before the marker take no disk space.
  const TempFile file("");
  const std::uint64_t marker_offset = (std::uint64_t{5} << 30) + 3;
  std::filesystem::resize_file(file.path(), marker_offset);
  std::ofstream(file.path(), std::ios::binary | std::ios::app) << "marker";
  const FileSource source(file.path());
  EXPECT_EQ(source.size(), marker_offset + 6);
  EXPECT_EQ(ReadAt(source, marker_offset - 2, 100), std::string(2, '\0') + "marker");
}

TEST(FileSource, ThreadsReadingAtOnceEachGetTheirOwnBytes) {
  const std::string data = Pattern(1 << 20);
  const TempFile file(data);
  const FileSource source(file.path());
  constexpr int kThreads = 4;
  std::vector<int> mismatches(kThreads, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      // Each thread reads its own chunks, interleaved with the others' in the file.
      for (std::size_t at = t * 4096; at < data.size(); at += kThreads * 4096) {
        if (ReadAt(source, at, 4096) != data.substr(at, 4096)) ++mismatches[t];
      }
    });
  }
  for (std::thread& thread : threads) thread.join();
  EXPECT_EQ(mismatches, std::vector<int>(kThreads, 0));
}

TEST(FileSource, MissingFileOrFolderIsAnIoErrorWithTheReason) {
  struct Case {
    std::string path;
    std::string reason;
  };
  const Case cases[] = {{"/nonexistent/folder/book.xlsx", "No such file"},
                        {std::filesystem::temp_directory_path().string(), "it is a folder, not a file"}};
  for (const Case& c : cases) {
    try {
      FileSource source(c.path);
      ADD_FAILURE() << "no error for " << c.path;
    } catch (const SheetError& error) {
      EXPECT_EQ(error.code(), SheetErrorCode::kIo);
      EXPECT_NE(error.sentence().find(c.path), std::string::npos) << error.sentence();
      EXPECT_NE(error.sentence().find(c.reason), std::string::npos) << error.sentence();
    }
  }
}

}  // namespace
}  // namespace quorvex::sheet::container
