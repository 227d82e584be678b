// The encodings delimited text is written in, and putting UTF-8 text into one of them.
#include "sheet/writers/TextEncoding.h"

#include "sheet/writers/DbfCodePage.h"

namespace quorvex::sheet {

std::string_view TextEncoder::Preamble() const {
  return encoding_ == TextEncoding::kUtf8Bom ? std::string_view("\xEF\xBB\xBF") : std::string_view();
}

void TextEncoder::Append(std::string_view utf8, std::string& out) {
  if (encoding_ != TextEncoding::kWindows1252) {
    out.append(utf8);
    return;
  }
  replaced_ += FindDbfCodePage(1252)->EncodeReplacing(utf8, out);
}

const char* TextEncodingName(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kUtf8Bom:
      return "UTF-8 with byte-order mark";
    case TextEncoding::kWindows1252:
      return "Windows-1252";
    case TextEncoding::kUtf8:
      break;
  }
  return "UTF-8";
}

}  // namespace quorvex::sheet
