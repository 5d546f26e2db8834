#!/usr/bin/env bash
# Starts the real program on a virtual display with a window manager, in a fresh base directory
# with two drivers, and checks with real key presses: the main window's client area and that
# its frame is centred; it grows when maximised, F11 fills the screen and gives it back; Tab from
# the tab bar reaches the driver list; Alt+E, shared by
# "&Executar" and "&Editar Driver", clicks Executar (the missing emulator is then reported in a
# box); Tab reaches Edit Driver; the editor's outer size is 450 x 339 and its frame is centred;
# Checksum opens its output window without taking the keyboard from the main window; Alt+F
# closes the program, maximised in full screen and remembered so, with the output window still
# open, with exit code 0.
set -euo pipefail
binary=$1
base=$(mktemp -d)
trap '[ -f "$base/checksum.pid" ] && kill "$(cat "$base/checksum.pid")"; rm -rf "$base"' EXIT
printf 'Romdir       .\r\nDrvdir       .\r\n' >"$base/tessik.ini"
printf 'GAMENAME     Alpha\r\n' >"$base/alpha.drv"
printf 'GAMENAME     Beta\r\n[Video]\r\n' >"$base/beta.drv"
# A checksum tool that runs on until the test has ended.
mkdir "$base/tools"
printf '#!/bin/sh\necho $$ >"%s/checksum.pid"\necho Checking\nexec tail -f /dev/null\n' "$base" \
  >"$base/tools/checksum.exe"
chmod +x "$base/tools/checksum.exe"

inner=$(cat <<'INNER'
set -euo pipefail
source "$3"
cd "$1"
export XDG_RUNTIME_DIR="$1/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# What the window remembers stays in the test's own folder: the user's own file is neither read
# nor written.
export XDG_CONFIG_HOME="$1/config"
pid=
wm=
# Whatever fails, a program still running is ended, then what it printed is shown (a sanitizer
# report at exit among it).
stop() {
  end_program "$pid"
  [ -f "$1/stdout.log" ] && cat "$1/stdout.log"
  kill "$wm" 2>/dev/null || true
}
trap 'stop "$1"' EXIT
start_window_manager "$1" || { echo "the window manager did not start"; exit 1; }

"$2" >"$1/stdout.log" 2>&1 &
pid=$!

fail() {
  echo "$*"
  exit 1
}

# "WIDTHxHEIGHT+LEFT+TOP" of the client area, and of the whole window with its frame.
client_area() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}
outer_area() {
  local extents
  extents=$(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  [ -n "$extents" ] || fail "no frame on window $1"
  client_area "$1" | awk -v e="$extents" -F'[x+]' '{split(e, m, " ");
    print $1 + m[1] + m[2] "x" $2 + m[3] + m[4] "+" $3 - m[1] "+" $4 - m[3]}'
}

# The frame's centre may differ from the screen's by the half pixel that an odd size leaves.
expect_centred() {
  local outer=$1 name=$2
  echo "$outer" | awk -F'[x+]' -v name="$name" '{
    dx = $3 + $1 / 2 - 512; dy = $4 + $2 / 2 - 384;
    if (dx < -1 || dx > 1 || dy < -1 || dy > 1) { print name " not centred: " $0; exit 1 } }'
}

# The window manager may place a window a moment after it shows (longer on a busy machine): the
# frame is looked at again until it is centred or the wait's limit has passed.
expect_centred_soon() {
  wait_until "expect_centred \"\$(outer_area $1)\" '$2' >/dev/null" ||
    { expect_centred "$(outer_area "$1")" "$2"; exit 1; }
}

# Keys reach the focused window in order; each step below waits for what its keys bring about.
press() {
  xdotool key --clearmodifiers "$@"
}

# The window manager frames a window a moment after it shows.
expect_frame() {
  wait_for_frame "$1" || fail "no frame on window $1"
}

