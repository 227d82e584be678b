#!/usr/bin/env bash
# Converts the workbooks of every golden case, renamed with Japanese and German letters, with the
# Linux quorvex and with quorvex.exe under Wine, in every output format, and checks that both
# write the same files, byte for byte, under the same names, with the same messages and status.
# A large workbook stored last row first does the same through the temporary file that puts
# cells in order.
# Usage: wine_golden_test.sh LINUX_QUORVEX QUORVEX_EXE SOURCE_DIR WORK_DIR
set -euo pipefail

linux_quorvex=$1
windows_quorvex=$2
source_dir=$3
work=$4

# Wine reads the command line and the file names through the locale.
export LC_ALL=C.UTF-8
export WINEDEBUG=-all
export WINEPREFIX=$work/wineprefix
# No prompts to install Wine's .NET and browser engine: quorvex needs neither.
export WINEDLLOVERRIDES="mscoree=;mshtml="

wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
[ -x "$wine" ] || { echo "wine64 not found (Debian: wine64)"; exit 1; }

# A private prefix, made once; wineboot returns before the prefix is written, wineserver -w
# waits for that.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$wine" wineboot --init >/dev/null 2>&1
  "$wineserver" -w
fi
trap '"$wineserver" -k 2>/dev/null || true' EXIT

rm -rf "$work/run"
mkdir -p "$work/run/入力 Müller" "$work/run/逆順"
cd "$work/run"
# Each case's workbook under a name of its own holding both scripts: the BIFF2-4 sheets are named
# after their file, so the names reach the sheet names and the files inside the output too.
for case_folder in "$source_dir"/tests/golden/*/; do
  case_name=$(basename "$case_folder")
  for workbook in "$case_folder"*.xls*; do
    [ -f "$workbook" ] || continue
    cp "$workbook" "入力 Müller/$case_name 日本語 Müller.${workbook##*.}"
  done
done
echo "$(ls "入力 Müller" | wc -l) golden workbooks"
# 100,000 rows are more cells than a run of the cell sorter holds in memory.
reversed="$work/Reversed.xlsx"
[ -f "$reversed" ] || python3 "$source_dir/bench/generate_workbook.py" "$reversed" --rows 100000 --reverse >/dev/null
cp "$reversed" "逆順/Müller 逆順.xlsx"

failed=0
# Compare NAME INPUT FORMAT: converts INPUT (a folder here) to FORMAT on both systems.
Compare() {
  local name=$1 input=$2 format=$3 linux_status=0 windows_status=0
  # The output folder is created, its parent must exist.
  mkdir -p "linux/$name" "windows/$name"
  "$linux_quorvex" convert --quiet --format "$format" -o "linux/$name/出力" "$input" 2>"linux-$name.err" ||
    linux_status=$?
  # A relative output folder with Windows separators.
  "$wine" "$windows_quorvex" convert --quiet --format "$format" -o "windows\\$name\\出力" "$input" \
    2>"windows-$name.err" || windows_status=$?
  if [ "$linux_status" != "$windows_status" ]; then
    echo "$name: Linux ended with $linux_status, Windows with $windows_status"
    tail -n 3 "linux-$name.err" "windows-$name.err"
    failed=1
  fi
  # The messages name the output folder as it was given and end their lines with CR LF, as
  # Windows text streams do; the rest is the same text.
  sed -e "s|windows\\\\$name\\\\|linux/$name/|g" -e 's/\r$//' "windows-$name.err" >"windows-$name.txt"
  if ! cmp -s "windows-$name.txt" "linux-$name.err"; then
    echo "$name: the messages differ"
    diff "windows-$name.txt" "linux-$name.err" | head -n 20
    failed=1
  fi
  if diff -r -q "linux/$name" "windows/$name"; then
    echo "$name: $(find "linux/$name" -type f | wc -l) files alike"
  else
    echo "$name: the files differ"
    failed=1
  fi
}

for format in csv txt html mht xml dbf4 dbf3 dbf2; do
  Compare "$format" "入力 Müller" "$format"
done
Compare reversed "逆順" csv
exit $failed
