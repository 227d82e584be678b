// Single-file web pages as MIME multipart/related archives.
#include "sheet/writers/MhtArchive.h"

#include <algorithm>
#include <cstdint>

namespace quorvex::sheet {
namespace {

constexpr char kHex[] = "0123456789ABCDEF";
constexpr std::size_t kMaxLine = 76;
// The boundary holds "=_", which quoted-printable text can never contain (it writes '=' as
// "=3D"), so the body cannot end a part early.
constexpr std::string_view kBoundary = "----=_NextPart_Quorvex_Page";

// The file name part of a URL: unreserved characters as they are, every other byte %XX.
std::string PercentEncoded(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
        c == '-' || c == '_' || c == '.' || c == '~') {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 15]);
    }
  }
  return out;
}

// A byte quoted-printable text keeps as it is wherever it stands.
bool IsPlain(unsigned char byte) {
  return byte >= 33 && byte <= 126 && byte != '=';
}

char* SoftBreak(char* out, std::size_t& line) {
  *out++ = '=';
  *out++ = '\r';
  *out++ = '\n';
  line = 0;
  return out;
}

/// Writes `byte` as it is or as "=XX", after a soft break when the line has no room for it.
char* PutQuoted(char* out, std::size_t& line, unsigned char byte, bool at_line_end) {
  const bool literal = IsPlain(byte) || ((byte == ' ' || byte == '\t') && !at_line_end);
  const std::size_t size = literal ? 1 : 3;
  // Keep room for the "=" of a soft break.
  if (line + size > kMaxLine - 1) out = SoftBreak(out, line);
  if (literal) {
    *out++ = static_cast<char>(byte);
  } else {
    *out++ = '=';
    *out++ = kHex[byte >> 4];
    *out++ = kHex[byte & 15];
  }
  line += size;
  return out;
}

std::string FileUrl(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  // The page inside is HTML whatever the archive is called.
  const std::size_t dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  if (name.empty()) name = "page";
  return "file:///" + PercentEncoded(name) + ".htm";
}

}  // namespace

char* QuotedPrintableStream::EncodeSlice(std::string_view slice, char* out) {
  // The state in locals: stores through `out` could otherwise alias the members, and each byte
  // would reload them.
  std::size_t line = line_;
  char held_blank = held_blank_;
  for (const char c : slice) {
    const auto byte = static_cast<unsigned char>(c);
    // A space or tab is encoded when a line ends right after it, so it waits for the next byte.
    if (held_blank != 0) {
      out = PutQuoted(out, line, static_cast<unsigned char>(held_blank), byte == '\n');
      held_blank = 0;
    }
    if (IsPlain(byte)) {
      // A line holds at most kMaxLine - 1 characters before its soft break.
      if (line >= kMaxLine - 1) out = SoftBreak(out, line);
      *out++ = c;
      ++line;
    } else if (byte == '\n') {
      *out++ = '\r';
      *out++ = '\n';
      line = 0;
    } else if (byte == ' ' || byte == '\t') {
      held_blank = c;
    } else {
      out = PutQuoted(out, line, byte, false);
    }
  }
  line_ = line;
  held_blank_ = held_blank;
  return out;
}

void QuotedPrintableStream::Emit(std::string_view bytes) {
  // Encoded a slice at a time into a buffer with room for the worst case: every byte after a
  // soft break and as "=XX", and a held blank before the first.
  constexpr std::size_t kSlice = 4096;
  char encoded[kSlice * 6 + 8];
  while (!bytes.empty()) {
    const std::string_view slice = bytes.substr(0, kSlice);
    bytes.remove_prefix(slice.size());
    const char* end = EncodeSlice(slice, encoded);
    out_.Write(std::string_view(encoded, static_cast<std::size_t>(end - encoded)));
  }
}

void QuotedPrintableStream::Finish() {
  Flush();
  if (held_blank_ != 0) {
    char encoded[8];
    const char* end = PutQuoted(encoded, line_, static_cast<unsigned char>(held_blank_), true);
    out_.Write(std::string_view(encoded, static_cast<std::size_t>(end - encoded)));
  }
  held_blank_ = 0;
}

MhtStream::MhtStream(OutputStream& out, std::string_view path) : out_(out), encoder_(out) {
  const std::string url = FileUrl(path);
  out_.Write("From: <Saved by Quorvex>\r\n");
  out_.Write("Snapshot-Content-Location: " + url + "\r\n");
  out_.Write("MIME-Version: 1.0\r\n");
  out_.Write("Content-Type: multipart/related;\r\n\ttype=\"text/html\";\r\n\tboundary=\"");
  out_.Write(kBoundary);
  out_.Write("\"\r\n\r\n");
  out_.Write("This is a single-file web page (MIME multipart/related).\r\n\r\n");
  out_.Write("--");
  out_.Write(kBoundary);
  out_.Write("\r\n");
  out_.Write("Content-Type: text/html; charset=\"utf-8\"\r\n");
  out_.Write("Content-Transfer-Encoding: quoted-printable\r\n");
  out_.Write("Content-Location: " + url + "\r\n\r\n");
}

void MhtStream::Finish() {
  Flush();
  encoder_.Finish();
  out_.Write("\r\n--");
  out_.Write(kBoundary);
  out_.Write("--\r\n");
}

std::string QuotedPrintable(std::string_view text) {
  StringOutput out;
  QuotedPrintableStream encoder(out);
  encoder.Write(text);
  encoder.Finish();
  return out.str();
}

std::string MhtArchive(std::string_view html, std::string_view path) {
  StringOutput out;
  MhtStream archive(out, path);
  archive.Write(html);
  archive.Finish();
  return out.str();
}

}  // namespace quorvex::sheet
