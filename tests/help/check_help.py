#!/usr/bin/env python3
"""Reads help.chm back as a help viewer would and checks it against the help
sources and the program's own data:

  - the file names its table of contents, index, default topic and title, and
    holds them;
  - the table of contents lists every page the file holds, and every page of
    the sources is in the file;
  - every picture, link and anchor a page, the contents or the index names is
    in the file, and every picture of the sources is shown somewhere;
  - the function menu, the tray menu and the window's command buttons are
    described under the labels the program shows (data/language.xml), the
    function menu's groups in the contents and each group's functions on its
    page, in the menu's order;
  - every device of the device list is described with the number of buttons
    and keys its description gives.

  check_help.py --chm help.chm --extract extract_chmLib --sources help/
                --data data/ --work <scratch folder>
"""

import argparse
import configparser
import html.parser
import os
import shutil
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

# The function menu as the program builds it: the top level in its order,
# then each group's functions in their order, by their label keys.
MENU_TOP = ["tc_combokey", "tc_flip_3d", "tc_mac_def", "tc_auto_start", "tc_key_off",
            "tc_base_fun", "tc_advance", "tc_mouse_fun", "tc_media", "tc_office", "tc_facebook"]
MENU_GROUPS = {
    "tc_base_fun": ["tc_cut", "tc_copy", "tc_past", "tc_all", "tc_find", "tc_new", "tc_print", "tc_save"],
    "tc_advance": ["tc_swap", "tc_close", "tc_explor", "tc_run", "tc_show", "tc_lock",
                   "tc_max_win", "tc_min_win", "tc_zoomin", "tc_zoomout"],
    "tc_mouse_fun": ["tc_click", "tc_menu", "tc_middle", "tc_pre", "tc_back",
                     "tc_scrollup", "tc_scrolldw", "tc_scrolllt", "tc_scrollrt"],
    "tc_media": ["tc_PL", "tc_stop", "tc_pre_media", "tc_next_media", "tc_vol_up", "tc_vol_dw", "tc_mute"],
    "tc_office": ["tc_office_word", "tc_office_excel", "tc_office_powerpnt"],
    "tc_facebook": ["tc_facebook_homepage", "tc_facebook_sk", "tc_facebook_skmessage",
                    "tc_facebook_skevent", "tc_facebook_skmedia"],
}
# The tray menu's entries below its banner, in order; "About" carries dots.
TRAY_MENU = [("tc_config", ""), ("tc_device_sel", ""), ("tc_help", ""), ("tc_website", ""),
             ("tc_about", "..."), ("tc_exit", "")]
COMMAND_BUTTONS = ["tc_apply", "tc_ok", "tc_cancel", "tc_reset"]

# Records of the #SYSTEM file of a compiled help file.
SYSTEM_CONTENTS, SYSTEM_INDEX, SYSTEM_DEFAULT_TOPIC, SYSTEM_TITLE = 0, 1, 2, 3

failures = []


def fail(message):
    failures.append(message)


class Page(html.parser.HTMLParser):
    """What a page shows and names: title, headings with the text under
    them, pictures, links, anchors, and the label column of its tables."""

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.title = ""
        self.pictures = []
        self.links = []
        self.anchors = set()
        self.tables = []          # each a list of (label cell text, row text)
        self.sections = {}        # h2 text -> text up to the next h2
        self._in = None
        self._text = []
        self._cell = None
        self._row = None
        self._section = None
        self.feed(text)
        self._close_section()

    def _close_section(self):
        if self._section is not None:
            self.sections[self._section[0]] = " ".join("".join(self._section[1]).split())

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag == "img" and "src" in attrs:
            self.pictures.append(attrs["src"])
        if tag == "a":
            if "href" in attrs:
                self.links.append(attrs["href"])
            if "name" in attrs:
                self.anchors.add(attrs["name"])
        if "id" in attrs:
            self.anchors.add(attrs["id"])
        if tag in ("title", "h2"):
            self._in = tag
            self._text = []
        if tag == "h2":
            self._close_section()
            self._section = None
        if tag == "table":
            self.tables.append([])
        if tag == "tr" and self.tables:
            self._row = []
        if tag in ("td", "th") and self._row is not None:
            self._cell = []

    def handle_endtag(self, tag):
        if tag == self._in:
            text = " ".join("".join(self._text).split())
            if tag == "title":
                self.title = text
            else:
                self._section = (text, [])
            self._in = None
        if tag in ("td", "th") and self._cell is not None:
            self._row.append(" ".join("".join(self._cell).split()))
            self._cell = None
        if tag == "tr" and self._row is not None:
            if self._row:
                self.tables[-1].append(self._row)
            self._row = None

    def handle_data(self, data):
        if self._in:
            self._text.append(data)
        if self._cell is not None:
            self._cell.append(data)
        if self._section is not None and self._in is None:
            self._section[1].append(data)

    def labels(self):
        """The first column of each table, without its heading row."""
        return [[row[0] for row in table[1:]] for table in self.tables]


