// Escaping text for HTML and XML output, including text that is not valid UTF-8 or XML.
#pragma once

#include <string>
#include <string_view>

namespace quorvex::sheet {

/// Appends `text` to `out` with &, <, >, " and ' written as character references, so it is safe
/// both as element content and inside a quoted attribute. Characters XML 1.0 does not allow
/// (control characters other than tab, LF and CR; U+FFFE, U+FFFF) and bytes that are not valid
/// UTF-8 are replaced by U+FFFD. When `keep_line_breaks` is false, tab, LF and CR become
/// character references too, so attribute values keep them through normalisation.
void AppendEscaped(std::string& out, std::string_view text, bool keep_line_breaks = true);

/// The length of the start of `text` that AppendEscaped copies unchanged (printable ASCII other
/// than & < > " '); text.size() when the whole text needs no escaping either way.
std::size_t PlainRun(std::string_view text);

/// `text` escaped as by AppendEscaped.
std::string Escaped(std::string_view text, bool keep_line_breaks = true);

/// Appends `text` for use inside a <script> string literal in double quotes: quotes,
/// backslashes, line breaks and '<' are escaped, so the text can neither end the literal nor
/// the script element. Invalid characters are replaced as by AppendEscaped.
void AppendScriptString(std::string& out, std::string_view text);

/// `text` with every invalid UTF-8 sequence and every character XML 1.0 forbids replaced by
/// U+FFFD; all other bytes unchanged.
std::string ValidXmlText(std::string_view text);

}  // namespace quorvex::sheet
