#!/usr/bin/env bash
# Checks the Debian package the way a user's system meets it: Debian's own checker, its file
# list and dependencies, its changelog and manual page, its desktop entry and metainfo through
# the standard validators, and the program it installs,
# unpacked into a temporary root: the command line without a display, then the menu entry's
# starts on a virtual display, from an empty home directory, choosing the demo directory.
#
# Usage: tests/package/check-package.sh BUILD_DIR (where `make package` left the package)
set -euo pipefail

readonly app_id=org.vorlane.Vorlane
readonly main_title='^Vorlane Frontend v0\.04$'
# The chooser's title in any language names the file it looks for.
readonly chooser_title='^Vorlane: .*tessik\.ini'
readonly error_box_title='^Vorlane - Tessik Frontend$'

fail() {
  echo "check-package.sh: $*" >&2
  exit 1
}

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
[ $# -eq 1 ] || fail "usage: check-package.sh BUILD_DIR"
deb=$(ls -t "$1"/vorlane_*.deb 2>/dev/null | head -n 1) || true
[ -n "$deb" ] || fail "no vorlane_*.deb in $1 (run make package)"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "Checking $deb"

# --- Debian's checker: no error and no warning.
lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
  { cat "$work/lintian.log" >&2; fail "lintian rejects the package"; }
echo "lintian: no error, no warning"

# --- What the package holds: the program and its desktop files, nothing from tests or benchmarks.
expected_files="./usr/bin/vorlane
./usr/share/applications/$app_id.desktop
./usr/share/doc/vorlane/LICENSE
./usr/share/doc/vorlane/README.md
./usr/share/doc/vorlane/changelog.gz
./usr/share/doc/vorlane/copyright
./usr/share/doc/vorlane/docs/screenshot.png
./usr/share/man/man1/vorlane.1.gz
./usr/share/metainfo/$app_id.metainfo.xml
./usr/share/vorlane/vorlane.lng"
for size in 16 32 48 64 128 256; do
  expected_files+=$'\n'"./usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
done
actual_files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
if [ "$actual_files" != "$(sort <<<"$expected_files")" ]; then
  diff <(sort <<<"$expected_files") <(echo "$actual_files") >&2 || true
  fail "the package's file list differs from the expected one (< expected, > packaged)"
fi

# A continuation line of the description that begins with ";" is a list's separator, not text.
if dpkg-deb -f "$deb" Description | grep -q '^ *;'; then
  fail "the description has stray ';': $(dpkg-deb -f "$deb" Description)"
fi
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/vorlane/vorlane.lng |
  cmp -s - "$repo_root/resources/languages/vorlane.lng" ||
  fail "the packaged language file differs from resources/languages/vorlane.lng"

depends=$(dpkg-deb -f "$deb" Depends)
depended_names=$(sed 's/ ([^)]*)//g; s/, /\n/g' <<<"$depends")
for needed in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libjpeg62-turbo libsdl2-2.0-0 \
  qt6-qpa-plugins fonts-liberation; do
  grep -qxF "$needed" <<<"$depended_names" || fail "Depends lacks $needed: $depends"
done

root="$work/root"
dpkg-deb -x "$deb" "$root"
desktop_file="$root/usr/share/applications/$app_id.desktop"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
desktop-file-validate "$desktop_file" || fail "desktop-file-validate rejects the desktop entry"
appstreamcli validate --no-net --strict "$metainfo" >"$work/appstream.log" 2>&1 ||
  { cat "$work/appstream.log" >&2; fail "appstreamcli rejects the metainfo"; }
grep -qx "Icon=$app_id" "$desktop_file" || fail "the desktop entry names another icon"

# --- The command line needs no display.
program="$root/usr/bin/vorlane"
without_display() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@"
}
version=$(without_display "$program" --version) || fail "--version failed"
package_version=$(dpkg-deb -f "$deb" Version)
release_version=$(grep -o '<release version="[^"]*"' "$metainfo" | head -n 1 | cut -d'"' -f2)
[ "$version" = "vorlane $package_version" ] ||
  fail "--version says '$version', the package is $package_version"
[ "$release_version" = "$package_version" ] ||
  fail "the metainfo's newest release is $release_version, the package is $package_version"
