#!/usr/bin/env python3
"""Compares the expected cell texts with LibreOffice's own "as shown" CSV export.

For every golden case it asks LibreOffice (headless, throwaway profile) to export all sheets of
the case's workbook as CSV with cell contents as shown, cuts each export to the sheet's used range
(LibreOffice always starts at A1 and stops at the last cell with a value) and compares it cell by
cell with expected_cells.py. LibreOffice is a second opinion, not Excel: the differences it is
known to have are listed in KNOWN_DIFFERENCES with the reason, and only unlisted differences make
the script fail.

Usage: crosscheck_libreoffice.py [CASE ...]
"""

import csv
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep __pycache__ out of the source tree
sys.path.insert(0, HERE)

from expected_cells import CASES  # noqa: E402
from make_golden import parse_range, worksheets  # noqa: E402

# UTF-8, comma, double quote, language en-US, save cell contents as shown, all sheets.
CSV_FILTER = "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true,false,false,-1"

GENERAL = ("LibreOffice's General shows up to 15 significant digits and other exponents; "
           "Excel's General fits the number in 11 characters")
DAY_ZERO = ("LibreOffice counts serial dates from 30 Dec 1899 and has no 29 Feb 1900, so serials "
            "below 61 are one day earlier than in Excel (Excel: day 0 is 'January 0, 1900')")

# (case, sheet, cell) -> reason
KNOWN_DIFFERENCES = {}


def known(case, sheet, cells, reason):
    for cell in cells.split():
        KNOWN_DIFFERENCES[(case, sheet, cell)] = reason


known("number_formats", "General", "B9 B10 B11 B12 B13 B17 B18 B19 B20 B22", GENERAL)
known("formulas", "Formulas", "B4 B6", GENERAL)
known("dates_1900", "Dates", "G9", GENERAL)
known("dates_1900", "Dates", "B2 C2 F2 B3 C3 F3 B4 C4 F4 B8 C8 F8 B9 C9 F9 B10 C10 F10", DAY_ZERO)
known("dates_1900", "Dates", "E11",
      "LibreOffice shows #FMT when [h] passes its limit; Excel shows all 71003160 hours")
known("text_cells", "Text", "B7",
      "LibreOffice turns CR LF inside a cell into a single line break when it reads the file; "
      "the shared string holds CR LF and Excel keeps both")


def cell_name(row, col):
    letters = ""
    while col:
        col, rest = divmod(col - 1, 26)
        letters = chr(ord("A") + rest) + letters
    return f"{letters}{row}"


def export(workbook, out_dir, profile):
    subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless",
                    "--convert-to", CSV_FILTER, "--outdir", out_dir, workbook],
                   check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def read_export(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.reader(f))


def compare_case(case, workbook_name, sheets, work, profile):
    workbook = os.path.join(HERE, case, workbook_name)
    out_dir = os.path.join(work, case)
    os.makedirs(out_dir)
    export(workbook, out_dir, profile)
    stem = os.path.splitext(workbook_name)[0]
    agreed = explained = 0
    unexplained = []
    for name, ref, has_cells in worksheets(workbook):
        rows = read_export(os.path.join(out_dir, f"{stem}-{name}.csv"))
        if not has_cells:
            if any(any(cell for cell in row) for row in rows):
                unexplained.append(f"{case}/{name}: LibreOffice shows text in a sheet without cells")
            continue
        first_row, first_col, last_row, last_col = parse_range(ref)
        for r in range(first_row, last_row + 1):
            for c in range(first_col, last_col + 1):
                lo_row = rows[r - 1] if r - 1 < len(rows) else []
                lo = lo_row[c - 1] if c - 1 < len(lo_row) else ""
                want = sheets[name][r - first_row][c - first_col]
                if lo == want:
                    agreed += 1
                    continue
                where = cell_name(r, c)
                reason = KNOWN_DIFFERENCES.get((case, name, where))
                line = f"{case}/{name}!{where}: expected {want!r}, LibreOffice {lo!r}"
                if reason:
                    explained += 1
                    print(f"  known   {line}\n          ({reason})")
                else:
                    unexplained.append(line)
    return agreed, explained, unexplained


def main():
    wanted = set(sys.argv[1:])
    if shutil.which("soffice") is None:
        sys.exit("crosscheck_libreoffice: soffice is not installed")
    work = tempfile.mkdtemp(prefix="quorvex-crosscheck-")
    profile = os.path.join(work, "profile")
    total_agreed = total_explained = 0
    problems = []
    try:
        for case, _, workbook_name, sheets in CASES:
            if wanted and case not in wanted:
                continue
            agreed, explained, unexplained = compare_case(case, workbook_name, sheets, work, profile)
            print(f"{case}: {agreed} cells agree, {explained} known differences, "
                  f"{len(unexplained)} unexplained")
            total_agreed += agreed
            total_explained += explained
            problems += unexplained
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for line in problems:
        print("  UNEXPLAINED " + line)
    print(f"total: {total_agreed} agree, {total_explained} known differences, "
          f"{len(problems)} unexplained")
    sys.exit(1 if problems else 0)


if __name__ == "__main__":
    main()
