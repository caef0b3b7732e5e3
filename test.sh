#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test under Wine and Xvfb.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

install_missing
build_all
make_prefix "$BUILD_DIR/wineprefix"

# The prefix setup ran without a display: restart Wine under Xvfb, and stop it when the tests end.
# The screen is large enough for the windows at 200 % (the layout tests run at 192 DPI).
export WINEPREFIX="$BUILD_DIR/wineprefix"
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
cd "$BUILD_DIR"
# Wine's background services start with the first program; start them here, outside ctest's output
# pipes, which ctest would otherwise wait on until the services exit.
xvfb-run -a -s "-screen 0 2560x1600x24" bash -c \
    'wineserver -p60; wine cmd /c exit >/dev/null 2>&1; ctest --output-on-failure "$@"' _ "$@"
