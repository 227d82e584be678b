#!/usr/bin/env python3
"""Rebuilds the fuzz targets' starting inputs in fuzz/corpus/<target>/ from the test fixtures.

Usage: fuzz/make_corpus.py   (standard library only; rerunning gives the same files)

numfmt: every distinct number format code of the format fixtures, one code a file.
xls:    the legacy .xls workbooks (BIFF8 and BIFF5), the broken ones, and the odd compound files.
biff4:  the Excel 2.x-4.0 record streams (the odd .xls files that are not compound files).
xlsb:   the .xlsb workbooks, plus the raw worksheet and styles records of one of them (the
        target reads inputs not starting with "PK" as those record streams).
xlsx:   the .xlsx workbooks, the odd but real ones, and the small broken or hostile ones (not the
        190 KiB zip bomb).
"""

import html
import os
import re
import shutil
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURES = os.path.join(HERE, os.pardir, "tests", "fixtures")
CORPUS = os.path.join(HERE, "corpus")

XLSX = ["Dates1900.xlsx", "Dates1904.xlsx", "Formulas.xlsx", "InlineStrings.xlsx", "Layout.xlsx",
        "NumberFormats.xlsx", "TextCells.xlsx", "formats/FormatGallery1904.xlsx",
        "bad/billion_laughs.xlsx", "bad/foreign_encoding.xlsx", "bad/malformed_sheet.xlsx",
        "bad/no_workbook.xlsx", "bad/not_a_zip.xlsx", "bad/truncated.xlsx",
        "bad/zip_bomb_declared.xlsx"] + sorted(
            "lenient/" + name for name in os.listdir(os.path.join(FIXTURES, "lenient"))
            if name.endswith(".xlsx"))
# Cells out of order, stored dimensions and the records that widen the used range.
ORDER_RANGE = sorted("order_range/" + name for name in os.listdir(os.path.join(FIXTURES, "order_range")))


def order_range(extension):
    return [name for name in ORDER_RANGE if name.endswith(extension)]


XLSX += order_range(".xlsx")
XLS = ["legacy/Dates1904.xls", "legacy/Dates190095.xls", "legacy/Formulas.xls",
       "legacy/Formulas95.xls", "legacy/InlineStrings.xls", "legacy/Layout.xls",
       "legacy/NumberFormats.xls", "legacy/TextCells.xls", "legacy/bad/chain_loop.xls",
       "legacy/bad/filepass.xls", "legacy/bad/record_past_end.xls",
       "legacy/bad/sector_past_end.xls", "legacy/bad/truncated.xls",
       "lenient/cfb_junk_entries.xls", "lenient/cfb_mini_stream_past_end.xls"] + order_range(".xls")
BIFF4 = ["lenient/Biff2Sheet.xls", "lenient/Biff3Sheet.xls", "lenient/Biff4Book.xls",
         "lenient/Biff4Sheet1904.xls", "lenient/Excel20Sheet.xls"]
XLSB = ["legacy/Dates1904.xlsb", "legacy/Formulas.xlsb", "legacy/InlineStrings.xlsb",
        "legacy/Layout.xlsb", "legacy/NumberFormats.xlsb", "legacy/TextCells.xlsb"] + order_range(".xlsb")
# Parts of an .xlsb package given to the target as bare record streams.
XLSB_PARTS = [("legacy/Formulas.xlsb", "xl/worksheets/sheet1.bin"),
              ("legacy/Layout.xlsb", "xl/worksheets/sheet1.bin"),
              ("legacy/NumberFormats.xlsb", "xl/styles.bin")]
# Workbooks whose number format codes make the numfmt inputs.
FORMAT_SOURCES = ["formats/FormatGallery.xlsx", "NumberFormats.xlsx"]


def fresh_folder(target):
    folder = os.path.join(CORPUS, target)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    return folder


def copy_files(target, names):
    folder = fresh_folder(target)
    for name in names:
        shutil.copyfile(os.path.join(FIXTURES, name), os.path.join(folder, os.path.basename(name)))
    return folder


def format_codes():
    codes = []
    for name in FORMAT_SOURCES:
        with zipfile.ZipFile(os.path.join(FIXTURES, name)) as package:
            styles = package.read("xl/styles.xml").decode("utf-8")
        for code in re.findall(r'formatCode="([^"]*)"', styles):
            code = html.unescape(code)
            if code not in codes:
                codes.append(code)
    return codes


def main():
    copy_files("xlsx", XLSX)
    copy_files("xls", XLS)
    copy_files("biff4", BIFF4)
    folder = copy_files("xlsb", XLSB)
    for name, part in XLSB_PARTS:
        with zipfile.ZipFile(os.path.join(FIXTURES, name)) as package:
            stem = os.path.splitext(os.path.basename(name))[0]
            out = os.path.join(folder, f"{stem}-{os.path.basename(part)}")
            with open(out, "wb") as file:
                file.write(package.read(part))
    folder = fresh_folder("numfmt")
    for index, code in enumerate(format_codes(), start=1):
        with open(os.path.join(folder, f"code-{index:02d}"), "wb") as file:
            file.write(code.encode("utf-8"))


if __name__ == "__main__":
    main()
