// A workbook reader whose sheets are read on two threads: parsing on one, the sink on another.
#pragma once

#include <memory>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet {

/// Wraps a reader so that each ReadSheet parses on the calling thread while the sink works on
/// a thread of its own (HandOffSink). The sink sees the same events in the same order; its
/// errors reach the caller as they would without the wrapper. Warnings of the wrapped reader
/// go to this reader's handler.
class HandOffReader : public WorkbookReader {
 public:
  explicit HandOffReader(std::unique_ptr<WorkbookReader> reader);

  const Workbook& workbook() const override { return reader_->workbook(); }
  void ReadSheet(std::size_t position, SheetSink& sink) override;

 private:
  std::unique_ptr<WorkbookReader> reader_;
};

}  // namespace quorvex::sheet
