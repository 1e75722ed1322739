#!/usr/bin/env python3
"""Checks the shape of the source tree.

    check_layers.py [SOURCE_DIR]

- Layers: the README's "Layers" table lists the core's folders from the
  top down. A file in one of them may include its own folder's headers and
  those of the folders below it, never one above it nor a folder outside
  the table (ui/, libraries/, tools/, tests/). Above platform/ nothing
  includes a system header such as <windows.h>. Sub-folders named win32/
  outside platform/ are Win32 halves that build with the user interface;
  they stand outside the layers.
- Shared codes: each family of codes below has one home. A second
  definition of one of its names or values anywhere else in the program's
  sources (tests/ aside: tests spell out the values they expect) fails.

Prints one line per finding and exits with 1 when there is any."""

import os
import re
import sys

SOURCE_EXTENSIONS = (".h", ".cpp")
SCANNED_EXTENSIONS = (".h", ".cpp", ".py")
# Never scanned for second definitions: the tests spell out the values they
# expect and the data files are the models themselves. Build folders and
# hidden ones are not sources either.
UNSCANNED_TOP = {"tests", "data"}
SYSTEM_LAYER = "platform"
SYSTEM_HEADER = re.compile(
    r"#\s*include\s*<\s*(windows|winuser|winbase|windef|wingdi|winreg|shellapi|shlobj|objbase|ole2|olectl|"
    r"oleacc|commctrl|commdlg|gdiplus|setupapi|hidsdi|dbt|mshtml)\.h\s*>", re.IGNORECASE)
QUOTED_INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]*"([^"]+)"', re.MULTILINE)


class Family:
    """Codes with one home.

    names:     a definition elsewhere of a name the home defines counts
    pattern:   so does a definition elsewhere of a name matching this
    values_of: definitions elsewhere with the value of a home name matching
               this count too (for values distinctive enough to tell)
    strings:   every string the home defines; any use of the same text as a
               literal elsewhere counts
    listed:    the numbers of the home's table; a line elsewhere naming two
               of them is a second table
    namespace: a namespace of this name opened elsewhere counts
    """

    def __init__(self, what, home, names=False, pattern=None, values_of=None, strings=False, listed=False,
                 namespace=None):
        self.what = what
        self.home = home
        self.names = names
        self.pattern = re.compile(pattern) if pattern else None
        self.values_of = re.compile(values_of) if values_of else None
        self.strings = strings
        self.listed = listed
        self.namespace = namespace


FAMILIES = [
    Family("private window message", "codes/PrivateMessages.h", names=True, values_of=r".*"),
    Family("part of the keyboard-hook library's contract", "codes/KeyboardHookLibrary.h", pattern=r"^WM_HOOKKEY$",
           values_of=r"^WM_HOOKKEY$", strings=True),
    Family("part of the social-site library's contract", "codes/SocialSiteLibrary.h", strings=True),
    Family("key code of the combinations and macros", "codes/KeyCodes.h", names=True, pattern=r"^k\w*Combo\w*$",
           values_of=r"ButtonCode$"),
    Family("editor window name", "codes/WindowNames.h", strings=True),
    Family("virtual-key code", "platform/VirtualKeys.h", pattern=r"^(k_?[Vv][Kk][A-Z_]\w*|VK_\w+)$", namespace="vk"),
    Family("window message of the system", "platform/WindowInspection.h", pattern=r"^kMsg\w+$",
           values_of=r"^kMsg(LeftButton|RightButton)"),
    Family("model with function-key media keys", "config/FunctionKeyModels.h", names=True, listed=True),
]

