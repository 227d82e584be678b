(function () {
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
