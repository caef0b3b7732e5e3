#!/usr/bin/env python3
"""bench_hives.py OUTDIR: five users' registry files (user1.dat ... user5.dat) of about 20 MiB each,
written by hivex: many filler keys and values, and the startup keys with a few values, their cells
spread through the file the way a hive that grew over years has them."""
import os
import sys

sys.dont_write_bytecode = True  # no cache files in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "platform", "hives"))
from test_hives import text, write_hive  # noqa: E402

USERS = 5
VENDORS = 80
PRODUCTS = 8
VALUES = 51  # a product's values: about 650 bytes each with their cells

VERSION = "\\Software\\Microsoft\\Windows\\CurrentVersion"
CHAIN = ["\\Software", "\\Software\\Microsoft", "\\Software\\Microsoft\\Windows", VERSION, VERSION + "\\Run",
         VERSION + "\\RunOnce", VERSION + "\\Policies", VERSION + "\\Policies\\Explorer",
         VERSION + "\\Policies\\Explorer\\Run", VERSION + "\\Explorer", VERSION + "\\Explorer\\StartupApproved",
         VERSION + "\\Explorer\\StartupApproved\\Run"]
# Keys that real hives keep beside the ones on the way, so that each lookup meets a long list.
SIBLINGS = {"\\Software\\Microsoft": 150, VERSION: 60, VERSION + "\\Explorer": 40}


def startup_values(user, key):
    if key.endswith("StartupApproved\\Run"):
        return ['"Tool%d"=hex:0%d,00,00,00,00,00,00,00,00,00,00,00' % (n, 2 + n % 2) for n in range(3)]
    count = {VERSION + "\\Run": 6, VERSION + "\\RunOnce": 2, VERSION + "\\Policies\\Explorer\\Run": 2}.get(key, 0)
    return ['"Tool%d"=%s' % (n, text("C:\\Program Files\\User%d\\tool%d.exe /background" % (user, n)))
            for n in range(count)]


def filler(vendor):
    for product in range(PRODUCTS):
        key = "\\Software\\Vendor%03d\\Product%02d" % (vendor, product)
        yield key, ['"Setting%02d"="%s"' % (n, ("v%d.%d.%d;" % (vendor, product, n)) * 30) for n in range(VALUES)]


def sections(user):
    per_step = VENDORS // len(CHAIN)
    vendor = 0
    for key in CHAIN:
        yield key, startup_values(user, key)
        for n in range(SIBLINGS.get(key, 0)):
            yield key + "\\Component%03d" % n, ['"Flags"=dword:%08x' % n, '"Name"="component %d"' % n]
        for _ in range(per_step):
            yield "\\Software\\Vendor%03d" % vendor, []
            yield from filler(vendor)
            vendor += 1
    for vendor in range(vendor, VENDORS):
        yield "\\Software\\Vendor%03d" % vendor, []
        yield from filler(vendor)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for user in range(1, USERS + 1):
        write_hive(os.path.join(out, "user%d.dat" % user), sections(user))


if __name__ == "__main__":
    main()
