"""The benchmark's cases: what each runs, which case it is measured against, and its targets."""

import os
from dataclasses import dataclass
from typing import Callable, List, Optional, Tuple

from bench_data import SHEET_PART

FORMATS = ["csv", "txt", "html", "mht", "xml", "dbf4", "dbf3", "dbf2"]
GROUPS = {
    "inflate": ["unzip", "igzip", "inflater", "inflater-zlib"],
    "formats": FORMATS,
    "legacy": ["xlsx", "xls", "xlsb"],
    "folder": ["j1", "j2"],
    "order": ["reversed"],
}
ALL_CASES = [name for names in GROUPS.values() for name in names]

# Each case's time is divided by its baseline's, measured in the same run.
BASELINES = {"igzip": "unzip", "inflater": "unzip", "inflater-zlib": "unzip", "csv": "unzip",
             "xls": "xlsx", "xlsb": "xlsx", "j2": "j1", "reversed": "csv"}
BASELINES.update({name: "csv" for name in FORMATS if name != "csv"})

CSV_MAX_RATIO = 0.5  # of unzip -p on the same sheet part
CSV_MAX_PEAK_MB = 100
FORMAT_MAX_RATIO = 1.5  # of the CSV conversion
FORMAT_MAX_PEAK_MB = 150
LEGACY_MAX_RATIO = 1.2  # of the .xlsx holding the same content
JOBS_MAX_RATIO = 0.6  # of the serial run
DBASE2_MAX_RECORDS = 65_535
REVERSED_MAX_PEAK_MB = 200  # the same rows stored last to first are reordered within this


@dataclass
class Case:
    name: str
    group: str
    label: str
    argv: Optional[List[str]]  # None when the case cannot run (see unavailable)
    baseline: Optional[str] = None
    max_ratio: Optional[float] = None
    max_peak_mb: Optional[float] = None
    outdir: Optional[str] = None  # removed before every run
    # Reads outdir after one run; returns a note and whether the output is right.
    check: Optional[Callable[[str], Tuple[str, bool]]] = None
    unavailable: Optional[str] = None  # why it cannot run yet: a missed target
    not_applicable: Optional[str] = None  # why it cannot run on this input: no target


def group_of(name):
    return next(group for group, names in GROUPS.items() if name in names)


def select(only, skip):
    """Returns the case names to run, in table order: those `only` names (all when empty) less
    those `skip` names, each name a case or a group, plus the baselines they are measured against.
    Raises ValueError naming an unknown case."""
    def expand(names):
        found = set()
        for name in names:
            if name in GROUPS:
                found.update(GROUPS[name])
            elif name in ALL_CASES:
                found.add(name)
            else:
                raise ValueError("unknown case %r (cases: %s; groups: %s)"
                                 % (name, ", ".join(ALL_CASES), ", ".join(GROUPS)))
        return found

    chosen = (expand(only) if only else set(ALL_CASES)) - expand(skip)
    for name in list(chosen):
        while name in BASELINES:
            name = BASELINES[name]
            chosen.add(name)
    return [name for name in ALL_CASES if name in chosen]


class CaseBuilder:
    """Makes the Case of each name from the inputs bench_data made and the quorvex under test."""

    def __init__(self, quorvex, inflate_tool, work, has_jobs, rows):
        self.quorvex = quorvex
        self.inflate_tool = inflate_tool
        self.rows = rows  # data rows of the large workbook
        self.work = work
        self.has_jobs = has_jobs
        self.workbook = self.sheet_gzip = self.folder = self.reversed_workbook = None
        self.legacy = {}  # extension -> workbook
        self.checks = {}  # case name -> check of its output

    def convert(self, fmt, outdir, inputs, extra=()):
        return [self.quorvex, "convert", "--quiet", *extra, "--format", fmt, "-o", outdir, *inputs]

    def build(self, name):
        outdir = os.path.join(self.work, "out-" + name)
        case = Case(name, group_of(name), name, None, BASELINES.get(name), outdir=outdir,
                    check=self.checks.get(name))
        if name == "unzip":
            case.label, case.outdir = "unzip -p sheet1.xml", None
            case.argv = ["unzip", "-p", self.workbook, SHEET_PART]
        elif name == "igzip":
            case.label, case.outdir = "igzip -dc sheet1.xml.gz", None
            case.argv = ["igzip", "-dc", self.sheet_gzip]
        elif name in ("inflater", "inflater-zlib"):
            zlib = ["--zlib"] if name == "inflater-zlib" else []
            case.label, case.outdir = "quorvex_inflate %ssheet1.xml" % (zlib[0] + " " if zlib else ""), None
            case.argv = [self.inflate_tool, *zlib, self.workbook, SHEET_PART]
            if not os.access(self.inflate_tool, os.X_OK):
                case.not_applicable = "not built: configure with -DQUORVEX_BUILD_BENCH=ON"
        elif name in FORMATS:
            case.label = "quorvex -f " + name
            case.argv = self.convert(name, outdir, [self.workbook])
            case.max_ratio = CSV_MAX_RATIO if name == "csv" else FORMAT_MAX_RATIO
            case.max_peak_mb = CSV_MAX_PEAK_MB if name == "csv" else FORMAT_MAX_PEAK_MB
            if name == "dbf2" and self.rows > DBASE2_MAX_RECORDS:
                case.not_applicable = f"a dBASE II table holds at most {DBASE2_MAX_RECORDS:,} records"
        elif name == "reversed":
            case.label = "quorvex rows reversed"
            case.argv = self.convert("csv", outdir, [self.reversed_workbook])
            case.max_peak_mb = REVERSED_MAX_PEAK_MB
        elif name in GROUPS["legacy"]:
            case.label = "quorvex ." + name
            case.argv = self.convert("csv", outdir, [self.legacy[name]])
            case.max_ratio = None if name == "xlsx" else LEGACY_MAX_RATIO
        else:
            self.build_folder_case(case)
        return case

    def build_folder_case(self, case):
        jobs = case.name[1:]
        if not self.has_jobs:
            if jobs != "1":
                case.label, case.unavailable = "quorvex -j" + jobs, "no -j yet"
                case.max_ratio = JOBS_MAX_RATIO
                return
            case.label = "quorvex (serial, no -j yet)"
            case.argv = self.convert("csv", case.outdir, [self.folder])
            return
        case.label = "quorvex -j" + jobs
        case.argv = self.convert("csv", case.outdir, [self.folder], ("--jobs", jobs))
        case.max_ratio = None if jobs == "1" else JOBS_MAX_RATIO
