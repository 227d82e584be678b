// The encodings delimited text is written in, and putting UTF-8 text into one of them.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quorvex::sheet {

enum class TextEncoding {
  kUtf8,         // UTF-8 without byte-order mark
  kUtf8Bom,      // UTF-8 after the byte-order mark EF BB BF, which Windows programs look for
  kWindows1252,  // the Western Windows ("ANSI") code page, one byte per character
};

/// Puts the UTF-8 text of cells into a file's encoding. Windows-1252 gets '?' for every character
/// it cannot hold, as Windows programs saving "ANSI" text do, and counts them; the five bytes the
/// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) are never written, so that strict
/// decoders read the file.
class TextEncoder {
 public:
  explicit TextEncoder(TextEncoding encoding) : encoding_(encoding) {}

  /// The bytes the file starts with: the byte-order mark for kUtf8Bom, else none.
  std::string_view Preamble() const;
  /// Whether text changes on the way (not for the UTF-8 encodings).
  bool Transcodes() const { return encoding_ == TextEncoding::kWindows1252; }
  /// Appends `utf8` in the encoding.
  void Append(std::string_view utf8, std::string& out);
  /// Characters written as '?' so far.
  std::size_t replaced() const { return replaced_; }

 private:
  TextEncoding encoding_;
  std::size_t replaced_ = 0;
};

/// "UTF-8", "UTF-8 with byte-order mark" or "Windows-1252", for messages.
const char* TextEncodingName(TextEncoding encoding);

}  // namespace quorvex::sheet
