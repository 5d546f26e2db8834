#!/usr/bin/env bash
# Starts the real program without any display: it must say so on one line of standard error and
# end with exit code 1, not abort inside Qt, also when DISPLAY names a display that does not
# answer; --help and --version need no display at all.
set -euo pipefail
binary=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() {
  echo "run-no-display.sh: $*" >&2
  exit 1
}
without_display() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$binary" "$@" \
    >"$work/stdout" 2>"$work/stderr"
}

status=0
without_display || status=$?
[ "$status" -eq 1 ] || { cat "$work/stderr"; fail "ended with $status, not 1"; }
[ "$(wc -l <"$work/stderr")" -eq 1 ] || { cat "$work/stderr"; fail "not one line on stderr"; }
grep -q '^vorlane: no display: ' "$work/stderr" || fail "unexpected message: $(cat "$work/stderr")"
[ ! -s "$work/stdout" ] || fail "wrote to standard output: $(cat "$work/stdout")"
echo "no display: $(cat "$work/stderr")"

# A display that does not answer: no socket for it here, nothing at its TCP port.
number=4242
while [ -e "/tmp/.X11-unix/X$number" ] || (exec 3<>"/dev/tcp/127.0.0.1/$((6000 + number))") 2>/dev/null; do
  number=$((number + 1))
done
status=0
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$number" timeout 60 "$binary" \
  >"$work/stdout" 2>"$work/stderr" || status=$?
[ "$status" -eq 1 ] || { cat "$work/stderr"; fail "with DISPLAY=:$number ended with $status, not 1"; }
[ "$(cat "$work/stderr")" = "vorlane: no display: cannot connect to :$number" ] ||
  fail "with DISPLAY=:$number: unexpected message: $(cat "$work/stderr")"
echo "silent display: $(cat "$work/stderr")"

for option in --help --help-all --version; do
  without_display "$option" || fail "$option ended with $?: $(cat "$work/stderr")"
  [ -s "$work/stdout" ] || fail "$option printed nothing"
done
grep -q -- '-platform' "$work/stdout" && fail "--version printed the help"
echo "--help, --help-all, --version without a display: ok"
