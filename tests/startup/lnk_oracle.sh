#!/usr/bin/env bash
# Writes shortcuts with the program's shortcut writer (one test case of the given binary, under Wine)
# and checks them with lnkinfo, a reader that shares no code with the shell's link object.
set -euo pipefail
test_exe="$1"
name="tellurin_lnk_oracle_$$"
out="$WINEPREFIX/drive_c/$name"
trap 'rm -rf "$out"' EXIT
mkdir -p "$out"

TELLURIN_LNK_OUT="C:\\$name" wine "$test_exe" --gtest_filter='ShellLinkOracle.*' \
    --gtest_also_run_disabled_tests --gtest_brief=1

failed=0
check() {  # file, field, expected value
    local actual
    actual=$(lnkinfo "$out/$1" | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p")
    if [ "$actual" = "$3" ]; then
        echo "ok   $1 $2: $actual"
    else
        echo "FAIL $1 $2: got '$actual', expected '$3'"
        failed=1
    fi
}
check Notes.lnk "Local path" "C:\\$name\\Programs\\Notes\\notes.exe"
check Notes.lnk "Working directory" "C:\\$name\\Programs\\Notes\\"
# A quoted target (as Add stores a path with a space) names the same file and folder.
check Quoted.lnk "Local path" "C:\\$name\\Programs\\Notes\\notes.exe"
check Quoted.lnk "Working directory" "C:\\$name\\Programs\\Notes\\"
# A target that is not installed (yet) is still written as given.
check Missing.lnk "Local path" "C:\\$name\\Not Installed\\tool.exe"
check Missing.lnk "Working directory" "C:\\$name\\Not Installed\\"
exit $failed
