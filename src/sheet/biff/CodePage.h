// Converts 8-bit text in a Windows code page (BIFF5 workbooks) to UTF-8.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex::platform {
class CodePageDecoder;
}

namespace quorvex::sheet::biff {

class CodePage {
 public:
  /// `id` as a CODEPAGE record gives it (1252, 1250, 437, 10000, ...). Unknown code pages and
  /// those the system cannot convert read as Windows-1252.
  explicit CodePage(std::uint16_t id = 1252);
  ~CodePage();
  CodePage(const CodePage&) = delete;
  CodePage& operator=(const CodePage&) = delete;

  /// Appends `bytes` converted to UTF-8; bytes the code page does not define become U+FFFD.
  void Append(std::string_view bytes, std::string& out) const;

  std::uint16_t id() const { return id_; }

 private:
  std::uint16_t id_;
  std::unique_ptr<platform::CodePageDecoder> decoder_;  // none: read as Latin-1
};

}  // namespace quorvex::sheet::biff
