#!/usr/bin/env python3
"""Six workers run real tellurinc.exe processes at once on one store, disabling and enabling entries of
one key, some entries twice; then a process is killed while it holds the store's lock; then the
workers remove every entry at once. None of it leaves a lock or a temporary file beside the store."""
import glob
import os
import shutil
import signal
import subprocess
import sys
import threading

exe, holder_exe = sys.argv[1], sys.argv[2]
prefix = os.environ["WINEPREFIX"]
tag = f"cli_contention_{os.getpid()}"
tool_dir = os.path.join(prefix, "drive_c", tag)
tool_win = "C:\\" + tag
RUN_KEY = r"HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run"
WORKERS, PER_WORKER = 6, 6
failures = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def run(*args):
    done = subprocess.run(["wine", os.path.join(tool_dir, "tellurinc.exe"), *args], capture_output=True)
    err = done.stderr.decode("utf-8", "replace")
    # Under Wine, with several processes on a busy machine, one is now and then killed (SIGKILL) as it
    # exits, after its work: one that said it was done did it, as the checks of the store and key show.
    if done.returncode == -signal.SIGKILL and err.rstrip().endswith(": done"):
        return 0, err
    return done.returncode, err


def command_of(name):
    return "C:\\" + tag + "\\" + name + ".exe"


def import_values(values):
    """values: name -> command, or None to delete it."""
    lines = ["REGEDIT4", "", "[" + RUN_KEY + "]"]
    for name, command in values.items():
        lines.append(f'"{name}"=' + ("-" if command is None else '"' + command.replace("\\", "\\\\") + '"'))
    with open(os.path.join(tool_dir, "values.reg"), "w", newline="\r\n") as file:
        file.write("\n".join(lines) + "\n")
    subprocess.run(["wine", "reg", "import", tool_win + "\\values.reg"], capture_output=True, check=True)


def listed():
    """(name, status) of our rows of HKCU_Run."""
    out = subprocess.run(["wine", os.path.join(tool_dir, "tellurinc.exe"), "list", "--location", "HKCU_Run",
                          "--format", "csv"], capture_output=True).stdout.decode("utf-8")
    return [(f[2], f[4]) for f in (line.split(",") for line in out.splitlines()[1:]) if tag in f[2]]


def beside_store():
    """What is in the tool's folder besides the tool, the store and the values imported."""
    return sorted(set(os.listdir(tool_dir)) - {"tellurinc.exe", "values.reg", os.path.basename(store)})


def status_of(name):
    return [status for listed_name, status in listed() if listed_name == name]


# Workers 0-2 disable entries that start enabled, workers 3-5 enable entries that start disabled; every
# second entry is then put back by the next process of the same worker, while the others go on.
entries = {w: [f"{'On' if w < 3 else 'Off'}{w}_{i}_{tag}" for i in range(PER_WORKER)] for w in range(WORKERS)}
enabled_first = [n for w in range(3) for n in entries[w]]
disabled_first = [n for w in range(3, WORKERS) for n in entries[w]]
expected = {}
for w, names in entries.items():
    for i, name in enumerate(names):
        expected[name] = ("Enabled" if (w < 3) == (i % 2 == 1) else "Disabled")

