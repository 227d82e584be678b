#!/usr/bin/env python3
"""Rebuilds the golden case folders from expected_cells.py and the fixture workbooks.

For each case it copies the fixture into tests/golden/<case>/ under the case's workbook name and
writes expected/csv/<Sheet>.csv and expected/txt/<Sheet>.txt exactly as the command line must
write them: UTF-8 without BOM, CR LF after every line, comma or tab between fields, a field in
double quotes (inner quotes doubled) only when it holds the delimiter, a double quote, CR or LF,
and every line with as many fields as the used range is wide. A sheet without cells gives an
empty file.

Before writing, each table is checked against the workbook: same worksheets in the same order
(chart sheets skipped), and as many rows and columns as the sheet's <dimension ref>.
"""

import os
import re
import shutil
import sys
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, os.pardir, "fixtures")
sys.path.insert(0, HERE)

from expected_cells import CASES  # noqa: E402

FORMATS = (("csv", ","), ("txt", "\t"))


def column_number(letters):
    number = 0
    for ch in letters:
        number = number * 26 + (ord(ch) - ord("A") + 1)
    return number


def parse_range(ref):
    """'B3:D6' -> (3, 2, 6, 4) as first row, first column, last row, last column."""
    cells = ref.split(":")
    first = re.fullmatch(r"([A-Z]+)(\d+)", cells[0])
    last = re.fullmatch(r"([A-Z]+)(\d+)", cells[-1])
    return (int(first.group(2)), column_number(first.group(1)),
            int(last.group(2)), column_number(last.group(1)))


def worksheets(path):
    """Returns [(name, dimension ref or None, has cells)] for the worksheets, in workbook order."""
    with zipfile.ZipFile(path) as zf:
        workbook = zf.read("xl/workbook.xml").decode("utf-8")
        rels = zf.read("xl/_rels/workbook.xml.rels").decode("utf-8")
        result = []
        for name, rel_id in re.findall(r'<sheet name="([^"]*)"[^>]*r:id="([^"]+)"', workbook):
            rel = re.search(r'<Relationship Id="%s" Type="([^"]+)" Target="([^"]+)"' % rel_id, rels)
            if not rel.group(1).endswith("/worksheet"):
                continue
            sheet = zf.read("xl/" + rel.group(2)).decode("utf-8")
            dimension = re.search(r'<dimension ref="([^"]+)"', sheet)
            has_cells = re.search(r"<c ", sheet) is not None
            result.append((unescape(name), dimension.group(1) if dimension else None, has_cells))
        return result


def unescape(text):
    return (text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", '"')
            .replace("&apos;", "'").replace("&amp;", "&"))


def field(text, delimiter):
    if any(ch in text for ch in (delimiter, '"', "\r", "\n")):
        return '"' + text.replace('"', '""') + '"'
    return text


def serialise(rows, delimiter):
    return "".join(delimiter.join(field(cell, delimiter) for cell in row) + "\r\n" for row in rows)


def check_case(case, workbook_path, sheets):
    actual = worksheets(workbook_path)
    names = [name for name, _, _ in actual]
    if names != list(sheets):
        sys.exit(f"{case}: worksheets {names} but expected tables for {list(sheets)}")
    for name, ref, has_cells in actual:
        rows = sheets[name]
        if not has_cells:
            if rows:
                sys.exit(f"{case}/{name}: sheet has no cells but the table has rows")
            continue
        first_row, first_col, last_row, last_col = parse_range(ref)
        height, width = last_row - first_row + 1, last_col - first_col + 1
        if len(rows) != height or any(len(row) != width for row in rows):
            sys.exit(f"{case}/{name}: range {ref} is {height}x{width}, table is "
                     f"{len(rows)}x{sorted(set(len(r) for r in rows))}")


def output_name(workbook_name, sheet):
    """The file name the default naming rule gives a sheet: its name, with the workbook's name
    and "_" in front when the two are equal ignoring letter case."""
    stem = workbook_name.rsplit(".", 1)[0]
    return f"{stem}_{sheet}" if stem.lower() == sheet.lower() else sheet


def write_case(case, fixture, workbook_name, sheets):
    """Writes a case folder; the table is checked against the used ranges of an .xlsx (other
    forms are checked by the golden test itself)."""
    case_dir = os.path.join(HERE, case)
    source = os.path.join(FIXTURES, fixture)
    if fixture.endswith(".xlsx"):
        check_case(case, source, sheets)
    if os.path.isdir(case_dir):
        shutil.rmtree(case_dir)
    os.makedirs(case_dir)
    shutil.copyfile(source, os.path.join(case_dir, workbook_name))
    for extension, delimiter in FORMATS:
        out_dir = os.path.join(case_dir, "expected", extension)
        os.makedirs(out_dir)
        for name, rows in sheets.items():
            with open(os.path.join(out_dir, f"{output_name(workbook_name, name)}.{extension}"), "wb") as f:
                f.write(serialise(rows, delimiter).encode("utf-8"))
    print(f"{case}: {workbook_name}, {len(sheets)} sheets")


def main():
    for case in CASES:
        write_case(*case)


if __name__ == "__main__":
    main()
