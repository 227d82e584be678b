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

void QuotedPrintableStream::Put(std::string_view piece) {
  // Keep room for the "=" of a soft break.
  if (line_ + piece.size() > kMaxLine - 1) {
    out_.Write("=\r\n");
    line_ = 0;
  }
  out_.Write(piece);
  line_ += piece.size();
}

void QuotedPrintableStream::PutByte(unsigned char byte, bool at_line_end) {
  const bool literal =
      (byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !at_line_end);
  if (literal) {
    const char c = static_cast<char>(byte);
    Put(std::string_view(&c, 1));
  } else {
    const char encoded[3] = {'=', kHex[byte >> 4], kHex[byte & 15]};
    Put(std::string_view(encoded, 3));
  }
}

void QuotedPrintableStream::PutPlain(std::string_view run) {
  // Runs of plain characters go out in pieces that fill each line, as one character at a time
  // would: a line holds at most kMaxLine - 1 of them before its soft break.
  while (!run.empty()) {
    if (line_ >= kMaxLine - 1) {
      out_.Write("=\r\n");
      line_ = 0;
    }
    const std::size_t take = std::min(run.size(), kMaxLine - 1 - line_);
    out_.Write(run.substr(0, take));
    line_ += take;
    run.remove_prefix(take);
  }
}

void QuotedPrintableStream::Emit(std::string_view bytes) {
  std::size_t i = 0;
  while (i < bytes.size()) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    // A space or tab is encoded when a line ends right after it, so it waits for the next byte.
    if (held_blank_ != 0) {
      PutByte(static_cast<unsigned char>(held_blank_), byte == '\n');
      held_blank_ = 0;
    }
    if (IsPlain(byte)) {
      std::size_t end = i + 1;
      while (end < bytes.size() && IsPlain(static_cast<unsigned char>(bytes[end]))) ++end;
      PutPlain(bytes.substr(i, end - i));
      i = end;
      continue;
    }
    if (byte == '\n') {
      out_.Write("\r\n");
      line_ = 0;
    } else if (byte == ' ' || byte == '\t') {
      held_blank_ = bytes[i];
    } else {
      PutByte(byte, false);
    }
    ++i;
  }
}

void QuotedPrintableStream::Finish() {
  Flush();
  if (held_blank_ != 0) PutByte(static_cast<unsigned char>(held_blank_), true);
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
