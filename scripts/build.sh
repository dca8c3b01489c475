#!/usr/bin/env bash
# Configures and builds Ledgerwell into build/ (or $LEDGERWELL_BUILD_DIR): the given targets, or
# everything (the tests too) without any.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${LEDGERWELL_BUILD_DIR:-$root/build}
targets=()
if [[ $# -gt 0 ]]; then
    targets=(--target "$@")
fi
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" "${targets[@]}"
