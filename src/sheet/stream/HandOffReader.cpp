// A workbook reader whose sheets are read on two threads: parsing on one, the sink on another.
#include "sheet/stream/HandOffReader.h"

#include <string>
#include <utility>

#include "sheet/stream/HandOffSink.h"

namespace quorvex::sheet {

HandOffReader::HandOffReader(std::unique_ptr<WorkbookReader> reader) : reader_(std::move(reader)) {
  reader_->SetWarningHandler([this](const std::string& sentence) { Warn(sentence); });
}

void HandOffReader::ReadSheet(std::size_t position, SheetSink& sink) {
  HandOffSink hand_off(sink);
  reader_->ReadSheet(position, hand_off);
  hand_off.Finish();
}

}  // namespace quorvex::sheet
