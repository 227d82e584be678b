// The cells of a comments part's <comment> elements; their text is not needed.
#include "sheet/ooxml/CommentsPart.h"

#include "sheet/ooxml/CellReference.h"

namespace quorvex::sheet::ooxml {

void ReadCommentsPart(container::XmlPullParser& parser, SheetSink& sink) {
  using Event = container::XmlPullParser::Event;
  for (Event event; (event = parser.Next()) != Event::kEndOfDocument;) {
    if (event != Event::kStartElement || parser.local_name() != "comment") continue;
    if (const auto* ref = parser.FindAttribute("ref")) {
      if (const auto position = ParseCellReference(ref->value))
        sink.OnComment(position->row, position->column);
    }
    parser.SkipElement();
  }
}

}  // namespace quorvex::sheet::ooxml
