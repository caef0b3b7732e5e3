#!/usr/bin/env python3
"""Fails when a source file includes a header of a layer above its own, or of a layer beside it.

Each folder of src/ is one layer; a file may include headers of its own layer and of the layers
below it. Usage: check_includes.py SRC_DIR [RES_DIR]
"""
import pathlib
import re
import sys

# Layers from the bottom up; layers of one rank stand beside each other and see none of each other.
RANKS = [["base"], ["platform"], ["startup", "station"], ["widgets"], ["windows"], ["app", "cli"]]
RANK = {layer: rank for rank, layers in enumerate(RANKS) for layer in layers}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def main() -> int:
    src = pathlib.Path(sys.argv[1])
    res = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else src.parent / "res"
    owner = {}
    for layer in RANK:
        for header in (src / layer).glob("*.h"):
            owner.setdefault(header.name, set()).add(layer)
    faults = [f"{src / layer}: a folder of src/ that is no layer" for layer in
              sorted(p.name for p in src.iterdir() if p.is_dir() and p.name not in RANK)]
    faults += [f"{name}: in two layers, {sorted(layers)}" for name, layers in owner.items() if len(layers) > 1]
    for layer in RANK:
        for path in sorted((src / layer).glob("*.[ch]*")):
            for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
                layers = owner.get(name)
                if layers is None:
                    if not (res / name).exists():
                        faults.append(f"{path}: includes \"{name}\", which no layer holds")
                    continue
                target = next(iter(layers))
                if target != layer and RANK[target] >= RANK[layer]:
                    faults.append(f"{path}: {layer} includes \"{name}\" of {target}")
    for fault in faults:
        print(fault)
    print(f"{len(faults)} include(s) against the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
