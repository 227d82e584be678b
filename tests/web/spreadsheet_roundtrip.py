#!/usr/bin/env python3
"""Opens XML Spreadsheet files in a real spreadsheet program, converts every sheet back to CSV
and compares it with the CSV quorvex writes directly for the same workbook.

usage: spreadsheet_roundtrip.py soffice|ssconvert DIR
  DIR holds BOOK.xml for every workbook and BOOK/SHEET.csv for each of its worksheets.
Exit status 0 when every sheet agrees, 1 on a difference, 77 when the program is missing.

Both files are compared as tables of displayed texts, trimmed to their used cells (the programs
write from A1, quorvex from the first used cell). Cells agree when their texts are equal after
these normalisations, which are the programs' display conventions and not file content:
  - U+2212 MINUS SIGN (Gnumeric) reads as "-"; runs of spaces count as one (Gnumeric pads
    fractions such as "1  1/4 ");
  - numbers agree to the precision the shorter text shows: both programs print General numbers
    with more digits than the 11-character General of the application ("0.333333333333333"
    against "0.333333333"), and "-0" is 0;
  - Gnumeric reads ss:Type="Boolean" values as the numbers 1 and 0.
KNOWN lists the remaining cells where a program's reading differs from the application's, each
with the reason.
"""
import csv
import io
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.parsers.expat

SKIP = 77

# (program, book, sheet, row label in column A, column) -> reason.
KNOWN = {}
for column in range(1, 7):
    for label in ("time only", "time with seconds"):
        KNOWN[("*", "Dates1900", "Dates", label, column)] = (
            "the application shows day 0 as 1/0/1900; the programs show 12/31/1899")
    KNOWN[("*", "Dates1900", "Dates", "day 60", column)] = (
        "29 February 1900 exists only in the application; the file holds it as a number")
for label in ("day 1", "day 59", "day 60", "day 61", "noon 1 Jan 2000", "evening 15 Mar 2023", "36 hours"):
    KNOWN[("soffice", "Dates1900", "Dates", label, 4)] = (
        "LibreOffice counts elapsed [h]:mm from 30 Dec 1899, one day before the application")
for label in ("day 0", "day 1", "day 59", "day 60", "noon 1 Jan 2000", "evening 15 Mar 2023", "time only",
              "36 hours", "formula DATE(2023;3;15)+0.75"):
    KNOWN[("*", "Dates1904", "Dates", label, 4)] = (
        "elapsed [h]:mm counts from the program's own epoch, which ignores the 1904 date system")
KNOWN[("soffice", "Dates1900", "Dates", "last day", 4)] = (
    "LibreOffice shows #FMT for 71 million elapsed hours, more than its [h] field holds")
for label in ("Ann", "Bob"):
    KNOWN[("soffice", "Layout", "Offset", label, 2)] = (
        'LibreOffice does not import the number format "TRUE";"TRUE";"FALSE" of these booleans')
KNOWN[("ssconvert", "Formulas", "Formulas", "TRUE()", 1)] = (
    'Gnumeric shows a computed TRUE under the number format "TRUE";"TRUE";"FALSE" as empty')
for label in ("comparison", "TRUE()", "constant TRUE", "constant FALSE"):
    KNOWN[("soffice", "Formulas", "Formulas", label, 1)] = (
        'LibreOffice does not import the number format "TRUE";"TRUE";"FALSE" of these booleans')


def number_of(text):
    text = text.replace(",", "").replace("\u2212", "-").strip()
    percent = text.endswith("%")
    if percent:
        text = text[:-1]
    if not re.fullmatch(r"[-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?", text):
        return None
    mantissa = re.split(r"[eE]", text)[0]
    decimals = len(mantissa.split(".")[1]) if "." in mantissa else 0
    exponent = int(re.split(r"[eE]", text)[1]) if re.search(r"[eE]", text) else 0
    return float(text), 0.5 * 10 ** (exponent - decimals) * (1.000001)


