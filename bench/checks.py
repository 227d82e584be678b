"""Looks at what a benchmarked conversion wrote, so a fast but wrong run does not pass unseen."""

import os

BYTES_PER_MB = 1_000_000
READ_CHUNK = 1 << 20


def output_files(outdir):
    """Returns every file under outdir, sorted."""
    return sorted(os.path.join(folder, name) for folder, _, names in os.walk(outdir) for name in names)


def size_note(outdir):
    files = output_files(outdir)
    total = sum(os.path.getsize(path) for path in files)
    return "%d file%s, %.1f MB" % (len(files), "" if len(files) == 1 else "s", total / BYTES_PER_MB)


def count_lines(path):
    """Lines of a text file whose last line may lack its line end (CSV and TXT end without one)."""
    lines = 0
    last = b""
    with open(path, "rb") as text:
        while chunk := text.read(READ_CHUNK):
            lines += chunk.count(b"\n")
            last = chunk[-1:]
    return lines + (1 if last not in (b"", b"\n") else 0)


def written_files(expected_files):
    """Returns a check that passes when the conversion wrote expected_files files."""
    def check(outdir):
        note = size_note(outdir)
        found = len(output_files(outdir))
        return note, found == expected_files
    return check


def csv_lines(expected_lines):
    """Returns a check that passes when the one CSV written holds expected_lines lines."""
    def check(outdir):
        files = output_files(outdir)
        if len(files) != 1:
            return "%d files written, 1 expected" % len(files), False
        lines = count_lines(files[0])
        return "%s, %s lines" % (size_note(outdir), format(lines, ",")), lines == expected_lines
    return check


def same_file_as(reference_outdir):
    """Returns a check that passes when the one file written equals the one in reference_outdir."""
    def check(outdir):
        files, reference = output_files(outdir), output_files(reference_outdir)
        if len(files) != 1 or len(reference) != 1:
            return "no single CSV to compare", False
        with open(files[0], "rb") as a, open(reference[0], "rb") as b:
            while True:
                left, right = a.read(READ_CHUNK), b.read(READ_CHUNK)
                if left != right:
                    return "CSV DIFFERS from the ordered workbook's", False
                if not left:
                    return "CSV same as the ordered workbook's", True
    return check


class SameCsv:
    """Checks that .xls and .xlsb conversions write the .xlsx's CSV. LibreOffice declares all
    65,536 rows in the .xls, so only the first `lines` lines of each are compared."""

    def __init__(self, lines):
        self.lines = lines
        self.reference = None

    def head(self, outdir):
        files = output_files(outdir)
        if len(files) != 1:
            return None
        with open(files[0], "rb") as text:
            head = b"".join(line for _, line in zip(range(self.lines), text))
        # The last line of a CSV has no line end; the .xls's rows go on past it.
        return head if head.endswith(b"\r\n") else head + b"\r\n"

    def keep_reference(self, outdir):
        self.reference = self.head(outdir)
        return size_note(outdir), self.reference is not None

    def compare(self, outdir):
        if self.reference is None:
            return "no .xlsx CSV to compare", False
        same = self.head(outdir) == self.reference
        return ("CSV same as .xlsx" if same else "CSV DIFFERS from .xlsx"), same
