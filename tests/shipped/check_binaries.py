#!/usr/bin/env python3
"""Checks the shipped 32-bit binaries without running them.

The machines that build the project may run 64-bit code only, so the 32-bit
program, its two libraries and the installer are read as files: each must be
a 32-bit (PE32) image for x86 of the right kind, import nothing but system
libraries (no compiler runtime beside the program), and the libraries must
export what the program looks up in them.

    check_binaries.py DIST_FOLDER SETUP_EXE
"""

import struct
import sys
from pathlib import Path

MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
SUBSYSTEM_GUI = 2
IMAGE_FILE_DLL = 0x2000

# Libraries every Windows has; anything else beside the program would have
# to be shipped with it.
SYSTEM_LIBRARIES = {
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll",
    "comctl32.dll", "comdlg32.dll", "ole32.dll", "oleaut32.dll", "gdiplus.dll",
    "hid.dll", "setupapi.dll", "msvcrt.dll", "shlwapi.dll", "winmm.dll",
    "version.dll", "imm32.dll", "uxtheme.dll", "psapi.dll", "ntdll.dll",
}

EXPECTED = {
    "vn24g.exe": {"dll": False, "exports": []},
    "KBGetKey.dll": {"dll": True, "exports": ["installhook", "SetHookStatus", "removehook"]},
    "QuickAccess.dll": {"dll": True, "exports": [
        "OpenZoomOutWindow", "OpenZoomInWindow", "OpenSearchFriend", "OpenAllFriend",
        "OpenAllMessage", "OpenAllNotify", "OpenFriendAlign"]},
}


class Image:
    def __init__(self, path):
        self.data = Path(path).read_bytes()
        data = self.data
        if data[:2] != b"MZ":
            raise ValueError("not a Windows program (no MZ header)")
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("no PE header")
        (self.machine, sections, _, _, _, optional_size, self.characteristics) = struct.unpack_from(
            "<HHIIIHH", data, pe + 4)
        optional = pe + 24
        self.magic = struct.unpack_from("<H", data, optional)[0]
        if self.magic != PE32_MAGIC:
            self.subsystem = None
            self.directories = []
            self.sections = []
            return
        self.subsystem = struct.unpack_from("<H", data, optional + 68)[0]
        count = struct.unpack_from("<I", data, optional + 92)[0]
        self.directories = [struct.unpack_from("<II", data, optional + 96 + 8 * i) for i in range(count)]
        table = optional + optional_size
        self.sections = []
        for i in range(sections):
            _, virtual_size, address, raw_size, raw_offset = struct.unpack_from("<8sIIII", data, table + 40 * i)
            self.sections.append((address, max(virtual_size, raw_size), raw_offset))

    def offset(self, rva):
        for address, size, raw in self.sections:
            if address <= rva < address + size:
                return raw + rva - address
        raise ValueError("address 0x%x lies in no section" % rva)

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("ascii")

    def directory(self, index):
        return self.directories[index] if index < len(self.directories) else (0, 0)

    def exports(self):
        rva, size = self.directory(0)
        if not rva:
            return []
        at = self.offset(rva)
        names, table = struct.unpack_from("<II", self.data, at + 24)[0], struct.unpack_from("<I", self.data, at + 32)[0]
        return [self.text(struct.unpack_from("<I", self.data, self.offset(table) + 4 * i)[0]) for i in range(names)]

    def imports(self):
        found = []
        rva, _ = self.directory(1)
        while rva:
            name = struct.unpack_from("<I", self.data, self.offset(rva) + 12)[0]
            if not name:
                break
            found.append(self.text(name))
            rva += 20
        rva, _ = self.directory(13)  # delay-loaded imports
        while rva:
            name = struct.unpack_from("<I", self.data, self.offset(rva) + 4)[0]
            if not name:
                break
            found.append(self.text(name))
            rva += 32
        return found


def check(path, dll, exports):
    faults = []
    try:
        image = Image(path)
    except (OSError, ValueError) as error:
        return ["%s: %s" % (path.name, error)]
    if image.machine != MACHINE_I386 or image.magic != PE32_MAGIC:
        return ["%s: not a 32-bit x86 image (machine 0x%x, optional header 0x%x)"
                % (path.name, image.machine, image.magic)]
    if bool(image.characteristics & IMAGE_FILE_DLL) != dll:
        faults.append("%s: %s" % (path.name, "not a library" if dll else "a library, not a program"))
    if not dll and image.subsystem != SUBSYSTEM_GUI:
        faults.append("%s: subsystem %s, not a windowed program" % (path.name, image.subsystem))
    for library in image.imports():
        if library.lower() not in SYSTEM_LIBRARIES:
            faults.append("%s: imports %s, which Windows does not have" % (path.name, library))
    missing = [name for name in exports if name not in image.exports()]
    if missing:
        faults.append("%s: does not export %s" % (path.name, ", ".join(missing)))
    return faults


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    dist, setup = Path(sys.argv[1]), Path(sys.argv[2])
    faults = []
    for name, expected in EXPECTED.items():
        faults += check(dist / name, expected["dll"], expected["exports"])
    faults += check(setup, False, [])
    for fault in faults:
        print("FAILED:", fault)
    if not faults:
        print("the shipped program, its libraries and setup.exe are 32-bit Windows images "
              "that need only system libraries")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