class Sitemap(html.parser.HTMLParser):
    """The entries of a table of contents or an index: name, local file and
    the entries nested under them."""

    def __init__(self, text):
        super().__init__(convert_charrefs=True)
        self.roots = []
        self.entries = []
        self._stack = [self.roots]
        self._last = None
        self._current = None
        self.feed(text)

    def handle_starttag(self, tag, attrs):
        attrs = {key: value for key, value in attrs}
        if tag == "ul":
            self._stack.append(self._last["children"] if self._last and len(self._stack) > 0 and
                               self._last in self._stack[-1] else self._stack[-1])
        elif tag == "object" and attrs.get("type", "").lower() == "text/sitemap":
            self._current = {"name": "", "local": "", "children": []}
        elif tag == "param" and self._current is not None:
            name = attrs.get("name", "").lower()
            if name in ("name", "local"):
                self._current[name] = attrs.get("value", "")

    def handle_endtag(self, tag):
        if tag == "ul" and len(self._stack) > 1:
            self._stack.pop()
        elif tag == "object" and self._current is not None:
            self._stack[-1].append(self._current)
            self.entries.append(self._current)
            self._last = self._current
            self._current = None


def read_system(path):
    """The string records of a #SYSTEM file by code."""
    records = {}
    with open(path, "rb") as file:
        data = file.read()
    offset = 4
    while offset + 4 <= len(data):
        code, length = struct.unpack_from("<HH", data, offset)
        value = data[offset + 4:offset + 4 + length]
        if code in (SYSTEM_CONTENTS, SYSTEM_INDEX, SYSTEM_DEFAULT_TOPIC, SYSTEM_TITLE):
            records[code] = value.split(b"\0")[0].decode("utf-8", "replace")
        offset += 4 + length
    return records


def read_text(path):
    with open(path, "rb") as file:
        return file.read().decode("utf-8", "replace")


def in_file(extracted, local):
    """Whether a name used inside the help (a page, maybe with an anchor)
    leads to a file of the help file."""
    name = local.split("#")[0].lstrip("/")
    return os.path.isfile(os.path.join(extracted, name))


def check_reference(extracted, pages, where, local):
    if local.startswith(("http:", "https:", "mailto:")):
        return
    name, _, anchor = local.partition("#")
    if name and not in_file(extracted, name):
        fail(f"{where} names {local}, which the help file does not hold")
        return
    target = pages.get(name.lstrip("/")) if name else None
    if anchor and target is not None and anchor not in target.anchors:
        fail(f"{where} names {local}, but that page has no anchor \"{anchor}\"")


def load_texts(data):
    root = ElementTree.parse(os.path.join(data, "language.xml")).getroot()
    return {element.tag: (element.text or "") for element in root.find("config")}


def check_function_menu(contents, pages, texts):
    groups = [texts[key] for key in MENU_TOP if key in MENU_GROUPS]
    book = next((entry for entry in contents.entries
                 if [child["name"] for child in entry["children"]] == groups), None)
    if book is None:
        fail(f"the contents have no entry whose sub-entries are the function menu's groups {groups}")
        return
    top = [texts[key] for key in MENU_TOP]
    page = pages.get(book["local"])
    if page is None or top not in page.labels():
        fail(f"{book['local']} does not list the function menu's entries in order: {top}")
    for key, child in zip([key for key in MENU_TOP if key in MENU_GROUPS], book["children"]):
        expected = [texts[entry] for entry in MENU_GROUPS[key]]
        page = pages.get(child["local"])
        if page is None or expected not in page.labels():
            found = page.labels() if page else "no such page"
            fail(f"{child['local']} does not list the \"{texts[key]}\" functions in the menu's order:\n"
                 f"  expected {expected}\n  found {found}")


def check_label_tables(pages, texts):
    tray = [texts[key] + dots for key, dots in TRAY_MENU]
    if not any(tray in page.labels() for page in pages.values()):
        fail(f"no page lists the tray menu's entries in order: {tray}")
    buttons = sorted(texts[key] for key in COMMAND_BUTTONS)
    if not any(sorted(labels) == buttons for page in pages.values() for labels in page.labels()):
        fail(f"no page describes the window's command buttons {buttons}")


