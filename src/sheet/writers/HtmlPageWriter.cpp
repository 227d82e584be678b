// Web pages of sheets and workbooks.
#include "sheet/writers/HtmlPageWriter.h"

#include <map>
#include <memory>
#include <set>
#include <vector>

#include "sheet/writers/HtmlScripts.h"
#include "sheet/writers/HtmlStyleSheet.h"
#include "sheet/writers/HtmlTable.h"
#include "sheet/writers/MarkupEscape.h"
#include "sheet/writers/MhtArchive.h"
#include "sheet/writers/OutputFile.h"
#include "sheet/writers/SheetLayout.h"

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

/// One shown sheet read once: its layout and every cell kept for writing its table, and
/// whether its first row reads as column headings: every value of the sheet's first row is text
/// and another row follows, so the interactive page keeps the row in place when sorting.
class ScannedSheet : public SheetLayout {
 public:
  explicit ScannedSheet(const numfmt::CellText& text) : scan_(this, CellKeeping::kAll) {
    scan_.SetPreparer(HtmlCellPreparer(text));
  }

  void Read(WorkbookReader& reader, std::size_t position) {
    reader.ReadSheet(position, scan_);
    Finish();
  }
  SheetScan& scan() { return scan_; }

  SinkControl OnCell(const Cell& cell) override {
    // Cells may come in any order and a place twice (the later counts): the first row is the
    // least row seen, its kinds kept by column.
    if (!any_cell_ || cell.row < first_row_) {
      another_row_ = any_cell_;
      first_row_ = cell.row;
      first_row_kinds_.clear();
    }
    if (cell.row == first_row_) {
      first_row_kinds_[cell.column] = cell.value.kind;
    } else {
      another_row_ = true;
    }
    any_cell_ = true;
    return SheetLayout::OnCell(cell);
  }

  bool FirstRowLooksLikeHeaders() const {
    if (!another_row_) return false;
    bool any_text = false;
    for (const auto& [column, kind] : first_row_kinds_) {
      if (kind == CellKind::kString) {
        any_text = true;
      } else if (kind != CellKind::kEmpty) {
        return false;
      }
    }
    return any_text;
  }

 private:
  SheetScan scan_;
  bool any_cell_ = false;
  bool another_row_ = false;
  std::uint32_t first_row_ = 0;
  std::map<std::uint32_t, CellKind> first_row_kinds_;
};

}  // namespace

void WriteSheetPage(WorkbookReader& reader, const numfmt::CellText& text, std::size_t position,
                    const std::string& title, WebPageType type, OutputStream& out) {
  // One reading gives the layout, the styles and the headings; the table is then written from
  // the cells kept, after the style sheet that needs the styles.
  ScannedSheet sheet(text);
  sheet.Read(reader, position);
  CheckHtmlTableSize(sheet);
  HtmlTableOptions options;
  options.interactive = type != WebPageType::kStatic;

  std::string css(BasePageCss());
  if (options.interactive) css.append(InteractiveCss());
  AppendStyleRules(css, reader.workbook(), HtmlTableStyles(sheet, sheet.scan()));

  std::string head;
  AppendHead(head, title, css);
  head.append("<body>\n");
  AppendHeading(head, title);
  if (type == WebPageType::kSpreadsheet) {
    std::string toolbar(SpreadsheetToolbar());
    if (sheet.FirstRowLooksLikeHeaders()) {
      toolbar.replace(toolbar.find("id=\"q-header-row\""), 17, "id=\"q-header-row\" checked");
    }
    head.append(toolbar);
  } else if (type == WebPageType::kPivotTable) {
    head.append(PivotToolbar());
  }
  out.Write(head);
  WriteHtmlTable(out, sheet, sheet.scan(), text, options);
  if (type == WebPageType::kSpreadsheet) {
    out.Write("<script>\n");
    out.Write(SpreadsheetScript());
    out.Write("</script>\n");
  }
  if (type == WebPageType::kPivotTable) {
    out.Write("<script>\n");
    out.Write(PivotScript());
    out.Write("</script>\n");
  }
  out.Write("</body>\n</html>\n");
}

void WriteWorkbookPage(WorkbookReader& reader, const numfmt::CellText& text, const std::string& title,
                       OutputStream& out) {
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

  // The style sheet comes first and covers every sheet, so each sheet is read once before any
  // table is written; its cells wait in their temporary file.
  std::vector<std::unique_ptr<ScannedSheet>> sheets;
  std::set<std::uint32_t> used;
  for (const std::size_t position : shown) {
    auto& sheet = sheets.emplace_back(std::make_unique<ScannedSheet>(text));
    sheet->Read(reader, position);
    CheckHtmlTableSize(*sheet);
    used.merge(HtmlTableStyles(*sheet, sheet->scan()));
    sheet->scan().Settle();
  }
  std::string css(BasePageCss());
  css.append(WorkbookTabsCss());
  AppendStyleRules(css, workbook, used);

  std::string head;
  AppendHead(head, title, css);
  head.append("<body>\n");
  AppendHeading(head, title);
  head.append("<div class=\"q-book\">\n");
  out.Write(head);
  // Each sheet is an exclusive <details> element: its summary is the tab, and opening one closes
  // the others. This needs neither script nor form controls, which single-file pages disable.
  for (std::size_t i = 0; i < shown.size(); ++i) {
    std::string tab("<details name=\"q-sheets\" class=\"q-panel\"");
    if (i == chosen) tab.append(" open");
    tab.append("><summary>");
    AppendEscaped(tab, workbook.sheets[shown[i]].name);
    tab.append("</summary>\n");
    out.Write(tab);
    WriteHtmlTable(out, *sheets[i], sheets[i]->scan(), text, HtmlTableOptions{});
    sheets[i].reset();  // its temporary file goes now
    out.Write("</details>\n");
  }
  out.Write("</div>\n</body>\n</html>\n");
}

void SaveWebPage(const std::string& path, bool single_file, const std::function<void(OutputStream&)>& write) {
  OutputFile out(path);
  if (single_file) {
    MhtStream archive(out, path);
    write(archive);
    archive.Finish();
  } else {
    write(out);
  }
  out.Commit();
}

}  // namespace quorvex::sheet
