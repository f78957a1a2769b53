#!/usr/bin/env bash
# Installs what is missing, builds the game and makes the Debian package
# build/package/mervanta_VERSION_ARCH.deb (its dependencies found by dpkg-shlibdeps).
# The program is built with Debian's hardening flags (fortify, stack protector,
# full RELRO with immediate binding) and stripped as Debian packages are.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --package
build=$root/build/package
cd "$root"
flags() { DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1"; }
# Given on every run: CMake reads CXXFLAGS and LDFLAGS only on a first configure.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMERVANTA_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" > /dev/null
cmake --build "$build" -j "$(nproc)"
rm -f "$build"/mervanta_*.deb
(cd "$build" && cpack -G DEB)
