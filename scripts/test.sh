#!/usr/bin/env bash
# Installs what is missing, builds and runs every test with ctest on the
# offscreen platform. Extra arguments go to ctest (for example -R clienteditor).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
# Unformatted sources fail the run before anything is built.
scripts/format.sh --check
# Every fuzz target over its seed corpus, with the sanitizers: a seed that
# once crashed the record core must never crash it again. FUZZ=0 skips it.
if [ "${FUZZ:-1}" != 0 ]; then scripts/fuzz.sh; fi
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${JOBS:-2}" "$@"
