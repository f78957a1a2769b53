#!/usr/bin/env bash
# Installs what is missing, builds the game and makes the Debian package
# build/package/mervanta_VERSION_ARCH.deb (its dependencies found by dpkg-shlibdeps).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --package
build=$root/build/package
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVANTA_TESTS=OFF > /dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/mervanta_*.deb
(cd "$build" && cpack -G DEB)
