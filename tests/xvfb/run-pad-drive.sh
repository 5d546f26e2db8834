#!/usr/bin/env bash
# Runs pad_drive on a virtual display with a window manager, on a copy of the demo base
# directory. The screenshots stay in $PAD_DRIVE_SHOTS when it is set, else beside the copy.
set -euo pipefail
program=$1
demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$demo" "$work/base"
shots=${PAD_DRIVE_SHOTS:-$work/shots}
mkdir -p "$shots"

inner=$(cat <<'INNER'
set -euo pipefail
export XDG_RUNTIME_DIR="$1/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
openbox --startup "touch $1/wm-ready" >"$1/openbox.log" 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
timeout 20 bash -c "until [ -e $1/wm-ready ]; do sleep 0.1; done"
timeout 120 "$2" -platform xcb "$1/base" "$3"
INNER
)
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c "$inner" inner "$work" "$program" "$shots"
echo "screenshots in $shots"
