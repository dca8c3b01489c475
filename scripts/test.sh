#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test. Exits non-zero on any failure.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${LEDGERWELL_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh" --windows-checks
LEDGERWELL_BUILD_DIR=$build bash "$root/scripts/build.sh"
cd "$build"
# The benchmark is no test: once with its smallest sizes, so that it keeps working. It runs first,
# so that the tests' summary closes the output.
QT_QPA_PLATFORM=offscreen bench/ledgerwell_bench --quick
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 600
