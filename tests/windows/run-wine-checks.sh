#!/usr/bin/env bash
# Runs the Windows checks under Wine, or reports them skipped with exit code 77 (CTest's
# SKIP_RETURN_CODE) when Wine or the mingw-built Windows programs are missing on this machine.
# Usage: run-wine-checks.sh <test program> <folder of the Windows programs> <Wine prefix>
set -u
test_program=$1
tools_dir=$2
prefix=$3

missing=()
command -v wine >/dev/null 2>&1 || missing+=("wine")
command -v wineserver >/dev/null 2>&1 || missing+=("wineserver")
if [[ -z "$tools_dir" || ! -f "$tools_dir/ledgerwell-probe.exe" ]]; then
    missing+=("the Windows programs built with x86_64-w64-mingw32-g++")
fi
if [[ ${#missing[@]} -gt 0 ]]; then
    echo "SKIPPED: the Windows checks did not run; missing: ${missing[*]}."
    echo "Install them with 'scripts/install-deps.sh --windows-checks' and configure again."
    exit 77
fi

# However the check ends, no Wine process of its prefix outlives it.
trap 'WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true' EXIT

"$test_program" "${@:4}"
status=$?
# A run that fails exactly 77 checks must not read as skipped.
if [[ $status -eq 77 ]]; then
    status=1
fi
exit $status
