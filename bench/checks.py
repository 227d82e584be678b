"""Looks at what a benchmarked conversion wrote, so a fast but wrong run does not pass unseen."""

import hashlib
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


class SameFile:
    """Checks that a conversion writes the very file another one wrote. The reference's digest is
    kept when its check runs, since every output is removed once checked."""

    def __init__(self):
        self.digest = None

    @staticmethod
    def single_digest(outdir):
        files = output_files(outdir)
        if len(files) != 1:
            return None
        digest = hashlib.sha256()
        with open(files[0], "rb") as data:
            for chunk in iter(lambda: data.read(READ_CHUNK), b""):
                digest.update(chunk)
        return digest.digest()

    def keeping(self, check):
        """`check`, which also keeps the digest of the one file written as the reference."""
        def keep(outdir):
            self.digest = self.single_digest(outdir)
            return check(outdir)
        return keep

    def compare(self, outdir):
        digest = self.single_digest(outdir)
        if digest is None or self.digest is None:
            return "no single CSV to compare", False
        if digest != self.digest:
            return "CSV DIFFERS from the ordered workbook's", False
        return "CSV same as the ordered workbook's", True


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
