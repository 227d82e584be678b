// Streams the shared string table (sst) into one arena.
#include "sheet/ooxml/SharedStrings.h"

#include <algorithm>
#include <charconv>

#include "sheet/ooxml/Xstring.h"

namespace quorvex::sheet::ooxml {
namespace {

constexpr std::uint64_t kMaxArenaSize = 0xFFFFFFFFu;
constexpr std::size_t kMaxStrings = std::size_t{128} << 20;
constexpr std::size_t kMaxReserve = std::size_t{1} << 22;  // a count attribute is only a hint

}  // namespace

void SharedStrings::Load(container::XmlPullParser& parser) {
  using Event = container::XmlPullParser::Event;
  arena_.clear();
  ends_.clear();
  bool in_item = false;
  bool in_text = false;
  std::size_t text_start = 0;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    if (event == Event::kText) {
      if (!in_text) continue;
      if (arena_.size() + parser.text().size() > kMaxArenaSize) {
        parser.Fail(SheetErrorCode::kTooLarge, "the shared strings expand beyond safe limits");
      }
      arena_.append(parser.text());
      continue;
    }
    const std::string_view name = parser.local_name();
    if (event == Event::kStartElement) {
      if (name == "si") {
        in_item = true;
      } else if (in_item && name == "t") {
        in_text = true;
        text_start = arena_.size();
      } else if (in_item && name == "rPh") {
        parser.SkipElement();  // phonetic guide text is not part of the value
      } else if (name == "sst") {
        if (const auto* count = parser.FindAttribute("uniqueCount")) {
          std::size_t n = 0;
          std::from_chars(count->value.data(), count->value.data() + count->value.size(), n);
          ends_.reserve(std::min(n, kMaxReserve));
        }
      }
    } else if (name == "t" && in_text) {
      in_text = false;
      arena_.resize(text_start +
                    DecodeXstringInPlace(arena_.data() + text_start, arena_.size() - text_start));
    } else if (name == "si" && in_item) {
      in_item = false;
      if (ends_.size() == kMaxStrings) {
        parser.Fail(SheetErrorCode::kTooLarge, "the shared strings are too many");
      }
      ends_.push_back(static_cast<std::uint32_t>(arena_.size()));
    }
  }
  arena_.shrink_to_fit();
  ends_.shrink_to_fit();
}

}  // namespace quorvex::sheet::ooxml
