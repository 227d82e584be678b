// Output files written behind the writer on a second thread: same bytes, restarts, errors.
#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../support/TempFile.h"
#include "sheet/model/SheetError.h"
#include "sheet/writers/OutputFile.h"
#include "sheet/writers/WriteBehind.h"

namespace quorvex::sheet {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Pieces of uneven size whose bytes depend on their place, `total` bytes in all.
std::string WritePieces(OutputFile& out, std::size_t total, char salt) {
  std::string written;
  for (std::size_t piece = 1; written.size() < total; piece = piece * 7 % 300007 + 1) {
    std::string bytes(std::min(piece, total - written.size()), '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<char>(salt + (written.size() + i) % 61);
    out.Write(bytes);
    written += bytes;
  }
  return written;
}

TEST(OutputFile, LargeFileKeepsItsBytesAndARestartForgetsEverythingBefore) {
  const test_support::TempFile destination("old content");
  OutputFile out(destination.path());
  WritePieces(out, 3'500'000, 'a');  // past several buffers: written behind
  out.Restart();
  const std::string second = WritePieces(out, 2'600'000, 'A');
  EXPECT_EQ(ReadAll(destination.path()), "old content");  // untouched until the commit
  out.Commit();
  EXPECT_EQ(ReadAll(destination.path()), second);
}

TEST(WriteBehind, WritesInOrderAndStopsAtTheFirstError) {
  std::vector<std::string> written;
  WriteBehind behind(
      [&](std::string_view block) {
        if (written.size() == 3) return ENOSPC;
        written.emplace_back(block);
        return 0;
      },
      2);
  int error = 0;
  for (int i = 0; i < 50 && error == 0; ++i) error = behind.Push("block " + std::to_string(i));
  if (error == 0) error = behind.Wait();
  EXPECT_EQ(error, ENOSPC);
  EXPECT_EQ(behind.Wait(), ENOSPC);
  EXPECT_EQ(written, (std::vector<std::string>{"block 0", "block 1", "block 2"}));
}

}  // namespace
}  // namespace quorvex::sheet
