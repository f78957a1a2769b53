#!/usr/bin/env bash
# The set-up scripts, run from a temporary copy of the scripts folder with
# stand-ins for the package manager, sudo and cmake first on PATH (each notes
# its call, so nothing is installed or built for real):
# - play.sh without a display stops within two seconds, says what to do, and
#   neither installs nor builds; with a display the same stand-ins are reached;
# - the package manager's output goes to the log, not the terminal;
# - a failing step is named, the log's last lines are shown, the run stops.
set -u
repo=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; echo "--- output"; cat "$work/out"; exit 1; }

mkdir -p "$work/copy/scripts" "$work/bin"
cp "$repo/scripts/play.sh" "$repo/scripts/install-deps.sh" "$repo/scripts/setup-steps.sh" "$work/copy/scripts/"
calls=$work/calls
cat > "$work/bin/dpkg-query" << 'EOF'
#!/bin/sh
exit 1
EOF
cat > "$work/bin/sudo" << EOF
#!/bin/sh
echo "sudo \$*" >> "$calls"
[ "\$1" = -v ] && exit 0
exec "\$@"
EOF
cat > "$work/bin/apt-get" << EOF
#!/bin/sh
echo "apt-get \$*" >> "$calls"
seq 1 300 | sed 's/^/Unpacking a package, line /'
case "\$*" in *install*) [ -n "\${APT_FAILS:-}" ] && { echo "E: Unable to locate package libsdl2-dev"; exit 100; } ;; esac
exit 0
EOF
cat > "$work/bin/cmake" << EOF
#!/bin/sh
echo "cmake \$*" >> "$calls"
EOF
chmod +x "$work/bin/"*

play() {  # runs the copied play.sh with the stand-ins; sets status and ms
  local start=$(date +%s%N)
  (cd "$work" && PATH="$work/bin:$PATH" timeout 20 "$@" "$work/copy/scripts/play.sh") > "$work/out" 2>&1 < /dev/null
  status=$?
  ms=$(( ($(date +%s%N) - start) / 1000000 ))
}

# No display: at once, with what to do, and nothing installed or built.
play env -u DISPLAY -u WAYLAND_DISPLAY
[[ $status -ne 0 && $status -ne 124 ]] || fail "without a display play.sh ended with status $status"
(( ms < 2000 )) || fail "without a display play.sh took $ms ms"
{ grep -q "Open a terminal inside your desktop" "$work/out" && grep -q "run ./scripts/play.sh there" "$work/out"; } || fail "it does not say what to do"
[[ ! -e $calls ]] || fail "without a display it called: $(cat "$calls")"
[[ ! -e $work/copy/build ]] || fail "without a display it made a build folder"

# With a display the same stand-ins are reached, and the package manager's
# lines land in the log only.
play env DISPLAY=:99
grep -q "^apt-get .*install" "$calls" || fail "with a display nothing was installed (the stand-ins are not reached)"
grep -q "^cmake --build" "$calls" || fail "with a display nothing was built"
grep -q "line 300" "$work/copy/build/setup.log" || fail "the package manager's output is not in the log"
! grep -q "Unpacking" "$work/out" || fail "the package manager's output reached the terminal"
(( $(wc -l < "$work/out") <= 12 )) || fail "the set-up printed $(wc -l < "$work/out") lines"

# A failing install: named, with the log's end, and nothing built after it.
rm -rf "$calls" "$work/copy/build"
play env DISPLAY=:99 APT_FAILS=1
[[ $status -ne 0 && $status -ne 124 ]] || fail "a failed install ended with status $status"
grep -q "^Failed: installing" "$work/out" || fail "the failing step is not named"
grep -q "E: Unable to locate package" "$work/out" || fail "the log's last lines are not shown"
! grep -q "^cmake" "$calls" || fail "it built after a failed install"
echo "PASS: play.sh stops at once without a display; the set-up is quiet and its failures are clear"
