// Single-file web pages: a page wrapped as a MIME multipart/related archive (RFC 2557).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "sheet/writers/OutputStream.h"

namespace quorvex::sheet {

/// A stream that encodes what is written to it in the quoted-printable transfer encoding
/// (RFC 2045 6.7) into another stream: LF becomes a CRLF line break, every other byte outside
/// printable ASCII, '=' and a space or tab before a line end are written as =XX, and lines are
/// broken with soft breaks to at most 76 characters. Call Finish after the last byte.
class QuotedPrintableStream : public OutputStream {
 public:
  explicit QuotedPrintableStream(OutputStream& out) : out_(out) {}
  /// Encodes what is still buffered, the last space or tab included.
  void Finish();

 protected:
  void Emit(std::string_view bytes) override;

 private:
  /// Writes the encoding of `slice` at `out` and returns its end.
  char* EncodeSlice(std::string_view slice, char* out);

  OutputStream& out_;
  std::size_t line_ = 0;  // characters on the current output line
  char held_blank_ = 0;   // a space or tab whose encoding waits for the next byte
};

/// A single-file page written as it streams: the archive's headers when constructed, the page
/// (UTF-8, quoted-printable) as it is written, the closing boundary on Finish. The page sits at a
/// file URL named after `path`'s file name; pages from the web page writers refer to nothing
/// outside themselves, so no other part is needed.
class MhtStream : public OutputStream {
 public:
  MhtStream(OutputStream& out, std::string_view path);
  void Finish();

 protected:
  void Emit(std::string_view bytes) override { encoder_.Write(bytes); }

 private:
  OutputStream& out_;
  QuotedPrintableStream encoder_;
};

/// `text` in the quoted-printable transfer encoding, as QuotedPrintableStream writes it.
std::string QuotedPrintable(std::string_view text);

/// The whole archive MhtStream writes for the page `html`.
std::string MhtArchive(std::string_view html, std::string_view path);

}  // namespace quorvex::sheet
