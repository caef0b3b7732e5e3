#!/usr/bin/env python3
"""Runs tellurinc.exe compare under Wine against baselines that tellurinc list itself wrote, with names in
Cyrillic, commas, quotes and line breaks, and reads the differences back with Python's csv and json."""
import csv
import io
import json
import os
import shutil
import subprocess
import sys

exe = sys.argv[1]
prefix = os.environ["WINEPREFIX"]
tool_dir = os.path.join(prefix, "drive_c", f"cli_compare_{os.getpid()}")
NAMES = {"mail": "Почта, \"входящие\"", "break": "Two\r\nlines, \"q\"", "plain": "Plain", "gone": "Gone soon"}
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def run(*args):
    done = subprocess.run(["wine", os.path.join(tool_dir, "tellurinc.exe"), *args], capture_output=True, cwd=tool_dir)
    return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")


def save(name, *args):
    code, out, _ = run("list", "--location", "HKCU_Run", *args)
    check(code == 0, f"list {' '.join(args)} exits 0")
    with open(os.path.join(tool_dir, name), "w", encoding="utf-8", newline="") as file:
        file.write(out)
    return "C:\\" + os.path.basename(tool_dir) + "\\" + name


def compare(baseline, *args):
    return run("compare", baseline, "--location", "HKCU_Run", *args)


os.makedirs(tool_dir)
shutil.copy(exe, tool_dir)
try:
    for key, name in NAMES.items():
        run("add", "--location", "HKCU_Run", "--name", name, "--command", f"C:\\Tools\\{key}.exe, \"x\"")
    baselines = [save("base.json", "--format", "json"), save("base.csv", "--format", "csv"),
                 save("details.csv", "--format", "csv", "--details", "--hash")]
    for baseline in baselines:
        code, out, err = compare(baseline, "--format", "csv", *(["--details", "--hash"] if "details" in baseline else []))
        check(code == 0 and out == "change,station,location,name,command,was_command,status,was_status" +
              (",file,was_file,exists,description,publisher,was_publisher,version,was_version,signature,"
               "was_signature,signer,was_signer,sha256,was_sha256" if "details" in baseline else "") + "\r\n",
              f"nothing changed against {baseline} ({err.strip()})")

    # The same names in another letter case, as an editor might have left them: the same entries.
    with open(os.path.join(tool_dir, "base.json"), encoding="utf-8") as file:
        rows = json.load(file)
    for row in rows:
        row["name"], row["location"] = row["name"].upper(), row["location"].lower()
    with open(os.path.join(tool_dir, "upper.json"), "w", encoding="utf-8") as file:
        json.dump(rows, file, ensure_ascii=False)
    code, out, err = compare(baselines[0].replace("base.json", "upper.json"), "--format", "json")
    check((code, json.loads(out)) == (0, []), f"names in upper case are the same entries ({err.strip()})")

    run("disable", "--location", "HKCU_Run", "--name", NAMES["mail"])
    run("remove", "--location", "HKCU_Run", "--name", NAMES["gone"])
    run("remove", "--location", "HKCU_Run", "--name", NAMES["break"])
    run("add", "--location", "HKCU_Run", "--name", NAMES["break"], "--command", "C:\\Other\\new.exe")
    run("add", "--location", "HKCU_Run", "--name", "Новый", "--command", "C:\\new.exe")
    for baseline in baselines[:2]:
        code, out, _ = compare(baseline, "--format", "csv")
        found = {(r["change"], r["name"]): r for r in csv.DictReader(io.StringIO(out, newline=""))}
        check(code == 3 and set(found) == {("changed", NAMES["mail"]), ("removed", NAMES["gone"]),
                                           ("changed", NAMES["break"]), ("added", "Новый")},
              f"each change against {baseline}: {sorted(found)}")
        mail, moved = found.get(("changed", NAMES["mail"]), {}), found.get(("changed", NAMES["break"]), {})
        check((mail.get("status"), mail.get("was_status")) == ("Disabled", "Enabled"), "the old and new status")
        check((moved.get("command"), moved.get("was_command")) == ("C:\\Other\\new.exe", '"C:\\Tools\\break.exe, "x""'),
              f"the old and new command: {moved}")
    with open(os.path.join(tool_dir, "ignore.txt"), "w", encoding="utf-8") as file:
        file.write("# all but the mail\r\nHKCU_RUN  two*\r\nhkcu_run gone SOON\r\n* нов?й\r\n")
    code, out, _ = compare(baselines[0], "--ignore", "C:\\" + os.path.basename(tool_dir) + "\\ignore.txt",
                           "--format", "json")
    check(code == 3 and [r["name"] for r in json.loads(out)] == [NAMES["mail"]], "ignore patterns in any case")
    code, out, err = run("compare", baselines[0], "--location", "HKCU_Run", "--station", "nosuchstation")
    failed = code == 1 and "nosuchstation" in err and "Новый" not in out
    check(failed, "a station that fails: exit 1" + ("" if failed else f" (exit {code}, {err!r}, {out!r})"))
finally:
    for name in list(NAMES.values()) + ["Новый"]:
        run("remove", "--location", "HKCU_Run", "--name", name)
    shutil.rmtree(tool_dir, ignore_errors=True)
sys.exit(1 if failures else 0)
