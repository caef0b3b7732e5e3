#!/usr/bin/env python3
"""Fails when a source file includes a header of a library its own does not link, or when includes
run in a cycle.

Each folder of src/ is one layer; its CMakeLists.txt says which other layers its targets link, and
a file may include headers of its own layer and of the layers its layer links, directly or through
them. A module is a header and its source file of the same name; no module may reach itself through
includes. Usage: check_includes.py SRC_DIR [RES_DIR]
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)
TARGET = re.compile(r'add_(?:library|executable)\s*\(\s*(\w+)')
LINKS = re.compile(r'target_link_libraries\s*\(\s*(\w+)([^)]*)\)')


def linked_layers(src):
    """Each layer with the layers its targets link, directly or through other layers."""
    layers = sorted(p.name for p in src.iterdir() if (p / "CMakeLists.txt").exists())
    owner, direct = {}, {layer: set() for layer in layers}
    texts = {layer: (src / layer / "CMakeLists.txt").read_text(encoding="utf-8") for layer in layers}
    for layer, text in texts.items():
        for target in TARGET.findall(text):
            owner[target] = layer
    for layer, text in texts.items():
        for target, names in LINKS.findall(text):
            if owner.get(target) == layer:
                direct[layer] |= {owner[name] for name in names.split() if owner.get(name, layer) != layer}
    seen = {}
    for layer in layers:
        reach, todo = set(), list(direct[layer])
        while todo:
            other = todo.pop()
            if other not in reach:
                reach.add(other)
                todo.extend(direct[other])
        seen[layer] = reach
    return seen


def cycles(edges):
    """The strongly connected groups of more than one module (Tarjan), each sorted."""
    index, low, stack, on_stack, groups = {}, {}, [], set(), []

    def visit(node):
        index[node] = low[node] = len(index)
        stack.append(node)
        on_stack.add(node)
        for other in edges.get(node, ()):
            if other not in index:
                visit(other)
                low[node] = min(low[node], low[other])
            elif other in on_stack:
                low[node] = min(low[node], index[other])
        if low[node] == index[node]:
            group = []
            while True:
                member = stack.pop()
                on_stack.discard(member)
                group.append(member)
                if member == node:
                    break
            if len(group) > 1:
                groups.append(sorted(group))

    sys.setrecursionlimit(10000)
    for node in sorted(edges):
        if node not in index:
            visit(node)
    return groups


def main() -> int:
    src = pathlib.Path(sys.argv[1])
    res = pathlib.Path(sys.argv[2]) if len(sys.argv) > 2 else src.parent / "res"
    reach = linked_layers(src)
    owner = {}
    for layer in reach:
        for header in (src / layer).glob("*.h"):
            owner.setdefault(header.name, set()).add(layer)
    faults = [f"{p}: a folder of src/ that is no layer" for p in sorted(src.iterdir())
              if p.is_dir() and p.name not in reach]
    faults += [f"{name}: in two layers, {sorted(layers)}" for name, layers in owner.items() if len(layers) > 1]
    edges = {}
    for layer in reach:
        for path in sorted((src / layer).glob("*.[ch]*")):
            module = f"{layer}/{path.stem}"
            for name in INCLUDE.findall(path.read_text(encoding="utf-8")):
                layers = owner.get(name)
                if layers is None:
                    if not (res / name).exists():
                        faults.append(f"{path}: includes \"{name}\", which no layer holds")
                    continue
                target = next(iter(layers))
                if target != layer and target not in reach[layer]:
                    faults.append(f"{path}: {layer} includes \"{name}\" of {target}, which it does not link")
                other = f"{target}/{pathlib.Path(name).stem}"
                if other != module:
                    edges.setdefault(module, set()).add(other)
    faults += ["include cycle: " + " <-> ".join(group) for group in cycles(edges)]
    for fault in faults:
        print(fault)
    print(f"{len(faults)} include(s) against the layers")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
