#!/usr/bin/env python3
"""test_hives.py OUTDIR: the hives the reader's tests read, written by hivex (hivexregedit --merge) into
empty hives from seed_hive.py: sample.hiv, small, and many.hiv, whose lists are long. The tests expect
exactly these keys and values."""
import os
import subprocess
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import seed_hive  # noqa: E402

MANY_VALUES = 300
MANY_KEYS = 700  # one lh list of 700 entries, over a page long


def scrambled(index, count):
    """A permutation of 0..count-1 (13 divides neither count), so that stored order is not the order of
    the names."""
    return (index * 13) % count


def text(value, kind=1):
    """A text value as UTF-16LE bytes: hivexregedit would read a quoted one as Latin-1."""
    return "hex(%d):%s" % (kind, ",".join("%02x" % byte for byte in (value + "\0").encode("utf-16-le")))


def sample():
    yield "\\Software", []
    yield "\\Software\\Microsoft", []
    yield "\\Software\\Microsoft\\Windows", []
    yield "\\Software\\Microsoft\\Windows\\CurrentVersion", []
    yield "\\Software\\Microsoft\\Windows\\CurrentVersion\\Run", [
        '"Pager"=' + text("C:\\Tools\\pager.exe"),
        '"Updater"=' + text("%ProgramFiles%\\Updater\\up.exe /tray", 2),
        '"Grüße"=' + text("C:\\Grüße\\grüße.exe"),
        '"Запуск"=' + text("C:\\Программы\\запуск.exe"),
        '@=' + text("default text"),
        '"Number"=dword:0000002a',
        '"Bytes"=hex:01,02,03,04,05,06',
        '"Empty"=hex:',
        '"Short"="z"',
    ]
    yield "\\Software\\Ключ", ['"Имя"=' + text("значение")]
    yield "\\Software\\Grüße", ['"x"="y"']


def many():
    yield "\\Many", ['"Value%03d"="data %d"' % (scrambled(i, MANY_VALUES), scrambled(i, MANY_VALUES))
                               for i in range(MANY_VALUES)]
    for i in range(MANY_KEYS):
        yield "\\Many\\Key%03d" % scrambled(i, MANY_KEYS), []


def write_hive(path, sections):
    with open(path, "wb") as file:
        file.write(seed_hive.empty_hive())
    text = "Windows Registry Editor Version 5.00\n\n"
    text += "".join("[%s]\n%s\n" % (key, "".join(line + "\n" for line in values)) for key, values in sections)
    subprocess.run(["hivexregedit", "--merge", path], input=text.encode("utf-8"), check=True)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    write_hive(os.path.join(out, "sample.hiv"), sample())
    write_hive(os.path.join(out, "many.hiv"), many())


if __name__ == "__main__":
    main()
