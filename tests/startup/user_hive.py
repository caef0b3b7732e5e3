#!/usr/bin/env python3
"""user_hive.py OUT: the NTUSER.DAT of a user who is not logged on, written by hivex (hivexregedit
--merge) into an empty hive: Run entries (one switched off in StartupApproved), a RunOnce and a policy
entry. The listing tests expect exactly these."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "platform", "hives"))
import test_hives  # noqa: E402

CV = "\\Software\\Microsoft\\Windows\\CurrentVersion"


def sections():
    for key in ("\\Software", "\\Software\\Microsoft", "\\Software\\Microsoft\\Windows", CV, CV + "\\Explorer",
                CV + "\\Explorer\\StartupApproved", CV + "\\Policies", CV + "\\Policies\\Explorer"):
        yield key, []
    yield CV + "\\Run", ['"Chat"=%s' % test_hives.text("C:\\Programs\\Chat\\chat.exe"),
                         '"Sync"=%s' % test_hives.text("%ProgramFiles%\\Sync\\sync.exe", 2)]
    yield CV + "\\RunOnce", ['"Welcome"=%s' % test_hives.text("C:\\Setup\\welcome.exe")]
    yield CV + "\\Policies\\Explorer\\Run", ['"Agent"=%s' % test_hives.text("C:\\Agent\\agent.exe")]
    yield CV + "\\Explorer\\StartupApproved\\Run", ['"Sync"=hex:03,00,00,00,00,00,00,00,00,00,00,00']


if __name__ == "__main__":
    os.makedirs(os.path.dirname(os.path.abspath(sys.argv[1])), exist_ok=True)
    test_hives.write_hive(sys.argv[1], sections())
