#!/usr/bin/env bash
# Starts the real program on a virtual display in a fresh base directory, checks its main
# window, closes it through the close button's accelerator and expects exit code 0.
set -euo pipefail
binary=$1
base=$(mktemp -d)
trap 'rm -rf "$base"' EXIT
printf 'Romdir       .\r\nDrvdir       .\r\n' >"$base/tessik.ini"

inner=$(cat <<'INNER'
set -euo pipefail
cd "$1"
"$2" >"$1/stdout.log" 2>&1 &
pid=$!
window=$(timeout 20 xdotool search --sync --name '^Vorlane Frontend v0\.04$' | head -n 1)
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
echo "window $window, client area $geometry"
[ "$geometry" = "532x373" ] || { echo "unexpected client area $geometry"; kill "$pid"; exit 1; }
xdotool windowfocus --sync "$window"
xdotool key --window "$window" alt+f
status=0
timeout 20 tail --pid="$pid" -f /dev/null || { echo "did not end when closed"; kill "$pid"; exit 1; }
wait "$pid" || status=$?
echo "exit code $status"
exit "$status"
INNER
)
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$inner" smoke "$base" "$binary"