viewable() {
  xwininfo -id "$1" 2>/dev/null | grep -q IsViewable
}
wait_until_closed() {
  wait_until "! viewable $1" || fail "$2 did not close"
}

main=$(find_window '^Vorlane Frontend v0\.04$')
xdotool windowactivate --sync "$main"
expect_frame "$main"
client=$(client_area "$main")
outer=$(outer_area "$main")
echo "main window: client area $client, with its frame $outer"
[ "${client%%+*}" = "532x373" ] || fail "unexpected client area $client"
expect_centred_soon "$main" "main window"

# Maximised and in full screen the window fills what the screen gives it; F11 gives the window
# back at its place and size.
size_is() {
  [ "$(client_area "$1" | cut -d+ -f1)" = "$2" ]
}
wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
wait_until "! size_is $main 532x373" || fail "the window did not grow when maximised"
maximised=$(client_area "$main" | cut -d+ -f1)
echo "maximised: client area $maximised"
# The window manager reports full screen alone: F11 still returns to the maximised window.
press F11
wait_until "size_is $main 1024x768" || fail "F11 did not fill the screen: $(client_area "$main")"
press F11
wait_until "size_is $main $maximised" || fail "F11 did not return to maximised: $(client_area "$main")"
wmctrl -i -r "$main" -b remove,maximized_vert,maximized_horz
wait_until "size_is $main 532x373" || fail "the window did not come back from maximised"
press F11
wait_until "size_is $main 1024x768" || fail "F11 did not fill the screen: $(client_area "$main")"
press F11
wait_until "size_is $main 532x373" || fail "F11 did not leave full screen: $(client_area "$main")"
expect_centred_soon "$main" "main window after full screen"
echo "F11: full screen 1024x768 and back"

# From the tab bar, Tab reaches the driver list; Down selects a driver.
press Tab Down
press alt+e
box=$(find_window '^Vorlane - Tessik Frontend$') || fail "Alt+E did not click Executar"
echo "Alt+E: the launch failure box came up"
xdotool windowactivate --sync "$box"
press Return
wait_until_closed "$box" "the launch failure box"

# Back in the driver list: Executar, Checksum, Editar Driver.
xdotool windowactivate --sync "$main"
press Tab Tab Tab Return
editor=$(find_window '^Vorlane Driver Editor - ') || fail "Tab did not reach Edit Driver"
expect_frame "$editor"
outer=$(outer_area "$editor")
echo "editor: client area $(client_area "$editor"), with its frame $outer"
[ "${outer%%+*}" = "450x339" ] || fail "unexpected outer size of the editor $outer"
expect_centred_soon "$editor" "editor"
xdotool windowactivate --sync "$editor"
press alt+F4
wait_until_closed "$editor" "the editor"

xdotool windowactivate --sync "$main"
press shift+Tab Return
output=$(find_window 'checksum\.exe') || fail "Shift+Tab did not reach Checksum"
expect_frame "$output"
[ "$(xdotool getactivewindow)" = "$main" ] || fail "the output window took the keyboard"
echo "Checksum: the output window came up beside the main window, which kept the keyboard"
# Closed maximised and in full screen, the window is remembered as both, though the window manager
# reports the full screen alone.
wmctrl -i -r "$main" -b add,maximized_vert,maximized_horz
wait_until "size_is $main $maximised" || fail "the window did not maximise again"
press F11
wait_until "size_is $main 1024x768" || fail "F11 did not fill the screen again"
press alt+f
await_end "$pid" || fail "did not end when closed"
pid=
remembered="$XDG_CONFIG_HOME/vorlane/vorlane.conf"
grep -q '^Maximised=true' "$remembered" && grep -q '^FullScreen=true' "$remembered" ||
  fail "not remembered as maximised in full screen: $(tr '\n' ' ' <"$remembered")"
echo "exit code $program_status"
exit "$program_status"
INNER
)
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c "$inner" smoke "$base" "$binary" \
  "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/display-session.sh"
