#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it as Debian's tools do: contents,
# computed dependencies, desktop entry, software-centre data, lintian, and the installed programs.
# Usage: check_package.sh BUILD_DIR VERSION. Exits 77 (skipped) when a checker is not installed.
set -euo pipefail
build="$1"
version="$2"

for tool in cpack dpkg-shlibdeps file lintian desktop-file-validate appstreamcli man; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps.sh --tests installs it)"
    exit 77
  fi
done
bash_completion=/usr/share/bash-completion/bash_completion
if [ ! -f "$bash_completion" ]; then
  echo "skipped: bash-completion is not installed (scripts/install-deps.sh --tests installs it)"
  exit 77
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }
trap 'echo "FAILED: line $LINENO of $0"' ERR

(cd "$build" && cpack -B "$work/out") >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack"; }
deb="$work/out/quorvex_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb; cpack made: $(ls "$work/out")"

# Every installed piece, at the path Debian and the desktop look for it.
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$work/contents"
expected=(
  /usr/bin/quorvex /usr/bin/quorvex-gui /usr/share/quorvex/help.html
  /usr/share/man/man1/quorvex.1.gz /usr/share/man/man1/quorvex-gui.1.gz
  /usr/share/bash-completion/completions/quorvex
  /usr/share/applications/org.example.quorvex.desktop
  /usr/share/metainfo/org.example.quorvex.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/quorvex.svg
  /usr/share/icons/hicolor/16x16/apps/quorvex.png /usr/share/icons/hicolor/256x256/apps/quorvex.png
  /usr/share/doc/quorvex/copyright /usr/share/doc/quorvex/changelog.gz
)
for path in "${expected[@]}"; do
  grep -qx "$path" "$work/contents" || fail "the package lacks $path"
done

# Dependencies come from dpkg-shlibdeps, so the Qt, zlib, ISA-L and C++ runtime packages are named.
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libc6 libstdc++6 zlib1g libisal2 libqt6widgets6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
share="$work/root/usr/share"
# Hints count too: a desktop entry without a main category lands in no menu.
report="$(desktop-file-validate "$share/applications/org.example.quorvex.desktop" 2>&1)" &&
  [ -z "$report" ] || fail "desktop-file-validate: $report"
appstreamcli validate --no-net "$share/metainfo/org.example.quorvex.metainfo.xml" || fail "appstreamcli validate"

# A release bumps the version in CMake, the changelog and the software-centre data together.
changelog_version="$(zcat "$share/doc/quorvex/changelog.gz" | sed -n '1s/^quorvex (\([^)]*\)).*/\1/p')"
[ "$changelog_version" = "$version" ] || fail "the changelog's newest entry is $changelog_version, not $version"
grep -q "<release version=\"$version\"" "$share/metainfo/org.example.quorvex.metainfo.xml" ||
  fail "the metainfo has no release $version"

# The manual pages format without warnings, as lintian formats them.
for page in quorvex quorvex-gui; do
  report="$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
            "$share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
  [ -z "$report" ] || fail "man $page: $report"
done

# The stripped programs still run, and the completion script loads in bash.
quorvex="$work/root/usr/bin/quorvex"
[ "$("$quorvex" --version)" = "quorvex $version" ] || fail "quorvex --version"
completion="$share/bash-completion/completions/quorvex"
bash -n "$completion" || fail "the bash completion does not parse"

# Every long option of --help is described in the manual page and offered by the completion
# after "quorvex convert --" or "quorvex list --".
man_text="$(MANWIDTH=200 man -l -Tutf8 "$share/man/man1/quorvex.1.gz" 2>/dev/null | sed 's/\x08.//g')"
offered="$(for command in convert list; do bash -c 'source "$1" && source "$2" && COMP_WORDS=(quorvex "$3" --) &&
  COMP_CWORD=2 && COMP_LINE="quorvex $3 --" && COMP_POINT=${#COMP_LINE}; _quorvex quorvex -- "$3" 2>/dev/null
  printf "%s\n" "${COMPREPLY[@]}"' _ "$bash_completion" "$completion" "$command"; done)"
for option in $("$quorvex" --help | grep -o -- '--[a-z][a-z0-9-]*' | sort -u); do
  grep -q -- "$option" <<<"$man_text" || fail "quorvex(1) does not describe $option"
  [ "$option" = --version ] || grep -qx -- "$option" <<<"$offered" || fail "the completion lacks $option"
done

lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
echo "package $(basename "$deb") checked"
