// Tests of escaping for HTML, XML and script string literals.
#include <gtest/gtest.h>

#include <string>

#include "sheet/writers/MarkupEscape.h"

namespace quorvex::sheet {
namespace {

struct EscapeRow {
  std::string input;
  std::string expected;
};

const std::string kFffd = "\xEF\xBF\xBD";

TEST(MarkupEscape, EscapesMarkupAndReplacesWhatXmlForbids) {
  const EscapeRow rows[] = {
      {"plain", "plain"},
      {"<script>alert('x')</script>", "&lt;script&gt;alert(&#39;x&#39;)&lt;/script&gt;"},
      {"a & \"b\"", "a &amp; &quot;b&quot;"},
      {"tab\there\nline", "tab\there\nline"},
      {"cr\rhere", "cr&#13;here"},
      {std::string("nul\0x", 5), "nul" + kFffd + "x"},
      {"bell\x07 vt\x0B esc\x1B", "bell" + kFffd + " vt" + kFffd + " esc" + kFffd},
      {"caf\xC3\xA9 \xF0\x9F\x8E\x89", "caf\xC3\xA9 \xF0\x9F\x8E\x89"},  // valid UTF-8 stays
      {"cut \xC3", "cut " + kFffd},                                      // truncated sequence
      {"\xC0\xAF", kFffd + kFffd},                                       // overlong '/'
      {"\xED\xA0\x80", kFffd + kFffd + kFffd},                           // a surrogate
      {"\xEF\xBF\xBE", kFffd},                                           // U+FFFE
      {"\xFF", kFffd},
  };
  for (const EscapeRow& row : rows) {
    EXPECT_EQ(Escaped(row.input), row.expected) << row.input;
  }
}

TEST(MarkupEscape, AttributeFormKeepsLineBreaksAsReferences) {
  EXPECT_EQ(Escaped("a\tb\nc\rd", false), "a&#9;b&#10;c&#13;d");
}

TEST(MarkupEscape, ScriptStringCannotEndTheLiteralOrTheScript) {
  std::string out;
  AppendScriptString(out, "say \"hi\"\\ </script><!-- \n\x01");
  EXPECT_EQ(out, "say \\\"hi\\\"\\\\ \\u003C/script\\u003E\\u003C!-- \\n" + kFffd);
}

TEST(MarkupEscape, ValidXmlTextReplacesOnlyForbiddenCharacters) {
  EXPECT_EQ(ValidXmlText("ok <&> \x01\xC3\xA9"), "ok <&> " + kFffd + "\xC3\xA9");
}

}  // namespace
}  // namespace quorvex::sheet
