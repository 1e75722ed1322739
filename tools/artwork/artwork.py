#!/usr/bin/env python3
"""Renders every picture of the program from its drawing code.

    artwork.py --skins DIR --artwork OUT --dist-skins OUT [--work DIR]
               [--rsvg PROGRAM] [--convert PROGRAM] [--review DIR]
               [--list {all,resources}]

--skins      the folder of the sample models (one sub-folder per model with
             its DeviceSkn.xml and artwork.json)
--artwork    where the pictures built into the program go (see pictures.rc)
--dist-skins the skins folder of the distribution: shared menu, tab and list
             pictures, and each model's banner and page pictures
--review     also writes, for a person to look at, each page and window in
             its three states one above the other with the button rectangles
             outlined
--list       prints the files the other options would write (all of them, or
             only the pictures built into the program) and stops

Each picture is written as SVG, rendered with rsvg-convert and, where the
program needs another format, turned into it with ImageMagick's convert:
24-bit BMP for the bitmaps, PNG without alpha for the opaque skins, an icon
file for the program's icon.
"""

import argparse
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import devices  # noqa: E402
import windows  # noqa: E402
from models import load_models  # noqa: E402

STATES = ("normal", "over", "down")


class Job:
    """One output file: its drawing and its format ("png" keeps alpha,
    "png24" is opaque, "bmp" is 24-bit, "ico" gathers several sizes)."""

    def __init__(self, path, kind, draw, review=None):
        self.path = path
        self.kind = kind
        self.draw = draw        # returns an Svg, or a list of them for "ico"
        self.review = review    # (sheet name, state index, outlined drawing)


def resource_jobs(out):
    jobs = []

    def add(name, kind, draw, review=None):
        jobs.append(Job(os.path.join(out, name), kind, draw, review))

    add("vn24g.ico", "ico", lambda: [windows.app_icon(size) for size in (16, 32, 48)])
    for index, (state, name) in enumerate(zip(STATES, ("main_normal", "main_over", "main_down"))):
        add(f"{name}.bmp", "bmp", lambda s=state: windows.main_window(s),
            ("main_window", index, lambda s=state: windows.main_window(s, outline=True)))
    add("logo.png", "png", windows.logo)
    for dialog in windows.DIALOGS:
        for index, state in enumerate(STATES):
            add(f"{dialog.file}_{state}.png", "png24", lambda d=dialog, s=state: windows.dialog(d, s),
                (dialog.file, index, lambda d=dialog, s=state: windows.dialog(d, s, outline=True)))
    add("tray_banner.bmp", "bmp", windows.tray_banner)
    for name in windows.TRAY_PICTURES:
        add(f"tray_{name}.bmp", "bmp", lambda n=name: windows.tray_picture(n))
    add("tray_current.bmp", "bmp", windows.tray_current_mark)
    return jobs


def skin_jobs(out, models):
    jobs = []

    def add(name, kind, draw, review=None):
        jobs.append(Job(os.path.join(out, name), kind, draw, review))

    for index, (state, suffix) in enumerate(zip(STATES, ("Normal", "Over", "Down"))):
        add(f"KBMenu_{suffix}.png", "png24", lambda s=state: windows.function_menu(s),
            ("function_menu", index, lambda s=state: windows.function_menu(s, outline=True)))
    for index, (state, suffix) in enumerate(zip(STATES, ("normal", "over", "down"))):
        add(f"submenu_{suffix}.png", "png24", lambda s=state: windows.sub_menu(s),
            ("sub_menu", index, lambda s=state: windows.sub_menu(s, outline=True)))
        add(f"device_button_{suffix}.png", "png24", lambda s=state: windows.device_tab(s),
            ("device_tab", index, lambda s=state: windows.device_tab(s)))
    for index, suffix in enumerate(("n", "o", "d")):
        add(f"menu1_{suffix}.png", "png24", lambda s=suffix: windows.device_menu(s),
            ("device_menu", index, lambda s=suffix: windows.device_menu(s, outline=True)))
    for kind in ("up", "down", "delay"):
        for selected in (False, True):
            name = f"{kind}_{'select' if selected else 'normal'}.png"
            add(name, "png", lambda k=kind, s=selected: windows.list_icon(k, s))
    for model in models:
        folder = os.path.basename(model.folder)
        add(os.path.join(folder, "Varnok_Device.png"), "png", lambda m=model: devices.banner(m))
        pages = []
        if model.mouse:
            pages.append(("Mouse", devices.mouse_page))
        if model.keys:
            pages.append(("Keyboard", devices.keyboard_page))
        for prefix, page in pages:
            for index, (state, suffix) in enumerate(zip(STATES, ("Normal", "Over", "Down"))):
                add(os.path.join(folder, f"{prefix}_{suffix}.bmp"), "bmp",
                    lambda m=model, p=page, s=state: p(m, s),
                    (f"{folder}_{prefix}".replace(" ", "_"), index,
                     lambda m=model, p=page, s=state: p(m, s, outline=True)))
    return jobs


