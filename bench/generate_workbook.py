#!/usr/bin/env python3
"""Writes the large benchmark workbook: one sheet "Data", a header row and N rows of 10 columns.

    generate_workbook.py OUTPUT.xlsx [--rows N]      (N defaults to 1,000,000)

Columns, per row i (1-based):
  A Id        integer
  B Amount    decimal, style "0.00"
  C Date      whole-day serial, style "m/d/yyyy"
  D Category  shared string from a pool of 1,000
  E Reference shared string used once (so the table holds about N entries)
  F Active    boolean
  G Rate      fraction, style "0.00%"
  H Total     formula A*B with its cached number, style "0.00"
  I Measure   decimal with up to 17 significant digits, General
  J Code      formula LEFT(E,11) with its cached text (t="str")

The random generators start from fixed states, so every run writes the same cells. Parts are
streamed into the zip (deflate level 6, zip64 when needed); memory stays small whatever N is.
"""

import argparse
import os
import random
import sys
import time
import zipfile

NS_MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
NS_REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
NS_PKG_REL = "http://schemas.openxmlformats.org/package/2006/relationships"
XML_DECL = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'

HEADERS = ["Id", "Amount", "Date", "Category", "Reference", "Active", "Rate", "Total", "Measure", "Code"]
POOL_SIZE = 1000
# Shared string indices: the headers first, then the pool, then one reference per row.
POOL_BASE = len(HEADERS)
UNIQUE_BASE = POOL_BASE + POOL_SIZE

# Fixed generator states: cell values, and the words inside the unique references.
VALUES_STATE = 20240607
REFERENCES_STATE = 7060242
POOL_STATE = 1000

ROWS_PER_CHUNK = 2000
FIXED_DATE = (1980, 1, 1, 0, 0, 0)

STYLE_FIXED2 = 1
STYLE_DATE = 2
STYLE_PERCENT = 3

WORDS = ["alpha", "bravo", "cobalt", "delta", "ember", "fjord", "garnet", "harbor", "indigo",
         "juniper", "kelp", "lumen", "maple", "nectar", "onyx", "pepper", "quartz", "raven",
         "sierra", "tundra", "umber", "violet", "walnut", "xenon", "yarrow", "zephyr"]


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def category_pool():
    rng = random.Random(POOL_STATE)
    pool = []
    for i in range(POOL_SIZE):
        pool.append("%s %s %03d" % (rng.choice(WORDS).capitalize(), rng.choice(WORDS), i))
    return pool


def references():
    """Yields the unique reference text of row 1, 2, ... in order."""
    rng = random.Random(REFERENCES_STATE)
    i = 0
    while True:
        i += 1
        yield "REF-%07d %s-%s" % (i, rng.choice(WORDS), rng.choice(WORDS))


def content_types():
    return (XML_DECL +
            '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
            '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>'
            '<Default Extension="xml" ContentType="application/xml"/>'
            '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>'
            '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>'
            '<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>'
            '<Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>'
            '</Types>')


def root_rels():
    return (XML_DECL + f'<Relationships xmlns="{NS_PKG_REL}">'
            f'<Relationship Id="rId1" Type="{NS_REL}/officeDocument" Target="xl/workbook.xml"/>'
            '</Relationships>')


def workbook_xml():
    return (XML_DECL + f'<workbook xmlns="{NS_MAIN}" xmlns:r="{NS_REL}">'
            '<workbookPr/><sheets><sheet name="Data" sheetId="1" r:id="rId1"/></sheets></workbook>')


def workbook_rels():
    return (XML_DECL + f'<Relationships xmlns="{NS_PKG_REL}">'
            f'<Relationship Id="rId1" Type="{NS_REL}/worksheet" Target="worksheets/sheet1.xml"/>'
            f'<Relationship Id="rId2" Type="{NS_REL}/styles" Target="styles.xml"/>'
            f'<Relationship Id="rId3" Type="{NS_REL}/sharedStrings" Target="sharedStrings.xml"/>'
            '</Relationships>')


def styles_xml():
    return (XML_DECL + f'<styleSheet xmlns="{NS_MAIN}">'
            '<numFmts count="3">'
            '<numFmt numFmtId="164" formatCode="0.00"/>'
            '<numFmt numFmtId="165" formatCode="m/d/yyyy"/>'
            '<numFmt numFmtId="166" formatCode="0.00%"/>'
            '</numFmts>'
            '<fonts count="1"><font><sz val="11"/><name val="Calibri"/></font></fonts>'
            '<fills count="2"><fill><patternFill patternType="none"/></fill>'
            '<fill><patternFill patternType="gray125"/></fill></fills>'
            '<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>'
            '<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>'
            '<cellXfs count="4">'
            '<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>'
            '<xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
            '<xf numFmtId="165" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
            '<xf numFmtId="166" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>'
            '</cellXfs>'
            '<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>'
            '</styleSheet>')


