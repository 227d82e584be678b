// Escaping text for HTML, XML and embedded script literals.
#include "sheet/writers/MarkupEscape.h"

#include <array>
#include <cstdint>

namespace quorvex::sheet {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the valid UTF-8 sequence at the start of `text` and its code point, or 0 when the
// bytes there are not a valid, shortest-form sequence.
std::size_t DecodeOne(std::string_view text, std::uint32_t& code_point) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  }
  std::size_t length = 0;
  std::uint32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    length = 2;
    code_point = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    code_point = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    code_point = lead & 0x07;
    minimum = 0x10000;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (byte(i) & 0x3F);
  }
  if (code_point < minimum || code_point > 0x10FFFF || (code_point >= 0xD800 && code_point <= 0xDFFF))
    return 0;
  return length;
}

bool AllowedInXml(std::uint32_t code_point) {
  if (code_point < 0x20) return code_point == '\t' || code_point == '\n' || code_point == '\r';
  return code_point != 0xFFFE && code_point != 0xFFFF;
}

// Calls `on_char(code_point, bytes)` for the first character of the non-empty `text` when it is
// valid, else `on_char(0xFFFD, replacement)` for its invalid byte or forbidden character.
// Answers the bytes taken.
template <typename OnChar>
std::size_t TakeCharacter(std::string_view text, OnChar& on_char) {
  std::uint32_t code_point = 0;
  const std::size_t length = DecodeOne(text, code_point);
  if (length == 0) {
    on_char(0xFFFD, kReplacement);
    return 1;
  }
  if (AllowedInXml(code_point))
    on_char(code_point, text.substr(0, length));
  else
    on_char(0xFFFD, kReplacement);
  return length;
}

// TakeCharacter for every character of `text`.
template <typename OnChar>
void ForEachCharacter(std::string_view text, OnChar on_char) {
  while (!text.empty()) text.remove_prefix(TakeCharacter(text, on_char));
}

// The bytes AppendEscaped copies as they are: printable ASCII other than & < > " '.
constexpr std::array<bool, 256> kPlainBytes = [] {
  std::array<bool, 256> plain{};
  for (std::size_t c = 0x20; c < 0x80; ++c)
    plain[c] = c != '&' && c != '<' && c != '>' && c != '"' && c != '\'';
  return plain;
}();

}  // namespace

std::size_t PlainRun(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && kPlainBytes[static_cast<unsigned char>(text[i])]) ++i;
  return i;
}

void AppendEscaped(std::string& out, std::string_view text, bool keep_line_breaks) {
  auto on_char = [&](std::uint32_t code_point, std::string_view bytes) {
    switch (code_point) {
      case '&':
        out.append("&amp;");
        return;
      case '<':
        out.append("&lt;");
        return;
      case '>':
        out.append("&gt;");
        return;
      case '"':
        out.append("&quot;");
        return;
      case '\'':
        out.append("&#39;");
        return;
      case '\t':
        out.append(keep_line_breaks ? "\t" : "&#9;");
        return;
      case '\n':
        out.append(keep_line_breaks ? "\n" : "&#10;");
        return;
      case '\r':
        out.append("&#13;");
        return;  // a raw CR would be folded into LF by parsers
      default:
        out.append(bytes);
    }
  };
  while (!text.empty()) {
    const std::size_t plain = PlainRun(text);
    out.append(text.substr(0, plain));
    text.remove_prefix(plain);
    if (!text.empty()) text.remove_prefix(TakeCharacter(text, on_char));
  }
}

std::string Escaped(std::string_view text, bool keep_line_breaks) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text, keep_line_breaks);
  return out;
}

void AppendScriptString(std::string& out, std::string_view text) {
  ForEachCharacter(text, [&](std::uint32_t code_point, std::string_view bytes) {
    switch (code_point) {
      case '"':
        out.append("\\\"");
        return;
      case '\\':
        out.append("\\\\");
        return;
      case '\n':
        out.append("\\n");
        return;
      case '\r':
        out.append("\\r");
        return;
      case '\t':
        out.append("\\t");
        return;
      case '<':
        out.append("\\u003C");
        return;
      case '>':
        out.append("\\u003E");
        return;
      case '&':
        out.append("\\u0026");
        return;
      case 0x2028:
        out.append("\\u2028");
        return;
      case 0x2029:
        out.append("\\u2029");
        return;
      default:
        out.append(bytes);
    }
  });
}

std::string ValidXmlText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  ForEachCharacter(text, [&](std::uint32_t, std::string_view bytes) { out.append(bytes); });
  return out;
}

}  // namespace quorvex::sheet
