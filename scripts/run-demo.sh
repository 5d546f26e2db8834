#!/usr/bin/env bash
# Runs Vorlane on the demo base directory.
#
# Usage: scripts/run-demo.sh BUILD_DIR
#
# Copies examples/demo afresh to BUILD_DIR/demo (so the demo in the repository is never
# written) and starts BUILD_DIR/src/vorlane there, since Vorlane takes its base directory from
# the directory it starts in. Without a usable display the window runs on a virtual display
# (Xvfb) under a window manager; a screenshot of it is saved to BUILD_DIR/vorlane-screenshot.png
# and the window is then closed through the window manager, as its close box would close it.
set -euo pipefail

readonly window_wait_seconds=30
readonly exit_wait_seconds=10

fail() {
  echo "run-demo.sh: $*" >&2
  exit 1
}

display_is_usable() {
  [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1
}

# wait_for_exit PID SECONDS: true when the process has ended within SECONDS.
wait_for_exit() {
  local pid="$1" tenths=$(($2 * 10))
  while kill -0 "$pid" 2>/dev/null; do
    [ "$tenths" -le 0 ] && return 1
    sleep 0.1
    tenths=$((tenths - 1))
  done
}

# Runs inside xvfb-run: start a window manager and the program, wait for its window, take the
# screenshot, close it.
capture_on_virtual_display() {
  local program="$1" screenshot="$2"
  local scratch wm pid window_id status

  # Qt wants a private runtime directory; a bare virtual display session has none.
  scratch="$(mktemp -d)"
  if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR="$scratch"
    export XDG_RUNTIME_DIR
  fi
  # Openbox runs its start-up command once it manages windows.
  openbox --startup "touch $scratch/wm-ready" >"$scratch/openbox.log" 2>&1 &
  wm=$!
  # Expanded now: the trap runs after this function's variables are gone.
  trap "kill $wm 2>/dev/null || true; rm -rf -- '$scratch'" EXIT
  timeout "$window_wait_seconds" bash -c "until [ -e '$scratch/wm-ready' ]; do sleep 0.1; done" ||
    fail "the window manager did not start within $window_wait_seconds seconds."

  "$program" &
  pid=$!

  # The program's own window, found by its process rather than by a title kept in two places.
  window_id=$(timeout "$window_wait_seconds" \
    xdotool search --sync --onlyvisible --pid "$pid" | head -n 1) || true
  if [ -z "$window_id" ]; then
    kill "$pid" 2>/dev/null || true
    fail "Vorlane's window did not appear within $window_wait_seconds seconds."
  fi
  sleep 1 # let the first paint finish

  import -window root "$screenshot"
  echo "Screenshot saved: $screenshot"

  # The window manager asks the window to close, as a click on its close box does.
  wmctrl -i -c "$window_id"
  if ! wait_for_exit "$pid" "$exit_wait_seconds"; then
    echo "run-demo.sh: Vorlane did not close when asked to; stopping it." >&2
    kill "$pid" 2>/dev/null || true
    wait_for_exit "$pid" "$exit_wait_seconds" || kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    exit 1
  fi
  status=0
  wait "$pid" || status=$?
  echo "Vorlane closed (exit code $status)."
  return "$status"
}

if [ "${1:-}" = "--capture-on-virtual-display" ]; then
  shift
  capture_on_virtual_display "$@"
  exit
fi

[ $# -eq 1 ] || fail "usage: scripts/run-demo.sh BUILD_DIR"
[ -d "$1" ] || fail "no build directory $1"

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$(cd "$1" && pwd)"
program="$build_dir/src/vorlane"
demo_dir="$build_dir/demo"

[ -x "$program" ] || fail "no Vorlane executable at $program (build it first)."

rm -rf -- "$demo_dir"
cp -a -- "$repo_root/examples/demo" "$demo_dir"
cd "$demo_dir"
echo "Base directory: $demo_dir"
echo "Play and Checksum write what they were started with to emulator.log and checksum.log there."

if display_is_usable; then
  exec "$program"
fi

echo "No display found: running Vorlane on a virtual display (Xvfb) and saving a screenshot."
for tool in xvfb-run openbox wmctrl xdotool import; do
  command -v "$tool" >/dev/null || fail "$tool is missing (run scripts/install-deps.sh)."
done
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  "$repo_root/scripts/run-demo.sh" --capture-on-virtual-display \
  "$program" "$build_dir/vorlane-screenshot.png"