def write_sheet(stream, rows):
    stream.write((XML_DECL + f'<worksheet xmlns="{NS_MAIN}" xmlns:r="{NS_REL}">'
                  f'<dimension ref="A1:J{rows + 1}"/>'
                  '<sheetViews><sheetView workbookViewId="0"/></sheetViews>'
                  '<sheetFormatPr defaultRowHeight="15"/><sheetData>').encode())
    header = "".join('<c r="%s1" t="s"><v>%d</v></c>' % (chr(ord("A") + i), i)
                     for i in range(len(HEADERS)))
    stream.write(('<row r="1">%s</row>' % header).encode())

    rng = random.Random(VALUES_STATE)
    rand = rng.random
    randint = rng.randint
    refs = references()
    chunk = []
    for r in range(2, rows + 2):
        i = r - 1
        ident = randint(1, 9_999_999)
        amount = randint(0, 10_000_000) / 100
        day = randint(36526, 47848)  # 1 Jan 2000 .. 31 Dec 2030
        category = POOL_BASE + randint(0, POOL_SIZE - 1)
        active = 1 if rand() < 0.5 else 0
        rate = randint(0, 100_000) / 100_000
        measure = rand() * 10 ** randint(-3, 9)
        reference = next(refs)
        chunk.append(
            f'<row r="{r}">'
            f'<c r="A{r}"><v>{ident}</v></c>'
            f'<c r="B{r}" s="{STYLE_FIXED2}"><v>{amount!r}</v></c>'
            f'<c r="C{r}" s="{STYLE_DATE}"><v>{day}</v></c>'
            f'<c r="D{r}" t="s"><v>{category}</v></c>'
            f'<c r="E{r}" t="s"><v>{UNIQUE_BASE + i - 1}</v></c>'
            f'<c r="F{r}" t="b"><v>{active}</v></c>'
            f'<c r="G{r}" s="{STYLE_PERCENT}"><v>{rate!r}</v></c>'
            f'<c r="H{r}" s="{STYLE_FIXED2}"><f>A{r}*B{r}</f><v>{ident * amount!r}</v></c>'
            f'<c r="I{r}"><v>{measure!r}</v></c>'
            f'<c r="J{r}" t="str"><f>LEFT(E{r},11)</f><v>{escape(reference[:11])}</v></c>'
            '</row>')
        if len(chunk) == ROWS_PER_CHUNK:
            stream.write("".join(chunk).encode())
            chunk.clear()
    stream.write("".join(chunk).encode())
    stream.write(b'</sheetData><pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" '
                 b'header="0.3" footer="0.3"/></worksheet>')


def write_shared_strings(stream, rows, pool):
    unique = len(HEADERS) + POOL_SIZE + rows
    references_used = len(HEADERS) + 2 * rows  # header row, column D, column E
    stream.write((XML_DECL + f'<sst xmlns="{NS_MAIN}" count="{references_used}" '
                  f'uniqueCount="{unique}">').encode())
    stream.write("".join("<si><t>%s</t></si>" % escape(t) for t in HEADERS + pool).encode())
    refs = references()
    chunk = []
    for _ in range(rows):
        chunk.append("<si><t>%s</t></si>" % escape(next(refs)))
        if len(chunk) == 10 * ROWS_PER_CHUNK:
            stream.write("".join(chunk).encode())
            chunk.clear()
    stream.write("".join(chunk).encode())
    stream.write(b"</sst>")


def add_part(zf, name, text):
    info = zipfile.ZipInfo(name, date_time=FIXED_DATE)
    info.compress_type = zipfile.ZIP_DEFLATED
    zf.writestr(info, text.encode("utf-8"))


def open_part(zf, name):
    info = zipfile.ZipInfo(name, date_time=FIXED_DATE)
    info.compress_type = zipfile.ZIP_DEFLATED
    return zf.open(info, "w", force_zip64=True)


def write_workbook(path, rows):
    """Writes the workbook of `rows` data rows to `path` (through a ".partial" file renamed into place)."""
    partial = path + ".partial"
    with zipfile.ZipFile(partial, "w", compression=zipfile.ZIP_DEFLATED, compresslevel=6,
                         allowZip64=True) as zf:
        add_part(zf, "[Content_Types].xml", content_types())
        add_part(zf, "_rels/.rels", root_rels())
        add_part(zf, "xl/workbook.xml", workbook_xml())
        add_part(zf, "xl/_rels/workbook.xml.rels", workbook_rels())
        add_part(zf, "xl/styles.xml", styles_xml())
        with open_part(zf, "xl/worksheets/sheet1.xml") as stream:
            write_sheet(stream, rows)
        with open_part(zf, "xl/sharedStrings.xml") as stream:
            write_shared_strings(stream, rows, category_pool())
    os.replace(partial, path)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("output", help="path of the .xlsx to write")
    parser.add_argument("--rows", type=int, default=1_000_000, help="data rows below the header")
    args = parser.parse_args()
    if args.rows < 1 or args.rows > 1_048_575:
        sys.exit("generate_workbook: --rows must be between 1 and 1048575")

    started = time.monotonic()
    write_workbook(args.output, args.rows)
    print("wrote %s: %d rows, %d bytes, %.1f s" % (args.output, args.rows, os.path.getsize(args.output),
                                                  time.monotonic() - started))


if __name__ == "__main__":
    main()
