#!/usr/bin/env bash
# Installs what is missing, builds, prepares a demo machine in a Wine prefix and starts Tellurin in it.
# With a display the window opens; without one it runs under Xvfb and saves screenshots.
set -euo pipefail
source "$(dirname "$0")/tools/common.sh"

install_missing
BUILD_TARGETS="Tellurin tellurinc demo_seed facts_sample" build_all

DEMO="$BUILD_DIR/demo"
export WINEPREFIX="$BUILD_DIR/demo-prefix"
SHOTS="$BUILD_DIR/screenshots"
mkdir -p "$DEMO" "$SHOTS"
cp "$BUILD_DIR/bin/Tellurin.exe" "$BUILD_DIR/bin/tellurinc.exe" "$DEMO/"
cp -r "$ROOT/media" "$DEMO/"

make_prefix "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/.demo-seeded-2" ]; then
    wine "$BUILD_DIR/bin/demo_seed.exe" seed "Z:${DEMO//\//\\}"
    touch "$WINEPREFIX/.demo-seeded-2"
fi

# Program files for three of the Run entries: one signed under a demo root that the machine trusts,
# one signed by a certificate of its own, one unsigned.
if [ ! -f "$WINEPREFIX/.demo-files" ]; then
    "$ROOT/tests/platform/samples/sign_samples.sh" "$BUILD_DIR/samples/sample.dll" "$BUILD_DIR/demo-signed" \
        "Example Labs Demo"
    drive="$WINEPREFIX/drive_c"
    mkdir -p "$drive/Program Files/Guard" "$drive/Tools" "$drive/Program Files/Updater"
    cp "$BUILD_DIR/demo-signed/valid.dll" "$drive/Program Files/Guard/guard.exe"
    cp "$BUILD_DIR/demo-signed/untrusted.dll" "$drive/Program Files/Updater/update.exe"
    cp "$BUILD_DIR/demo-signed/unsigned.dll" "$drive/Tools/pager.exe"
    wine "$BUILD_DIR/bin/demo_seed.exe" trust "Z:${BUILD_DIR//\//\\}\\demo-signed\\root.cer"
    touch "$WINEPREFIX/.demo-files"
fi

# alice is not logged on: her entries come from her own registry file, written by hivex.
if [ ! -f "$WINEPREFIX/drive_c/users/alice/NTUSER.DAT" ]; then
    python3 "$ROOT/tests/startup/user_hive.py" "$WINEPREFIX/drive_c/users/alice/NTUSER.DAT"
fi

cd "$DEMO"   # the sound cues are found as media\*.wav from here
wine "$BUILD_DIR/bin/demo_seed.exe" logged-on   # bob's loaded hive, gone whenever Wine's server stopped
echo "== tellurinc list (the console tool on the demo machine)"
wine tellurinc.exe list || true
echo "== tellurinc list --location HKLM_Run --details --format table (each entry's program file)"
wine tellurinc.exe list --location HKLM_Run --details --format table || true
echo "== tellurinc compare (a list saved as baseline.json, then Notes disabled: what changed since)"
wine tellurinc.exe list --format json >baseline.json 2>/dev/null || true
wine tellurinc.exe disable --location HKCU_Run --name Notes 2>/dev/null || true
status=0
wine tellurinc.exe compare baseline.json 2>/dev/null || status=$?
echo "(exit status $status; 0 when nothing changed, 3 when something did)"
wine tellurinc.exe enable --location HKCU_Run --name Notes 2>/dev/null || true   # the demo machine as it was
if [ -n "${DISPLAY:-}" ]; then
    wineserver -k 2>/dev/null || true
    wine "$BUILD_DIR/bin/demo_seed.exe" logged-on
    exec wine Tellurin.exe
fi

# No display: run under Xvfb, photograph the main window and the Computer Information window.
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    shot() {  # shot <window title> <file>
        for _ in $(seq 100); do
            id=$(xwininfo -root -tree 2>/dev/null | grep -F "\"$1\"" | awk "{print \$1}" | head -1)
            [ -n "$id" ] && break
            sleep 0.2
        done
        [ -n "$id" ] || { echo "no window \"$1\"" >&2; return 1; }
        for _ in $(seq 10); do
            sleep 1
            import -window "$id" "$2" 2>/dev/null && { echo "screenshot: $2"; return 0; }
        done
        echo "could not photograph \"$1\"" >&2
        return 1
    }
    wine "$1" logged-on
    wine Tellurin.exe >/dev/null 2>&1 &
    shot "Tellurin v.5" "$0/main-window.png"
    # The HKCU\..\Run view: the running user'"'"'s entries, bob'"'"'s (logged on) and alice'"'"'s (read from her file).
    if wine "$1" click-bar TForm1 Location 2 >/dev/null 2>&1; then
        shot "Tellurin v.5" "$0/main-window-hkcu.png" || true
    fi
    if wine "$1" press TForm1 "Comp Info" >/dev/null 2>&1; then
        shot "Computer Information" "$0/computer-information.png" || true
    fi
    wineserver -k
' "$SHOTS" "$BUILD_DIR/bin/demo_seed.exe"
