// Streams the shared string table (sst) into a bounded string table.
#include "sheet/ooxml/SharedStrings.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "sheet/container/Utf8.h"
#include "sheet/ooxml/Xstring.h"

namespace quorvex::sheet::ooxml {
namespace {

constexpr std::size_t kMaxStrings = std::size_t{128} << 20;
constexpr std::size_t kMaxReserve = std::size_t{1} << 22;  // a count attribute is only a hint
// A string being read is cut to the characters a cell keeps once its runs pass this many bytes
// (more bytes than kMaxCharacters code units can take), so one huge <si> stays small.
constexpr std::size_t kMaxItemBytes = 3 * container::StringTable::kMaxCharacters;

}  // namespace

void SharedStrings::Load(container::XmlPullParser& parser, std::uint64_t budget) {
  using Event = container::XmlPullParser::Event;
  table_ = container::StringTable(budget);
  std::string item;  // the <si> being read
  bool in_item = false;
  bool in_text = false;
  std::size_t text_start = 0;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    if (event == Event::kText) {
      if (in_text) item.append(parser.text());
      continue;
    }
    const std::string_view name = parser.local_name();
    if (event == Event::kStartElement) {
      if (name == "si") {
        in_item = true;
        item.clear();
      } else if (in_item && name == "t") {
        in_text = true;
        text_start = item.size();
      } else if (in_item && name == "rPh") {
        parser.SkipElement();  // phonetic guide text is not part of the value
      } else if (name == "sst") {
        if (const auto* count = parser.FindAttribute("uniqueCount")) {
          std::size_t n = 0;
          std::from_chars(count->value.data(), count->value.data() + count->value.size(), n);
          table_.Reserve(std::min(n, kMaxReserve));
        }
      }
    } else if (name == "t" && in_text) {
      in_text = false;
      item.resize(text_start + DecodeXstringInPlace(item.data() + text_start, item.size() - text_start));
      if (item.size() > kMaxItemBytes) {
        item.resize(container::PrefixWithinUtf16Units(item, container::StringTable::kMaxCharacters));
      }
    } else if (name == "si" && in_item) {
      in_item = false;
      if (table_.size() == kMaxStrings)
        parser.Fail(SheetErrorCode::kTooLarge, "the shared strings are too many");
      if (!table_.Add(item)) parser.Fail(SheetErrorCode::kTooLarge, container::StringTable::kOverBudget);
    }
  }
}

}  // namespace quorvex::sheet::ooxml