NUMBER = r"\b(0[xX][0-9A-Fa-f]+|\d+)[uUlL]*\b"
# "NAME = 42;" in a declaration, an enumeration or a Python module, and
# "#define NAME 42".
NUMBER_DEFINITION = re.compile(r"\b([A-Za-z_]\w*)\s*(?:\[\s*\])?\s*=\s*" + NUMBER + r"\s*[;,}\n]")
MACRO_DEFINITION = re.compile(r"#\s*define\s+([A-Za-z_]\w*)\s+" + NUMBER)
# Definitions of any kind, for names: "constexpr ... NAME =" / "#define NAME".
NAMED_DEFINITION = re.compile(r"(?:\bconst(?:expr)?\b[^;=(]*?\b([A-Za-z_]\w*)\s*(?:\[\s*\])?\s*=)|"
                              r"(?:#\s*define\s+([A-Za-z_]\w*))|"
                              r"(?:^[ \t]*([A-Za-z_]\w*)\s*=\s*" + NUMBER + r"\s*,)", re.MULTILINE)
STRING_LITERAL = re.compile(r'(?:u8|u|U|L)?"((?:[^"\\\n]|\\.)*)"' + r"|'((?:[^'\\\n]|\\.)*)'")
NAMESPACE = re.compile(r"\bnamespace\s+(\w+)\s*\{")
BRACED_NUMBERS = re.compile(r"\{([^}]*)\}")


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


def strip_comments(text, python=False):
    if python:
        return re.sub(r"#[^\n]*", "", text)
    text = re.sub(r"/\*.*?\*/", lambda m: "\n" * m.group(0).count("\n"), text, flags=re.DOTALL)
    return re.sub(r"//[^\n]*", "", text)


def line_of(text, offset):
    return text.count("\n", 0, offset) + 1


# -- the layers ---------------------------------------------------------------


def read_layers(root):
    """The folders of the README's "Layers" table, top layer first."""
    readme = read(os.path.join(root, "README.md")).splitlines()
    try:
        start = next(i for i, line in enumerate(readme) if re.match(r"#+\s+Layers\b", line))
    except StopIteration:
        raise SystemExit("README.md has no Layers section")
    layers = []
    in_table = False
    for line in readme[start + 1:]:
        if line.startswith("|"):
            in_table = True
            folder = re.match(r"\|\s*`([\w-]+)/`", line)
            if folder:
                layers.append(folder.group(1))
        elif in_table or line.startswith("#"):
            break
    if len(layers) < 2:
        raise SystemExit("README.md's Layers section holds no table of folders")
    return layers


def layer_files(root, layer):
    """Source files of a layer, without the Win32 halves of core folders."""
    top = os.path.join(root, layer)
    for folder, subfolders, files in os.walk(top):
        if layer != SYSTEM_LAYER:
            subfolders[:] = [s for s in subfolders if s != "win32"]
        for name in sorted(files):
            if name.endswith(SOURCE_EXTENSIONS):
                yield os.path.join(folder, name)


def check_layers(root, layers):
    findings = []
    # Lower layers have higher positions.
    position = {layer: i for i, layer in enumerate(layers)}
    top_folders = {n for n in os.listdir(root) if os.path.isdir(os.path.join(root, n)) and not n.startswith(".")}
    for layer in layers:
        for path in layer_files(root, layer):
            relative = os.path.relpath(path, root).replace(os.sep, "/")
            text = strip_comments(read(path))
            for match in QUOTED_INCLUDE.finditer(text):
                target = match.group(1).split("/")[0]
                if "/" not in match.group(1) or target == layer:
                    continue
                where = f"{relative}:{line_of(text, match.start())}"
                if target in position:
                    if position[target] < position[layer]:
                        findings.append(f"{where}: {layer}/ includes {match.group(1)} from {target}/, a layer above it")
                elif target in top_folders:
                    findings.append(f"{where}: {layer}/ includes {match.group(1)} from {target}/, outside the layers")
            if layer != SYSTEM_LAYER:
                for match in SYSTEM_HEADER.finditer(text):
                    findings.append(f"{relative}:{line_of(text, match.start())}: {layer}/ includes the system header "
                                    f"<{match.group(1)}.h>; the core reaches the system through platform/")
    return findings


# -- the shared codes ---------------------------------------------------------


def number(text):
    return int(text, 16) if text[:2] in ("0x", "0X") else int(text)


