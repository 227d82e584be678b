// Publishes each selected worksheet of a workbook as one web page or single-file web page.
#pragma once

#include "engine/EngineContext.h"
#include "engine/ExportResult.h"

namespace quorvex::engine {

/// The per-sheet web exporter: for every worksheet the selection table leaves ticked, adds one
/// item to the workbook's publish collection (whole sheet, the page type from HtmlTypeIndex,
/// the page title from PageTitleIndex, extension htm/html or mht/mhtml from FormatIndex and
/// ShortExtension), then publishes and empties the collection. Returns the ExportResult.
ExportResult PublishSheetsWeb(EngineContext& context, int row);

}  // namespace quorvex::engine
