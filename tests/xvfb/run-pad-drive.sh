#!/usr/bin/env bash
# Installs the built tree into a fresh prefix and drives the installed program on a virtual
# display with a window manager, with a virtual pad that the preload library attaches inside it,
# on a copy of the demo base directory. What the pad brings about is checked from outside: the
# driver that the stand-in emulator was started with, and which window is active. The stand-in
# opens a window of its own, as a game does, and runs until the script ends it. A screenshot of
# the screen is taken after each step into $PAD_DRIVE_SHOTS when it is set.
#
# Usage: run-pad-drive.sh BUILD_DIR PRELOAD_LIBRARY DEMO_DIR
set -euo pipefail
build=$1
preload=$(realpath "$2")
demo=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" ||
  { cat "$work/install.log"; exit 1; }
binary=$work/prefix/bin/vorlane
[ -x "$binary" ] || { echo "no bin/vorlane in the prefix"; exit 1; }

cp -r "$demo" "$work/base"
# One line per start: the driver, the last argument. It runs until a line comes through the FIFO
# `quit` and leaves its window open behind it, so that only the program itself can take the
# focus back.
cat >"$work/base/tessik.exe" <<'STANDIN'
#!/usr/bin/env bash
base=$(cd "$(dirname "$0")" && pwd)
echo $$ >"$base/game-pid"
printf '%s\n' "${!#}" >>"$base/played"
xmessage -name game -title "Game ${!#}" "Playing ${!#}" &
echo $! >"$base/game-window"
read -r _ <"$base/quit"
STANDIN
chmod +x "$work/base/tessik.exe"
# A FIFO named as the user's pad mappings must neither hold the window back nor stop the pads.
mkfifo "$work/pad" "$work/base/quit" "$work/mappings"

inner=$(cat <<'INNER'
set -euo pipefail
work=$1 binary=$2 preload=$3 shots=$4
source "$5"
base=$work/base
cd "$base"
export XDG_RUNTIME_DIR="$work/runtime"
# The game last played is remembered in the test's own folder, not in the user's file.
export XDG_CONFIG_HOME="$work/config"
mkdir -m 700 "$XDG_RUNTIME_DIR"
pid=
wm=
stop() {
  for started in game-pid game-window; do
    [ -f "$base/$started" ] && kill "$(cat "$base/$started")" 2>/dev/null || true
  done
  end_program "$pid"
  [ -f "$work/stdout.log" ] && cat "$work/stdout.log"
  [ -f "$work/acks" ] && { echo "pad log:"; cat "$work/acks"; }
  kill "$wm" 2>/dev/null || true
}
trap stop EXIT
fail() {
  echo "FAILED: $*" >&2
  [ -z "$shots" ] || import -window root "$shots/failure.png"
  exit 1
}
start_window_manager "$work" || fail "the window manager did not start"

# The sanitizers' runtime must come first among the libraries loaded.
asan=$(ldd "$binary" | awk '/libasan/ {print $3}')
SDL_GAMECONTROLLERCONFIG_FILE=$work/mappings PAD_DRIVE_FIFO=$work/pad PAD_DRIVE_ACKS=$work/acks \
  LD_PRELOAD="${asan:+$asan }$preload" "$binary" >"$work/stdout.log" 2>&1 &
pid=$!

# Waits until CONDITION (a shell command) holds; fails the drive with WHAT when it does not.
expect_soon() {
  wait_until "$1" || fail "$2"
}
lines() {
  if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi
}
shot() {
  if [ -n "$shots" ]; then
    import -window root "$shots/$1.png"
  fi
  echo "step $1: done"
}

main=$(find_window '^Vorlane Frontend v0\.04$')
xdotool windowactivate --sync "$main"
expect_soon "grep -qx attached $work/acks" "the pad was not attached"
exec 3>"$work/pad"
# Sends the pad a command and waits until it has been carried out.
pad() {
  local before
  before=$(lines "$work/acks")
  echo "$*" >&3
  expect_soon "[ \$(cat $work/acks | wc -l) -gt $before ]" "the pad did not carry out: $*"
  tail -n 1 "$work/acks" | grep -q '^ok ' || fail "the pad refused: $(tail -n 1 "$work/acks")"
}
# Starts the selected game with A and prints the driver the stand-in was started with.
play() {
  local before
  before=$(lines "$base/played")
  pad a
  expect_soon "[ \$(cat $base/played 2>/dev/null | wc -l) -gt $before ]" "A did not start a game"
  tail -n 1 "$base/played"
}
# Whether WINDOW is the active one (none may be, for a moment, while a window closes).
is_active() {
  [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]
}
# Whether a window other than the program's has the focus: the game's, once it is up.
game_has_focus() {
  local active
  active=$(xdotool getactivewindow 2>/dev/null) && [ "$active" != "$main" ]
}
# Ends the running game as a player would: once its window is up and has the focus, so that it
# cannot take the focus after the program has taken it back.
end_game() {
  expect_soon game_has_focus "the game's window did not take the focus"
  echo quit >"$base/quit"
  expect_soon "is_active $main" "the window was not active after the game"
  kill "$(cat "$base/game-window")"
}
# The drivers in the list's order, the first row 0 (the demo's game names sort as its file names).
drivers=$(ls "$base/drivers" | wc -l)
driver_at() {
  ls "$base/drivers" | LC_ALL=C sort -f | sed -n "$(($1 + 1))p"
}
row_of() {
  ls "$base/drivers" | LC_ALL=C sort -f | grep -nxF "$1" | awk -F: '{print $1 - 1}'
}
shot pad-attached

# The last game starts first.
pad rt
# The pad has been read, so the reader has looked at the mappings before.
grep -qF "mappings in $work/mappings are not read" "$work/stdout.log" ||
  fail "the FIFO of mappings was not refused: $(cat "$work/stdout.log")"
[ "$(play)" = "$(driver_at $((drivers - 1)))" ] || fail "the last game did not start"
shot last-game
end_game

# First game, then each move goes one row on.
pad lt
pad down
pad down
shot down-twice
first=$(play)
[ "$first" = "$(driver_at 2)" ] || fail "played $first after two moves, not $(driver_at 2)"
# The game's window takes the focus; the pad rests until the game ends.
expect_soon game_has_focus "the game's window did not take the focus"
pad down
shot game-running
end_game
shot game-ended
again=$(play)
[ "$again" = "$first" ] || fail "the pad moved the list while a game ran: played $again"
end_game

# The hold must get past the pad's repeat delay (400 ms, then one move every 80 ms); how far
# past it is a parameter.
repeat_delay_ms=400
hold_ms=${PAD_HOLD_MS:-$((repeat_delay_ms + 300))}
pad hold down "$hold_ms"
shot held-down
held=$(play)
end_game
# Held from row 2, down moves at once and repeats at least once.
[ "$(row_of "$held")" -ge 4 ] || fail "holding down did not repeat: played $held"

pad y
shot random-game
random=$(play)
[ "$random" != "$held" ] || fail "Y did not pick another game"
end_game
shot random-game-ended

pad press back
pad rb
pad release back
shot settings-page

xdotool key --clearmodifiers alt+F4
await_end "$pid" || fail "did not end when closed"
pid=
echo "played: $first, $again, $held, $random; exit code $program_status"
exit "$program_status"
INNER
)
shots=${PAD_DRIVE_SHOTS:-}
[ -z "$shots" ] || mkdir -p "$shots"
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash -c "$inner" pad-drive "$work" "$binary" \
  "$preload" "$shots" "$(cd "$(dirname "${BASH_SOURCE[0]}")/../support" && pwd)/display-session.sh"
