#!/usr/bin/env python3
"""Checks the reference against the functions Lumo.dll exports.

Usage: check_reference.py LUMO_DLL REFERENCE_MD

A function counts as documented when a line of the reference starts a table row with its call:
"| `Name(". Exports whose names begin with _Z are the exported C++ classes (members, virtual
tables and type information, in mangled form); the classes are documented by their headers, so
they are left out here. A stdcall decoration (Name@N) is ignored.

Exit status: 0 when every flat export has a row, every row names an export and every picture the
reference links exists; 1 otherwise, naming each function or picture; 2 when the library or the
reference cannot be read.
"""
import os
import re
import struct
import sys

ROW = re.compile(r"^\|\s*`([A-Za-z_][A-Za-z0-9_]*)\(")
PICTURE = re.compile(r"!\[[^\]]*\]\(([^)\s]+)\)")


def exported_names(path):
    """The names in the export table of the PE file at path."""
    with open(path, "rb") as f:
        data = f.read()

    def u16(offset):
        return struct.unpack_from("<H", data, offset)[0]

    def u32(offset):
        return struct.unpack_from("<I", data, offset)[0]

    if data[:2] != b"MZ" or data[u32(0x3C):u32(0x3C) + 4] != b"PE\0\0":
        raise ValueError("not a Windows module")
    header = u32(0x3C) + 4
    sections, optional_size = u16(header + 2), u16(header + 16)
    optional = header + 20
    # The data directories follow the optional header's fixed part, 96 bytes long in a 32-bit
    # module and 112 in a 64-bit one; the export table is the first of them.
    fixed = {0x10B: 96, 0x20B: 112}.get(u16(optional))
    if fixed is None:
        raise ValueError("unknown optional header")
    if u32(optional + fixed - 4) < 1 or u32(optional + fixed) == 0:
        return []
    section_table = optional + optional_size

    def offset_of(rva):
        for i in range(sections):
            entry = section_table + 40 * i
            size, address = max(u32(entry + 8), u32(entry + 16)), u32(entry + 12)
            if address <= rva < address + size:
                return u32(entry + 20) + rva - address
        raise ValueError("address %#x lies in no section" % rva)

    directory = offset_of(u32(optional + fixed))
    count, names = u32(directory + 24), offset_of(u32(directory + 32))
    result = []
    for i in range(count):
        start = offset_of(u32(names + 4 * i))
        result.append(data[start:data.index(b"\0", start)].decode("ascii"))
    return result


def main(argv):
    if len(argv) != 3:
        print("usage: check_reference.py LUMO_DLL REFERENCE_MD")
        return 2
    dll, reference = argv[1], argv[2]
    try:
        exports = exported_names(dll)
        with open(reference, encoding="utf-8") as f:
            lines = f.read().splitlines()
    except (OSError, ValueError, struct.error) as e:
        print("cannot read %s or %s: %s" % (dll, reference, e))
        return 2

    flat = {re.sub(r"@\d+$", "", name) for name in exports if not name.startswith("_Z")}
    if not flat:
        print("%s exports no flat function" % dll)
        return 2
    documented = {m.group(1) for m in map(ROW.match, lines) if m}
    folder = os.path.dirname(reference)
    pictures = {p for line in lines for p in PICTURE.findall(line)}
    missing_pictures = sorted(p for p in pictures if not os.path.isfile(os.path.join(folder, p)))

    problems = [
        ("%s leaves out functions that %s exports:" % (reference, os.path.basename(dll)),
         sorted(flat - documented)),
        ("%s documents functions that %s does not export:" % (reference, os.path.basename(dll)),
         sorted(documented - flat)),
        ("%s links pictures that do not exist:" % reference, missing_pictures),
    ]
    failed = False
    for title, names in problems:
        if names:
            failed = True
            print(title)
            for name in names:
                print("  " + name)
    if failed:
        return 1
    classes = sum(1 for name in exports if name.startswith("_Z"))
    print("%s documents the %d flat functions %s exports (%d class exports left out)"
          % (reference, len(flat), os.path.basename(dll), classes))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