def check_devices(pages, data):
    device_list = configparser.ConfigParser()
    device_list.read(os.path.join(data, "VNType.ini"))
    count = int(device_list["DEVICE_NUM"]["DeviceNum"], 16)
    sections = {}
    for page in pages.values():
        sections.update(page.sections)
    for number in range(count):
        name = device_list["DEVICE_NAME"][f"Name{number}"]
        skin = ElementTree.parse(os.path.join(data, "skins", name, "DeviceSkn.xml")).getroot()
        device = skin.find("device_type")
        text = sections.get(name)
        if text is None:
            fail(f"no page has a section on the device {name}")
            continue
        mouse = device.find("mouse_button")
        keys = device.find("keyboard_button")
        if mouse is not None and f"{int(mouse.get('button_num'))} programmable buttons" not in text:
            fail(f"the section on {name} does not give its {mouse.get('button_num')} programmable buttons")
        if keys is not None and f"{int(keys.get('button_num'))} programmable keys" not in text:
            fail(f"the section on {name} does not give its {keys.get('button_num')} programmable keys")


def main():
    arguments = argparse.ArgumentParser()
    arguments.add_argument("--chm", required=True)
    arguments.add_argument("--extract", required=True)
    arguments.add_argument("--sources", required=True)
    arguments.add_argument("--data", required=True)
    arguments.add_argument("--work", required=True)
    options = arguments.parse_args()

    if not os.path.isfile(options.chm):
        print(f"FAILED: {options.chm} was not built")
        return 1
    shutil.rmtree(options.work, ignore_errors=True)
    os.makedirs(options.work)
    run = subprocess.run([options.extract, options.chm, options.work], capture_output=True, text=True)
    if run.returncode != 0:
        print(f"FAILED: the CHM reader could not open {options.chm}:\n{run.stdout}{run.stderr}")
        return 1
    extracted = options.work

    system = read_system(os.path.join(extracted, "#SYSTEM"))
    for code, what in ((SYSTEM_CONTENTS, "table of contents"), (SYSTEM_INDEX, "index"),
                       (SYSTEM_DEFAULT_TOPIC, "first page")):
        if not system.get(code):
            fail(f"the help file names no {what}")
        elif not in_file(extracted, system[code]):
            fail(f"the help file's {what} {system[code]} is not inside it")
    if not system.get(SYSTEM_TITLE):
        fail("the help file has no title")
    if failures:
        return report()

    pages = {}
    for folder, _, names in os.walk(extracted):
        for name in names:
            if name.endswith(".html"):
                path = os.path.join(folder, name)
                pages[os.path.relpath(path, extracted).replace(os.sep, "/")] = Page(read_text(path))
    contents = Sitemap(read_text(os.path.join(extracted, system[SYSTEM_CONTENTS])))
    index = Sitemap(read_text(os.path.join(extracted, system[SYSTEM_INDEX])))

    listed = {entry["local"].split("#")[0] for entry in contents.entries}
    for name in sorted(pages):
        if name not in listed:
            fail(f"the table of contents does not list the page {name}")
    for entry in contents.entries:
        if not entry["name"]:
            fail(f"an entry of the table of contents for {entry['local']} has no name")
        check_reference(extracted, pages, f"the table of contents entry \"{entry['name']}\"", entry["local"])
    if not index.entries:
        fail("the index is empty")
    for entry in index.entries:
        check_reference(extracted, pages, f"the index entry \"{entry['name']}\"", entry["local"])

    shown = set()
    for name, page in sorted(pages.items()):
        if not page.title:
            fail(f"{name} has no title")
        base = os.path.dirname(name)
        for picture in page.pictures:
            local = os.path.normpath(os.path.join(base, picture)).replace(os.sep, "/")
            shown.add(local)
            if not in_file(extracted, local):
                fail(f"{name} shows {picture}, which the help file does not hold")
        for link in page.links:
            if link.startswith("#"):
                link = name + link
            elif not link.startswith(("http:", "https:", "mailto:")):
                link = os.path.normpath(os.path.join(base, link)).replace(os.sep, "/")
            check_reference(extracted, pages, name, link)

    for name in sorted(os.listdir(options.sources)):
        if name.endswith(".html") and name not in pages:
            fail(f"the page {name} of the sources is not in the help file")
    pictures = os.path.join(options.sources, "images")
    for name in sorted(os.listdir(pictures)) if os.path.isdir(pictures) else []:
        if f"images/{name}" not in shown:
            fail(f"the picture images/{name} of the sources is shown on no page")

    texts = load_texts(options.data)
    check_function_menu(contents, pages, texts)
    check_label_tables(pages, texts)
    check_devices(pages, options.data)
    return report()


def report():
    for message in failures:
        print(f"FAILED: {message}")
    if not failures:
        print("help.chm: contents, index, pages, pictures and labels ok")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
