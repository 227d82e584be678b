// Single-file web pages: a page wrapped as a MIME multipart/related archive (RFC 2557).
#pragma once

#include <string>
#include <string_view>

namespace quorvex::sheet {

/// `text` in the quoted-printable transfer encoding (RFC 2045 6.7): LF becomes a CRLF line
/// break, every other byte outside printable ASCII, '=' and a space or tab before a line end
/// are written as =XX, and lines are broken with soft breaks to at most 76 characters.
std::string QuotedPrintable(std::string_view text);

/// A multipart/related archive whose one part is the HTML page `html` (UTF-8, quoted-printable),
/// located at a file URL named after `path`'s file name. Pages from SheetPage and WorkbookPage
/// refer to nothing outside themselves, so no other part is needed.
std::string MhtArchive(std::string_view html, std::string_view path);

}  // namespace quorvex::sheet
