// Text in a Windows code page decoded to UTF-8 by the system's own converter.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex::platform {

class CodePageDecoder {
 public:
  /// `code_page` is a Windows code page number (1252, 932, 10000 for Apple Roman, 20127 for
  /// US-ASCII). valid() tells whether the system can convert it.
  explicit CodePageDecoder(std::uint16_t code_page);
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  bool valid() const { return state_ != nullptr; }

  /// Appends `bytes` converted to UTF-8; a byte the code page does not define, or a lead byte
  /// whose trail byte is missing or wrong, becomes U+FFFD and decoding goes on at the next byte.
  void Append(std::string_view bytes, std::string& out) const;

 private:
  struct State;  // the system's converter; none when it cannot convert the code page
  std::unique_ptr<State> state_;
};

}  // namespace quorvex::platform