def same(mine, theirs, program):
    if mine == theirs:
        return True
    a = re.sub(" +", " ", mine.replace("\u2212", "-")).strip()
    b = re.sub(" +", " ", theirs.replace("\u2212", "-")).strip()
    if a == b:
        return True
    if program == "ssconvert" and (a, b) in (("TRUE", "1"), ("FALSE", "0")):
        return True
    x, y = number_of(a), number_of(b)
    if x and y:
        tolerance = max(x[1], y[1])
        return abs(x[0] - y[0]) <= tolerance * (100 if a.endswith("%") else 1)
    return False


def table(path):
    with open(path, encoding="utf-8", newline="") as file:
        rows = list(csv.reader(io.StringIO(file.read(), newline="")))
    width = max((len(row) for row in rows), default=0)
    rows = [row + [""] * (width - len(row)) for row in rows]
    while rows and not any(rows[-1]):
        rows.pop()
    while rows and not any(rows[0]):
        rows.pop(0)
    while width and all(row[width - 1] == "" for row in rows):
        width -= 1
    first = 0
    while first < width and all(row[first] == "" for row in rows):
        first += 1
    return [row[first:width] for row in rows]


def convert(program, xml_path, out_dir, profile):
    book = os.path.splitext(os.path.basename(xml_path))[0]
    if program == "soffice":
        subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}", "--headless", "--convert-to",
                        "csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,-1",
                        "--outdir", out_dir, xml_path],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300, check=True)
    else:
        subprocess.run(["ssconvert", "-S", "--export-type=Gnumeric_stf:stf_assistant",
                        "-O", "separator=, format=preserve quoting-mode=always eol=unix",
                        xml_path, os.path.join(out_dir, f"{book}-%s.csv")],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=300, check=True)


def main(argv):
    if len(argv) != 3 or argv[1] not in ("soffice", "ssconvert"):
        print(__doc__)
        return 2
    program, folder = argv[1], argv[2]
    if not shutil.which(program):
        print(f"SKIPPED: {program} is not installed")
        return SKIP
    failures = 0
    compared = 0
    with tempfile.TemporaryDirectory(prefix="quorvex-roundtrip-") as work:
        out_dir = os.path.join(work, "out")
        os.mkdir(out_dir)
        for name in sorted(os.listdir(folder)):
            if not name.endswith(".xml"):
                continue
            xml_path = os.path.join(folder, name)
            with open(xml_path, "rb") as file:
                xml.parsers.expat.ParserCreate().Parse(file.read(), True)  # well-formed or raises
            convert(program, xml_path, out_dir, os.path.join(work, "profile"))
            book = name[:-4]
            for sheet_file in sorted(os.listdir(os.path.join(folder, book))):
                sheet = sheet_file[:-4]
                theirs_path = os.path.join(out_dir, f"{book}-{sheet}.csv")
                if not os.path.exists(theirs_path):
                    print(f"{book}/{sheet}: {program} wrote no sheet of that name")
                    failures += 1
                    continue
                mine = table(os.path.join(folder, book, sheet_file))
                theirs = table(theirs_path)
                compared += 1
                if len(mine) != len(theirs):
                    print(f"{book}/{sheet}: {len(mine)} rows, {program} shows {len(theirs)}")
                    failures += 1
                for mine_row, their_row in zip(mine, theirs):
                    label = mine_row[0] if mine_row else ""
                    for column in range(max(len(mine_row), len(their_row))):
                        a = mine_row[column] if column < len(mine_row) else ""
                        b = their_row[column] if column < len(their_row) else ""
                        if same(a, b, program):
                            continue
                        if (program, book, sheet, label, column) in KNOWN or ("*", book, sheet, label, column) in KNOWN:
                            continue
                        print(f"{book}/{sheet} row {label!r} column {column}: quorvex {a!r}, {program} {b!r}")
                        failures += 1
    print(f"{compared} sheets compared, {failures} differences")
    return 1 if failures or compared == 0 else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
