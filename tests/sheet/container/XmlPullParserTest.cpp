// Tests for XmlPullParser: tokens, decoding, chunk boundaries, limits and malformed input.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "sheet/container/MemoryByteSource.h"
#include "sheet/container/XmlPullParser.h"

namespace quorvex::sheet::container {
namespace {

using Event = XmlPullParser::Event;

/// The event stream as compact text: <name a=v>, [text], </name>, with '/' marking self-closing.
std::string Trace(std::string_view xml, std::size_t chunk = ~std::size_t{0}, XmlLimits limits = {}) {
  MemoryByteSource source(xml, chunk);
  XmlPullParser parser(source, "test.xml", limits);
  std::string trace;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    switch (event) {
      case Event::kStartElement:
        trace.append("<").append(parser.name());
        for (const auto& attribute : parser.attributes()) {
          trace.append(" ").append(attribute.local_name).append("=").append(attribute.value);
        }
        trace.append(parser.empty_element() ? "/>" : ">");
        break;
      case Event::kEndElement:
        if (!parser.empty_element()) trace.append("</").append(parser.name()).append(">");
        break;
      case Event::kText:
        trace.append("[").append(parser.text()).append("]");
        break;
      case Event::kEndOfDocument:
        break;
    }
  }
  return trace;
}

SheetError ParseError(std::string_view xml, std::size_t chunk = ~std::size_t{0}, XmlLimits limits = {}) {
  try {
    Trace(xml, chunk, limits);
  } catch (const SheetError& error) {
    return error;
  }
  ADD_FAILURE() << "no SheetError for: " << xml;
  return SheetError(SheetErrorCode::kIo, "none");
}

TEST(XmlPullParser, ReportsElementsAttributesAndText) {
  EXPECT_EQ(Trace("<a x=\"1\" y='two'><b>hi</b><c/></a>"), "<a x=1 y=two><b>[hi]</b><c/></a>");
}

TEST(XmlPullParser, GivesLocalNamesAndLeavesOutNamespaceDeclarations) {
  MemoryByteSource source(
      "<x:worksheet xmlns:x=\"urn:a\" xmlns=\"urn:b\" xmlns:r=\"urn:r\"><x:sheet r:id=\"rId1\" "
      "name=\"S\"/></x:worksheet>");
  XmlPullParser parser(source, "p");
  ASSERT_EQ(parser.Next(), Event::kStartElement);
  EXPECT_EQ(parser.name(), "x:worksheet");
  EXPECT_EQ(parser.local_name(), "worksheet");
  EXPECT_TRUE(parser.attributes().empty());
  ASSERT_EQ(parser.Next(), Event::kStartElement);
  EXPECT_EQ(parser.local_name(), "sheet");
  ASSERT_EQ(parser.attributes().size(), 2u);
  EXPECT_EQ(parser.attributes()[0].name, "r:id");
  ASSERT_NE(parser.FindAttribute("id"), nullptr);
  EXPECT_EQ(parser.FindAttribute("id")->value, "rId1");
  EXPECT_EQ(parser.FindAttribute("missing"), nullptr);
}

TEST(XmlPullParser, DecodesEntitiesInTextAndAttributes) {
  EXPECT_EQ(
      Trace("<a v=\"&lt;&amp;&quot;&apos;&gt;\">&lt;&gt;&amp;&quot;&apos;&#65;&#x42;&#xe9;&#x1F600;</a>"),
      "<a v=<&\"'>>[<>&\"'AB\xC3\xA9\xF0\x9F\x98\x80]</a>");
}

TEST(XmlPullParser, NormalisesLineEndsAndAttributeWhiteSpace) {
  EXPECT_EQ(Trace("<a v=\"1\t2\n3\r\n4&#10;5\">x\r\ny\rz&#13;</a>"), "<a v=1 2 3 4\n5>[x\ny\nz\r]</a>");
}

TEST(XmlPullParser, ReadsCdataAsLiteralText) {
  EXPECT_EQ(Trace("<a>one<![CDATA[<b>&amp;]]>two</a>"), "<a>[one][<b>&amp;][two]</a>");
}

TEST(XmlPullParser, SkipsDeclarationBomCommentsAndProcessingInstructions) {
  EXPECT_EQ(Trace("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!-- c --><a><?pi x?>t<!-- <b> "
                  "-->u</a>\n"),
            "<a>[t][u]</a>");
}

TEST(XmlPullParser, ReportsDepthAndSkipsWholeElements) {
  MemoryByteSource source("<a><b><c>deep</c><d/></b><e/></a>");
  XmlPullParser parser(source, "p");
  ASSERT_EQ(parser.Next(), Event::kStartElement);
  EXPECT_EQ(parser.depth(), 1u);
  ASSERT_EQ(parser.Next(), Event::kStartElement);
  EXPECT_EQ(parser.local_name(), "b");
  EXPECT_EQ(parser.depth(), 2u);
  parser.SkipElement();
  EXPECT_EQ(parser.event(), Event::kEndElement);
  EXPECT_EQ(parser.local_name(), "b");
  ASSERT_EQ(parser.Next(), Event::kStartElement);
  EXPECT_EQ(parser.local_name(), "e");
  EXPECT_EQ(parser.depth(), 2u);
  EXPECT_TRUE(parser.empty_element());
  ASSERT_EQ(parser.Next(), Event::kEndElement);
  EXPECT_EQ(parser.local_name(), "e");
  ASSERT_EQ(parser.Next(), Event::kEndElement);
  EXPECT_EQ(parser.depth(), 1u);
  EXPECT_EQ(parser.Next(), Event::kEndOfDocument);
  EXPECT_EQ(parser.Next(), Event::kEndOfDocument);
}

// In one piece or across refills, alone or split by comments, CDATA and nested elements, the
// element's text comes whole and the parser stands on its end tag.
TEST(XmlPullParser, ReadsAnElementsTextThroughItsEndTag) {
  const std::pair<const char*, const char*> cases[] = {
      {"<r><v>12.5</v><n/></r>", "12.5"},
      {"<r><v></v><n/></r>", ""},
      {"<r><v/><n/></r>", ""},
      {"<r><v>a&amp;b&#x20AC;</v><n/></r>", "a&b\xE2\x82\xAC"},
      {"<r><v>a<!--c-->b<![CDATA[<c>]]></v><n/></r>", "ab<c>"},
      {"<r><v>a<i x='1'>b<j/></i>c</v><n/></r>", "abc"},
  };
  XmlLimits small;
  small.buffer_size = 64;
  for (const auto& [xml, text] : cases) {
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, ~std::size_t{0}}) {
      MemoryByteSource source(xml, chunk);
      XmlPullParser parser(source, "p", chunk == 3 ? small : XmlLimits{});
      parser.Next();
      ASSERT_EQ(parser.Next(), Event::kStartElement);
      EXPECT_EQ(parser.ReadElementText(), text) << xml << " in chunks of " << chunk;
      EXPECT_EQ(parser.event(), Event::kEndElement);
      EXPECT_EQ(parser.local_name(), "v");
      EXPECT_EQ(parser.depth(), 2u);
      ASSERT_EQ(parser.Next(), Event::kStartElement);
      EXPECT_EQ(parser.local_name(), "n");
    }
  }
  MemoryByteSource mismatched("<r><v>1</w></r>");
  XmlPullParser parser(mismatched, "p");
  parser.Next();
  parser.Next();
  EXPECT_THROW(parser.ReadElementText(), SheetError);
}

