"""Makes the benchmark's input files once into bench/data/ and finds them on later runs."""

import os
import shutil
import struct
import subprocess
import sys
import zipfile

import generate_workbook

BENCH_DIR = os.path.dirname(os.path.abspath(__file__))
DATA_DIR = os.path.join(BENCH_DIR, "data")
SHEET_PART = "xl/worksheets/sheet1.xml"

# Local file header, APPNOTE 4.3.7: 30 fixed bytes, then the name and the extra field.
LOCAL_HEADER_SIGNATURE = b"PK\x03\x04"
LOCAL_HEADER_SIZE = 30
LOCAL_NAME_LENGTH_OFFSET = 26
# Gzip member header, RFC 1952 2.3: magic, deflate, no flags, no time, no extra flags, Unix.
GZIP_HEADER = b"\x1f\x8b\x08\x00\x00\x00\x00\x00\x00\x03"
COPY_CHUNK = 1 << 20

SMALL_BOOKS = 500
# Rows of the small workbooks cycle through this range, so their sizes differ as a real folder's do.
SMALL_MIN_ROWS = 20
SMALL_ROW_SPREAD = 381


def large_workbook(rows):
    """Returns bench/data/bench-ROWS.xlsx, generating it first when it is missing."""
    path = os.path.join(DATA_DIR, "bench-%d.xlsx" % rows)
    if not os.path.isfile(path):
        os.makedirs(DATA_DIR, exist_ok=True)
        print("generating %s" % path, file=sys.stderr)
        generate_workbook.write_workbook(path, rows)
    return path


def sheet_part_gzip(workbook):
    """Returns WORKBOOK's name + ".sheet1.xml.gz": the sheet part's own deflate stream, byte for
    byte as it lies in the zip, between a gzip header and a trailer holding the entry's CRC-32 and
    size. Decompressing it inflates exactly what unzip -p inflates."""
    path = os.path.splitext(workbook)[0] + ".sheet1.xml.gz"
    if os.path.isfile(path) and os.path.getmtime(path) >= os.path.getmtime(workbook):
        return path
    with zipfile.ZipFile(workbook) as archive:
        entry = archive.getinfo(SHEET_PART)
    if entry.compress_type != zipfile.ZIP_DEFLATED:
        raise SystemExit("run_bench: %s in %s is not deflated" % (SHEET_PART, workbook))
    partial = path + ".partial"
    with open(workbook, "rb") as source, open(partial, "wb") as target:
        source.seek(entry.header_offset)
        header = source.read(LOCAL_HEADER_SIZE)
        if len(header) != LOCAL_HEADER_SIZE or not header.startswith(LOCAL_HEADER_SIGNATURE):
            raise SystemExit("run_bench: no local header for %s in %s" % (SHEET_PART, workbook))
        name_length, extra_length = struct.unpack_from("<HH", header, LOCAL_NAME_LENGTH_OFFSET)
        source.seek(name_length + extra_length, os.SEEK_CUR)
        target.write(GZIP_HEADER)
        left = entry.compress_size
        while left:
            chunk = source.read(min(left, COPY_CHUNK))
            if not chunk:
                raise SystemExit("run_bench: %s ends inside %s" % (workbook, SHEET_PART))
            target.write(chunk)
            left -= len(chunk)
        target.write(struct.pack("<II", entry.CRC, entry.file_size & 0xFFFFFFFF))
    os.replace(partial, path)
    return path


def legacy_workbooks(rows):
    """Returns the .xlsx, .xls and .xlsb paths of the ROWS-row workbook, made first by
    make_legacy_workbooks.sh when missing (LibreOffice and SheetJS take minutes)."""
    base = os.path.join(DATA_DIR, "bench-%d" % rows)
    paths = [base + ext for ext in (".xlsx", ".xls", ".xlsb")]
    if not all(os.path.isfile(p) for p in paths):
        subprocess.run([os.path.join(BENCH_DIR, "make_legacy_workbooks.sh"), str(rows)],
                       stdout=sys.stderr, check=True)
    return paths


def small_workbook_folder():
    """Returns bench/data/small-500/, a folder of 500 small workbooks (20 to 400 rows of the
    benchmark's ten columns), made first when missing. 500 is the most one folder input takes."""
    path = os.path.join(DATA_DIR, "small-%d" % SMALL_BOOKS)
    if os.path.isdir(path):
        return path
    partial = path + ".partial"
    shutil.rmtree(partial, ignore_errors=True)
    os.makedirs(partial)
    print("generating %d small workbooks into %s" % (SMALL_BOOKS, path), file=sys.stderr)
    for i in range(SMALL_BOOKS):
        rows = SMALL_MIN_ROWS + (i * 97) % SMALL_ROW_SPREAD
        generate_workbook.write_workbook(os.path.join(partial, "book-%03d.xlsx" % (i + 1)), rows)
    os.replace(partial, path)
    return path
