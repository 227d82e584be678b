#!/usr/bin/env bash
# Times quorvex converting the large benchmark workbook against plain inflating of its sheet part.
#
# Usage: bench/run_bench.sh [-b QUORVEX] [-r ROWS] [-n RUNS] [-l LEGACY_ROWS] [-x] [-R]
#   -b  quorvex executable (default: build/src/cli/quorvex under the repository root)
#   -r  data rows in the workbook (default 1000000); the workbook is generated into bench/data/
#       by generate_workbook.py when it is not there yet
#   -n  timed runs per command (default 5); the median is reported
#   -l  rows of the workbook timed as .xlsx, .xls and .xlsb (default 65000: BIFF8 holds at most
#       65,536 rows, and SheetJS cannot write the 1,000,000-row workbook)
#   -x  skip the .xls/.xlsb comparison
#   -R  skip the workbook with the same rows stored last to first
#
# Measures (a) unzip -p WORKBOOK xl/worksheets/sheet1.xml > /dev/null
#          (b) quorvex convert --quiet --format csv -o OUTDIR WORKBOOK
# and the peak resident memory of (b) from /usr/bin/time -v. Targets: (b)/(a) <= 2.0, peak < 200 MB.
# Then the same generator's LEGACY_ROWS workbook as .xlsx, .xls and .xlsb (made by
# make_legacy_workbooks.sh): time and peak memory of converting each, and whether each CSV equals
# the .xlsx's (LibreOffice writes a row record of a height other than the default for all 65,536
# rows of the .xls, so only its first ROWS+1 lines are compared; the rest are empty lines).
# Then (c): the same ROWS stored last to first (generate_workbook.py --reverse): time, peak memory
# (target < 200 MB as well) and whether its CSV equals (b)'s.
# Exit status: 0 when both targets are met, 3 when one is missed, 1 on any error.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
quorvex="$repo/build/src/cli/quorvex"
rows=1000000
runs=5
legacy_rows=65000
legacy=1
reversed=1
readonly kRatioTarget=2.0
readonly kPeakTargetMb=200

while getopts "b:r:n:l:xRh" opt; do
  case "$opt" in
    b) quorvex=$OPTARG ;;
    r) rows=$OPTARG ;;
    n) runs=$OPTARG ;;
    l) legacy_rows=$OPTARG ;;
    x) legacy=0 ;;
    R) reversed=0 ;;
    *) sed -n '2,24p' "$0" | sed 's/^# \{0,1\}//'; exit 1 ;;
  esac
done

die() { echo "run_bench: $*" >&2; exit 1; }

[[ "$rows" =~ ^[0-9]+$ ]] || die "-r needs a whole number of rows"
[[ "$runs" =~ ^[0-9]+$ && "$runs" -ge 1 ]] || die "-n needs a positive number of runs"
[[ -x "$quorvex" ]] || die "no executable quorvex at $quorvex (build it, or pass -b)"
command -v unzip >/dev/null || die "unzip is not installed"
[[ -x /usr/bin/time ]] || die "/usr/bin/time is not installed (apt-get install time)"

workbook="$repo/bench/data/bench-$rows.xlsx"
if [[ ! -s "$workbook" ]]; then
  mkdir -p "$repo/bench/data"
  echo "generating $workbook"
  python3 "$repo/bench/generate_workbook.py" "$workbook" --rows "$rows"
fi

