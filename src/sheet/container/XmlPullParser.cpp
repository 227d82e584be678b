// A streaming XML tokenizer over a ByteSource: scans its buffer in place, refilling between tokens.
#include "sheet/container/XmlPullParser.h"

#include <algorithm>
#include <cstring>

#include "sheet/container/Utf16ToUtf8Source.h"
#include "sheet/container/Utf8.h"
#include "sheet/container/XmlCharacters.h"

namespace quorvex::sheet::container {

using xml::Classify;
using xml::IsXmlSpace;

namespace {

constexpr std::size_t kMaxReferenceSize = 40;     // "&#x0000000000010FFFF;" and shorter
constexpr std::size_t kMaxDeclarationSize = 256;  // enough for any real <?xml ...?> declaration

std::string Quoted(std::string_view text) {
  constexpr std::size_t kShown = 60;
  return std::string(text.substr(0, kShown)) + (text.size() > kShown ? "..." : "");
}

/// "character 'x'" for printable ASCII, else "byte 0xNN".
std::string DescribeByte(char c) {
  if (c > ' ' && c < 0x7F) return std::string("character '") + c + "'";
  static constexpr char kHex[] = "0123456789ABCDEF";
  const auto b = static_cast<unsigned char>(c);
  return std::string("byte 0x") + kHex[b >> 4] + kHex[b & 0xF];
}

/// Byte comparison for short names, where a call to memcmp costs more than the loop.
inline bool SameBytes(const char* a, const char* b, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

}  // namespace

XmlPullParser::XmlPullParser(ByteSource& source, std::string part, const XmlLimits& limits)
    : source_(&source), part_(std::move(part)), limits_(limits) {
  capacity_ = std::max<std::size_t>(limits_.buffer_size, 64);
  buffer_ = std::make_unique_for_overwrite<char[]>(capacity_ + 1);
  cursor_ = limit_ = buffer_.get();
  *limit_ = '\0';
}

std::uint64_t XmlPullParser::OffsetOf(const char* p) const {
  return buffer_offset_ + static_cast<std::uint64_t>(p - buffer_.get());
}

void XmlPullParser::Fail(SheetErrorCode code, const std::string& sentence) const {
  throw SheetError(code, sentence, part_, token_offset_);
}

void XmlPullParser::FailAt(const char* at, SheetErrorCode code, const std::string& sentence) const {
  throw SheetError(code, sentence, part_, OffsetOf(at));
}

const XmlPullParser::Attribute* XmlPullParser::FindAttribute(std::string_view local_name) const {
  for (const Attribute& attribute : attributes_) {
    if (attribute.local_name == local_name) return &attribute;
  }
  return nullptr;
}

std::string_view XmlPullParser::OpenElement() const {
  return open_.Top();
}

void XmlPullParser::Refill() {
  char* base = buffer_.get();
  const std::size_t keep = static_cast<std::size_t>(limit_ - cursor_);
  if (keep > limits_.max_token_size) {
    FailAt(cursor_, SheetErrorCode::kTooLarge,
           "an XML token is longer than " + std::to_string(limits_.max_token_size >> 20) + " MiB");
  }
  // Grow when the unfinished token fills half the buffer, so rescanning it stays linear overall.
  if (capacity_ - keep < capacity_ / 2) {
    const std::size_t new_capacity = capacity_ * 2;
    auto bigger = std::make_unique_for_overwrite<char[]>(new_capacity + 1);
    std::memcpy(bigger.get(), cursor_, keep);
    buffer_offset_ += static_cast<std::uint64_t>(cursor_ - base);
    buffer_ = std::move(bigger);
    capacity_ = new_capacity;
    base = buffer_.get();
  } else if (cursor_ != base) {
    std::memmove(base, cursor_, keep);
    buffer_offset_ += static_cast<std::uint64_t>(cursor_ - base);
  }
  cursor_ = base;
  limit_ = base + keep;
  const std::size_t n = source_->Read(limit_, capacity_ - keep);
  if (n == 0) source_done_ = true;
  limit_ += n;
  *limit_ = '\0';
}

void XmlPullParser::Start() {
  started_ = true;
  while (!source_done_ && limit_ - cursor_ < 3) Refill();
  const auto* b = reinterpret_cast<const unsigned char*>(cursor_);
  const std::ptrdiff_t available = limit_ - cursor_;
  if (available >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    cursor_ += 3;
  } else if (available >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
    ReadAsUtf16(b[0] == 0xFE);
    cursor_ += 3;  // the byte order mark, now in UTF-8
    return;
  } else if (available >= 2 && (b[0] == 0) != (b[1] == 0)) {
    // No XML document starts with NUL, so a NUL among the first two bytes means UTF-16.
    ReadAsUtf16(b[0] == 0);
  }
  CheckDeclaredEncoding();
}

void XmlPullParser::ReadAsUtf16(bool big_endian) {
  transcoder_ = std::make_unique<Utf16ToUtf8Source>(
      *source_, std::string(cursor_, static_cast<std::size_t>(limit_ - cursor_)), big_endian);
  source_ = transcoder_.get();
  cursor_ = limit_ = buffer_.get();
  *limit_ = '\0';
  buffer_offset_ = 0;
  source_done_ = false;
  while (!source_done_ && limit_ - cursor_ < 3) Refill();
}

void XmlPullParser::CheckDeclaredEncoding() {
  // <?xml version="1.0" encoding="..."?>: UTF-8 and its ASCII subset are read as they are; a
  // declared UTF-16 in an 8-bit stream is a writer's slip, read as UTF-8 too.
  constexpr std::string_view kDeclaration = "<?xml";
  while (!source_done_ && static_cast<std::size_t>(limit_ - cursor_) < kMaxDeclarationSize) Refill();
  const std::string_view head(cursor_, std::min<std::size_t>(limit_ - cursor_, kMaxDeclarationSize));
  if (!head.starts_with(kDeclaration)) return;
  const std::string_view declaration = head.substr(0, head.find("?>"));
  const std::size_t key = declaration.find("encoding");
  if (key == std::string_view::npos) return;
  const std::size_t open = declaration.find_first_of("\"'", key);
  if (open == std::string_view::npos) return;
  const std::size_t close = declaration.find(declaration[open], open + 1);
  if (close == std::string_view::npos) return;
  std::string name(declaration.substr(open + 1, close - open - 1));
  for (char& c : name) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  for (const char* accepted :
       {"UTF-8", "UTF8", "US-ASCII", "ASCII", "UTF-16", "UTF-16LE", "UTF-16BE", "UNICODE"}) {
    if (name == accepted) return;
  }
  FailAt(cursor_, SheetErrorCode::kUnsupported,
         "the XML is encoded in " + Quoted(name) + "; only UTF-8 and UTF-16 are supported");
}

std::string_view XmlPullParser::WellFormed(std::string_view text) {
  if (IsValidUtf8(text)) return text;
  repaired_.push_back(RepairUtf8(text));
  return repaired_.back();
}

XmlPullParser::Event XmlPullParser::Next() {
  if (pending_end_) {
    pending_end_ = false;
    event_ = Event::kEndElement;
    return event_;
  }
  if (!started_) Start();
  for (;;) {
    char* p = cursor_;
    if (p == limit_) {
      if (source_done_) return FinishDocument();
      Refill();
      continue;
    }
    token_offset_ = OffsetOf(p);
    // Tags and text, the bulk of every part, are scanned inline; the rest goes to ScanMarkup.
    // p[1] is readable: the buffer keeps a '\0' after its data.
    Step step;
    if (*p != '<') {
      step = ScanText(p);
    } else if (p[1] == '/') {
      step = ScanEndTag(p);
    } else if ((Classify(p[1]) & xml::kNameStart) != 0) {
      step = ScanStartTag(p);
    } else {
      step = ScanMarkup(p);
    }
    if (step == Step::kToken) return event_;
    if (step == Step::kNeedMore) {
      if (source_done_) {
        FailAt(limit_, SheetErrorCode::kCorrupt,
               "the XML ends inside a tag" +
                   (open_.empty() ? std::string() : " within <" + std::string(OpenElement()) + ">"));
      }
      Refill();
    }
  }
}

void XmlPullParser::SkipElement() {
  if (event_ != Event::kStartElement) return;
  const std::size_t depth = depth_;
  while (Next() != Event::kEndOfDocument) {
    if (event_ == Event::kEndElement && depth_ == depth) return;
  }
}

std::string_view XmlPullParser::ReadElementText() {
  if (event_ != Event::kStartElement) return {};
  if (pending_end_) {
    Next();
    return {};
  }
  const std::size_t depth = depth_;
  // Quickly: text (or none) and then the element's end tag, both whole in the buffer.
  std::string_view text;
  char* p = cursor_;
  if (p != limit_ && *p != '<') {
    token_offset_ = OffsetOf(p);
    if (ScanText(p) == Step::kToken) {
      text = text_;
      p = cursor_;
    }
  }
  if (p[0] == '<' && p[1] == '/') {
    token_offset_ = OffsetOf(p);
    if (ScanEndTag(p) == Step::kToken) return text;
  }
  // Otherwise token by token; what has been read is copied, as refilling moves the buffer.
  element_text_.assign(text);
  while (Next() != Event::kEndOfDocument) {
    if (event_ == Event::kText) {
      element_text_.append(text_);
    } else if (event_ == Event::kEndElement && depth_ == depth) {
      break;
    }
  }
  return element_text_;
}

XmlPullParser::Event XmlPullParser::FinishDocument() {
  if (!open_.empty()) {
    FailAt(limit_, SheetErrorCode::kCorrupt,
           "the XML ends inside the element <" + std::string(OpenElement()) + ">");
  }
  if (!root_seen_) FailAt(limit_, SheetErrorCode::kCorrupt, "the part holds no XML element");
  token_offset_ = OffsetOf(limit_);
  event_ = Event::kEndOfDocument;
  name_ = local_name_ = text_ = {};
  attributes_.clear();
  depth_ = 0;
  return event_;
}

[[gnu::always_inline]] inline XmlPullParser::Step XmlPullParser::ScanText(char* p) {
  // One pass finds the end of the text and whether it needs decoding; the '\0' after the data
  // stops the loop at the end of the buffer.
  char* lt = p;
  std::uint8_t seen = 0;
  while (*lt != '<' && *lt != '\0') seen |= Classify(*lt++);
  if (lt != limit_ && *lt == '\0') {
    FailAt(lt, SheetErrorCode::kCorrupt, "a NUL character is not allowed in XML");
  }
  if (lt == limit_ && !source_done_) return Step::kNeedMore;
  if (open_.empty()) {
    for (char* q = p; q < lt; ++q) {
      if (!IsXmlSpace(*q)) {
        FailAt(
            q, SheetErrorCode::kCorrupt,
            root_seen_ ? "there is content after the root element" : "there is text before the root element");
      }
    }
    cursor_ = lt;
    return Step::kSkipped;
  }
  char* end = (seen & xml::kTextSpecial) != 0 ? DecodeInPlace(p, lt, false) : lt;
  text_ = std::string_view(p, static_cast<std::size_t>(end - p));
  if ((seen & xml::kNonAscii) != 0) {
    repaired_.clear();
    text_ = WellFormed(text_);
  }
  depth_ = open_.depth();
  cursor_ = lt;
  event_ = Event::kText;
  return Step::kToken;
}

XmlPullParser::Step XmlPullParser::ScanMarkup(char* p) {
  if (limit_ - p < 2) return Step::kNeedMore;
  switch (p[1]) {
    case '!':
      return ScanDeclaration(p);
    case '?': {
      // Processing instructions, the XML declaration among them, carry nothing a reader needs.
      const std::size_t end = std::string_view(p, static_cast<std::size_t>(limit_ - p)).find("?>", 2);
      if (end == std::string_view::npos) return Step::kNeedMore;
      cursor_ = p + end + 2;
      return Step::kSkipped;
    }
    default:  // end and start tags are scanned by Next
      FailAt(p + 1, SheetErrorCode::kCorrupt, "expected an element name after '<'");
  }
}

XmlPullParser::Step XmlPullParser::ScanDeclaration(char* p) {
  const std::string_view rest(p, static_cast<std::size_t>(limit_ - p));
  constexpr std::string_view kComment = "<!--";
  constexpr std::string_view kCdata = "<![CDATA[";
  constexpr std::string_view kDoctype = "<!DOCTYPE";
  if (rest.starts_with(kComment)) {
    const std::size_t end = rest.find("-->", kComment.size());
    if (end == std::string_view::npos) return Step::kNeedMore;
    cursor_ = p + end + 3;
    return Step::kSkipped;
  }
  if (rest.starts_with(kCdata)) {
    if (open_.empty()) {
      FailAt(p, SheetErrorCode::kCorrupt, "a CDATA section lies outside the root element");
    }
    const std::size_t end = rest.find("]]>", kCdata.size());
    if (end == std::string_view::npos) return Step::kNeedMore;
    char* begin = p + kCdata.size();
    char* text_end = begin;
    // Line ends are normalised in CDATA sections as well; nothing else is decoded there.
    for (char* in = begin; in < p + end; ++in) {
      if (*in == '\r') {
        *text_end++ = '\n';
        if (in + 1 < p + end && in[1] == '\n') ++in;
      } else {
        *text_end++ = *in;
      }
    }
    repaired_.clear();
    text_ = WellFormed(std::string_view(begin, static_cast<std::size_t>(text_end - begin)));
    depth_ = open_.depth();
    cursor_ = p + end + 3;
    event_ = Event::kText;
    return Step::kToken;
  }
  if (rest.starts_with(kDoctype)) {
    FailAt(p, SheetErrorCode::kCorrupt, "document type declarations are not allowed in workbook parts");
  }
  const std::string_view head = rest.substr(0, kCdata.size());
  if (kComment.starts_with(head.substr(0, kComment.size())) || kCdata.starts_with(head) ||
      kDoctype.starts_with(head)) {
    return Step::kNeedMore;  // too few bytes yet to tell which
  }
  FailAt(p, SheetErrorCode::kCorrupt, "unexpected markup '" + Quoted(rest.substr(0, 12)) + "'");
}

// Inlined into ScanStartTag, its one caller: the start tag is the parser's hottest path.
[[gnu::always_inline]] inline XmlPullParser::Step XmlPullParser::ScanAttribute(char* tag, char* name_end,
                                                                               char*& q,
                                                                               AttributeScan& scan) {
  char* attribute_begin = q;
  char* attribute_colon = nullptr;
  for (std::uint8_t k; ((k = Classify(*q)) & xml::kNameChar) != 0; ++q) {
    if ((k & xml::kColon) != 0) attribute_colon = q;
  }
  if (q == limit_) return Step::kNeedMore;
  const std::string_view attribute(attribute_begin, static_cast<std::size_t>(q - attribute_begin));
  const std::string_view local =
      attribute_colon != nullptr
          ? std::string_view(attribute_colon + 1, static_cast<std::size_t>(q - attribute_colon - 1))
          : attribute;
  if (attribute.size() > limits_.max_name_size) {
    FailAt(attribute_begin, SheetErrorCode::kTooLarge, "an attribute name is too long");
  }
  while (IsXmlSpace(*q)) ++q;
  if (q == limit_) return Step::kNeedMore;
  if (*q != '=') {
    FailAt(q, SheetErrorCode::kCorrupt, "expected '=' after the attribute '" + Quoted(attribute) + "'");
  }
  ++q;
  while (IsXmlSpace(*q)) ++q;
  if (q == limit_) return Step::kNeedMore;
  const char quote = *q;
  if (quote != '"' && quote != '\'') {
    FailAt(q, SheetErrorCode::kCorrupt,
           "expected a quoted value for the attribute '" + Quoted(attribute) + "'");
  }
  char* value = q + 1;
  char* close = value;
  std::uint8_t seen = 0;
  while (*close != quote && *close != '\0') seen |= Classify(*close++);
  if ((seen & xml::kLessThan) != 0) {
    FailAt(static_cast<char*>(std::memchr(value, '<', static_cast<std::size_t>(close - value))),
           SheetErrorCode::kCorrupt,
           "'<' is not allowed in the value of the attribute '" + Quoted(attribute) + "'");
  }
  if (*close == '\0') {
    if (close == limit_) return Step::kNeedMore;
    FailAt(close, SheetErrorCode::kCorrupt, "a NUL character is not allowed in XML");
  }
  q = close + 1;
  // Namespace declarations are not attributes to a reader that matches local names.
  if (attribute.starts_with("xmlns") && (attribute.size() == 5 || attribute[5] == ':')) return Step::kToken;
  if (attributes_.size() == limits_.max_attributes) {
    FailAt(tag, SheetErrorCode::kTooLarge,
           "the element <" + std::string(tag + 1, name_end) + "> has too many attributes");
  }
  scan.needs_decoding |= (seen & xml::kValueSpecial) != 0;
  scan.non_ascii |= (seen & xml::kNonAscii) != 0;
  attributes_.push_back({attribute, local, std::string_view(value, static_cast<std::size_t>(close - value))});
  return Step::kToken;
}

[[gnu::always_inline]] inline XmlPullParser::Step XmlPullParser::ScanStartTag(char* p) {
  char* q = p + 1;
  if ((Classify(*q) & xml::kNameStart) == 0) {
    if (q == limit_) return Step::kNeedMore;
    FailAt(q, SheetErrorCode::kCorrupt, "expected an element name after '<'");
  }
  char* colon = nullptr;
  for (std::uint8_t k; ((k = Classify(*q)) & xml::kNameChar) != 0; ++q) {
    if ((k & xml::kColon) != 0) colon = q;
  }
  if (q == limit_) return Step::kNeedMore;
  char* name_end = q;
  if (static_cast<std::size_t>(name_end - p - 1) > limits_.max_name_size) {
    FailAt(p, SheetErrorCode::kTooLarge, "an element name is too long");
  }

  attributes_.clear();
  bool empty = false;
  AttributeScan scan;
  for (;;) {
    const char* before = q;
    while (IsXmlSpace(*q)) ++q;
    if (q == limit_) return Step::kNeedMore;
    if (*q == '>') {
      ++q;
      break;
    }
    if (*q == '/') {
      if (q + 1 == limit_) return Step::kNeedMore;
      if (q[1] != '>') {
        FailAt(q, SheetErrorCode::kCorrupt,
               "expected '>' after '/' in the tag <" + std::string(p + 1, name_end) + ">");
      }
      q += 2;
      empty = true;
      break;
    }
    if (q == before || (Classify(*q) & xml::kNameStart) == 0) {
      const std::string element(p + 1, name_end);
      FailAt(q, SheetErrorCode::kCorrupt,
             *q == '<' ? "the tag <" + element + "> is not closed before the next '<'"
                       : "unexpected " + DescribeByte(*q) + " in the tag <" + element + ">");
    }
    if (ScanAttribute(p, name_end, q, scan) == Step::kNeedMore) return Step::kNeedMore;
  }
  CompleteStartTag(p + 1, name_end, colon, q, empty, scan.needs_decoding);
  if (scan.non_ascii) {
    repaired_.clear();
    for (Attribute& attribute : attributes_) attribute.value = WellFormed(attribute.value);
  }
  return Step::kToken;
}

[[gnu::always_inline]] inline void XmlPullParser::CompleteStartTag(char* name_begin, char* name_end,
                                                                   char* colon, char* tag_end, bool empty,
                                                                   bool needs_decoding) {
  const std::string_view name(name_begin, static_cast<std::size_t>(name_end - name_begin));
  if (open_.empty() && root_seen_) {
    FailAt(name_begin - 1, SheetErrorCode::kCorrupt, "there is content after the root element");
  }
  if (open_.depth() >= limits_.max_depth) {
    FailAt(name_begin - 1, SheetErrorCode::kTooLarge, "XML elements are nested too deeply");
  }
  // The whole tag is in the buffer now, so values can be decoded in place without a rescan.
  if (needs_decoding) {
    for (Attribute& attribute : attributes_) {
      char* begin = const_cast<char*>(attribute.value.data());
      char* end = DecodeInPlace(begin, begin + attribute.value.size(), true);
      attribute.value = std::string_view(begin, static_cast<std::size_t>(end - begin));
    }
  }

  name_ = name;
  local_name_ =
      colon != nullptr ? std::string_view(colon + 1, static_cast<std::size_t>(name_end - colon - 1)) : name;
  empty_element_ = empty;
  if (empty) {
    depth_ = open_.depth() + 1;
    pending_end_ = true;
  } else {
    open_.Push(name);
    depth_ = open_.depth();
  }
  root_seen_ = true;
  event_ = Event::kStartElement;
  cursor_ = tag_end;
}

[[gnu::always_inline]] inline XmlPullParser::Step XmlPullParser::ScanEndTag(char* p) {
  char* name_begin = p + 2;
  char* q = name_begin;
  char* colon = nullptr;
  for (std::uint8_t k; ((k = Classify(*q)) & xml::kNameChar) != 0; ++q) {
    if ((k & xml::kColon) != 0) colon = q;
  }
  if (q == limit_) return Step::kNeedMore;
  if (q == name_begin) FailAt(q, SheetErrorCode::kCorrupt, "expected an element name after '</'");
  char* name_end = q;
  while (IsXmlSpace(*q)) ++q;
  if (q == limit_) return Step::kNeedMore;
  const std::string_view name(name_begin, static_cast<std::size_t>(name_end - name_begin));
  if (*q != '>') FailAt(q, SheetErrorCode::kCorrupt, "expected '>' to end the tag </" + Quoted(name) + ">");
  if (open_.empty()) {
    FailAt(p, SheetErrorCode::kCorrupt, "the end tag </" + Quoted(name) + "> has no matching start tag");
  }
  const std::string_view open = OpenElement();
  if (open.size() != name.size() || !SameBytes(open.data(), name.data(), name.size())) {
    FailAt(p, SheetErrorCode::kCorrupt,
           "the end tag </" + Quoted(name) + "> does not match the open element <" +
               std::string(OpenElement()) + ">");
  }
  depth_ = open_.depth();
  open_.Pop();
  name_ = name;
  local_name_ =
      colon != nullptr ? std::string_view(colon + 1, static_cast<std::size_t>(name_end - colon - 1)) : name;
  empty_element_ = false;
  event_ = Event::kEndElement;
  cursor_ = q + 1;
  return Step::kToken;
}

char* XmlPullParser::DecodeInPlace(char* begin, char* end, bool attribute) {
  const std::uint8_t mask = attribute ? xml::kValueSpecial : xml::kTextSpecial;
  char* in = begin;
  while (in < end && (Classify(*in) & mask) == 0) ++in;
  if (in == end) return end;
  char* out = in;
  while (in < end) {
    const char c = *in;
    if ((Classify(c) & mask) == 0) {
      *out++ = c;
      ++in;
      continue;
    }
    switch (c) {
      case '&':
        out = DecodeReference(in, end, out);
        break;
      case '\r':  // CR LF and a lone CR both become one line feed
        *out++ = attribute ? ' ' : '\n';
        ++in;
        if (in < end && *in == '\n') ++in;
        break;
      case '<':
        FailAt(in, SheetErrorCode::kCorrupt, "'<' is not allowed in an attribute value");
      default:  // tab and line feed in attribute values
        *out++ = ' ';
        ++in;
        break;
    }
  }
  return out;
}

char* XmlPullParser::DecodeReference(char*& in, char* end, char* out) {
  const std::size_t window = std::min<std::size_t>(static_cast<std::size_t>(end - in - 1), kMaxReferenceSize);
  auto* semicolon = static_cast<char*>(std::memchr(in + 1, ';', window));
  if (semicolon == nullptr) {
    FailAt(
        in, SheetErrorCode::kCorrupt,
        "an '&' does not start a valid entity reference: '" +
            Quoted(std::string_view(in, static_cast<std::size_t>(std::min<std::ptrdiff_t>(end - in, 12)))) +
            "'");
  }
  const std::string_view reference(in + 1, static_cast<std::size_t>(semicolon - in - 1));
  if (reference.size() >= 2 && reference[0] == '#') {
    const bool hex = reference[1] == 'x';
    const std::string_view digits = reference.substr(hex ? 2 : 1);
    std::uint32_t code_point = 0;
    bool valid = !digits.empty();
    for (const char d : digits) {
      std::uint32_t digit;
      if (d >= '0' && d <= '9') {
        digit = static_cast<std::uint32_t>(d - '0');
      } else if (hex && d >= 'a' && d <= 'f') {
        digit = static_cast<std::uint32_t>(d - 'a' + 10);
      } else if (hex && d >= 'A' && d <= 'F') {
        digit = static_cast<std::uint32_t>(d - 'A' + 10);
      } else {
        valid = false;
        break;
      }
      code_point = code_point * (hex ? 16 : 10) + digit;
      if (code_point > 0x10FFFF) break;
    }
    if (!valid || code_point == 0 || code_point > 0x10FFFF ||
        (code_point >= 0xD800 && code_point <= 0xDFFF)) {
      FailAt(in, SheetErrorCode::kCorrupt,
             "the character reference '&" + std::string(reference) + ";' is not valid");
    }
    out = xml::EncodeUtf8(code_point, out);
  } else if (reference == "lt") {
    *out++ = '<';
  } else if (reference == "gt") {
    *out++ = '>';
  } else if (reference == "amp") {
    *out++ = '&';
  } else if (reference == "quot") {
    *out++ = '"';
  } else if (reference == "apos") {
    *out++ = '\'';
  } else {
    FailAt(in, SheetErrorCode::kCorrupt, "unknown entity '&" + Quoted(reference) + ";'");
  }
  in = semicolon + 1;
  return out;
}

}  // namespace quorvex::sheet::container