TEST(XmlPullParser, SameEventsWhateverTheChunkSize) {
  std::string long_text(3000, 'q');
  const std::string documents[] = {
      "\xEF\xBB\xBF<?xml version=\"1.0\"?><a x=\"1\" y='2'><b>t&amp;u</b><c/><![CDATA[z]]><!--c--></a>",
      "<root><v a=\"" + long_text + "\">" + long_text + "&#x20AC;</v><w\n  k = 'v' /></root>",
      "<p:a xmlns:p=\"u\"><p:b p:c=\"&lt;&#233;\">\r\n</p:b></p:a>",
  };
  XmlLimits small;
  small.buffer_size = 64;  // forces refills, compaction and growth mid-token
  for (const std::string& xml : documents) {
    const std::string expected = Trace(xml);
    for (const std::size_t chunk :
         {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{100}}) {
      EXPECT_EQ(Trace(xml, chunk), expected) << "chunk " << chunk;
      EXPECT_EQ(Trace(xml, chunk, small), expected) << "chunk " << chunk << ", small buffer";
    }
  }
}

TEST(XmlPullParser, RefusesDocumentTypeDeclarationsWithoutExpandingThem) {
  const std::string laughs =
      "<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\">"
      "<!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
      "<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
      "<sst><si><t>&lol3;</t></si></sst>";
  for (const std::size_t chunk : {std::size_t{1}, ~std::size_t{0}}) {
    const SheetError error = ParseError(laughs, chunk);
    EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
    EXPECT_NE(error.sentence().find("document type declarations are not allowed"), std::string::npos);
    EXPECT_EQ(error.offset(), 21u);
  }
}

