#!/usr/bin/env bash
# Runs a command in Wine processes started at the given display scale (LogPixels, read by each process
# as it starts), then puts the prefix's own setting back so that the other tests run as before.
# Usage: at_dpi.sh DPI command...
set -euo pipefail
dpi="$1"
shift
key='HKCU\Control Panel\Desktop'
before="$( (wine reg query "$key" /v LogPixels 2>/dev/null || true) | tr -d '\r' | awk '$1 == "LogPixels" {print $3}')"
restore() {
    if [ -n "$before" ]; then
        wine reg add "$key" /v LogPixels /t REG_DWORD /d "$((before))" /f >/dev/null 2>&1
    else
        wine reg delete "$key" /v LogPixels /f >/dev/null 2>&1 || true
    fi
}
trap restore EXIT
wine reg add "$key" /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
TELLURIN_TEST_DPI="$dpi" "$@"