class Renderer:
    def __init__(self, rsvg, convert, work):
        self.rsvg = rsvg
        self.convert = convert
        self.work = work
        self.count = 0

    def _svg_to_png(self, svg, png):
        self.count += 1
        source = os.path.join(self.work, f"picture{self.count}.svg")
        with open(source, "w", encoding="utf-8") as handle:
            handle.write(svg.document())
        subprocess.run([self.rsvg, "-w", str(svg.width), "-h", str(svg.height), "-o", png, source],
                       check=True)

    def render(self, job):
        os.makedirs(os.path.dirname(job.path), exist_ok=True)
        drawing = job.draw()
        if job.kind == "ico":
            pngs = []
            for svg in drawing:
                png = os.path.join(self.work, f"icon{svg.width}.png")
                self._svg_to_png(svg, png)
                pngs.append(png)
            subprocess.run([self.convert, *pngs, job.path], check=True)
            return
        if job.kind == "png":
            self._svg_to_png(drawing, job.path)
            return
        png = os.path.join(self.work, "flat.png")
        self._svg_to_png(drawing, png)
        # the pictures are opaque: flatten onto white and drop the alpha channel
        flatten = ["-background", "white", "-alpha", "remove", "-alpha", "off"]
        if job.kind == "png24":
            target = ["-define", "png:color-type=2", "-depth", "8", f"PNG24:{job.path}"]
        else:
            target = ["-type", "TrueColor", "-depth", "8", f"BMP3:{job.path}"]
        subprocess.run([self.convert, png, *flatten, *target], check=True)

    def review(self, jobs, folder):
        """Sheets of the states one above the other, button rectangles in red
        (labels and buttons) and blue (marks)."""
        os.makedirs(folder, exist_ok=True)
        sheets = {}
        for job in jobs:
            if job.review:
                name, index, draw = job.review
                sheets.setdefault(name, {})[index] = draw
        for name, states in sheets.items():
            parts = []
            for index in sorted(states):
                png = os.path.join(self.work, f"review_{index}.png")
                self._svg_to_png(states[index](), png)
                parts.append(png)
            subprocess.run([self.convert, "-background", "#ff00ff", *parts, "-splice", "0x6",
                            "-append", os.path.join(folder, f"{name}.png")], check=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--skins", required=True)
    parser.add_argument("--artwork", required=True)
    parser.add_argument("--dist-skins", required=True)
    parser.add_argument("--work")
    parser.add_argument("--rsvg", default="rsvg-convert")
    parser.add_argument("--convert", default="convert")
    parser.add_argument("--review")
    parser.add_argument("--list", choices=("all", "resources"))
    args = parser.parse_args()

    models = load_models(args.skins)
    resources = resource_jobs(args.artwork)
    jobs = resources + skin_jobs(args.dist_skins, models)
    if args.list:
        for job in resources if args.list == "resources" else jobs:
            print(job.path)
        return 0
    with tempfile.TemporaryDirectory(dir=args.work) as work:
        renderer = Renderer(args.rsvg, args.convert, work)
        for job in jobs:
            renderer.render(job)
        if args.review:
            renderer.review(jobs, args.review)
    return 0


if __name__ == "__main__":
    sys.exit(main())
