#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only when one of them is missing. Safe to run again.
# clang and libclang-rt-dev (libFuzzer's runtime, libclang_rt.fuzzer, comes
# in the libclang-rt-<version>-dev it pulls in) build the fuzz targets.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libbenchmark-dev
  clang-format git
  clang libclang-rt-dev
  fonts-dejavu-core fonts-dejavu-extra fonts-liberation
  poppler-utils
  dpkg-dev file
  python3-pyatspi at-spi2-core dbus xvfb
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
