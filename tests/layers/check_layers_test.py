#!/usr/bin/env python3
"""The layer check finds what it is there to find: each case puts one fault
into a small tree made of the real README and the real homes of the shared
codes, and the check must name it; the tree without the fault is clean."""

import os
import shutil
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_layers  # noqa: E402

SOURCE_ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

# A file per layer that includes only what it may.
CLEAN_FILES = {
    "app/Start.cpp": '#include "actions/Play.h"\n#include "device/Link.h"\n#include "codes/PrivateMessages.h"\n',
    "app/win32/Main.cpp": '#include <windows.h>\n#include "ui/Window.h"\n',
    "actions/Play.h": '#include "config/MacroStore.h"\n#include "text/KeyNames.h"\n',
    "device/Link.h": '#include "config/SettingsStore.h"\n#include "platform/Handle.h"\n',
    "config/Store.cpp": '#include "text/XmlNavigator.h"\n// a comment may say "OpenAllFriend"\n',
    "text/Names.cpp": '#include "codes/KeyCodes.h"\nconstexpr int kLimit = 0x7EB + 1;\n',
    "platform/win32/Input.cpp": '#include <windows.h>\n#include "platform/SyntheticInput.h"\n',
    "ui/Window.cpp": '#include <windows.h>\n#include "app/Start.h"\n',
}

CASES = [
    # (what is wrong, file, its text, words the finding must contain)
    ("an include of a layer above", "config/Labels.cpp", '#include "macro/MacroList.h"\n',
     ["config/Labels.cpp:1", "macro/", "above"]),
    ("an include of the user interface", "text/Draw.h", '\n#include "ui/window/Window.h"\n',
     ["text/Draw.h:2", "ui/", "outside the layers"]),
    ("a system header in the core", "device/Port.cpp", "#include <Windows.h>\n", ["device/Port.cpp:1", "<Windows.h>"]),
    ("a private message with another name", "device/Channel.cpp", "constexpr uint32_t kEventMessage = 0x7eb;\n",
     ["device/Channel.cpp:1", "kEventMessage", "codes/PrivateMessages.h"]),
    ("a private message by its name", "ui/Menu.h", "#define WM_BMPMENU_PICK 1281\n", ["ui/Menu.h:1", "WM_BMPMENU_PICK"]),
    ("the hook message by number", "macro/Recorder.cpp", "enum { kHookKey = 1034, kOther = 3 };\n",
     ["macro/Recorder.cpp:1", "kHookKey", "codes/KeyboardHookLibrary.h"]),
    ("a hook export written out", "ui/ComboDialog.cpp", 'auto* entry = GetProcAddress(library, "SetHookStatus");\n',
     ["ui/ComboDialog.cpp:1", '"SetHookStatus"']),
    ("a social-site export written out", "libraries/quickaccess/Site.cpp", 'const char* name = "OpenAllNotify";\n',
     ["libraries/quickaccess/Site.cpp:1", '"OpenAllNotify"']),
    ("a mouse-button key code", "actions/Strokes.h", "constexpr uint8_t kMiddleClick = 0xC3;\n",
     ["actions/Strokes.h:1", "kMiddleClick", "codes/KeyCodes.h"]),
    ("a combination bit by name", "text/Combo.cpp", "static const uint8_t kComboShiftBit = 2;\n",
     ["text/Combo.cpp:1", "kComboShiftBit"]),
    ("a virtual key", "actions/Scroll.cpp", "\n\nconstexpr uint8_t kVkLeft = 0x25;\n", ["actions/Scroll.cpp:3", "kVkLeft"]),
    ("a namespace of virtual keys", "macro/Keys.h", "namespace vk {\n}\n", ["macro/Keys.h:1", "namespace vk"]),
    ("a system mouse message", "app/Tray.cpp", "constexpr intptr_t kDoubleClick = 515;\n",
     ["app/Tray.cpp:1", "kDoubleClick", "platform/WindowInspection.h"]),
    ("an editor window's name", "app/Close.cpp", 'const char16_t* names[] = {u"CDlgMacro"};\n', ['"CDlgMacro"']),
    ("a second list of function-key models", "tools/artwork/keys.py",
     "FUNCTION_KEYS = (0x9060, 0x9080)  # drawn with F legends\n",
     ["tools/artwork/keys.py:1", "config/FunctionKeyModels.h"]),
]


class LayerCheckTest(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp(prefix="layers-")
        self.addCleanup(shutil.rmtree, self.root)
        homes = ["README.md"] + [family.home for family in check_layers.FAMILIES]
        for path in homes:
            os.makedirs(os.path.join(self.root, os.path.dirname(path)), exist_ok=True)
            shutil.copy(os.path.join(SOURCE_ROOT, path), os.path.join(self.root, path))
        for path, text in CLEAN_FILES.items():
            self.write(path, text)

    def write(self, path, text):
        full = os.path.join(self.root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text)

    def findings(self):
        layers = check_layers.read_layers(self.root)
        return check_layers.check_layers(self.root, layers) + check_layers.check_codes(self.root)

    def test_the_clean_tree_passes(self):
        self.assertEqual(self.findings(), [])

    def test_each_fault_is_named(self):
        for what, path, text, words in CASES:
            with self.subTest(what):
                self.write(path, text)
                findings = [f for f in self.findings() if f.startswith(path)]
                self.assertEqual(len(findings), 1, findings)
                for word in words:
                    self.assertIn(word, findings[0])
                os.remove(os.path.join(self.root, path))

    def test_the_order_comes_from_the_readme(self):
        # Moving macro/ below config/ in the table makes config's use of it right
        # and the macro list's use of config wrong.
        self.write("config/Labels.cpp", '#include "macro/MacroList.h"\n')
        self.write("macro/List.cpp", '#include "config/SettingsStore.h"\n')
        readme = os.path.join(self.root, "README.md")
        with open(readme, encoding="utf-8") as f:
            lines = f.read().split("\n")
        table = next(i for i, line in enumerate(lines) if line.startswith("### Layers"))

        def row_of(folder):
            return next(i for i in range(table, len(lines)) if lines[i].startswith(f"| `{folder}/`"))

        row = lines.pop(row_of("macro"))
        lines.insert(row_of("config") + 1, row)
        with open(readme, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        findings = self.findings()
        self.assertEqual([f.split(":")[0] for f in findings], ["macro/List.cpp"], findings)

    def test_a_readme_without_the_table_stops_the_check(self):
        self.write("README.md", "# Project\n\n## Layout\n\nNo layers here.\n")
        with self.assertRaises(SystemExit):
            self.findings()


if __name__ == "__main__":
    unittest.main()
