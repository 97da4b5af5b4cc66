# Steps the end-to-end scripts share; they source this file after setting e2e_name.
#   $build: the build folder (TW_BUILD_DIR, default build); $xdrive: the X client (tools/xdrive.py);
#   $e2e_wav: the folder of e2e_wav.py, for the WAV checks (PYTHONPATH="$e2e_wav" python3 ...).
e2e_tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=${TW_BUILD_DIR:-$(dirname "$e2e_tools")/build}
xdrive="$e2e_tools/xdrive.py"
e2e_wav="$e2e_tools"

# e2e_need TOOL...: ends the script as skipped (77) when one is not installed.
e2e_need() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || { echo "$e2e_name: $tool is not installed" >&2; exit 77; }
  done
}

# e2e_build TARGET...: builds the program and the targets (tools of bench/), unless
# TW_E2E_NO_BUILD=1; ends the script as skipped (77) when one of them is not there.
e2e_build() {
  local target
  if [ -z "${TW_E2E_NO_BUILD:-}" ]; then
    cmake --build "$build" --target tarrowind "$@" >/dev/null
  fi
  [ -x "$build/app/tarrowind" ] || { echo "$e2e_name: tarrowind is not built in $build" >&2; exit 77; }
  for target; do
    [ -x "$build/bench/$target" ] || { echo "$e2e_name: $target is not built in $build" >&2; exit 77; }
  done
}

# e2e_work: a scratch folder $work, removed at the end, with a home of its own for the program's
# settings ($ini), so the user's own stay untouched. The song information, which would open over the
# window after a song is read, stays closed for these runs.
e2e_work() {
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
  mkdir -p "$XDG_CONFIG_HOME"
  ini="$XDG_CONFIG_HOME/Tarrowind Version 2.ini"
  printf '[Options]\nShowMixerAfterFileOpen=0\n' > "$ini"
}

# e2e_shots [FOLDER]: $shots, where the screenshots go: FOLDER (made when missing), or $work when
# none is given. Call it after e2e_work.
e2e_shots() {
  if [ -n "${1:-}" ]; then
    mkdir -p "$1"
    shots=$(realpath "$1")
  else
    shots="$work"
  fi
}

# e2e_xvfb WxH SCRIPT ARG...: runs the bash SCRIPT (its arguments as $0, $1, ...) under a virtual
# display of WxH; when it fails, shows the program's log ($work/program.log) and ends with its
# status. The script can call e2e_closed. One run at a time on the machine: two xvfb-run -a
# starting together can pick the same display, and the scripts' waits are measured for one
# program at a time.
e2e_xvfb() {
  local screen=$1 script=$2 status=0
  shift 2
  flock "${TMPDIR:-/tmp}/tarrowind-e2e.lock" \
    xvfb-run -a -s "-screen 0 ${screen}x24" bash -c "$(declare -f e2e_closed); e2e_name=$e2e_name; $script" "$@" ||
    status=$?
  if [ "$status" -ne 0 ]; then
    cat "$work/program.log" >&2 || true
    exit "$status"
  fi
}

# e2e_closed PID TENTHS: waits up to TENTHS tenths of a second for the program to end (a loaded
# machine closes slowly); ends the script (1) when it does not, else returns the program's exit
# status.
e2e_closed() {
  local i
  for i in $(seq "$2"); do kill -0 "$1" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$1" 2>/dev/null; then echo "$e2e_name: the program did not close" >&2; kill "$1"; exit 1; fi
  wait "$1"
}
