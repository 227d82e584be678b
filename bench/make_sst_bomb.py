#!/usr/bin/env python3
"""Writes a shared-strings bomb: a small .xlsx whose sharedStrings.xml inflates to gigabytes.

Usage: make_sst_bomb.py OUT.xlsx [--inflated-gib 3] [--item-chars 1000]

The one sheet refers to the first string; the shared-string part repeats <si><t>aaa...</t></si>
items of --item-chars characters until it reaches --inflated-gib GiB, deflated at level 9 in
pieces so the script needs little memory. Runs of one letter deflate at about 1000:1, so 3 GiB
give a file of about 3 MB, within the converter's ratio limit: only the shared-string budget
stops it (items longer than a cell's 32,767 characters are cut first, so --item-chars 100000
keeps the table just under the budget instead). Output goes where you say, never into the
repository (bench/data/ is ignored by git).

    /usr/bin/time -v build/src/cli/quorvex convert --quiet -o /tmp/out bench/data/sst-bomb.xlsx
"""

import argparse
import struct
import zlib

NS_MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main"
NS_DOC = "http://schemas.openxmlformats.org/officeDocument/2006/relationships"
NS_PKG = "http://schemas.openxmlformats.org/package/2006/relationships"


def rels(items):
    body = "".join('<Relationship Id="%s" Type="%s/%s" Target="%s"/>' % item for item in items)
    return ('<Relationships xmlns="%s">%s</Relationships>' % (NS_PKG, body)).encode()


def small_parts():
    return [
        ("[Content_Types].xml", b'<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">'
                                b'<Default Extension="xml" ContentType="application/xml"/></Types>'),
        ("_rels/.rels", rels([("rId1", NS_DOC, "officeDocument", "xl/workbook.xml")])),
        ("xl/workbook.xml", ('<workbook xmlns="%s" xmlns:r="%s"><sheets><sheet name="Sheet1" sheetId="1" '
                             'r:id="rId1"/></sheets></workbook>' % (NS_MAIN, NS_DOC)).encode()),
        ("xl/_rels/workbook.xml.rels", rels([("rId1", NS_DOC, "worksheet", "worksheets/sheet1.xml"),
                                             ("rId2", NS_DOC, "sharedStrings", "sharedStrings.xml")])),
        ("xl/worksheets/sheet1.xml", ('<worksheet xmlns="%s"><sheetData><row r="1"><c r="A1" t="s"><v>0</v>'
                                      '</c></row></sheetData></worksheet>' % NS_MAIN).encode()),
    ]


def deflate_bomb(total, item_chars):
    """Raw deflate, CRC and size of an sst part of about `total` bytes."""
    head = ('<sst xmlns="%s">' % NS_MAIN).encode()
    item = b"<si><t>" + b"a" * item_chars + b"</t></si>"
    tail = b"</sst>"
    block = item * max(1, (8 << 20) // len(item))
    compressor = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    chunks = [compressor.compress(head)]
    crc = zlib.crc32(head)
    size = len(head)
    while size + len(block) + len(tail) <= total:
        chunks.append(compressor.compress(block))
        crc = zlib.crc32(block, crc)
        size += len(block)
    chunks.append(compressor.compress(tail) + compressor.flush())
    crc = zlib.crc32(tail, crc)
    size += len(tail)
    return b"".join(chunks), crc & 0xFFFFFFFF, size


def write_zip(path, entries):
    local, central = bytearray(), bytearray()
    for name, payload, crc, size in entries:
        raw = name.encode()
        central += struct.pack("<IHHHHHHIIIHHHHHII", 0x02014B50, 20, 20, 0, 8, 0, 0x21, crc, len(payload),
                               size, len(raw), 0, 0, 0, 0, 0, len(local)) + raw
        local += struct.pack("<IHHHHHIIIHH", 0x04034B50, 20, 0, 8, 0, 0x21, crc, len(payload), size,
                             len(raw), 0) + raw + payload
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(central), len(local), 0)
    with open(path, "wb") as f:
        f.write(bytes(local + central) + end)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("out")
    parser.add_argument("--inflated-gib", type=float, default=3.0)
    parser.add_argument("--item-chars", type=int, default=1000)
    args = parser.parse_args()
    entries = []
    for name, data in small_parts():
        compressor = zlib.compressobj(9, zlib.DEFLATED, -15)
        entries.append((name, compressor.compress(data) + compressor.flush(), zlib.crc32(data) & 0xFFFFFFFF,
                        len(data)))
    payload, crc, size = deflate_bomb(int(args.inflated_gib * (1 << 30)), args.item_chars)
    entries.append(("xl/sharedStrings.xml", payload, crc, size))
    write_zip(args.out, entries)
    print("%s: %d bytes, sharedStrings.xml inflates to %d bytes (%.0f:1)" % (args.out, sum(len(e[1]) for e in entries),
                                                                          size, size / len(payload)))


if __name__ == "__main__":
    main()
