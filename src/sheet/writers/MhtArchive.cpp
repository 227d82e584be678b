// Single-file web pages as MIME multipart/related archives.
#include "sheet/writers/MhtArchive.h"

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

std::string QuotedPrintable(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8);
  std::size_t line = 0;  // characters on the current output line
  const auto put = [&](std::string_view piece) {
    // Keep room for the "=" of a soft break.
    if (line + piece.size() > kMaxLine - 1) {
      out.append("=\r\n");
      line = 0;
    }
    out.append(piece);
    line += piece.size();
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte == '\n') {
      out.append("\r\n");
      line = 0;
      continue;
    }
    const bool at_line_end = i + 1 == text.size() || text[i + 1] == '\n';
    const bool literal =
        (byte >= 33 && byte <= 126 && byte != '=') || ((byte == ' ' || byte == '\t') && !at_line_end);
    if (literal) {
      const char c = static_cast<char>(byte);
      put(std::string_view(&c, 1));
    } else {
      const char encoded[3] = {'=', kHex[byte >> 4], kHex[byte & 15]};
      put(std::string_view(encoded, 3));
    }
  }
  return out;
}

std::string MhtArchive(std::string_view html, std::string_view path) {
  std::string out;
  out.append("From: <Saved by Quorvex>\r\n");
  out.append("Snapshot-Content-Location: ").append(FileUrl(path)).append("\r\n");
  out.append("MIME-Version: 1.0\r\n");
  out.append("Content-Type: multipart/related;\r\n\ttype=\"text/html\";\r\n\tboundary=\"");
  out.append(kBoundary).append("\"\r\n\r\n");
  out.append("This is a single-file web page (MIME multipart/related).\r\n\r\n");
  out.append("--").append(kBoundary).append("\r\n");
  out.append("Content-Type: text/html; charset=\"utf-8\"\r\n");
  out.append("Content-Transfer-Encoding: quoted-printable\r\n");
  out.append("Content-Location: ").append(FileUrl(path)).append("\r\n\r\n");
  out.append(QuotedPrintable(html));
  out.append("\r\n--").append(kBoundary).append("--\r\n");
  return out;
}

}  // namespace quorvex::sheet