work=$(mktemp -d /tmp/quorvex-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
outdir="$work/out"
mkdir -p "$outdir"

unzip_cmd="unzip -p '$workbook' xl/worksheets/sheet1.xml > /dev/null"
convert_cmd="'$quorvex' convert --quiet --format csv -o '$outdir' '$workbook'"

median_of() {
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Prints the median wall time in seconds of a shell command over $runs runs.
time_command() {
  local cmd=$1 prepare=$2 json="$work/hyperfine.json"
  if command -v hyperfine >/dev/null; then
    hyperfine --style basic --warmup 1 --runs "$runs" --prepare "$prepare" \
      --export-json "$json" "$cmd" >&2
    python3 -c 'import json, sys; print(json.load(open(sys.argv[1]))["results"][0]["median"])' "$json"
  else
    local i
    for ((i = 0; i < runs; i++)); do
      bash -c "$prepare"
      /usr/bin/time -f %e -o "$work/elapsed" bash -c "$cmd"
      cat "$work/elapsed"
    done | median_of
  fi
}

clear_outdir="rm -rf '$outdir' && mkdir -p '$outdir'"

echo "workbook: $workbook ($(du -h "$workbook" | cut -f1))"
echo "quorvex:  $quorvex"
echo
unzip_s=$(time_command "$unzip_cmd" "true")
convert_s=$(time_command "$convert_cmd" "$clear_outdir")

# Peak memory: one more run of (b) under /usr/bin/time -v.
bash -c "$clear_outdir"
if ! /usr/bin/time -v -o "$work/time-v" bash -c "exec $convert_cmd"; then
  die "quorvex convert failed"
fi
peak_kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time-v")
[[ -n "$peak_kb" ]] || die "could not read the peak memory from /usr/bin/time -v"

# Lines end in CR LF but the last, so the count is the line breaks plus one.
written_lines=$(find "$outdir" -type f -name '*.csv' -exec cat {} + | awk 'END { print NR }')

verdict() { if [[ "$1" == 1 ]]; then echo PASS; else echo MISS; fi; }
ratio=$(awk -v b="$convert_s" -v a="$unzip_s" 'BEGIN { printf "%.2f", b / a }')
peak_mb=$(awk -v k="$peak_kb" 'BEGIN { printf "%.1f", k / 1024 }')
ratio_ok=$(awk -v r="$ratio" -v t="$kRatioTarget" 'BEGIN { print (r <= t) ? 1 : 0 }')
peak_ok=$(awk -v m="$peak_mb" -v t="$kPeakTargetMb" 'BEGIN { print (m < t) ? 1 : 0 }')

echo
printf '(a) unzip sheet1.xml      median %8.3f s over %d runs\n' "$unzip_s" "$runs"
printf '(b) quorvex convert csv   median %8.3f s over %d runs\n' "$convert_s" "$runs"
printf 'ratio b/a                 %8s    target <= %s     %s\n' "$ratio" "$kRatioTarget" "$(verdict "$ratio_ok")"
printf 'peak memory of (b)        %8s MB target < %s MB   %s\n' "$peak_mb" "$kPeakTargetMb" "$(verdict "$peak_ok")"
printf 'CSV lines written by (b)  %8s    (workbook has %d)\n' "$written_lines" "$((rows + 1))"

# Peak resident memory in MB of one conversion of $1 into $2.
peak_of() {
  rm -rf "$2" && mkdir -p "$2"
  /usr/bin/time -v -o "$work/time-v" "$quorvex" convert --quiet --format csv -o "$2" "$1" || die "quorvex convert failed on $1"
  awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$work/time-v"
}

if [[ "$reversed" == 1 ]]; then
  reversed_book="$repo/bench/data/bench-$rows-reversed.xlsx"
  if [[ ! -s "$reversed_book" ]]; then
    echo "generating $reversed_book" >&2
    python3 "$repo/bench/generate_workbook.py" "$reversed_book" --rows "$rows" --reverse >&2
  fi
  out="$work/out-reversed"
  seconds=$(time_command "'$quorvex' convert --quiet --format csv -o '$out' '$reversed_book'" "rm -rf '$out' && mkdir -p '$out'")
  peak=$(peak_of "$reversed_book" "$out")
  if cmp -s "$(find "$out" -type f -name '*.csv' | head -n 1)" "$(find "$outdir" -type f -name '*.csv' | head -n 1)"; then
    same="CSV same as (b)"
  else
    same="CSV DIFFERS from (b)"
  fi
  echo
  printf '(c) rows stored in reverse median %8.3f s over %d runs   peak %8s MB   %s\n' "$seconds" "$runs" "$peak" "$same"
  peak_ok=$(awk -v m="$peak" -v t="$kPeakTargetMb" -v ok="$peak_ok" 'BEGIN { print (ok && m < t) ? 1 : 0 }')
fi

if [[ "$legacy" == 1 ]]; then
  "$repo/bench/make_legacy_workbooks.sh" "$legacy_rows" >&2
  echo
  echo "same content, $legacy_rows rows: .xlsx, .xls (LibreOffice, BIFF8), .xlsb (SheetJS)"
  reference=""
  for ext in xlsx xls xlsb; do
    book="$repo/bench/data/bench-$legacy_rows.$ext"
    out="$work/out-$ext"
    seconds=$(time_command "'$quorvex' convert --quiet --format csv -o '$out' '$book'" "rm -rf '$out' && mkdir -p '$out'")
    peak=$(peak_of "$book" "$out")
    csv=$(find "$out" -type f -name '*.csv' | head -n 1)
    if [[ "$ext" == xlsx ]]; then
      reference=$csv
      same="reference"
    elif head -c "$(stat -c %s "$reference")" "$csv" | cmp -s - "$reference"; then
      same="CSV same as .xlsx"
    else
      same="CSV DIFFERS from .xlsx"
    fi
    printf '%-5s %9s  median %8.3f s over %d runs   peak %8s MB   %s\n' ".$ext" "$(du -h "$book" | cut -f1)" \
      "$seconds" "$runs" "$peak" "$same"
  done
fi

if [[ "$ratio_ok" == 1 && "$peak_ok" == 1 ]]; then
  exit 0
fi
exit 3