changelog_version=$(gzip -dc "$root/usr/share/doc/vorlane/changelog.gz" | sed -n '1s/^vorlane (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$package_version" ] ||
  fail "the changelog's newest entry is '$changelog_version', the package is $package_version"
# The manual page holds each option --help gives, and the sections --help has no room for.
manual=$(LC_ALL=C MANWIDTH=200 man -l "$root/usr/share/man/man1/vorlane.1.gz" 2>&1) || fail "man cannot show vorlane(1)"
for heading in OPTIONS FILES ENVIRONMENT 'EXIT STATUS'; do
  grep -qx "$heading" <<<"$manual" || fail "the manual page lacks its $heading section"
done
help=$(without_display "$program" --help) || fail "--help failed"
for option in --base --remembered-base --choose-base --version; do
  grep -q -- "$option" <<<"$help" || fail "--help does not mention $option"
done
for option in $(grep -o -- ' --[a-z-]*' <<<"$help"); do
  grep -q -- "$option" <<<"$manual" || fail "the manual page does not mention $option"
done
expect_usage_error() {
  local status=0
  without_display "$program" "$@" >/dev/null 2>"$work/stderr" || status=$?
  [ "$status" -eq 2 ] || fail "'vorlane $*' ended with $status, not 2"
  [ -s "$work/stderr" ] || fail "'vorlane $*' said nothing on standard error"
}
expect_usage_error --no-such-option
expect_usage_error --base "$work/no such directory"
echo "command line: --version '$version', --help, usage errors: ok"

# --- The menu entry's starts, as a desktop runs its Exec lines, from an empty home directory.
menu_exec=$(awk -F= '/^\[Desktop Entry\]/ { g = 1; next } /^\[/ { g = 0 } g && $1 == "Exec" { print $2 }' \
  "$desktop_file")
choose_exec=$(awk -F= '/^\[Desktop Action ChooseBase\]/ { g = 1; next } /^\[/ { g = 0 }
  g && $1 == "Exec" { print $2 }' "$desktop_file")
[ -n "$menu_exec" ] && [ -n "$choose_exec" ] || fail "the desktop entry lacks its Exec lines"
home="$work/home"
demo="$work/demo"
mkdir -p "$home"
cp -a "$repo_root/examples/demo" "$demo"

inner=$(cat <<'INNER'
set -euo pipefail
menu_exec=$1 choose_exec=$2 demo=$3 main_title=$4 chooser_title=$5 error_box_title=$6
source "$7"
fail() { echo "check-package.sh: $*" >&2; exit 1; }
shown() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }
stop() { kill "$1" 2>/dev/null || true; wait "$1" 2>/dev/null || true; }
# The main window shows once the start-up is over: the chooser has closed before it, and a box
# from the start-up comes before it and holds it back.
main_window_without_error() {
  wait_until "shown '$main_title' || shown '$error_box_title'" || { stop "$1"; fail "$2: no main window"; }
  if shown "$error_box_title"; then stop "$1"; fail "$2: an error box came up"; fi
  if shown "$chooser_title"; then stop "$1"; fail "$2: the chooser is still open"; fi
  stop "$1"
}

cd "$HOME"
# First start: the chooser asks; the demo directory is typed into it.
$menu_exec & pid=$!
chooser=$(find_window "$chooser_title") || { stop "$pid"; fail "first menu start: no chooser"; }
xdotool windowfocus --sync "$chooser"
xdotool type --delay 20 "$demo"
xdotool key Return
main_window_without_error "$pid" "first menu start"
# Second start: the remembered directory, without a question.
$menu_exec & pid=$!
main_window_without_error "$pid" "second menu start"
# The entry's action always asks; Escape ends the program without starting it.
$choose_exec & pid=$!
chooser=$(find_window "$chooser_title") || { stop "$pid"; fail "choose action: no chooser"; }
xdotool windowfocus --sync "$chooser"
xdotool key Escape
timeout 20 tail --pid="$pid" -f /dev/null || { stop "$pid"; fail "cancelled chooser: still running"; }
wait "$pid" || fail "cancelled chooser: exit code $?"
# A start with the base on the command line, from elsewhere.
cd /
vorlane --base "$demo" & pid=$!
main_window_without_error "$pid" "--base start"
INNER
)
runtime="$work/runtime"
mkdir -m 700 "$runtime"
env -u XDG_CONFIG_HOME HOME="$home" PATH="$root/usr/bin:$PATH" XDG_RUNTIME_DIR="$runtime" \
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  bash -c "$inner" menu-start "$menu_exec" "$choose_exec" "$demo" "$main_title" \
  "$chooser_title" "$error_box_title" "$repo_root/tests/support/display-session.sh"

# Only the remembered choice was written, in the configuration directory; the demo is untouched.
written=$(cd "$home" && find . -type f | sort)
[ "$written" = "./.config/vorlane/vorlane.conf" ] || fail "files written in the home directory: $written"
grep -qxF "BaseDirectory=$demo" "$home/.config/vorlane/vorlane.conf" ||
  fail "the remembered directory is not the demo: $(cat "$home/.config/vorlane/vorlane.conf")"
diff -r "$repo_root/examples/demo" "$demo" >/dev/null || fail "a start wrote into the demo directory"
echo "menu starts: chooser, remembered directory, cancelled choice, --base: ok"
echo "package check passed"
