#!/usr/bin/env bash
# Installs what is needed, builds Quorvex for /usr and makes its Debian package with CPack.
# The .deb is written to build-package/ (or the folder given as the first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh --package
output="$(realpath -m "${1:-build-package}")"
# Debian's hardening flags (fortified calls, stack protector, read-only relocations bound at
# start), without the debugging information the package would strip again.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP=-g
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DQUORVEX_BUILD_TESTS=OFF
cmake --build build-package
(cd build-package && cpack -B "$output")
echo "The package: $(ls "$output"/quorvex_*.deb)"
echo "Install it with: sudo apt-get install $(ls "$output"/quorvex_*.deb)"
