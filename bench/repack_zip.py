#!/usr/bin/env python3
"""Copies a zip archive entry by entry without zip64 records: repack_zip.py IN OUT

The benchmark generator streams parts into the zip and marks them zip64; SheetJS cannot read
zip64 local headers, so the .xlsb step reads a plain copy. Entries larger than 4 GiB cannot be
copied this way and make the script fail.
"""
import shutil
import sys
import zipfile


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    with zipfile.ZipFile(sys.argv[1]) as source, zipfile.ZipFile(sys.argv[2], "w", zipfile.ZIP_DEFLATED,
                                                                   allowZip64=False) as target:
        for info in source.infolist():
            copy = zipfile.ZipInfo(info.filename, date_time=info.date_time)
            copy.compress_type = zipfile.ZIP_DEFLATED
            copy.file_size = info.file_size  # known up front, so no zip64 extra is written
            with source.open(info) as reader, target.open(copy, "w") as writer:
                shutil.copyfileobj(reader, writer, 1 << 20)


if __name__ == "__main__":
    main()
