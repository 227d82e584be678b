// Web pages of sheets and workbooks.
#include "sheet/writers/HtmlPageWriter.h"

#include <set>

#include "sheet/writers/HtmlScripts.h"
#include "sheet/writers/HtmlStyleSheet.h"
#include "sheet/writers/HtmlTable.h"
#include "sheet/writers/MarkupEscape.h"
#include "sheet/writers/MhtArchive.h"
#include "sheet/writers/OutputFile.h"
#include "sheet/writers/SheetBuffer.h"

namespace quorvex::sheet {
namespace {

void AppendHead(std::string& out, const std::string& title, const std::string& css) {
  out.append("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n");
  out.append("<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n");
  // Nothing on the page may come from the network.
  out.append(
      "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
      "style-src 'unsafe-inline'; script-src 'unsafe-inline'; img-src data:\">\n");
  out.append("<title>");
  AppendEscaped(out, title);
  out.append("</title>\n<style>\n").append(css).append("</style>\n</head>\n");
}

void AppendHeading(std::string& out, const std::string& title) {
  if (title.empty()) return;
  out.append("<h1 class=\"q-title\">");
  AppendEscaped(out, title);
  out.append("</h1>\n");
}

std::string_view SpreadsheetToolbar() {
  return R"(<div class="q-toolbar">
<label><input type="checkbox" id="q-header-row"> First row holds headers</label>
<label>Filter <input type="text" id="q-filter" placeholder="text to keep"></label>
<label>in <select id="q-filter-column"><option value="">every column</option></select></label>
<label>Find <input type="text" id="q-find"></label>
<button type="button" id="q-find-next">Find next</button>
<span id="q-find-status" role="status"></span>
</div>
<div class="q-formula"><input type="text" id="q-address" readonly aria-label="Cell"><input type="text" id="q-formula" readonly aria-label="Formula"></div>
)";
}

std::string_view PivotToolbar() {
  return R"(<div class="q-toolbar">
<label>Rows <select id="q-pivot-rows"></select></label>
<label>Columns <select id="q-pivot-columns"></select></label>
<label>Values <select id="q-pivot-values"></select></label>
<label>Summary <select id="q-pivot-function"><option value="sum">Sum</option><option value="count">Count</option><option value="average">Average</option></select></label>
</div>
<div id="q-pivot-output"></div>
<h2 class="q-section">Source data</h2>
)";
}

// True when every value of the sheet's first row is text and another row follows: the row then
// reads as column headings, and the interactive page keeps it in place when sorting.
bool FirstRowLooksLikeHeaders(const SheetBuffer& sheet) {
  const auto& cells = sheet.cells();
  if (cells.empty()) return false;
  const std::uint32_t first = cells.front().row;
  bool any_text = false;
  for (const BufferedCell& cell : cells) {
    if (cell.row != first) return any_text;
    if (cell.kind == CellKind::kString)
      any_text = true;
    else if (cell.kind != CellKind::kEmpty)
      return false;
  }
  return false;
}

}  // namespace

std::string SheetPage(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                      const std::string& title, WebPageType type) {
  const SheetBuffer sheet = ReadSheetBuffer(reader, position, kMaxTableCells);
  HtmlTableOptions options;
  options.interactive = type != WebPageType::kStatic;
  std::string table;
  std::set<std::uint32_t> used;
  AppendHtmlTable(table, sheet, text, options, used);

  std::string css(BasePageCss());
  if (options.interactive) css.append(InteractiveCss());
  AppendStyleRules(css, reader.workbook(), used);

  std::string out;
  out.reserve(table.size() + css.size() + 16384);
  AppendHead(out, title, css);
  out.append("<body>\n");
  AppendHeading(out, title);
  if (type == WebPageType::kSpreadsheet) {
    std::string toolbar(SpreadsheetToolbar());
    if (FirstRowLooksLikeHeaders(sheet)) {
      toolbar.replace(toolbar.find("id=\"q-header-row\""), 17, "id=\"q-header-row\" checked");
    }
    out.append(toolbar);
  } else if (type == WebPageType::kPivotTable) {
    out.append(PivotToolbar());
  }
  out.append(table);
  if (type == WebPageType::kSpreadsheet)
    out.append("<script>\n").append(SpreadsheetScript()).append("</script>\n");
  if (type == WebPageType::kPivotTable) out.append("<script>\n").append(PivotScript()).append("</script>\n");
  out.append("</body>\n</html>\n");
  return out;
}

std::string WorkbookPage(WorkbookReader& reader, const numfmt::CellText& text, const std::string& title) {
  const Workbook& workbook = reader.workbook();
  std::vector<std::size_t> shown;
  for (const std::size_t position : workbook.WorksheetPositions()) {
    if (!workbook.sheets[position].hidden) shown.push_back(position);
  }
  // The active sheet's tab starts chosen; when it is not shown, the first tab is.
  std::size_t chosen = 0;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    if (shown[i] == workbook.active_sheet) chosen = i;
  }

  // Each sheet is an exclusive <details> element: its summary is the tab, and opening one closes
  // the others. This needs neither script nor form controls, which single-file pages disable.
  std::set<std::uint32_t> used;
  std::string sheets;
  std::string css(BasePageCss());
  css.append(WorkbookTabsCss());
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const std::string& name = workbook.sheets[shown[i]].name;
    sheets.append("<details name=\"q-sheets\" class=\"q-panel\"");
    if (i == chosen) sheets.append(" open");
    sheets.append("><summary>");
    AppendEscaped(sheets, name);
    sheets.append("</summary>\n");
    const SheetBuffer sheet = ReadSheetBuffer(reader, shown[i], kMaxTableCells);
    AppendHtmlTable(sheets, sheet, text, HtmlTableOptions{}, used);
    sheets.append("</details>\n");
  }
  AppendStyleRules(css, workbook, used);

  std::string out;
  AppendHead(out, title, css);
  out.append("<body>\n");
  AppendHeading(out, title);
  out.append("<div class=\"q-book\">\n").append(sheets).append("</div>\n");
  out.append("</body>\n</html>\n");
  return out;
}

void SaveWebPage(const std::string& html, const std::string& path, bool single_file) {
  OutputFile out(path);
  if (single_file)
    out.Write(MhtArchive(html, path));
  else
    out.Write(html);
  out.Commit();
}

}  // namespace quorvex::sheet
