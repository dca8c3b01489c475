#!/usr/bin/env bash
# Installs what is needed, builds the program with what it needs beside it (its translations,
# LICENSE and, off Windows, the stand-in sc and reg), but not the tests or the benchmark, and
# starts it.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${LEDGERWELL_BUILD_DIR:-$root/build}
bash "$root/scripts/install-deps.sh"
LEDGERWELL_BUILD_DIR=$build bash "$root/scripts/build.sh" ledgerwell
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
    echo "Ledgerwell is built ($build/bin/ledgerwell) but cannot start: this session has no display (DISPLAY and WAYLAND_DISPLAY are unset)." >&2
    exit 1
fi
exec "$build/bin/ledgerwell" "$@"