struct MalformedCase {
  const char* xml;
  const char* message;  // a phrase the error must contain
};

TEST(XmlPullParser, MalformedInputIsCorruptWithAUsefulMessage) {
  const MalformedCase cases[] = {
      {"<a><b></a>", "does not match the open element <b>"},
      {"<a><b>", "ends inside the element <b>"},
      {"<a x=\"1<2\"/>", "'<' is not allowed"},
      {"<a x='1<2", "'<' is not allowed"},
      {"<a x=\"1", "ends inside a tag"},
      {"<a", "ends inside a tag"},
      {"<a>&foo;</a>", "unknown entity '&foo;'"},
      {"<a>&#0;</a>", "is not valid"},
      {"<a>&#xD800;</a>", "is not valid"},
      {"<a>&#x110000;</a>", "is not valid"},
      {"<a>&amp</a>", "does not start a valid entity reference"},
      {"</a>", "has no matching start tag"},
      {"<a></a><b/>", "after the root element"},
      {"<a/>tail", "after the root element"},
      {"text<a/>", "before the root element"},
      {"<a x=1/>", "expected a quoted value"},
      {"<a x/>", "expected '='"},
      {"<a b='1'c='2'/>", "unexpected character 'c'"},
      {"<a\x01/>", "unexpected byte 0x01"},
      {"<a/ >", "expected '>' after '/'"},
      {"<1a/>", "expected an element name"},
      {"<a></ a>", "expected an element name after '</'"},
      {"<a><b</a>", "not closed before the next '<'"},
      {"<a><!ELEMENT x></a>", "unexpected markup"},
      {"<a><!-- open", "ends inside a tag"},
      {"", "holds no XML element"},
      {"  \n ", "holds no XML element"},
      {"<![CDATA[x]]><a/>", "CDATA section lies outside"},
  };
  for (const MalformedCase& c : cases) {
    for (const std::size_t chunk : {std::size_t{1}, ~std::size_t{0}}) {
      const SheetError error = ParseError(c.xml, chunk);
      EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt) << c.xml;
      EXPECT_NE(error.sentence().find(c.message), std::string::npos)
          << c.xml << " gave: " << error.sentence();
      EXPECT_EQ(error.part(), "test.xml");
      EXPECT_NE(error.offset(), SheetError::kNoOffset);
    }
  }
}

TEST(XmlPullParser, NulCharactersAreCorrupt) {
  for (const std::string& xml : {std::string("<a>x\0y</a>", 10), std::string("<a v=\"x\0\"/>", 11)}) {
    const SheetError error = ParseError(xml, 1);
    EXPECT_EQ(error.code(), SheetErrorCode::kCorrupt);
    EXPECT_NE(error.sentence().find("NUL character"), std::string::npos) << error.sentence();
    EXPECT_EQ(error.offset(), xml.find('\0'));
  }
}

TEST(XmlPullParser, ErrorOffsetPointsAtTheFault) {
  EXPECT_EQ(ParseError("<a>\n<b></c></a>").offset(), 7u);
  EXPECT_EQ(ParseError("<a>\n<b></c></a>", 1).offset(), 7u);
  EXPECT_EQ(ParseError("<a>xx&bad;</a>", 2).offset(), 5u);
}

