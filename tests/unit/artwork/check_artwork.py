#!/usr/bin/env python3
"""Checks the rendered pictures against what the program expects of them.

    check_artwork.py --skins SOURCE_SKINS --artwork BUILT_RESOURCES --dist-skins BUILT_SKINS

- every picture resource named in ui/resources/pictures.rc has its number's
  format, size and bit depth, and every skin file its size;
- a window's three state pictures differ only inside the rectangles where
  the program puts buttons, and every button does change there;
- the text the program draws on a button in each state reads on that
  state's piece of picture;
- the sample models: VNType.ini lists exactly the model folders, every
  DeviceSkn.xml is sound, and its page pictures change at its label and
  mark rectangles and nowhere else.

Reads BMP and PNG itself (Python's zlib only), so it needs nothing but
python3."""

import argparse
import os
import re
import struct
import sys
import unittest
import xml.etree.ElementTree as ET
import zlib

ARGS = None
SOURCE_ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))

# -- readers ------------------------------------------------------------------


class Picture:
    """Pixels as rows of RGB bytes (alpha dropped, after noting it)."""

    def __init__(self, kind, width, height, bits, rows, has_alpha=False):
        self.kind = kind
        self.width = width
        self.height = height
        self.bits = bits
        self.rows = rows
        self.has_alpha = has_alpha

    def pixel(self, x, y):
        row = self.rows[y]
        return tuple(row[3 * x:3 * x + 3])


def read_bmp(path):
    with open(path, "rb") as handle:
        data = handle.read()
    if data[:2] != b"BM":
        raise ValueError(f"{path}: not a BMP file")
    offset, = struct.unpack_from("<I", data, 10)
    header_size, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if header_size != 40 or compression != 0 or bits != 24:
        return Picture("bmp", width, abs(height), bits, None)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(abs(height)):
        start = offset + y * stride
        bgr = data[start:start + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(bytes(rgb))
    if height > 0:  # stored bottom row first
        rows.reverse()
    return Picture("bmp", width, abs(height), bits, rows)


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(path):
    with open(path, "rb") as handle:
        data = handle.read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path}: not a PNG file")
    pos, idat, header = 8, b"", None
    while pos < len(data):
        length, kind = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    width, height, depth, colour, _, _, interlace = header
    channels = {2: 3, 6: 4}.get(colour)
    if depth != 8 or channels is None or interlace:
        return Picture("png", width, height, depth * (channels or 1), None)
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            upleft = previous[i - channels] if i >= channels else 0
            if kind == 1:
                line[i] = (line[i] + left) & 0xFF
            elif kind == 2:
                line[i] = (line[i] + up) & 0xFF
            elif kind == 3:
                line[i] = (line[i] + ((left + up) >> 1)) & 0xFF
            elif kind == 4:
                line[i] = (line[i] + _paeth(left, up, upleft)) & 0xFF
        previous = line
        if channels == 4:
            rgb = bytearray(width * 3)
            rgb[0::3], rgb[1::3], rgb[2::3] = line[0::4], line[1::4], line[2::4]
            rows.append(bytes(rgb))
        else:
            rows.append(bytes(line))
    return Picture("png", width, height, depth * channels, rows, has_alpha=channels == 4)


def read_picture(path):
    return read_png(path) if path.lower().endswith(".png") else read_bmp(path)


def read_ico_sizes(path):
    with open(path, "rb") as handle:
        data = handle.read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1:
        raise ValueError(f"{path}: not an icon file")
    sizes = []
    for i in range(count):
        width, height = data[6 + 16 * i], data[7 + 16 * i]
        sizes.append((width or 256, height or 256))
    return sorted(sizes)


# -- comparisons --------------------------------------------------------------


def changed_outside(a, b, rects):
    """Pixels where a and b differ that lie in none of the rectangles, as
    (x, y) (at most a few, for the message)."""
    found = []
    for y in range(a.height):
        row_a, row_b = a.rows[y], b.rows[y]
        if row_a == row_b:
            continue
        for x in range(a.width):
            if row_a[3 * x:3 * x + 3] != row_b[3 * x:3 * x + 3]:
                inside = any(l <= x < r and t <= y < btm for l, t, r, btm in rects)
                if not inside:
                    found.append((x, y))
                    if len(found) >= 5:
                        return found
    return found


