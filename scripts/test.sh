#!/usr/bin/env bash
# Installs what is missing, builds the game and its tests twice (plain, and
# with AddressSanitizer and UndefinedBehaviorSanitizer) and runs both suites
# side by side: the play tests in real windows spend most of their time
# waiting on the game's clock, and the rest runs beside them. Each suite's
# report is shown as it ends; the script fails when either fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" --tests
jobs=$(nproc)

build() {  # FOLDER CMAKE-OPTIONS...
  local dir=$1; shift
  cmake -S "$root" -B "$dir" "$@" > /dev/null
  cmake --build "$dir" -j "$jobs"
}

echo "== plain build"
build "$root/build/test" -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build"
# Optimised a little, as the sanitizers' authors advise: the same checks, a few times faster.
build "$root/build/asan" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DMERVANTA_SANITIZE=ON

suite() {  # FOLDER NAME: the suite's report into a log, shown when it ends
  local log=$1/suite.log status=0
  ctest --test-dir "$1" --output-on-failure -j "$jobs" > "$log" 2>&1 || status=$?
  echo "== $2 suite"
  cat "$log"
  return "$status"
}
echo "== running both suites"
suite "$root/build/test" "plain" & plain=$!
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  suite "$root/build/asan" "AddressSanitizer + UndefinedBehaviorSanitizer" & sanitized=$!
status=0
wait "$plain" || status=1
wait "$sanitized" || status=1
exit "$status"
