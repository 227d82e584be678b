"""Tests the benchmark driver's case selection, verdicts and its gzip copy of the sheet part."""

import gzip
import os
import sys
import tempfile
import unittest
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench"))

import bench_data  # noqa: E402
import cases  # noqa: E402
import generate_workbook  # noqa: E402
import report  # noqa: E402
from measure import Measurement  # noqa: E402


class SelectTest(unittest.TestCase):
    def test_adds_baselines_and_keeps_table_order(self):
        rows = [
            (["xml"], [], ["unzip", "csv", "xml"]),
            (["igzip", "j2"], [], ["unzip", "igzip", "j1", "j2"]),
            (["xlsb"], [], ["xlsx", "xlsb"]),
            # A skipped case that another case is measured against still runs.
            (["formats"], ["csv"], ["unzip"] + cases.FORMATS),
            ([], ["legacy", "folder", "igzip", "inflater", "inflater-zlib", "order"], ["unzip"] + cases.FORMATS),
        ]
        for only, skip, expected in rows:
            with self.subTest(only=only, skip=skip):
                self.assertEqual(cases.select(only, skip), expected)

    def test_rejects_unknown_name(self):
        with self.assertRaisesRegex(ValueError, "unknown case 'xlsm'"):
            cases.select(["xlsm"], [])


class VerdictTest(unittest.TestCase):
    def test_names_what_missed(self):
        case = cases.Case("csv", "formats", "csv", [], "unzip", max_ratio=0.5, max_peak_mb=100)
        rows = [
            (0.5, 99.9, None, True, "PASS"),
            (0.51, 50.0, None, True, "MISS (ratio)"),
            (0.4, 100.0, None, True, "MISS (peak)"),
            (0.9, 120.0, None, True, "MISS (ratio, peak)"),
            (None, 50.0, None, True, "MISS (no baseline)"),
            (None, 50.0, "exit 1: too many cells", True, "REFUSED"),
            (0.4, 50.0, None, False, "WRONG OUTPUT"),
        ]
        for ratio, peak, failure, output_ok, expected in rows:
            with self.subTest(expected=expected):
                outcome = report.Outcome(case, Measurement(1.0, 1.0, peak, failure), output_ok=output_ok)
                self.assertEqual(report.verdict(outcome, ratio), expected)

    def test_missing_option_misses_but_format_limit_and_baseline_do_not(self):
        missing = cases.Case("j2", "folder", "-j2", None, "j1", max_ratio=0.6, unavailable="no -j yet")
        too_big = cases.Case("dbf2", "formats", "dbf2", [], "csv", max_ratio=1.5,
                             not_applicable="at most 65,535 records")
        baseline = cases.Case("unzip", "inflate", "unzip", [])
        self.assertEqual(report.verdict(report.Outcome(missing), None), "MISS")
        self.assertEqual(report.verdict(report.Outcome(too_big), None), "n/a")
        self.assertEqual(report.verdict(report.Outcome(baseline, Measurement(1.0, 1.0, 3.0)), None), "")


class SheetPartGzipTest(unittest.TestCase):
    def test_gzip_inflates_to_the_sheet_part(self):
        with tempfile.TemporaryDirectory() as folder:
            workbook = os.path.join(folder, "book.xlsx")
            generate_workbook.write_workbook(workbook, 3000)
            with gzip.open(bench_data.sheet_part_gzip(workbook)) as member:
                inflated = member.read()  # checks the trailer's CRC-32 and size
            with zipfile.ZipFile(workbook) as archive:
                self.assertEqual(inflated, archive.read(bench_data.SHEET_PART))


if __name__ == "__main__":
    unittest.main()