def changed_share(a, b, rect):
    left, top, right, bottom = rect
    changed = 0
    for y in range(top, bottom):
        row_a, row_b = a.rows[y][3 * left:3 * right], b.rows[y][3 * left:3 * right]
        if row_a != row_b:
            changed += sum(1 for x in range(0, len(row_a), 3) if row_a[x:x + 3] != row_b[x:x + 3])
    return changed / ((right - left) * (bottom - top))


def _luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((_luminance(a), _luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def text_ground(picture, rect):
    """The colour behind a caption: the most frequent colour of the middle
    band of the rectangle, where the program centres its text."""
    left, top, right, bottom = rect
    counts = {}
    middle = (top + bottom) // 2
    for y in range(max(top, middle - 4), min(bottom, middle + 4)):
        for x in range(left + (right - left) // 4, right - (right - left) // 4):
            colour = picture.pixel(x, y)
            counts[colour] = counts.get(colour, 0) + 1
    return max(counts, key=counts.get)


SLATE = (83, 97, 103)
WHITE = (255, 255, 255)
ORANGE = (235, 141, 36)
KEY_HOVER_TEXT = (150, 170, 190)

# -- what the program expects -------------------------------------------------

# Built-in pictures by resource number: kind, width, height, bits per pixel
# (None: any PNG the image library reads).
RESOURCES = {
    147: ("BITMAP", 721, 441, 24), 148: ("BITMAP", 721, 441, 24), 146: ("BITMAP", 721, 441, 24),
    149: ("PNG", 110, 24, None),
    138: ("PNG", 351, 141, None), 139: ("PNG", 351, 141, None), 137: ("PNG", 351, 141, None),
    141: ("PNG", 268, 141, None), 142: ("PNG", 268, 141, None), 140: ("PNG", 268, 141, None),
    144: ("PNG", 450, 300, None), 145: ("PNG", 450, 300, None), 143: ("PNG", 450, 300, None),
    151: ("PNG", 351, 141, None), 136: ("PNG", 351, 141, None), 150: ("PNG", 351, 141, None),
    156: ("BITMAP", 120, 25, 24),
    153: ("BITMAP", 16, 16, 24), 154: ("BITMAP", 16, 16, 24), 157: ("BITMAP", 16, 16, 24),
    159: ("BITMAP", 16, 16, 24), 152: ("BITMAP", 16, 16, 24), 155: ("BITMAP", 16, 16, 24),
    158: ("BITMAP", 21, 20, 24),
}

# Windows whose pictures come in three states: (normal, over, down)
# resources, and their buttons as (rectangle, the program draws a caption).
MAIN_BUTTONS = [((532, 32, 558, 54), False), ((565, 32, 588, 54), False),
                ((593, 32, 617, 54), False), ((625, 32, 647, 54), False),
                ((65, 344, 201, 373), True), ((414, 346, 475, 369), True),
                ((493, 346, 556, 369), True), ((581, 346, 639, 369), True)]
OK_CANCEL_CLOSE = [((188, 100, 250, 130), True), ((266, 100, 322, 130), True),
                   ((320, 5, 340, 22), False)]
DIALOG_STATES = {
    "main window": ((147, 148, 146), MAIN_BUTTONS),
    "program launch": ((138, 139, 137), OK_CANCEL_CLOSE + [((224, 63, 325, 88), True)]),
    "combination keys": ((141, 142, 140), [((118, 103, 190, 131), True),
                                           ((191, 103, 263, 131), True),
                                           ((237, 5, 258, 22), False)]),
    "message": ((151, 136, 150), OK_CANCEL_CLOSE),
    "macro editor": ((144, 145, 143), [
        ((283, 270, 343, 296), True), ((363, 270, 421, 296), True), ((415, 0, 441, 26), False),
        ((17, 232, 72, 252), True), ((73, 232, 127, 252), True), ((291, 220, 431, 246), True),
        ((292, 47, 304, 59), False), ((308, 47, 362, 61), True), ((292, 69, 304, 81), False),
        ((308, 69, 437, 84), True), ((292, 89, 359, 110), True), ((322, 150, 353, 203), False),
        ((354, 150, 373, 203), False), ((374, 150, 405, 203), False)]),
}

MOUSE_CODES = {1, 2, 3, 4, 5, 9, 10, 16, 17, 86, 87}
KEY_CODES = {86, 87} | set(range(96, 118))
PAGE = (621, 220)


def load_resources():
    """pictures.rc: resource number -> (kind, path)."""
    script = os.path.join(SOURCE_ROOT, "ui", "resources", "pictures.rc")
    entries = {}
    with open(script, encoding="utf-8") as handle:
        for line in handle:
            match = re.match(r'\s*(\d+)\s+(BITMAP|PNG|ICON)\s+"([^"]+)"', line)
            if match:
                number = int(match.group(1))
                if number in entries:
                    raise AssertionError(f"resource {number} is named twice")
                entries[number] = (match.group(2), os.path.join(ARGS.artwork, match.group(3)))
    return entries


_cache = {}


def picture(path):
    if path not in _cache:
        _cache[path] = read_picture(path)
    return _cache[path]


def skin(name):
    return picture(os.path.join(ARGS.dist_skins, name))


class States:
    """Shared checks of a window drawn in three states."""

    def check_states(self, name, pictures, buttons, text=True, over_text=WHITE):
        normal, over, down = pictures
        rects = [rect for rect, _ in buttons]
        for other, state in ((over, "over"), (down, "down")):
            self.assertEqual((other.width, other.height), (normal.width, normal.height),
                             f"{name}: {state} picture has another size")
            outside = changed_outside(normal, other, rects)
            self.assertEqual(outside, [], f"{name}: {state} picture differs outside the buttons")
            for rect in rects:
                self.assertGreater(changed_share(normal, other, rect), 0.05,
                                   f"{name}: button {rect} does not change when {state}")
        if not text:
            return
        for rect, caption in buttons:
            if not caption:
                continue
            for pic, colour, state, least in ((normal, SLATE, "normal", 4.5),
                                              (over, over_text, "over", 4.5),
                                              (down, ORANGE, "down", 3.0)):
                ground = text_ground(pic, rect)
                self.assertGreaterEqual(contrast(ground, colour), least,
                                        f"{name}: {state} caption of {rect} on {ground}")


# -- tests --------------------------------------------------------------------


class BuiltInPictures(unittest.TestCase, States):
    def test_every_resource_is_named_once_with_its_size_and_depth(self):
        entries = load_resources()
        self.assertEqual(sorted(entries), sorted(RESOURCES), "pictures.rc names other resources")
        for number, (kind, width, height, bits) in RESOURCES.items():
            with self.subTest(resource=number):
                rc_kind, path = entries[number]
                self.assertEqual(rc_kind, kind)
                pic = picture(path)
                self.assertEqual(pic.kind, "bmp" if kind == "BITMAP" else "png")
                self.assertEqual((pic.width, pic.height), (width, height))
                if bits is not None:
                    self.assertEqual(pic.bits, bits)
                self.assertIsNotNone(pic.rows, f"{path}: not a plain 8-bit picture")

    def test_icon_has_the_three_sizes(self):
        sizes = read_ico_sizes(os.path.join(ARGS.artwork, "vn24g.ico"))
        self.assertEqual(sizes, [(16, 16), (32, 32), (48, 48)])

    def test_state_pictures_change_only_at_buttons_and_captions_read(self):
        entries = load_resources()
        for name, (numbers, buttons) in DIALOG_STATES.items():
            with self.subTest(window=name):
                pictures = [picture(entries[n][1]) for n in numbers]
                self.check_states(name, pictures, buttons)

    def test_status_panels_cover_themselves_with_plain_background(self):
        entries = load_resources()
        normal, over = picture(entries[147][1]), picture(entries[148][1])
        patch = {over.pixel(x, y) for x in range(213, 247) for y in range(391, 408)}
        self.assertEqual(len(patch), 1, "the hover picture's patch at (213, 391) is not plain")
        # pasted over either panel it must match the window around it
        colour = patch.pop()
        for x, y in ((55, 386), (93, 407), (180, 390), (214, 407)):
            self.assertEqual(normal.pixel(x, y), colour)


class Skins(unittest.TestCase, States):
    def test_function_menus_have_room_for_their_entries(self):
        for prefix, names, entries in (("KBMenu", ("Normal", "Over", "Down"), 11),
                                       ("submenu", ("normal", "over", "down"), 10)):
            with self.subTest(menu=prefix):
                pictures = [skin(f"{prefix}_{n}.png") for n in names]
                width = pictures[0].width
                self.assertGreaterEqual(pictures[0].height, entries * 23)
                if prefix == "KBMenu":
                    rows = [(0, 0 if i == 0 else 23 * i - 1, width, 23 * (i + 1) - 1)
                            for i in range(entries)]
                else:
                    rows = [(0, 23 * d, width, 23 * (d + 1)) for d in range(entries)]
                self.check_states(prefix, pictures, [(r, True) for r in rows])

    def test_device_drop_down(self):
        pictures = [skin(f"menu1_{n}.png") for n in "nod"]
        sizes = {(p.width, p.height) for p in pictures}
        self.assertEqual(len(sizes), 1)
        width, height = sizes.pop()
        self.assertEqual(width, 120)
        self.assertGreaterEqual(height, 30 * 22, "room for every model of the device list")
        # menu1_o carries the names normally (slate) and under the pointer
        # (white); menu1_d the checked and pressed ones (orange)
        for i in range(30):
            rect = (0, 22 * i, 120, 22 * (i + 1))
            ground = text_ground(pictures[1], rect)
            self.assertGreaterEqual(contrast(ground, SLATE), 2.5, f"entry {i}")
            self.assertGreaterEqual(contrast(ground, WHITE), 2.0, f"entry {i}")
            self.assertGreaterEqual(contrast(text_ground(pictures[2], rect), ORANGE), 2.0)

    def test_device_tab(self):
        pictures = [skin(f"device_button_{n}.png") for n in ("normal", "over", "down")]
        for pic in pictures:
            self.assertEqual((pic.width, pic.height), (111, 28))
        self.check_states("device tab", pictures, [((0, 0, 111, 28), True)])

    def test_list_icons(self):
        for kind in ("up", "down", "delay"):
            for state in ("normal", "select"):
                with self.subTest(icon=f"{kind}_{state}"):
                    pic = skin(f"{kind}_{state}.png")
                    self.assertEqual((pic.kind, pic.width, pic.height), ("png", 16, 16))
                    self.assertTrue(pic.has_alpha, "drawn on the list's own background")


def read_ini(path):
    sections, current = {}, None
    with open(path, encoding="ascii") as handle:
        for line in handle:
            line = line.strip()
            if line.startswith("["):
                current = sections.setdefault(line.strip("[]"), {})
            elif "=" in line:
                key, value = line.split("=", 1)
                current[key.strip()] = value.strip()
    return sections


class SampleModels(unittest.TestCase, States):
    def models(self):
        ini = read_ini(os.path.join(ARGS.skins, "..", "VNType.ini"))
        count = int(ini["DEVICE_NUM"]["DeviceNum"])
        return [ini["DEVICE_NAME"][f"Name{i}"] for i in range(count)]

    def test_device_list_names_every_model_folder(self):
        names = self.models()
        folders = sorted(d for d in os.listdir(ARGS.skins)
                         if os.path.isfile(os.path.join(ARGS.skins, d, "DeviceSkn.xml")))
        self.assertEqual(sorted(names), folders)
        for name in names:
            self.assertLessEqual(len(name), 19, "a longer name is cut when it is read")

    def test_descriptions_and_pages_agree(self):
        values = set()
        for name in self.models():
            with self.subTest(model=name):
                root = ET.parse(os.path.join(ARGS.skins, name, "DeviceSkn.xml")).getroot()
                device = root.find("device_type")
                self.assertEqual(device.get("name"), name)
                value = int(device.get("value"), 16)
                self.assertNotIn(value, values, "two models share a model value")
                values.add(value)
                kind = int(device.get("type"), 16)
                parts = [(tag, prefix, codes, limit) for tag, prefix, codes, limit, bit in (
                    ("mouse_button", "Mouse", MOUSE_CODES, 15, 1),
                    ("keyboard_button", "Keyboard", KEY_CODES, 20, 2)) if kind & bit]
                self.assertTrue(parts, f"device type {kind}")
                children = [child.tag for child in device]
                self.assertEqual(children, [tag for tag, _, _, _ in parts],
                                 "the keyboard part is only found after the mouse part")
                for tag, prefix, codes, limit in parts:
                    self.check_part(name, device.find(tag), prefix, codes, limit)
                for prefix in ("Mouse", "Keyboard"):
                    present = os.path.exists(os.path.join(ARGS.dist_skins, name,
                                                          f"{prefix}_Normal.bmp"))
                    self.assertEqual(present, any(p == prefix for _, p, _, _ in parts), prefix)
                banner = skin(os.path.join(name, "Varnok_Device.png"))
                self.assertEqual((banner.width, banner.height), (287, 56))

    def check_part(self, name, element, prefix, codes, limit):
        buttons = element.findall("button")
        self.assertEqual(int(element.get("button_num")), len(buttons))
        self.assertLessEqual(len(buttons), limit)
        labels, marks = [], []
        seen = set()
        for button in buttons:
            code = int(button.get("button_type"), 16)
            self.assertIn(code, codes, f"{prefix} button code {code:#x}")
            self.assertNotIn(code, seen, f"{prefix} button code {code:#x} twice")
            seen.add(code)
            self.assertLessEqual(len(button.get("tips", "")), 19)
            pos = tuple(int(v) for v in button.get("pos").split(","))
            mark = tuple(int(v) for v in button.get("mark_pos").split(","))
            for rect in (pos, mark):
                left, top, right, bottom = rect
                self.assertTrue(0 <= left < right <= PAGE[0] and 0 <= top < bottom <= PAGE[1],
                                f"{rect} leaves the page")
            labels.append(pos)
            marks.append(mark)
        rects = labels + marks
        # the label and mark buttons are sibling windows: they must not overlap
        for i, a in enumerate(rects):
            for b in rects[i + 1:]:
                overlap = a[0] < b[2] and b[0] < a[2] and a[1] < b[3] and b[1] < a[3]
                self.assertFalse(overlap, f"{a} overlaps {b}")

        pictures = [skin(os.path.join(name, f"{prefix}_{s}.bmp")) for s in ("Normal", "Over", "Down")]
        normal, over, down = pictures
        for pic in pictures:
            self.assertEqual((pic.kind, pic.width, pic.height, pic.bits), ("bmp",) + PAGE + (24,))
        self.assertEqual(changed_outside(normal, over, rects), [], "over differs off the buttons")
        self.assertEqual(changed_outside(normal, down, rects), [], "down differs off the buttons")
        hover_text = WHITE if prefix == "Mouse" else KEY_HOVER_TEXT
        for label in labels:
            # the label lies on its rectangle: its hover and pressed looks
            # fill it, and the captions read on them
            self.assertGreater(changed_share(normal, over, label), 0.6, f"label {label} (over)")
            self.assertGreater(changed_share(normal, down, label), 0.6, f"label {label} (down)")
            ground = text_ground(normal, label)
            self.assertGreaterEqual(contrast(ground, SLATE), 4.5, f"label {label}")
            self.assertGreaterEqual(contrast(text_ground(over, label), hover_text), 3.0)
            self.assertGreaterEqual(contrast(text_ground(down, label), ORANGE), 2.0)
            if prefix == "Keyboard":
                # a changed key shows its label on the pressed piece in slate
                self.assertGreaterEqual(contrast(text_ground(down, label), SLATE), 4.5,
                                        f"changed label {label}")
        for mark in marks:
            # a hovered label lights its mark: the part under it changes
            self.assertGreater(changed_share(normal, down, mark), 0.3, f"mark {mark}")


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--skins", required=True)
    parser.add_argument("--artwork", required=True)
    parser.add_argument("--dist-skins", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=1)


if __name__ == "__main__":
    main()
