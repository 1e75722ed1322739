#!/usr/bin/env python3
"""Checks the rendered pictures against what the program expects of them.

    check_artwork.py --skins SOURCE_SKINS --artwork BUILT_RESOURCES --dist-skins BUILT_SKINS

- every picture resource named in ui/resources/pictures.rc has its number's
  format, size and bit depth, and every skin file its size;
- a window's three state pictures differ only inside the rectangles where
  the program puts buttons, and every button does change there;
- every text the program draws on a picture reads on the pixels under it
  in each state (normal, pointer over, pressed, checked): the picture the
  drawing code chooses for that state, cut where the code cuts it, against
  the text colour of that state, at least 4.5:1;
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

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../lib'))
from colour_contrast import contrast  # noqa: E402

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


def worst_ground(picture, box, colour):
    """The pixel of `box` (left, top, right, bottom) that the text colour
    stands out from least, as (contrast, (x, y), pixel)."""
    left, top, right, bottom = box
    worst = None
    for y in range(top, bottom):
        for x in range(left, right):
            pixel = picture.pixel(x, y)
            ratio = contrast(pixel, colour)
            if worst is None or ratio < worst[0]:
                worst = (ratio, (x, y), pixel)
    return worst


# Least contrast of any text with the pixels under it.
READABLE = 4.5

# Text colours.
SLATE = (83, 97, 103)          # normal captions, the main window's labels
WHITE = (255, 255, 255)        # captions under the pointer
ORANGE = (235, 141, 36)        # captions pressed or checked
KEY_HOVER_TEXT = (150, 170, 190)  # keyboard labels under the pointer
MESSAGE_TEXT = (0x53, 0x5C, 0x6B)  # the message dialog's title and message

# Captions are one line of the 14-pixel caption font.
LINE = 14
# Strings of the image library at 8 points: one line and its leading.
SMALL_LINE = 14


def centred_caption(rect, left_inset=3, right_inset=3):
    """Where a skinned button of the image-library kind puts its caption: one
    line centred between its edges, the left one moved 3 pixels in (the
    right inset keeps the text off the face's frame)."""
    left, top, right, bottom = rect
    line_top = top + (bottom - top - LINE) // 2
    return (left + left_inset, line_top, right - right_inset, line_top + LINE)


def gdi_caption(rect, pressed, left_inset=3, right_inset=3):
    """Where a skinned button of the GDI kind puts its caption: centred on
    its middle at rest, and one pixel lower inside (left + 9, right - 4)
    while pressed or checked."""
    left, top, right, bottom = rect
    line_top = top + (bottom - top) // 2 - LINE // 2
    if pressed:
        return (left + max(9, left_inset), line_top + 1, right - max(4, right_inset),
                line_top + 1 + LINE)
    return (left + left_inset, line_top, right - right_inset, line_top + LINE)


def image_button_looks(normal, over, down, fourth=None):
    """The state pictures and text colours of a skinned button of the
    image-library kind; `fourth` is the checked look, where the program
    checks the button."""
    looks = [("normal", normal, SLATE), ("over", over, WHITE), ("pressed", down, ORANGE)]
    if fourth is not None:
        looks.append(("checked", fourth, ORANGE))
    return looks


class Readability:
    def assert_reads(self, what, picture, box, colour):
        ratio, at, pixel = worst_ground(picture, box, colour)
        self.assertGreaterEqual(ratio, READABLE,
                                f"{what}: text {colour} on {pixel} at {at} gives {ratio:.2f}:1")


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
# resources, the kind of skinned button the window uses ("gdi": bitmaps cut
# from the state pictures; "image": image-library pieces), and its buttons
# as (rectangle, caption), where caption is None for a button without text
# and otherwise how far from the button's left edge the caption may start
# (a button with an icon on its left keeps its caption right of it).
NO_TEXT = None
MAIN_BUTTONS = [((532, 32, 558, 54), NO_TEXT), ((565, 32, 588, 54), NO_TEXT),
                ((593, 32, 617, 54), NO_TEXT), ((625, 32, 647, 54), NO_TEXT),
                ((65, 344, 201, 373), 26), ((414, 346, 475, 369), 3),
                ((493, 346, 556, 369), 3), ((581, 346, 639, 369), 3)]
OK_CANCEL_CLOSE = [((188, 100, 250, 130), 3), ((266, 100, 322, 130), 3),
                   ((320, 5, 340, 22), NO_TEXT)]
DIALOG_STATES = {
    "main window": ((147, 148, 146), "gdi", MAIN_BUTTONS),
    "program launch": ((138, 139, 137), "image", OK_CANCEL_CLOSE + [((224, 63, 325, 88), 3)]),
    "combination keys": ((141, 142, 140), "image", [((118, 103, 190, 131), 3),
                                                    ((191, 103, 263, 131), 3),
                                                    ((237, 5, 258, 22), NO_TEXT)]),
    "message": ((151, 136, 150), "image", OK_CANCEL_CLOSE),
    "macro editor": ((144, 145, 143), "image", [
        ((283, 270, 343, 296), 3), ((363, 270, 421, 296), 3), ((415, 0, 441, 26), NO_TEXT),
        ((17, 232, 72, 252), 3), ((73, 232, 127, 252), 3), ((291, 220, 431, 246), 24),
        ((292, 47, 304, 59), NO_TEXT), ((308, 47, 362, 61), 3), ((292, 69, 304, 81), NO_TEXT),
        ((308, 69, 437, 84), 3), ((292, 89, 359, 110), 3), ((322, 150, 353, 203), NO_TEXT),
        ((354, 150, 373, 203), NO_TEXT), ((374, 150, 405, 203), NO_TEXT)]),
}

# Strings the windows draw straight onto their normal picture with the
# image library, at 8 points: (resource, the area the text may cover as
# left, top, right, bottom, colour). The one-line labels take the top line
# of their layout rectangle; the message may wrap down to the button row,
# which lies across the lower part of its rectangle.
WINDOW_STRINGS = {
    "main window device label": (147, (240, 37, 530, 37 + SMALL_LINE), SLATE),
    "main window version": (147, (428, 388, 648, 388 + SMALL_LINE), SLATE),
    "message title": (151, (10, 7, 154, 27), MESSAGE_TEXT),
    "message text": (151, (85, 60, 335, 100), MESSAGE_TEXT),
}

MOUSE_CODES = {1, 2, 3, 4, 5, 9, 10, 16, 17, 86, 87}
KEY_CODES = {86, 87} | set(range(96, 118))
PAGE = (621, 220)
# How far a label keeps from the page's edges.
LABEL_MARGIN = 2


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


class States(Readability):
    """Shared checks of a window drawn in three states."""

    def check_states(self, name, pictures, rects):
        """The over and down pictures differ from the normal one at every
        button and nowhere else."""
        normal, over, down = pictures
        for other, state in ((over, "over"), (down, "down")):
            self.assertEqual((other.width, other.height), (normal.width, normal.height),
                             f"{name}: {state} picture has another size")
            outside = changed_outside(normal, other, rects)
            self.assertEqual(outside, [], f"{name}: {state} picture differs outside the buttons")
            for rect in rects:
                self.assertGreater(changed_share(normal, other, rect), 0.05,
                                   f"{name}: button {rect} does not change when {state}")

    def check_captions(self, name, kind, looks, buttons):
        """Each caption on the piece of each state's picture under it."""
        for rect, inset in buttons:
            if inset is NO_TEXT:
                continue
            for state, pic, colour in looks:
                if kind == "gdi":
                    box = gdi_caption(rect, state in ("pressed", "checked"), inset)
                else:
                    box = centred_caption(rect, inset)
                self.assert_reads(f"{name}: {state} caption of {rect}", pic, box, colour)


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
        for name, (numbers, kind, buttons) in DIALOG_STATES.items():
            with self.subTest(window=name):
                pictures = [picture(entries[n][1]) for n in numbers]
                self.check_states(name, pictures, [rect for rect, _ in buttons])
                # none of these windows checks a button
                self.check_captions(name, kind, image_button_looks(*pictures), buttons)

    def test_strings_drawn_on_the_windows_read(self):
        entries = load_resources()
        for name, (number, box, colour) in WINDOW_STRINGS.items():
            with self.subTest(text=name):
                self.assert_reads(name, picture(entries[number][1]), box, colour)

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
                self.check_states(prefix, pictures, rows)
                # The highlight is a rounded pill inside the entry and a
                # category shows an arrow at its right end: the names keep
                # clear of both.
                for rect in rows:
                    box = centred_caption(rect, 8, 22)
                    for state, pic, colour in image_button_looks(*pictures):
                        self.assert_reads(f"{prefix} {state} entry {rect}", pic, box, colour)

    def test_device_drop_down(self):
        """Entry i of the drop-down is a button over rows 22 i to 22 (i + 1)
        of the pictures, cut to menu1_n's size: menu1_n at rest, menu1_o
        under the pointer, menu1_d pressed and for the current model."""
        normal, over, down = [skin(f"menu1_{n}.png") for n in "nod"]
        for pic in (over, down):
            self.assertEqual((pic.width, pic.height), (normal.width, normal.height))
        self.assertEqual(normal.width, 120)
        self.assertGreaterEqual(normal.height, 30 * 22, "room for every model of the device list")
        for i in range(30):
            box = centred_caption((0, 22 * i, 120, 22 * (i + 1)))
            for state, pic, colour in image_button_looks(normal, over, down, fourth=down):
                self.assert_reads(f"drop-down entry {i} {state}", pic, box, colour)

    def test_device_tab(self):
        """The tab of the open page is checked and shows the down picture."""
        pictures = [skin(f"device_button_{n}.png") for n in ("normal", "over", "down")]
        for pic in pictures:
            self.assertEqual((pic.width, pic.height), (111, 28))
        tab = (0, 0, 111, 28)
        self.check_states("device tab", pictures, [tab])
        for state, pic, colour in image_button_looks(*pictures, fourth=pictures[2]):
            self.assert_reads(f"device tab {state}", pic, centred_caption(tab), colour)

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
            # a label on the page's edge would lose its frame to the window's
            left, top, right, bottom = pos
            self.assertTrue(LABEL_MARGIN <= left and right <= PAGE[0] - LABEL_MARGIN
                            and LABEL_MARGIN <= top and bottom <= PAGE[1] - LABEL_MARGIN,
                            f"label {pos} touches the page's edge")
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
        for label in labels:
            # the label lies on its rectangle: its hover and pressed looks
            # fill it
            self.assertGreater(changed_share(normal, over, label), 0.6, f"label {label} (over)")
            self.assertGreater(changed_share(normal, down, label), 0.6, f"label {label} (down)")
            if prefix == "Mouse":
                self.check_mouse_label(label, normal, over, down)
            else:
                self.check_key_label(label, normal, over, down)
        for mark in marks:
            # a hovered label lights its mark: the part under it changes
            self.assertGreater(changed_share(normal, down, mark), 0.3, f"mark {mark}")


    def check_mouse_label(self, label, normal, over, down):
        """A mouse label is a GDI button: slate at rest, white under the
        pointer, orange pressed, on the pieces of the three pictures."""
        for state, pic, colour in (("normal", normal, SLATE), ("over", over, WHITE),
                                   ("pressed", down, ORANGE)):
            # the label's corners are rounded: its name keeps clear of them
            self.assert_reads(f"mouse label {label} {state}", pic,
                              gdi_caption(label, state == "pressed", 6, 6), colour)

    def check_key_label(self, label, normal, over, down):
        """A key label centres its text between (left + 8, right - 5), and
        one pixel lower between (left + 9, right - 4) while pressed; its
        keycap picture takes its left end, which the text keeps clear of. A
        changed key shows its name in slate on the down picture."""
        left, top, right, bottom = label
        keycap_end = left + (bottom - top)
        line_top = top + (bottom - top) // 2 - LINE // 2
        rest = (keycap_end, line_top, right - 5, line_top + LINE)
        pressed = (keycap_end, line_top + 1, right - 4, line_top + 1 + LINE)
        for state, pic, colour, box in (("normal", normal, SLATE, rest),
                                        ("over", over, KEY_HOVER_TEXT, rest),
                                        ("changed", down, SLATE, rest)):
            self.assert_reads(f"key label {label} {state}", pic, box, colour)
        # The pressed orange shares the down picture with the changed key's
        # slate, and no ground gives both 4.5:1: the changed look, which
        # stays, is the one made to read; the pressed one shows while the
        # button is held and stays distinguishable from its ground.
        ratio, at, pixel = worst_ground(down, pressed, ORANGE)
        self.assertGreaterEqual(ratio, 2.0, f"key label {label} pressed: {pixel} at {at}")


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
