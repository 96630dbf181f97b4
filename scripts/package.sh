#!/usr/bin/env bash
# Builds the program, its seed password file and its manual, and packs them
# into a Debian package in build/ (carvello_<version>_<arch>.deb).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd build
cpack -G DEB
ls -1 "$PWD"/carvello_*.deb
