#!/usr/bin/env bash
# Starts the real program on a virtual display in a fresh base directory, checks its main
# window, closes it through the close button's accelerator and expects exit code 0. Whatever
# fails on the way, the program is ended before the script ends, and its output is shown.
set -euo pipefail
binary=$1
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
printf 'Romdir       .\r\nDrvdir       .\r\n' >"$base/tessik.ini"

inner=$(cat <<'INNER'
set -euo pipefail
base=$1
cd "$base"
"$2" >"$base/stdout.log" 2>&1 &
pid=$!
# A program still running here was not closed by the test: end it, then show what it printed
# (a sanitizer report at exit among it).
end_program() {
  if kill -0 "$pid" 2>/dev/null; then
    echo "ending the program (pid $pid), which is still running"
    kill "$pid" 2>/dev/null || true
    timeout 5 tail --pid="$pid" -f /dev/null || kill -KILL "$pid" 2>/dev/null || true
  fi
  cat "$base/stdout.log"
}
trap end_program EXIT
window=$(timeout 20 xdotool search --sync --name '^Vorlane Frontend v0\.04$' | head -n 1) ||
  { echo "no main window within 20 s"; exit 1; }
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
echo "window $window, client area $geometry"
[ "$geometry" = "532x373" ] || { echo "unexpected client area $geometry"; exit 1; }
xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+f
timeout 20 tail --pid="$pid" -f /dev/null || { echo "did not end when closed"; exit 1; }
status=0
wait "$pid" || status=$?
echo "exit code $status"
exit "$status"
INNER
)
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$inner" smoke "$base" "$binary"