TEST(XmlPullParser, LimitsStopHostileInputAsTooLarge) {
  XmlLimits limits;
  limits.max_token_size = 1024;
  limits.buffer_size = 64;
  EXPECT_EQ(ParseError("<a>" + std::string(5000, 't') + "</a>", 100, limits).code(),
            SheetErrorCode::kTooLarge);
  EXPECT_EQ(ParseError("<a><!--" + std::string(5000, 'c') + "--></a>", 100, limits).code(),
            SheetErrorCode::kTooLarge);
  EXPECT_EQ(Trace("<a>" + std::string(1000, 't') + "</a>", 100, limits),
            "<a>[" + std::string(1000, 't') + "]</a>");

  XmlLimits shallow;
  shallow.max_depth = 8;
  std::string deep;
  for (int i = 0; i < 9; ++i) deep += "<d>";
  EXPECT_EQ(ParseError(deep, ~std::size_t{0}, shallow).code(), SheetErrorCode::kTooLarge);

  XmlLimits few;
  few.max_attributes = 3;
  EXPECT_EQ(ParseError("<a b='1' c='2' d='3' e='4'/>", ~std::size_t{0}, few).code(),
            SheetErrorCode::kTooLarge);
}

/// `text` (ASCII or BMP code points) as UTF-16 bytes in the given order.
std::string Utf16(const std::u16string& text, bool big_endian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    bytes += big_endian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

TEST(XmlPullParser, ReadsUtf16InEitherByteOrderWithOrWithoutMark) {
  const std::u16string document =
      u"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a n=\"\u00E9t\u00E9\">\u4E2D\U0001F600 x</a>";
  const std::string expected = "<a n=\u00E9t\u00E9>[\u4E2D\U0001F600 x]</a>";
  for (const bool big_endian : {false, true}) {
    for (const bool mark : {false, true}) {
      const std::string bytes = Utf16((mark ? u"\uFEFF" : u"") + document, big_endian);
      for (const std::size_t chunk : {std::size_t{1}, std::size_t{3}, ~std::size_t{0}}) {
        EXPECT_EQ(Trace(bytes, chunk), expected) << big_endian << mark << chunk;
      }
    }
  }
  // A lone surrogate reads as a replacement character.
  EXPECT_EQ(Trace(Utf16(u"<a>\xD800x</a>", false)), "<a>[\uFFFDx]</a>");
}

TEST(XmlPullParser, RefusesEncodingsOtherThanUtf8AndUtf16) {
  const SheetError error = ParseError("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE9</a>");
  EXPECT_EQ(error.code(), SheetErrorCode::kUnsupported);
  EXPECT_NE(error.sentence().find("ISO-8859-1"), std::string::npos) << error.sentence();
  EXPECT_EQ(Trace("<?xml version='1.0' encoding='utf-8'?><a>x</a>"), "<a>[x]</a>");
  EXPECT_EQ(Trace("<?xml version=\"1.0\" encoding=\"US-ASCII\"?><a>x</a>"), "<a>[x]</a>");
  // UTF-16 declared over 8-bit bytes is a writer's slip: the bytes are what they are.
  EXPECT_EQ(Trace("<?xml version=\"1.0\" encoding=\"UTF-16\"?><a>x</a>"), "<a>[x]</a>");
}

TEST(XmlPullParser, IllFormedUtf8InTextAndValuesBecomesReplacementCharacters) {
  const std::pair<std::string, std::string> cases[] = {
      {"<a>caf\xE9!</a>", "<a>[caf\uFFFD!]</a>"},
      {"<a>\xE2\x82</a>", "<a>[\uFFFD]</a>"},                  // a cut-short character is one replacement
      {"<a>\xC0\xAF</a>", "<a>[\uFFFD\uFFFD]</a>"},            // overlong: each byte
      {"<a>\xED\xA0\x80</a>", "<a>[\uFFFD\uFFFD\uFFFD]</a>"},  // an encoded surrogate
      {"<a>\xF4\x90\x80\x80</a>", "<a>[\uFFFD\uFFFD\uFFFD\uFFFD]</a>"},  // past U+10FFFF
      {"<a v=\"x\xFFy\" w=\"\u00E9\"/>", "<a v=x\uFFFDy w=\u00E9/>"},
      {"<a><![CDATA[\x80]]></a>", "<a>[\uFFFD]</a>"},
      {"<a>ok \u00E9\u4E2D\U0001F600</a>", "<a>[ok \u00E9\u4E2D\U0001F600]</a>"},
  };
  for (const auto& [xml, expected] : cases) EXPECT_EQ(Trace(xml), expected) << xml;
}

}  // namespace
}  // namespace quorvex::sheet::container
