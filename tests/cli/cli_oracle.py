#!/usr/bin/env python3
"""Runs tellurinc.exe under Wine on this computer (real registry, real shortcuts) through every command,
and reads its CSV and JSON back with Python's own parsers."""
import csv
import io
import json
import os
import re
import shutil
import subprocess
import sys

exe, version_header = sys.argv[1], sys.argv[2]
prefix = os.environ["WINEPREFIX"]
tag = f"cli_oracle_{os.getpid()}"
tool_dir = os.path.join(prefix, "drive_c", tag)
user = f"Zoë_{os.getpid()}"
profile = os.path.join(prefix, "drive_c", "Docume~1", user)
startup = os.path.join(profile, "Start Menu", "Programs", "Startup")

REG_NAME = 'Ünï,"cödé" Жук'
REG_COMMAND = r"C:\Program Files\Tool\tool.exe -q"
LNK_NAME = "Nötes, Жук"
LNK_TARGET = r"C:\windows\notepad.exe"
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def run(*args):
    done = subprocess.run(["wine", os.path.join(tool_dir, "tellurinc.exe"), *args], capture_output=True)
    return done.returncode, done.stdout, done.stderr.decode("utf-8")


def rows(location=None):
    args = ["list", "--format", "csv"] + (["--location", location] if location else [])
    code, out, _ = run(*args)
    check(code == 0, f"list {location} exits 0")
    check(not out.startswith(b"\xef\xbb\xbf"), "CSV has no byte-order mark")
    check(re.fullmatch(rb"([^\n]*\r\n)*", out) is not None, "every CSV line ends in CR LF")
    table = list(csv.reader(io.StringIO(out.decode("utf-8"), newline="")))
    check(table[0] == ["station", "location", "name", "command", "status"], "CSV header")
    return [tuple(r[1:]) for r in table[1:]]


def ours(listed):
    return [r for r in listed if r[1] in (REG_NAME, LNK_NAME + ".lnk")]


def action(*args):
    code, out, err = run(*args)
    check(code == 0 and out == b"", f"{args[0]} {args[-1]} exits 0, prints nothing on stdout ({err.strip()})")


os.makedirs(tool_dir)
os.makedirs(startup)
shutil.copy(exe, tool_dir)
lnk_file = os.path.join(startup, LNK_NAME + ".lnk")
lnk_path = "C:\\Docume~1\\" + user + "\\Start Menu\\Programs\\Startup\\" + LNK_NAME + ".lnk"
try:
    expected_version = re.search(r'TELLURIN_VERSION_TEXT "([^"]+)"', open(version_header).read()).group(1)
    code, out, _ = run("--version")
    check((code, out) == (0, f"Tellurin {expected_version}\r\n".encode()), "--version prints the file version")

    action("add", "--location", "hkcu_run", "--name", REG_NAME, "--command", REG_COMMAND)
    action("add", "--location", user.upper() + "\\startup", "--name", LNK_NAME, "--command", LNK_TARGET)
    check(os.path.exists(lnk_file), "add writes the shortcut file")
    listed = rows()
    check(("HKCU_Run", REG_NAME, '"' + REG_COMMAND + '"', "Enabled") in listed, "add quotes a path with a space")
    check((user + "\\Startup", LNK_NAME + ".lnk", lnk_path, "Enabled") in listed, "the shortcut is listed")

    code, out, _ = run("list", "--location", "HKCU_Run", "--format", "json")
    objects = json.loads(out.decode("utf-8"))
    check(all(set(o) == {"station", "location", "name", "command", "status"} for o in objects), "JSON keys")
    check({"location": "HKCU_Run", "name": REG_NAME, "command": '"' + REG_COMMAND + '"', "status": "Enabled"}
          .items() <= next((o for o in objects if o["name"] == REG_NAME), {}).items(), "JSON reads back")
    code, out, _ = run("list", "--location", "Startup", "--user", user, "--format", "csv", "--station", ".")
    check(out.decode("utf-8").splitlines()[1:] == [f'.,{user}\\Startup,"{LNK_NAME}.lnk","{lnk_path}",Enabled'],
          "one user's view, station field as given")

    action("disable", "--location", "HKCU_Run", "--name", REG_NAME)
    action("disable", "--location", user + "\\Startup", "--name", LNK_NAME + ".lnk")
    check(not os.path.exists(lnk_file), "disable takes the shortcut away")
    listed = rows()
    check(("HKCU_Run", REG_NAME, '"' + REG_COMMAND + '"', "Disabled") in listed, "the value shows disabled")
    check((user + "\\Startup", LNK_NAME + ".lnk", LNK_TARGET, "Disabled") in listed, "the shortcut shows disabled")
    code, out, err = run("disable", "--location", "HKCU_Run", "--name", REG_NAME)
    check(code == 1 and out == b"" and "there is NO enabled entry" in err, "a refused disable exits 1")
    check(ours(rows("HKCU_Run")) == [("HKCU_Run", REG_NAME, '"' + REG_COMMAND + '"', "Disabled")],
          "a refused disable changes nothing")

    action("enable", "--location", "HKCU_Run", "--name", REG_NAME)
    action("enable", "--location", user + "\\Startup", "--name", LNK_NAME + ".lnk")
    check(os.path.exists(lnk_file), "enable writes the shortcut again")
    listed = rows()
    check(("HKCU_Run", REG_NAME, '"' + REG_COMMAND + '"', "Enabled") in listed, "the value is back")
    check(not any(r[3] == "Disabled" for r in ours(listed)), "no record stays behind")

    action("remove", "--location", "HKCU_Run", "--name", REG_NAME)
    action("remove", "--location", user + "\\Startup", "--name", LNK_NAME + ".lnk")
    check(not os.path.exists(lnk_file) and ours(rows()) == [], "remove deletes both")

    code, out, err = run("add", "--location", "Startup", "--name", "x", "--command", "x.exe")
    check(code == 1 and "You MUST select a user for the Startup folder !" in err, "add to Startup needs a user")
    code, out, err = run("remove", "--location", "Nowhere", "--name", "x")
    check(code == 2 and out == b"" and err.startswith("tellurinc: unknown location 'Nowhere'"), "usage error")
    code, out, err = run("--help")
    check(code == 0 and out.startswith(b"usage:") and err == "", "--help prints the usage on stdout")
finally:
    subprocess.run(["wine", "reg", "delete", r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run", "/v", REG_NAME,
                    "/f"], capture_output=True)
    shutil.rmtree(tool_dir, ignore_errors=True)
    shutil.rmtree(profile, ignore_errors=True)
sys.exit(1 if failures else 0)
