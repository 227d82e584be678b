"""Runs a benchmark command once under /usr/bin/time -v for its peak memory; times its runs with hyperfine."""

import json
import os
import shlex
import shutil
import statistics
import subprocess
from dataclasses import dataclass, field
from typing import List, Optional

TIME = "/usr/bin/time"
PEAK_LINE = "Maximum resident set size (kbytes):"
# time -v reports kibibytes; the targets are in MB of 10^6 bytes.
BYTES_PER_KIB = 1024
BYTES_PER_MB = 1_000_000


@dataclass
class Measurement:
    median_s: Optional[float] = None
    cpu_s: Optional[float] = None  # mean user + system time of the timed runs
    peak_mb: Optional[float] = None
    failure: Optional[str] = None  # what the command said when it failed; nothing was timed then
    wall_times: List[float] = field(default_factory=list)
    cpu_times: List[float] = field(default_factory=list)

    def add_run(self, wall_s, cpu_s):
        self.wall_times.append(wall_s)
        self.cpu_times.append(cpu_s)
        self.median_s = statistics.median(self.wall_times)
        self.cpu_s = statistics.mean(self.cpu_times)


def missing_tools():
    """Returns the names of the programs the benchmark needs that are not installed."""
    return [tool for tool in ("hyperfine", TIME, "unzip", "igzip") if shutil.which(tool) is None]


def peak_run(argv, outdir, work):
    """Runs argv once (outdir removed first, so output lands where the timed runs write it) and
    returns a Measurement holding its peak resident memory and, when it failed, what it said. The
    run also warms the page cache for the timed runs."""
    clear_output(outdir)
    report = os.path.join(work, "time-v.txt")
    done = subprocess.run([TIME, "-v", "-o", report] + argv, stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True, errors="replace")
    failure = None
    if done.returncode != 0:
        said = " / ".join(line.strip() for line in done.stderr.splitlines() if line.strip())
        failure = "exit %d: %s" % (done.returncode, said or "(no message)")
    with open(report) as lines:
        for line in lines:
            if line.strip().startswith(PEAK_LINE):
                kib = int(line.split(":")[1])
                return Measurement(peak_mb=kib * BYTES_PER_KIB / BYTES_PER_MB, failure=failure)
    raise SystemExit("run_bench: %s -v gave no peak memory for %s" % (TIME, shlex.join(argv)))


def timed_run(argv, outdir, work, measurement):
    """Times one run of argv with hyperfine (no shell, output to /dev/null, outdir removed before
    and after) and adds its wall and CPU time to measurement."""
    export = os.path.join(work, "hyperfine.json")
    command = ["hyperfine", "--shell=none", "--style", "none", "--runs", "1", "--export-json", export]
    if outdir:
        command += ["--prepare", shlex.join(["rm", "-rf", outdir])]
    done = subprocess.run(command + [shlex.join(argv)], stdout=subprocess.DEVNULL,
                          stderr=subprocess.PIPE, text=True, errors="replace")
    if done.returncode != 0:
        # It ran once under time -v, so a failure now is the machine's or the timer's: stop.
        raise SystemExit("run_bench: hyperfine failed on %s:\n%s" % (shlex.join(argv), done.stderr))
    with open(export) as text:
        result = json.load(text)["results"][0]
    measurement.add_run(result["times"][0], result["user"] + result["system"])
    clear_output(outdir)


def clear_output(outdir):
    if outdir:
        shutil.rmtree(outdir, ignore_errors=True)
