#!/usr/bin/env bash
# Installs the Debian packages Quorvex needs to build (with --package, to make its .deb; with
# --windows, to cross-compile quorvex.exe; with --tests, to test, package and quorvex.exe under
# Wine included; with --bench, to run bench/run_bench.sh).
# Idempotent: apt-get runs only when something is missing.
set -euo pipefail

# What building the converter and its window needs (ISA-L inflates zip entries several times
# faster than zlib; a build without it falls back to zlib).
packages=(g++ cmake ninja-build zlib1g-dev libisal-dev qt6-base-dev)
# What CPack needs for the .deb: dpkg-shlibdeps finds the libraries' packages, file finds the
# programs among the installed files.
package_tools=(dpkg-dev file)
# What cross-compiling quorvex.exe needs: the mingw-w64 C++ compiler with POSIX threads
# (std::thread) and zlib built for Windows.
windows_tools=(g++-mingw-w64-x86-64-posix libz-mingw-w64-dev)
# What the benchmark needs besides: the timer, the peak-memory reader, the inflate-only
# baselines (unzip, ISA-L's igzip), and what makes its .xls (LibreOffice) and .xlsb (SheetJS from
# npm) once.
bench_tools=(hyperfine time unzip isal python3 libreoffice-calc-nogui)
# What the tests need besides: the test framework, the independent programs that open our
# output (GDAL for dBASE, Chromium for web pages, LibreOffice and Gnumeric for XML Spreadsheet),
# the checkers of the package and its desktop files, clang-format, clang with the sanitizer
# and fuzzer runtimes and the symbolizer that puts source lines in their reports, and Wine to
# run quorvex.exe.
case "${1:-}" in
  --package)
    packages+=("${package_tools[@]}") ;;
  --windows)
    packages+=("${windows_tools[@]}") ;;
  --bench)
    packages+=("${bench_tools[@]}")
    # A Node.js from elsewhere brings its own npm, which Debian's npm package would conflict with.
    command -v npm >/dev/null || packages+=(nodejs npm) ;;
  --tests)
    packages+=(libgtest-dev libgmock-dev unzip python3 xvfb xauth fonts-liberation gdal-bin
               chromium chromium-driver gnumeric libreoffice-calc-nogui
               "${package_tools[@]}" lintian desktop-file-utils appstream bash-completion
               clang clang-format-14 libclang-rt-14-dev llvm "${windows_tools[@]}" wine64) ;;
esac

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
