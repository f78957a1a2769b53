# Sourced by the set-up scripts: one line is shown for each step, and the
# step's own output (package manager, build) goes to a log named at the start:
# $MERVANTA_SETUP_LOG when set, else build/setup.log (a temporary file where
# that cannot be written). A step that fails is named with the log's last
# lines, and the script exits non-zero.
log=${MERVANTA_SETUP_LOG:-$root/build/setup.log}
if [[ -z ${MERVANTA_SETUP_LOG:-} ]]; then
  { mkdir -p "$root/build" && : > "$log"; } 2> /dev/null || log=$(mktemp --tmpdir mervanta-setup.XXXXXX.log)
  export MERVANTA_SETUP_LOG=$log
fi

step() {  # MESSAGE COMMAND...: runs the command with all its output in the log
  echo "${step_indent:-}$1"
  printf '\n### %s\n### %s\n' "$1" "${*:2}" >> "$log"
  if ! "${@:2}" >> "$log" 2>&1 < /dev/null; then
    echo "Failed: $1. The last lines of $log:" >&2
    tail -n 25 "$log" | sed 's/^/  | /' >&2
    exit 1
  fi
}
