// Reads the document's title and author from the core properties part (ECMA-376-2 §11).
#include "sheet/ooxml/CorePropertiesPart.h"

namespace quorvex::sheet::ooxml {
namespace {
constexpr std::size_t kMaxPropertyLength = 4096;
}  // namespace

void ReadCorePropertiesPart(container::XmlPullParser& parser, Workbook& workbook) {
  using Event = container::XmlPullParser::Event;
  std::string* target = nullptr;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    if (event == Event::kStartElement) {
      const std::string_view name = parser.local_name();
      target = name == "title" ? &workbook.title : name == "creator" ? &workbook.author : nullptr;
      if (target != nullptr) target->clear();
    } else if (event == Event::kText && target != nullptr) {
      if (target->size() < kMaxPropertyLength) target->append(parser.text().substr(0, kMaxPropertyLength));
    } else if (event == Event::kEndElement) {
      target = nullptr;
    }
  }
}

}  // namespace quorvex::sheet::ooxml
