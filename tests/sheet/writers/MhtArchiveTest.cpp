// Tests of quoted-printable encoding and single-file web page archives.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "sheet/writers/MhtArchive.h"

namespace quorvex::sheet {
namespace {

// Decodes quoted-printable text as a mail reader would.
std::string DecodeQuotedPrintable(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '=' && i + 2 < text.size() && text[i + 1] == '\r' && text[i + 2] == '\n') {
      i += 2;
    } else if (text[i] == '=' && i + 2 < text.size()) {
      out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
      i += 2;
    } else if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      out.push_back('\n');
      ++i;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

TEST(MhtArchive, QuotedPrintableEncodesWhatIsNotPlainAscii) {
  EXPECT_EQ(QuotedPrintable("a=b"), "a=3Db");
  EXPECT_EQ(QuotedPrintable("caf\xC3\xA9"), "caf=C3=A9");
  EXPECT_EQ(QuotedPrintable("end \nnext\t"), "end=20\r\nnext=09");
  EXPECT_EQ(QuotedPrintable("a\rb"), "a=0Db");
}

TEST(MhtArchive, QuotedPrintableLinesStayWithinSeventySixCharacters) {
  std::string text(200, 'x');
  text += "\n" + std::string(50, '\xE9') + "\n<p class=\"q\">done</p>";
  const std::string encoded = QuotedPrintable(text);
  std::istringstream lines(encoded);
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    EXPECT_LE(line.size(), 76u) << line;
  }
  EXPECT_EQ(DecodeQuotedPrintable(encoded), text);
}

TEST(MhtArchive, StreamedEncodingMatchesWhateverTheWritesAre) {
  // Blanks before line ends, '=' and long runs, split at every place between two writes.
  const std::string text = "a \nb\t\n" + std::string(80, 'x') + " =\xC3\xA9 " + std::string(70, 'y') + "\t";
  const std::string whole = QuotedPrintable(text);
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    StringOutput out;
    QuotedPrintableStream encoder(out);
    encoder.Write(text.substr(0, cut));
    encoder.Flush();
    encoder.Write(text.substr(cut));
    encoder.Finish();
    EXPECT_EQ(out.str(), whole) << cut;
  }
  EXPECT_EQ(DecodeQuotedPrintable(whole), text);
}

TEST(MhtArchive, ArchiveHoldsThePageAsOneRelatedPart) {
  const std::string html = "<!DOCTYPE html>\n<title>T=1</title>\n<p>\xC3\xA9</p>\n";
  const std::string archive = MhtArchive(html, "/out/My Book.mht");
  EXPECT_NE(archive.find("MIME-Version: 1.0\r\n"), std::string::npos);
  EXPECT_NE(archive.find("Content-Type: multipart/related;"), std::string::npos);
  EXPECT_NE(archive.find("type=\"text/html\""), std::string::npos);
  EXPECT_NE(archive.find("Content-Location: file:///My%20Book.htm\r\n"), std::string::npos);
  const std::string boundary = "----=_NextPart_Quorvex_Page";
  const std::string part_start = "--" + boundary + "\r\n";
  const std::string closing = "\r\n--" + boundary + "--\r\n";
  ASSERT_NE(archive.find(part_start), std::string::npos);
  ASSERT_EQ(archive.substr(archive.size() - closing.size()), closing);
  const std::size_t body = archive.find("\r\n\r\n", archive.find(part_start)) + 4;
  const std::string encoded = archive.substr(body, archive.size() - closing.size() - body);
  EXPECT_EQ(encoded.find(boundary), std::string::npos);
  EXPECT_EQ(DecodeQuotedPrintable(encoded), html);
}

}  // namespace
}  // namespace quorvex::sheet
