"""Turns the measured cases into the one results table: ratios, targets and verdicts."""

import statistics
from dataclasses import dataclass, field
from typing import List

import cases
from measure import Measurement

# What the "of" column calls each baseline.
BASELINE_NAMES = {"unzip": "unzip -p", "csv": "csv", "xlsx": ".xlsx", "j1": "-j1"}
# Rows reading the large workbook also show their time against unzip -p of its sheet part.
UNZIP_GROUPS = ("inflate", "formats")
COLUMNS = ["case", "median s", "cpu s", "peak MB", "ratio", "cpu ratio", "of", "x unzip", "target",
           "result", "load", "note"]
LEFT_ALIGNED = {"case", "of", "target", "result", "note"}


@dataclass
class Outcome:
    case: cases.Case
    measurement: Measurement = field(default_factory=Measurement)
    loads: List[float] = field(default_factory=list)  # one-minute load average at each timed run
    note: str = ""
    output_ok: bool = True
    timed: bool = False  # ran and is timed in every round


def ratio(outcomes, name, baseline, measure="median_s"):
    """Returns `measure` (median_s or cpu_s) of `name` over that of `baseline`, or None when either
    is missing."""
    this, base = outcomes.get(name), outcomes.get(baseline)
    if not this or not base:
        return None
    numerator, denominator = getattr(this.measurement, measure), getattr(base.measurement, measure)
    if numerator is None or not denominator:
        return None
    return numerator / denominator


def verdict(outcome, case_ratio):
    """Returns PASS, MISS (with what missed), REFUSED, WRONG OUTPUT, n/a, or "" for a row without
    targets."""
    case, measurement = outcome.case, outcome.measurement
    if case.not_applicable:
        return "n/a"
    if case.unavailable:
        return "MISS"
    if measurement.failure:
        return "REFUSED"
    if not outcome.output_ok:
        return "WRONG OUTPUT"
    if case.max_ratio is None and case.max_peak_mb is None:
        return ""
    missed = []
    if case.max_ratio is not None and (case_ratio is None or case_ratio > case.max_ratio):
        missed.append("ratio" if case_ratio is not None else "no baseline")
    if case.max_peak_mb is not None and measurement.peak_mb >= case.max_peak_mb:
        missed.append("peak")
    return "MISS (%s)" % ", ".join(missed) if missed else "PASS"


def target_text(case):
    parts = []
    if case.max_ratio is not None:
        parts.append("<= %.2g" % case.max_ratio)
    if case.max_peak_mb is not None:
        parts.append("< %d MB" % case.max_peak_mb)
    return ", ".join(parts)


def number(value, digits):
    return "" if value is None else "%.*f" % (digits, value)


def row_of(outcome, outcomes):
    case, measurement = outcome.case, outcome.measurement
    case_ratio = ratio(outcomes, case.name, case.baseline) if case.baseline else None
    cpu_ratio = ratio(outcomes, case.name, case.baseline, "cpu_s") if case.baseline else None
    vs_unzip = None
    if case.group in UNZIP_GROUPS and case.name != "unzip":
        vs_unzip = ratio(outcomes, case.name, "unzip")
    note = case.unavailable or case.not_applicable or measurement.failure or outcome.note
    load = statistics.median(outcome.loads) if outcome.loads else None
    return {
        "case": case.label, "median s": number(measurement.median_s, 3),
        "cpu s": number(measurement.cpu_s, 3), "peak MB": number(measurement.peak_mb, 1),
        "ratio": number(case_ratio, 2), "cpu ratio": number(cpu_ratio, 2),
        "of": BASELINE_NAMES.get(case.baseline, ""), "x unzip": number(vs_unzip, 2),
        "target": target_text(case), "result": verdict(outcome, case_ratio),
        "load": number(load, 1), "note": note,
    }


def table(outcomes, titles):
    """Returns the table's lines and whether every target was met. outcomes maps case names to
    Outcomes in table order; titles maps each group to the line heading its rows."""
    rows, met = [], True
    for outcome in outcomes.values():
        row = row_of(outcome, outcomes)
        met = met and not row["result"].startswith(("MISS", "REFUSED", "WRONG"))
        rows.append((outcome.case.group, row))
    widths = {column: max([len(column)] + [len(row[column]) for _, row in rows]) for column in COLUMNS}

    def line(cells):
        text = [cells[c].ljust(widths[c]) if c in LEFT_ALIGNED else cells[c].rjust(widths[c])
                for c in COLUMNS]
        return "  ".join(text).rstrip()

    lines = [line({column: column for column in COLUMNS})]
    group = None
    for row_group, row in rows:
        if row_group != group:
            group = row_group
            lines.append(titles[group])
        lines.append(line(row))
    return lines, met