os.makedirs(tool_dir)
shutil.copy(exe, tool_dir)
try:
    import_values({name: command_of(name) for name in enabled_first + disabled_first})
    seed = disabled_first[0]
    check(run("disable", "--location", "HKCU_Run", "--name", seed)[0] == 0, "a first disable writes the store")
    stores = glob.glob(os.path.join(tool_dir, "*_reg_disabled.ini"))
    check(len(stores) == 1, "one store beside the tool")
    store = stores[0]
    with open(store, "ab") as file:
        for name in disabled_first[1:]:
            file.write(f"HKCU_Run\r\n{name}\r\n{command_of(name)}\r\n".encode())
    import_values({name: None for name in disabled_first[1:]})

    results = []
    lock = threading.Lock()

    def work(w):
        first, back = ("disable", "enable") if w < 3 else ("enable", "disable")
        for i, name in enumerate(entries[w]):
            for verb in [first] + ([back] if i % 2 == 1 else []):
                code, err = run(verb, "--location", "HKCU_Run", "--name", name)
                with lock:
                    results.append((verb, name, code, err.strip()))

    threads = [threading.Thread(target=work, args=(w,)) for w in range(WORKERS)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    bad = [r for r in results if r[2] != 0]
    check(len(results) == WORKERS * PER_WORKER * 3 // 2 and not bad, f"every process exited 0 {bad[:3]}")

    rows = listed()
    for name, status in expected.items():
        found = [status for listed_name, status in rows if listed_name == name]
        if found != [status]:
            check(False, f"{name} is {status} and in one place only, not {found}")
    check(len(rows) == len(expected), "every entry ends in exactly one place")
    text = open(store, "rb").read().decode("utf-8")
    lines = text.split("\r\n")
    records = [lines[i:i + 3] for i in range(0, len(lines) - 1, 3)]
    check(lines[-1] == "" and (len(lines) - 1) % 3 == 0 and all(r[0] == "HKCU_Run" for r in records),
          "the store holds whole records only")
    check(sorted(r[1] for r in records) == sorted(n for n, s in expected.items() if s == "Disabled"),
          "the store holds each disabled entry once")
    check(beside_store() == [], f"nothing is left beside the store ({beside_store()})")

    # A holder killed while it holds the lock blocks nobody; while it lives, a change waits and gives up.
    victim = enabled_first[1]  # put back by its worker: enabled
    store_win = tool_win + "\\" + os.path.basename(store)
    before = open(store, "rb").read()
    holder = subprocess.Popen(["wine", holder_exe, store_win], stdout=subprocess.PIPE)
    check(holder.stdout.readline().strip() == b"held", "the helper holds the lock")
    check(beside_store() == [os.path.basename(store) + ".lock"], "the held lock is a file beside the store")
    code, err = run("disable", "--location", "HKCU_Run", "--name", victim)
    check(code == 1 and f'Another Tellurin is changing "{store_win}"' in err, f"a held lock is reported ({err})")
    check(open(store, "rb").read() == before and status_of(victim) == ["Enabled"],
          "a change that found the lock held changes nothing")
    os.kill(holder.pid, signal.SIGKILL)
    holder.wait()
    code, err = run("disable", "--location", "HKCU_Run", "--name", victim)
    if code != 0 and not err.strip():
        # Ended before a word, which a lock still held never does: Wine, right after the kill (rarely).
        code, err = run("disable", "--location", "HKCU_Run", "--name", victim)
    check(code == 0, f"the next process proceeds once the holder is killed (exit {code}, {err.strip()})")
    check(status_of(victim) == ["Disabled"], "and its change is made")
    check(beside_store() == [], f"the killed holder's lock file is gone ({beside_store()})")

    # Every entry removed by processes at once, from the store or from the key: none stays, nor a lock.
    removals = []

    def remove_share(w):
        for name in list(expected)[w::WORKERS]:
            code, err = run("remove", "--location", "HKCU_Run", "--name", name)
            with lock:
                removals.append((name, code, err.strip()))

    threads = [threading.Thread(target=remove_share, args=(w,)) for w in range(WORKERS)]
    for thread in threads:
        thread.start()
    for thread in threads:
        thread.join()
    bad = [r for r in removals if r[1] != 0]
    check(len(removals) == len(expected) and not bad, f"every removal exited 0 {bad[:3]}")
    check(listed() == [] and open(store, "rb").read() == b"", "every entry is gone, from both places")
    check(beside_store() == [], f"nothing is left beside the store after removals ({beside_store()})")
finally:
    import_values({name: None for name in enabled_first + disabled_first})
    shutil.rmtree(tool_dir, ignore_errors=True)
sys.exit(1 if failures else 0)
