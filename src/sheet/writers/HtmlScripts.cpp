// The style sheets and scripts embedded in the web pages.
#include "sheet/writers/HtmlScripts.h"

namespace quorvex::sheet {

std::string_view BasePageCss() {
  return R"CSS(body{margin:8px;background:#fff;color:#000;font-family:Calibri,Carlito,"Liberation Sans",Arial,sans-serif;font-size:11pt}
table.q-sheet{border-collapse:collapse;table-layout:fixed;width:max-content}
table.q-sheet td{padding:0 2px;white-space:pre;overflow:hidden;vertical-align:bottom;text-align:left;font-size:11pt}
table.q-sheet td.n{text-align:right}
table.q-sheet td.b{text-align:center}
h1.q-title{font-size:14pt;margin:0 0 8px 0}
)CSS";
}

std::string_view WorkbookTabsCss() {
  return R"CSS(.q-book{display:flex;flex-wrap:wrap;align-items:flex-end;gap:0 2px;font-size:10pt}
.q-book>details{display:contents}
.q-book summary{order:1;list-style:none;padding:2px 12px;border:1px solid #999;border-top:none;background:#e8e8e8;cursor:pointer;white-space:pre}
.q-book summary::-webkit-details-marker{display:none}
.q-book summary:hover{background:#f4f4f4}
.q-book details[open]>summary{background:#fff;font-weight:bold;border-color:#666;pointer-events:none}
.q-book details::details-content{order:0;flex-basis:100%;overflow:auto;border-bottom:1px solid #999;padding-bottom:4px}
)CSS";
}

std::string_view InteractiveCss() {
  return R"CSS(.q-toolbar{display:flex;flex-wrap:wrap;gap:6px 14px;align-items:center;margin-bottom:6px;font-size:10pt}
.q-toolbar input[type=text]{font:inherit}
.q-formula{display:flex;gap:4px;margin-bottom:6px;font-size:10pt}
.q-formula input{font:inherit}
#q-address{width:70px}
#q-formula{flex:1}
table.q-sheet th{background:#eee;border:1px solid #bbb;font-weight:normal;font-size:9pt;padding:0 3px;user-select:none}
table.q-sheet th.q-colhead{cursor:pointer}
table.q-sheet th.q-asc::after{content:" \25B2"}
table.q-sheet th.q-desc::after{content:" \25BC"}
table.q-sheet col.q-rowhead{width:40px}
table.q-sheet td{border:1px solid #e4e4e4}
table.q-sheet td.q-selected{outline:2px solid #1a73e8;outline-offset:-2px}
table.q-pivot{border-collapse:collapse;margin:8px 0}
table.q-pivot th,table.q-pivot td{border:1px solid #999;padding:1px 6px}
table.q-pivot th{background:#eef}
table.q-pivot td{text-align:right}
table.q-pivot .q-total{font-weight:bold}
h2.q-section{font-size:11pt;margin:12px 0 4px 0}
)CSS";
}

std::string_view SpreadsheetScript() {
  return R"JS((function () {
  "use strict";
  var root = document.documentElement;
  window.addEventListener("error", function (event) {
    root.setAttribute("data-script-error", String(event.message));
  });
  var table = document.querySelector("table.q-sheet");
  var body = table.tBodies[0];
  var formula = document.getElementById("q-formula");
  var address = document.getElementById("q-address");
  var headerBox = document.getElementById("q-header-row");
  var filterBox = document.getElementById("q-filter");
  var filterColumn = document.getElementById("q-filter-column");
  var findBox = document.getElementById("q-find");
  var findStatus = document.getElementById("q-find-status");
  var selected = null;
  var sortState = { column: -1, ascending: true };

  function dataRows() {
    var rows = Array.prototype.slice.call(body ? body.rows : []);
    return headerBox.checked ? rows.slice(1) : rows;
  }
  function cellIn(row, column) {
    for (var i = 0; i < row.cells.length; i++) {
      var cell = row.cells[i];
      if (cell.getAttribute("data-c") === String(column)) return cell;
    }
    return null;
  }
  function sortKey(cell) {
    if (!cell) return null;
    var value = cell.getAttribute("data-v");
    if (value !== null) return { number: parseFloat(value) };
    var text = cell.textContent;
    return text === "" ? null : { text: text };
  }
  function compareKeys(a, b, ascending) {
    if (a === null) return b === null ? 0 : 1;  // empty cells stay last either way
    if (b === null) return -1;
    var order;
    if ("number" in a && "number" in b) order = a.number - b.number;
    else if ("number" in a) order = -1;
    else if ("number" in b) order = 1;
    else order = a.text.localeCompare(b.text, undefined, { numeric: true, sensitivity: "base" });
    return ascending ? order : -order;
  }
  function sortBy(column) {
    var ascending = sortState.column === column ? !sortState.ascending : true;
    sortState = { column: column, ascending: ascending };
    var rows = dataRows();
    var keyed = rows.map(function (row, index) {
      return { row: row, key: sortKey(cellIn(row, column)), index: index };
    });
    keyed.sort(function (a, b) {
      return compareKeys(a.key, b.key, ascending) || a.index - b.index;
    });
    keyed.forEach(function (entry) { body.appendChild(entry.row); });
    Array.prototype.forEach.call(table.tHead.rows[0].cells, function (head) {
      var mine = head.getAttribute("data-c") === String(column);
      head.classList.toggle("q-asc", mine && ascending);
      head.classList.toggle("q-desc", mine && !ascending);
      if (head.getAttribute("data-c") !== null) {
        head.setAttribute("aria-sort", mine ? (ascending ? "ascending" : "descending") : "none");
      }
    });
  }
  function applyFilter() {
    var needle = filterBox.value.toLowerCase();
    var column = filterColumn.value;
    if (body && body.rows.length > 0) body.rows[0].style.display = "";
    dataRows().forEach(function (row) {
      var text;
      if (column === "") text = row.textContent;
      else { var cell = cellIn(row, column); text = cell ? cell.textContent : ""; }
      row.style.display = needle === "" || text.toLowerCase().indexOf(needle) >= 0 ? "" : "none";
    });
  }
  function select(cell) {
    if (selected) selected.classList.remove("q-selected");
    selected = cell;
    if (!cell) { address.value = ""; formula.value = ""; return; }
    cell.classList.add("q-selected");
    address.value = cell.getAttribute("data-a") || "";
    var text = cell.getAttribute("data-f");
    formula.value = text !== null ? text : cell.textContent;
  }
  function findNext() {
    var needle = findBox.value.toLowerCase();
    if (needle === "") { findStatus.textContent = ""; return; }
    var cells = Array.prototype.slice.call(body.querySelectorAll("td")).filter(function (cell) {
      return cell.parentNode.style.display !== "none";
    });
    var start = selected ? cells.indexOf(selected) + 1 : 0;
    for (var step = 0; step < cells.length; step++) {
      var cell = cells[(start + step) % cells.length];
      var formulaText = (cell.getAttribute("data-f") || "").toLowerCase();
      if (cell.textContent.toLowerCase().indexOf(needle) >= 0 || formulaText.indexOf(needle) >= 0) {
        select(cell);
        cell.scrollIntoView({ block: "nearest", inline: "nearest" });
        findStatus.textContent = "Found in " + cell.getAttribute("data-a");
        return;
      }
    }
    findStatus.textContent = "Not found";
  }

  if (table.tHead) {
    Array.prototype.forEach.call(table.tHead.rows[0].cells, function (head) {
      var column = head.getAttribute("data-c");
      if (column === null) return;
      head.addEventListener("click", function () { sortBy(column); });
      var option = document.createElement("option");
      option.value = column;
      option.textContent = "Column " + head.textContent;
      filterColumn.appendChild(option);
    });
  }
  table.addEventListener("click", function (event) {
    var cell = event.target.closest ? event.target.closest("td") : null;
    if (cell && table.contains(cell)) select(cell);
  });
  filterBox.addEventListener("input", applyFilter);
  filterColumn.addEventListener("change", applyFilter);
  headerBox.addEventListener("change", applyFilter);
  document.getElementById("q-find-next").addEventListener("click", findNext);
  findBox.addEventListener("keydown", function (event) { if (event.key === "Enter") findNext(); });
  root.setAttribute("data-ready", "1");
})();
)JS";
}

std::string_view PivotScript() {
  return R"JS((function () {
  "use strict";
  var root = document.documentElement;
  window.addEventListener("error", function (event) {
    root.setAttribute("data-script-error", String(event.message));
  });
  var source = document.querySelector("table.q-sheet");
  var rowField = document.getElementById("q-pivot-rows");
  var columnField = document.getElementById("q-pivot-columns");
  var valueField = document.getElementById("q-pivot-values");
  var summary = document.getElementById("q-pivot-function");
  var output = document.getElementById("q-pivot-output");

  // The source table as a grid by column: the first row names the fields, every later row is a
  // record. Cells are placed by their column, so merged and hidden cells cannot shift them.
  var columns = [];
  Array.prototype.forEach.call(source.tHead ? source.tHead.rows[0].cells : [], function (head) {
    var column = head.getAttribute("data-c");
    if (column !== null) columns.push(column);
  });
  var grid = [];
  Array.prototype.forEach.call(source.tBodies.length ? source.tBodies[0].rows : [], function (row) {
    var byColumn = {};
    Array.prototype.forEach.call(row.querySelectorAll("td"), function (cell) {
      var value = cell.getAttribute("data-v");
      byColumn[cell.getAttribute("data-c")] =
          { text: cell.textContent, number: value !== null ? parseFloat(value) : null };
    });
    grid.push(columns.map(function (column) { return byColumn[column] || null; }));
  });
  var width = columns.length;
  var headers = [];
  for (var i = 0; i < width; i++) {
    var head = grid.length && grid[0][i] ? grid[0][i].text : "";
    headers.push(head !== "" ? head : "Column " + (i + 1));
  }
  var records = grid.slice(1);

  function addOptions(select, withNone) {
    if (withNone) {
      var none = document.createElement("option");
      none.value = "-1";
      none.textContent = "(none)";
      select.appendChild(none);
    }
    headers.forEach(function (name, index) {
      var option = document.createElement("option");
      option.value = String(index);
      option.textContent = name;
      select.appendChild(option);
    });
  }
  function numeric(cell) {
    if (!cell) return null;
    if (cell.number !== null) return cell.number;
    var text = cell.text.replace(/[,\s]/g, "");
    return text !== "" && isFinite(Number(text)) ? Number(text) : null;
  }
  function keyOf(record, field) {
    if (field < 0) return "";
    var cell = record[field];
    return cell && cell.text !== "" ? cell.text : "(blank)";
  }
  function compareKeys(a, b) {
    var x = Number(a), y = Number(b);
    if (a !== "" && b !== "" && isFinite(x) && isFinite(y)) return x - y;
    return a.localeCompare(b, undefined, { numeric: true });
  }
  function newTotal() { return { sum: 0, numbers: 0, count: 0 }; }
  function add(total, cell) {
    if (!cell || cell.text === "") return;
    total.count++;
    var number = numeric(cell);
    if (number !== null) { total.sum += number; total.numbers++; }
  }
  function shown(total) {
    var value;
    if (summary.value === "count") value = total.count;
    else if (summary.value === "average") {
      if (total.numbers === 0) return "";
      value = total.sum / total.numbers;
    } else value = total.sum;
    return String(Math.round(value * 1e10) / 1e10);
  }
  function cell(tag, text, className) {
    var element = document.createElement(tag);
    element.textContent = text;
    if (className) element.className = className;
    return element;
  }
  function render() {
    var r = Number(rowField.value), c = Number(columnField.value), v = Number(valueField.value);
    var rowKeys = [], columnKeys = [], totals = {}, rowTotals = {}, columnTotals = {};
    var grand = newTotal();
    records.forEach(function (record) {
      var rk = keyOf(record, r), ck = keyOf(record, c);
      if (!(rk in rowTotals)) { rowKeys.push(rk); rowTotals[rk] = newTotal(); }
      if (!(ck in columnTotals)) { columnKeys.push(ck); columnTotals[ck] = newTotal(); }
      var key = JSON.stringify([rk, ck]);
      if (!(key in totals)) totals[key] = newTotal();
      add(totals[key], record[v]);
      add(rowTotals[rk], record[v]);
      add(columnTotals[ck], record[v]);
      add(grand, record[v]);
    });
    rowKeys.sort(compareKeys);
    columnKeys.sort(compareKeys);
    var label = summary.options[summary.selectedIndex].text + " of " + headers[v];
    var table = document.createElement("table");
    table.className = "q-pivot";
    var head = table.createTHead().insertRow();
    head.appendChild(cell("th", label));
    if (c >= 0) columnKeys.forEach(function (key) { head.appendChild(cell("th", key)); });
    head.appendChild(cell("th", "Total", "q-total"));
    var tbody = table.createTBody();
    rowKeys.forEach(function (rk) {
      var row = tbody.insertRow();
      row.setAttribute("data-key", rk);
      row.appendChild(cell("th", rk));
      if (c >= 0) {
        columnKeys.forEach(function (ck) {
          var total = totals[JSON.stringify([rk, ck])];
          row.appendChild(cell("td", total ? shown(total) : ""));
        });
      }
      row.appendChild(cell("td", shown(rowTotals[rk]), "q-total"));
    });
    var foot = table.createTFoot().insertRow();
    foot.appendChild(cell("th", "Total", "q-total"));
    if (c >= 0) columnKeys.forEach(function (ck) { foot.appendChild(cell("td", shown(columnTotals[ck]), "q-total")); });
    var grandCell = cell("td", shown(grand), "q-total");
    grandCell.id = "q-pivot-grand";
    foot.appendChild(grandCell);
    output.replaceChildren(table);
  }

  addOptions(rowField, false);
  addOptions(columnField, true);
  addOptions(valueField, false);
  // Start with the first field as rows and the last field holding numbers as values.
  var firstNumeric = -1;
  for (var f = width - 1; f >= 0 && firstNumeric < 0; f--) {
    if (records.some(function (record) { return numeric(record[f]) !== null; })) firstNumeric = f;
  }
  rowField.value = "0";
  columnField.value = "-1";
  valueField.value = String(firstNumeric >= 0 ? firstNumeric : Math.max(width - 1, 0));
  [rowField, columnField, valueField, summary].forEach(function (select) {
    select.addEventListener("change", render);
  });
  if (width > 0) render();
  root.setAttribute("data-ready", "1");
})();
)JS";
}

}  // namespace quorvex::sheet
