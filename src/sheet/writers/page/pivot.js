(function () {
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
