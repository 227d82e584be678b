#!/usr/bin/env python3
"""Times quorvex against inflating the workbook's sheet part and prints one table of the results.

Cases (names for --only and --skip; a group name stands for its cases):
  inflate   unzip   unzip -p WORKBOOK xl/worksheets/sheet1.xml
            igzip   igzip -dc on the same deflate stream wrapped as gzip (bench-ROWS.sheet1.xml.gz)
            inflater
                    quorvex_inflate WORKBOOK xl/worksheets/sheet1.xml: the converter's own zip
                    reader and inflater without parsing (built with -DQUORVEX_BUILD_BENCH=ON)
            inflater-zlib
                    the same with zlib's inflater (ISA-L's when the build has it otherwise)
  formats   csv txt html mht xml dbf4 dbf3 dbf2
                    quorvex convert --quiet --format F -o OUT WORKBOOK
  legacy    xlsx xls xlsb
                    the LEGACY_ROWS workbook saved three ways, converted to CSV
  folder    j1 j2   500 small workbooks in one folder converted with --jobs 1 and --jobs 2
                    (without --jobs in quorvex --help: one serial run, and j2 reads "no -j yet")
A case's baseline (unzip for igzip, both inflaters and csv, csv for the other formats, xlsx for xls
and xlsb, j1 for j2) always runs with it, so every ratio divides two times measured in the same run.

Each case runs once under /usr/bin/time -v (its peak memory, a check of its output, and the
warm-up); then RUNS rounds each time every case once under hyperfine, so a case and its baseline
see the same load. The table shows the median wall time, the mean CPU time, the ratio to the
baseline and, for the large workbook, to unzip -p, the targets, and the median one-minute load
average when the case's runs started. A conversion that fails is shown as REFUSED with
its message and the run goes on.

Exit status: 0 when every target is met, 3 when one is missed (or a conversion was refused or wrote
wrong output), 1 on an error (missing tool, no quorvex, a baseline failed).
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

import bench_data
import cases
import checks
import measure
import report

EXIT_MISSED = 3
SMALL_BOOKS_TITLE = "%d workbooks of %d to %d rows" % (
    bench_data.SMALL_BOOKS, bench_data.SMALL_MIN_ROWS,
    bench_data.SMALL_MIN_ROWS + bench_data.SMALL_ROW_SPREAD - 1)


def parse_args():
    repo = os.path.dirname(bench_data.BENCH_DIR)
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("-b", dest="quorvex", default=os.path.join(repo, "build/src/cli/quorvex"),
                        help="quorvex executable (default: build/src/cli/quorvex)")
    parser.add_argument("-i", dest="inflate_tool", default=os.path.join(repo, "build/bench/quorvex_inflate"),
                        help="quorvex_inflate executable (default: build/bench/quorvex_inflate)")
    parser.add_argument("-r", dest="rows", type=int, default=1_000_000,
                        help="data rows of the large workbook (default 1000000)")
    parser.add_argument("-n", dest="runs", type=int, default=5, help="timed runs per case (default 5)")
    parser.add_argument("-l", dest="legacy_rows", type=int, default=65_000,
                        help="rows of the .xlsx/.xls/.xlsb workbook (default 65000, at most 65535)")
    parser.add_argument("--only", default="", help="comma-separated cases or groups to run (default: all)")
    parser.add_argument("--skip", default="", help="comma-separated cases or groups not to run")
    parser.add_argument("-x", dest="skip_legacy", action="store_true", help="same as --skip legacy")
    args = parser.parse_args()
    if args.runs < 1 or not 1 <= args.rows <= 1_048_575 or not 1 <= args.legacy_rows <= 65_535:
        parser.error("-n must be positive, -r at most 1048575 and -l at most 65535")
    return args


def names(text):
    return [name.strip() for name in text.split(",") if name.strip()]


def supports_jobs(quorvex):
    help_text = subprocess.run([quorvex, "--help"], capture_output=True, text=True).stdout
    return "--jobs" in help_text


def prepare(builder, groups, args):
    """Makes the inputs the chosen groups read; returns the title line of each group."""
    titles = {}
    if groups & {"inflate", "formats", "order"}:
        builder.workbook = bench_data.large_workbook(args.rows)
        with zipfile.ZipFile(builder.workbook) as archive:
            part = archive.getinfo(bench_data.SHEET_PART)
        name = os.path.basename(builder.workbook)
        titles["inflate"] = (f"-- inflating the sheet part of {name}: {part.compress_size / 1e6:.1f} MB "
                             f"deflated, {part.file_size / 1e6:.1f} MB inflated")
        titles["formats"] = (f"-- converting {name}: {args.rows:,} rows x 10 columns, "
                             f"{os.path.getsize(builder.workbook) / 1e6:.1f} MB")
        builder.checks["csv"] = checks.csv_lines(args.rows + 1)
        for fmt in cases.FORMATS[1:]:
            builder.checks[fmt] = checks.written_files(1)
    if "order" in groups:
        builder.reversed_workbook = bench_data.large_workbook(args.rows, reverse=True)
        same = checks.SameFile()
        builder.checks["csv"] = same.keeping(builder.checks["csv"])
        builder.checks["reversed"] = same.compare
        titles["order"] = f"-- the same {args.rows:,} rows stored last to first, converted to csv"
    if "inflate" in groups:
        builder.sheet_gzip = bench_data.sheet_part_gzip(builder.workbook)
    if "legacy" in groups:
        paths = bench_data.legacy_workbooks(args.legacy_rows)
        builder.legacy = dict(zip(cases.GROUPS["legacy"], paths))
        same = checks.SameCsv(args.legacy_rows + 1)
        builder.checks.update(xlsx=same.keep_reference, xls=same.compare, xlsb=same.compare)
        titles["legacy"] = (f"-- converting bench-{args.legacy_rows}.xlsx, .xls and .xlsb to csv: "
                            f"{args.legacy_rows:,} rows x 10 columns")
    if "folder" in groups:
        builder.folder = bench_data.small_workbook_folder()
        for name in cases.GROUPS["folder"]:
            builder.checks[name] = checks.written_files(bench_data.SMALL_BOOKS)
        titles["folder"] = "-- converting the folder %s to csv: %s" % (
            os.path.relpath(builder.folder, bench_data.BENCH_DIR), SMALL_BOOKS_TITLE)
    return titles


def first_run(case, work):
    """Runs a case once for its peak memory and output check; returns its Outcome. Exits when a
    baseline tool fails."""
    outcome = report.Outcome(case)
    if case.unavailable or case.not_applicable:
        return outcome
    print("%-28s one run under time -v" % case.label, file=sys.stderr)
    outcome.measurement = measure.peak_run(case.argv, case.outdir, work)
    failure = outcome.measurement.failure
    if failure:
        if case.group == "inflate":
            raise SystemExit("run_bench: %s failed: %s" % (case.label, failure))
        print("%-28s failed, not timed: %s" % (case.label, failure), file=sys.stderr)
        return outcome
    if case.check:
        outcome.note, outcome.output_ok = case.check(case.outdir)
    measure.clear_output(case.outdir)
    outcome.timed = True
    return outcome


def timed_rounds(outcomes, runs, work):
    """Times every case that ran, one run each per round, so each case and its baseline see the
    same load as it drifts: the ratios stay steadier than with all runs of one case in a row."""
    timed = [outcome for outcome in outcomes.values() if outcome.timed]
    for round_number in range(1, runs + 1):
        print("round %d of %d: one run of each of %d cases" % (round_number, runs, len(timed)),
              file=sys.stderr)
        for outcome in timed:
            outcome.loads.append(os.getloadavg()[0])
            measure.timed_run(outcome.case.argv, outcome.case.outdir, work, outcome.measurement)


def main():
    args = parse_args()
    only = names(args.only)
    skip = names(args.skip) + (["legacy"] if args.skip_legacy else [])
    try:
        selected = cases.select(only, skip)
    except ValueError as error:
        raise SystemExit("run_bench: %s" % error)
    if not os.access(args.quorvex, os.X_OK):
        raise SystemExit("run_bench: no executable quorvex at %s (build it, or pass -b)" % args.quorvex)
    missing = measure.missing_tools()
    if missing:
        raise SystemExit("run_bench: %s not installed (scripts/install-deps.sh --bench)" % ", ".join(missing))

    groups = {cases.group_of(name) for name in selected}
    work = tempfile.mkdtemp(prefix="quorvex-bench-")
    try:
        builder = cases.CaseBuilder(args.quorvex, args.inflate_tool, work,
                                    "folder" in groups and supports_jobs(args.quorvex), args.rows)
        titles = prepare(builder, groups, args)
        started, load_before = time.monotonic(), os.getloadavg()
        outcomes = {name: first_run(builder.build(name), work) for name in selected}
        timed_rounds(outcomes, args.runs, work)
        load_after = os.getloadavg()
    finally:
        shutil.rmtree(work, ignore_errors=True)

    lines, met = report.table(outcomes, titles)
    version = subprocess.run([args.quorvex, "--version"], capture_output=True, text=True).stdout.strip()
    print("quorvex: %s (%s)" % (args.quorvex, version))
    print("%d cores; timed runs per case: %d; load average (1, 5, 15 min) %s at start, %s at end; %.0f s"
          % (os.cpu_count(), args.runs, "/".join("%.1f" % v for v in load_before),
             "/".join("%.1f" % v for v in load_after), time.monotonic() - started))
    print()
    print("\n".join(lines))
    print()
    print("all targets met" if met else "targets missed")
    return 0 if met else EXIT_MISSED


if __name__ == "__main__":
    sys.exit(main())