class Home:
    """What a family's home defines."""

    def __init__(self, root, family):
        path = os.path.join(root, family.home)
        if not os.path.exists(path):
            raise SystemExit(f"{family.home}, the home of every {family.what}, is missing")
        text = QUOTED_INCLUDE.sub("", strip_comments(read(path)))
        self.names = set()
        for match in NAMED_DEFINITION.finditer(text):
            self.names.update(n for n in match.groups()[:3] if n)
        self.values = {}
        for match in list(NUMBER_DEFINITION.finditer(text)) + list(MACRO_DEFINITION.finditer(text)):
            self.values[match.group(1)] = number(match.group(2))
        self.strings = {m.group(1) for m in STRING_LITERAL.finditer(text) if m.group(1)} if family.strings else set()
        self.listed = set()
        if family.listed:
            for braces in BRACED_NUMBERS.finditer(text):
                found = [number(n) for n in re.findall(NUMBER, braces.group(1))]
                if len(found) >= 2:
                    self.listed.update(found)
        if not (self.names or self.strings or self.listed):
            raise SystemExit(f"{family.home} defines no {family.what}")
        self.distinctive = {v for n, v in self.values.items() if family.values_of and family.values_of.search(n)}


def scanned_files(root):
    for folder, subfolders, files in os.walk(root):
        if folder == root:
            subfolders[:] = [s for s in subfolders if s not in UNSCANNED_TOP and not s.startswith("build")]
        subfolders[:] = [s for s in subfolders if not s.startswith(".") and s != "__pycache__"]
        for name in sorted(files):
            if name.endswith(SCANNED_EXTENSIONS):
                yield os.path.join(folder, name)


def definitions(text):
    """(name, value or None, offset) of every definition in a file."""
    for match in NAMED_DEFINITION.finditer(text):
        name = next(n for n in match.groups()[:3] if n)
        yield name, None, match.start()
    for match in list(NUMBER_DEFINITION.finditer(text)) + list(MACRO_DEFINITION.finditer(text)):
        yield match.group(1), number(match.group(2)), match.start()


def check_codes(root):
    findings = []
    homes = [(family, Home(root, family)) for family in FAMILIES]
    for path in scanned_files(root):
        relative = os.path.relpath(path, root).replace(os.sep, "/")
        python = path.endswith(".py")
        text = QUOTED_INCLUDE.sub("", strip_comments(read(path), python))
        found = set()

        def report(offset, message):
            where = f"{relative}:{line_of(text, offset)}"
            if (where, message) not in found:
                found.add((where, message))
                findings.append(f"{where}: {message}")

        for family, home in homes:
            if relative == family.home:
                continue
            home_of = f"every {family.what} is defined in {family.home} alone"
            for name, value, offset in definitions(text):
                if (family.names and name in home.names) or (family.pattern and family.pattern.match(name)):
                    report(offset, f"{name} is defined again: {home_of}")
                elif value is not None and value in home.distinctive:
                    report(offset, f"{name} = {value:#x} is defined again: {home_of}")
            if family.namespace:
                for match in NAMESPACE.finditer(text):
                    if match.group(1) == family.namespace:
                        report(match.start(), f"namespace {family.namespace} is opened again: {home_of}")
            for match in STRING_LITERAL.finditer(text):
                literal = match.group(1) if match.group(1) is not None else match.group(2)
                if literal in home.strings:
                    report(match.start(), f'"{literal}" is written out again: {home_of}')
            if home.listed:
                offset = 0
                for line in text.split("\n"):
                    if len({number(n) for n in re.findall(NUMBER, line)} & home.listed) >= 2:
                        report(offset, f"a second list: {home_of}")
                    offset += len(line) + 1
    return findings


def main(argv):
    root = os.path.abspath(argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(__file__), "..", ".."))
    layers = read_layers(root)
    findings = check_layers(root, layers) + check_codes(root)
    for finding in findings:
        print(finding)
    if findings:
        print(f"{len(findings)} problem(s); the layers, top first: {' '.join(layers)}")
        return 1
    print(f"layers in order ({' > '.join(layers)}), every shared code defined once")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
