#!/usr/bin/env bash
# Installs the built tree into a fresh prefix, as `cmake --install --prefix` anywhere does, and
# runs the window test from that prefix's bin directory, beside the installed program, so the
# window looks for its languages where the installed program does.
#
# Usage: run-installed.sh BUILD_DIR TEST_BINARY
set -euo pipefail
build=$1
test_binary=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >"$prefix/install.log" ||
  { cat "$prefix/install.log"; exit 1; }
[ -x "$prefix/bin/vorlane" ] || { echo "no bin/vorlane in the prefix"; exit 1; }
cp "$test_binary" "$prefix/bin/"
QT_QPA_PLATFORM=offscreen "$prefix/bin/$(basename "$test_binary")"
