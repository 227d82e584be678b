// A streaming, non-validating XML tokenizer: elements, attributes and decoded text, no DTDs.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "sheet/container/ByteSource.h"
#include "sheet/container/XmlElementStack.h"
#include "sheet/container/XmlLimits.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet::container {

/// Pulls tokens from an XML byte stream in UTF-8, or in UTF-16 of either byte order (found by its
/// byte order mark or its first bytes, and read as UTF-8); a declaration of any other encoding is
/// refused. Text and attribute values are always well-formed UTF-8: ill-formed bytes read as
/// U+FFFD. Names are not namespace-resolved: consumers match
/// local names, so transitional and strict vocabularies read alike. Comments, processing
/// instructions and the XML declaration are skipped; a document type declaration is refused, so
/// no entity beyond the five predefined ones and character references is ever expanded.
/// Every failure is a SheetError naming the part and the byte offset.
class XmlPullParser {
 public:
  enum class Event : std::uint8_t { kStartElement, kEndElement, kText, kEndOfDocument };

  struct Attribute {
    std::string_view name;        // qualified, as written
    std::string_view local_name;  // without its prefix
    std::string_view value;       // entity references decoded, white space normalised
  };

  /// `part` names the stream in error messages. `source` must outlive the parser.
  XmlPullParser(ByteSource& source, std::string part, const XmlLimits& limits = XmlLimits{});

  /// Advances to the next token. A self-closing element gives a start and then an end event.
  /// Text may arrive as several consecutive kText events (around comments, CDATA sections);
  /// consumers append them. White space outside the root element is not reported.
  Event Next();

  /// Skips the rest of the element whose start event was just returned, through its end event.
  void SkipElement();

  /// Reads the rest of the element whose start event was just returned, through its end event
  /// (the current event afterwards), and returns the text within it: that of nested elements
  /// too, in document order. Valid until the next call. A cell value, the usual text alone
  /// before its end tag, takes one call instead of three events.
  std::string_view ReadElementText();

  Event event() const { return event_; }
  /// Qualified and local name of the current start or end element. Valid until the next call.
  std::string_view name() const { return name_; }
  std::string_view local_name() const { return local_name_; }
  /// Attributes of the current start element (namespace declarations left out).
  std::span<const Attribute> attributes() const { return attributes_; }
  /// The attribute with this local name, or nullptr.
  const Attribute* FindAttribute(std::string_view local_name) const;
  /// Decoded content of the current text event. Valid until the next call.
  std::string_view text() const { return text_; }
  /// Whether the current start or end event comes from a self-closing tag.
  bool empty_element() const { return empty_element_; }
  /// Nesting level of the current element, 1 for the root; for text, that of its parent.
  std::size_t depth() const { return depth_; }
  /// Byte offset of the current token in the stream.
  std::uint64_t offset() const { return token_offset_; }
  const std::string& part() const { return part_; }

  /// Throws a SheetError naming the part and the current token's offset.
  [[noreturn]] void Fail(SheetErrorCode code, const std::string& sentence) const;

 private:
  enum class Step : std::uint8_t { kToken, kSkipped, kNeedMore };

  void Start();
  void ReadAsUtf16(bool big_endian);
  void CheckDeclaredEncoding();
  std::string_view WellFormed(std::string_view text);
  void Refill();
  Event FinishDocument();
  Step ScanText(char* p);
  /// Markup other than start and end tags: declarations, processing instructions, errors.
  Step ScanMarkup(char* p);
  Step ScanDeclaration(char* p);
  Step ScanStartTag(char* p);
  /// What the attributes read so far need once their tag is complete.
  struct AttributeScan {
    bool needs_decoding = false;  // a value holds '&' or white space to normalise
    bool non_ascii = false;       // a value may hold ill-formed UTF-8
  };
  /// Reads one attribute at `q` of the start tag at `tag` (its name ending at `name_end`),
  /// leaving `q` after its closing quote; kNeedMore when the buffer ends first.
  Step ScanAttribute(char* tag, char* name_end, char*& q, AttributeScan& scan);
  Step ScanEndTag(char* p);
  void CompleteStartTag(char* name_begin, char* name_end, char* colon, char* tag_end, bool empty,
                        bool needs_decoding);
  char* DecodeInPlace(char* begin, char* end, bool attribute);
  char* DecodeReference(char*& in, char* end, char* out);
  std::string_view OpenElement() const;
  std::uint64_t OffsetOf(const char* p) const;
  [[noreturn]] void FailAt(const char* at, SheetErrorCode code, const std::string& sentence) const;

  ByteSource* source_;
  std::unique_ptr<ByteSource> transcoder_;  // reads UTF-16 parts as UTF-8
  std::string part_;
  XmlLimits limits_;

  std::unique_ptr<char[]> buffer_;
  std::size_t capacity_ = 0;         // usable bytes; one more holds a '\0' sentinel after the data
  char* cursor_ = nullptr;           // start of the next token
  char* limit_ = nullptr;            // end of the data in the buffer
  std::uint64_t buffer_offset_ = 0;  // stream offset of buffer_[0]
  bool started_ = false;
  bool source_done_ = false;

  Event event_ = Event::kEndOfDocument;
  std::string_view name_;
  std::string_view local_name_;
  std::string_view text_;
  std::vector<Attribute> attributes_;
  std::deque<std::string> repaired_;  // well-formed copies of the current token's ill-formed text
  std::string element_text_;          // ReadElementText's result when it spans several tokens
  bool empty_element_ = false;
  bool pending_end_ = false;
  std::size_t depth_ = 0;
  std::uint64_t token_offset_ = 0;

  bool root_seen_ = false;
  XmlElementStack open_;  // the elements started and not yet ended
};

}  // namespace quorvex::sheet::container
