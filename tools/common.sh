# Shared by run.sh and test.sh: installs what is missing, configures and builds, prepares a Wine prefix.
# Sourced, not run. BUILD_DIR may be set by the caller (default: build); so may BUILD_TARGETS.

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${BUILD_DIR:-$ROOT/build}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

PACKAGES=(cmake make g++ mingw-w64 wine wine64 fonts-wine xvfb xauth x11-utils imagemagick googletest liblnk-utils
          binutils-mingw-w64-x86-64 python3 ccache fonts-wqy-microhei openssl osslsigncode
          libwin-hivex-perl)

install_missing() {
    local missing=()
    for pkg in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "== installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

build_all() {
    # ccache keeps a second build of unchanged sources quick, also in another clone (paths relative
    # to BASEDIR).
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$ROOT")}"
    # BENCH=ON adds the benchmarks (bench/run.sh sets it); a plain build leaves them out.
    cmake -S "$ROOT" -B "$BUILD_DIR" -DTELLURIN_BENCH="${BENCH:-OFF}" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache >/dev/null
    # BUILD_TARGETS may name a few targets to build instead of all.
    # shellcheck disable=SC2086
    cmake --build "$BUILD_DIR" -j"$(nproc)" ${BUILD_TARGETS:+--target $BUILD_TARGETS}
}

# make_prefix DIR: a Wine prefix for the program, with no window manager decorations, and the
# profiles folder under its short name as the program addresses it.
make_prefix() {
    local prefix="$1"
    if [ ! -f "$prefix/system.reg" ]; then
        echo "== creating Wine prefix $prefix"
        WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1 || true
        WINEPREFIX="$prefix" wineserver -w
    fi
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    # A crashing program must end, not wait for a debugger.
    WINEPREFIX="$prefix" wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' \
        /v Debugger /f >/dev/null 2>&1 || true
    mkdir -p "$prefix/drive_c/Docume~1"
    # Wine's own fonts (MS Sans Serif, Tahoma) are not found where Debian installs them: copy them in.
    cp -n /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    # Names in other scripts fall back to the message font, Tahoma, which Wine links to SimSun for
    # the characters it lacks (Cyrillic it has). SimSun stands for the Debian CJK font here; Wine
    # reads that font where Debian installs it (through fontconfig), so it needs no copy.
    WINEPREFIX="$prefix" wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun \
        /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
}
