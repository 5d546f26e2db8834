#!/usr/bin/env bash
# Installs every Debian package the build, the tests, the package and the demo need; does
# nothing when all are present.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libjpeg62-turbo-dev libjpeg-turbo-progs libsdl2-dev
  libgtest-dev clang-format
  xvfb xauth xdotool wmctrl x11-utils imagemagick openbox
  fonts-liberation fonts-dejavu-core
  dpkg-dev file desktop-file-utils appstream lintian help2man
)
# `install-deps.sh fuzz` adds what the fuzz targets need: clang and libFuzzer's runtime.
if [ "${1:-}" = fuzz ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
run_as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null; then
    run_as_root=(sudo)
  else
    echo "These packages are missing and installing them needs root: ${missing[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${run_as_root[@]}" apt-get update -q
"${run_as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
