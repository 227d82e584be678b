#!/usr/bin/env bash
# Builds the Debian package from a finished build and checks it as Debian's tools do: contents,
# computed dependencies, desktop entry, software-centre data, lintian, and the installed programs.
# Usage: check_package.sh BUILD_DIR VERSION. Exits 77 (skipped) when a checker is not installed.
set -euo pipefail
build="$1"
version="$2"

for tool in cpack dpkg-shlibdeps file lintian desktop-file-validate appstreamcli; do
  if ! command -v "$tool" >/dev/null; then
    echo "skipped: $tool is not installed (scripts/install-deps.sh --tests installs it)"
    exit 77
  fi
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

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

# Dependencies come from dpkg-shlibdeps, so the Qt, zlib and C++ runtime packages are named.
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libc6 libstdc++6 zlib1g libqt6widgets6; do
  [[ "$depends" == *"$library"* ]] || fail "Depends lacks $library: $depends"
done

dpkg-deb -x "$deb" "$work/root"
share="$work/root/usr/share"
desktop-file-validate "$share/applications/org.example.quorvex.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/org.example.quorvex.metainfo.xml" || fail "appstreamcli validate"

# A release bumps the version in CMake, the changelog and the software-centre data together.
changelog_version="$(zcat "$share/doc/quorvex/changelog.gz" | sed -n '1s/^quorvex (\([^)]*\)).*/\1/p')"
[ "$changelog_version" = "$version" ] || fail "the changelog's newest entry is $changelog_version, not $version"
grep -q "<release version=\"$version\"" "$share/metainfo/org.example.quorvex.metainfo.xml" ||
  fail "the metainfo has no release $version"

# The stripped programs still run, and the completion script loads in bash.
[ "$("$work/root/usr/bin/quorvex" --version)" = "quorvex $version" ] || fail "quorvex --version"
bash -n "$share/bash-completion/completions/quorvex" || fail "the bash completion does not parse"

lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian reports errors"
echo "package $(basename "$deb") checked"
