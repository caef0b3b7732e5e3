#!/usr/bin/env python3
"""seed_hive.py OUT: writes an empty registry hive file (a root key and its security cell) that
hivexregedit --merge can fill; hivex opens only existing hives."""
import struct
import sys

BLOCK = 4096
ROOT_CELL = 0x20  # the first cell of the first bin, past the bin's header
NO_CELL = 0xFFFFFFFF


def cell(payload):
    """An allocated cell: negative size (size field included), padded to 8 bytes."""
    size = (4 + len(payload) + 7) & ~7
    return struct.pack("<i", -size) + payload.ljust(size - 4, b"\0")


def root_key(security):
    name = b"ROOT"
    flags = 0x0004 | 0x0008 | 0x0020  # hive entry, no delete, 8-bit name
    fixed = struct.pack("<2sHQIIIIIIIIIIIIIIIHH", b"nk", flags, 0, 0, 0, 0, 0, NO_CELL, NO_CELL, 0, NO_CELL,
                        security, NO_CELL, 0, 0, 0, 0, 0, len(name), 0)
    return cell(fixed + name)


def security_cell(offset):
    # A self-relative descriptor with no owner, group or lists: the smallest valid one.
    descriptor = struct.pack("<BBHIIII", 1, 0, 0x8000, 0, 0, 0, 0)
    return cell(struct.pack("<2sHIIII", b"sk", 0, offset, offset, 1, len(descriptor)) + descriptor)


def hive_bin(cells):
    header = struct.pack("<4sIIQQI", b"hbin", 0, BLOCK, 0, 0, 0)
    used = header + cells
    free = BLOCK - len(used)
    return used + struct.pack("<i", free) + b"\0" * (free - 4)


def base_block():
    fields = struct.pack("<4sIIQIIIIIII", b"regf", 1, 1, 0, 1, 5, 0, 1, ROOT_CELL, BLOCK, 1)
    head = fields.ljust(508, b"\0")
    checksum = 0
    for (word,) in struct.iter_unpack("<I", head):
        checksum ^= word
    checksum = {0: 1, 0xFFFFFFFF: 0xFFFFFFFE}.get(checksum, checksum)  # as the system writes it
    return (head + struct.pack("<I", checksum)).ljust(BLOCK, b"\0")


def empty_hive():
    security_offset = ROOT_CELL + len(root_key(0))
    return base_block() + hive_bin(root_key(security_offset) + security_cell(security_offset))


def main():
    with open(sys.argv[1], "wb") as out:
        out.write(empty_hive())


if __name__ == "__main__":
    main()
