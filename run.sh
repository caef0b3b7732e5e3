#!/usr/bin/env bash
# Installs what is missing, builds, and starts Tellurin in a demo Wine prefix.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

install_missing
build_all
echo "The main window is not built yet: ./run.sh has nothing to show."
