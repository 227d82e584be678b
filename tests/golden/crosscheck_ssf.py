#!/usr/bin/env python3
"""Compares the expected texts of numeric cells with SheetJS SSF, a second formatting oracle.

LibreOffice formats General and early 1900 dates differently from Excel; SSF follows Excel there.
This script reads every number cell of every golden workbook (value, number format, date system),
formats them all with SSF under node, and reports cells whose expected text differs.

Needs node and the npm package "ssf" (0.11.2 was used):
    npm install --prefix /tmp/ssf ssf@0.11.2
    crosscheck_ssf.py --ssf /tmp/ssf/node_modules/ssf
"""

import argparse
import html
import json
import os
import re
import subprocess
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep __pycache__ out of the source tree
sys.path.insert(0, HERE)

from expected_cells import CASES  # noqa: E402
from make_golden import column_number, parse_range  # noqa: E402

NODE_PROGRAM = r"""
const ssf = require(process.argv[1]);
const cells = JSON.parse(require("fs").readFileSync(0, "utf8"));
const out = cells.map(c => {
  try { return ssf.format(c.format, c.value, {date1904: c.date1904}); }
  catch (e) { return "<error: " + e.message + ">"; }
});
process.stdout.write(JSON.stringify(out));
"""

def number_cells(path):
    """Yields (sheet, cell, row offset, column offset, value, format, date1904) for every
    number cell; the offsets count from the top left corner of the sheet's used range."""
    with zipfile.ZipFile(path) as zf:
        styles = zf.read("xl/styles.xml").decode("utf-8")
        codes = {int(i): html.unescape(c)
                 for i, c in re.findall(r'<numFmt numFmtId="(\d+)" formatCode="([^"]*)"', styles)}
        xfs = re.search(r"<cellXfs.*?</cellXfs>", styles, re.S).group(0)
        xf_formats = [int(i) for i in re.findall(r'<xf numFmtId="(\d+)"', xfs)]
        workbook = zf.read("xl/workbook.xml").decode("utf-8")
        date1904 = re.search(r'date1904="(true|1)"', workbook) is not None
        rels = zf.read("xl/_rels/workbook.xml.rels").decode("utf-8")
        for name, rel_id in re.findall(r'<sheet name="([^"]*)"[^>]*r:id="([^"]+)"', workbook):
            rel = re.search(r'<Relationship Id="%s" Type="([^"]+)" Target="([^"]+)"' % rel_id, rels)
            if not rel.group(1).endswith("/worksheet"):
                continue
            sheet = zf.read("xl/" + rel.group(2)).decode("utf-8")
            first_row, first_col, _, _ = parse_range(re.search(r'<dimension ref="([^"]+)"', sheet).group(1))
            for m in re.finditer(r'<c r="([A-Z]+)(\d+)"([^>]*?)(?<!/)>(.*?)</c>', sheet, re.S):
                letters, row, attrs, body = m.groups()
                kind = re.search(r' t="(\w+)"', attrs)
                value = re.search(r"<v>([^<]*)</v>", body)
                if (kind and kind.group(1) != "n") or not value:
                    continue
                style = re.search(r' s="(\d+)"', attrs)
                fmt_id = xf_formats[int(style.group(1))] if style else 0
                fmt = codes.get(fmt_id, fmt_id)
                yield (html.unescape(name), letters + row, int(row) - first_row,
                       column_number(letters) - first_col, float(value.group(1)), fmt, date1904)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--ssf", default="ssf", help="path of the ssf package (default: resolve 'ssf')")
    args = parser.parse_args()
    ssf = os.path.abspath(args.ssf) if os.path.exists(args.ssf) else args.ssf

    cells = []
    for case, _, workbook_name, sheets in CASES:
        path = os.path.join(HERE, case, workbook_name)
        for sheet, cell, row, col, value, fmt, date1904 in number_cells(path):
            cells.append({"case": case, "sheet": sheet, "cell": cell, "value": value, "format": fmt,
                          "date1904": date1904, "expected": sheets[sheet][row][col]})
    payload = json.dumps([{k: c[k] for k in ("value", "format", "date1904")} for c in cells])
    result = subprocess.run(["node", "-e", NODE_PROGRAM, ssf], input=payload, capture_output=True,
                            text=True, check=True)
    shown = json.loads(result.stdout)

    problems = 0
    for cell, text in zip(cells, shown):
        want = cell["expected"]
        if text != want:
            problems += 1
            print(f"  DIFFERS {cell['case']}/{cell['sheet']}!{cell['cell']} ({cell['format']!r}, "
                  f"{cell['value']!r}): expected {want!r}, SSF {text!r}")
    print(f"{len(cells)} number cells checked, {problems} differ")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
