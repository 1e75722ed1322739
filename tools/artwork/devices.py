"""The pictures of each sample model: the mouse and keyboard pages in their
three states and the banner of the main window's header.

A page picture is drawn from the model's DeviceSkn.xml: every label sits on
its `pos` rectangle, and every part that lights up (a mouse button, the
wheel, a key) is drawn into its `mark_pos` rectangle, so moving a rectangle
in the XML moves the drawing with it. What differs between the three states
is drawn clipped to those rectangles; everything else is drawn the same way
in all three."""

import os
import re

import glyphs
import style
from models import PAGE_HEIGHT, PAGE_WIDTH
from svg import Svg, inset, rounded_rect_path

# The program keeps the one list of the models whose function keys F1 to F12
# double as their media keys; their keys carry the F-key legend as well.
FUNCTION_KEY_MODELS_HEADER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "config",
                                          "FunctionKeyModels.h")


def _function_key_media_models():
    with open(FUNCTION_KEY_MODELS_HEADER, encoding="utf-8") as header:
        table = re.search(r"kFunctionKeyMediaModels\[\]\s*=\s*\{([^}]*)\}", header.read())
    if not table:
        raise SystemExit(f"{FUNCTION_KEY_MODELS_HEADER}: no kFunctionKeyMediaModels table")
    return frozenset(int(value, 0) for value in re.findall(r"0[xX][0-9A-Fa-f]+|\d+", table.group(1)))


FUNCTION_KEY_MEDIA_MODELS = _function_key_media_models()

FINISHES = {
    "silver": {
        "body": [(0, "#d9e0e4"), (0.28, "#f5f7f8"), (0.55, "#ffffff"), (1, "#d3dbdf")],
        "buttons": [(0, "#ffffff"), (1, "#eaeff1")],
        "outline": "#95a2a9", "seam": "#b3bec4", "channel": ["#d3dadd", "#bcc5ca"],
        "wheel": "#2f383d", "rib": "#5f6d74", "arrow": "#5d6b72",
        "pill": ["#e6ebee", "#c9d2d7"], "pill_edge": "#9aa6ad", "pill_glyph": "#536167",
        "accent": None, "brand": "#a9b3b8",
    },
    "graphite": {
        "body": [(0, "#2b3439"), (0.35, "#46535a"), (0.6, "#4d5a61"), (1, "#283035")],
        "buttons": [(0, "#56646b"), (1, "#3d484e")],
        "outline": "#1d2427", "seam": "#20282c", "channel": ["#20272b", "#151a1d"],
        "wheel": "#0f1315", "rib": "#46535a", "arrow": "#9aa6ac",
        "pill": ["#5d6b72", "#404c52"], "pill_edge": "#1f272b", "pill_glyph": "#e3e8ea",
        "accent": style.ORANGE, "brand": None,
    },
}

KEYBOARD_FINISHES = {
    "silver": {
        "body": ["#e9eef0", "#d4dce0"], "edge": "#a9b5bb", "key": ["#ffffff", "#eef2f4"],
        "key_edge": "#b9c4c9", "key_side": "#c9d2d6", "glyph": "#536167", "legend": "#8a979e",
        "fade": "#ffffff",
    },
    "graphite": {
        "body": ["#414d53", "#2c353a"], "edge": "#1d2427", "key": ["#3a454b", "#2a3237"],
        "key_edge": "#161c1f", "key_side": "#1c2327", "glyph": "#e6ebed", "legend": "#9aa6ac",
        "fade": "#ffffff",
    },
}

LIT = [(0, "#f7b462"), (1, "#e8831a")]


def _centre(rect):
    left, top, right, bottom = rect
    return ((left + right) / 2, (top + bottom) / 2)


def _smooth_closed(points):
    """A closed curve through `points` (Catmull-Rom turned into cubic
    Beziers)."""
    n = len(points)
    d = f"M{points[0][0]:.2f},{points[0][1]:.2f}"
    for i in range(n):
        p0, p1, p2, p3 = points[i - 1], points[i], points[(i + 1) % n], points[(i + 2) % n]
        c1 = (p1[0] + (p2[0] - p0[0]) / 6, p1[1] + (p2[1] - p0[1]) / 6)
        c2 = (p2[0] - (p3[0] - p1[0]) / 6, p2[1] - (p3[1] - p1[1]) / 6)
        d += f" C{c1[0]:.2f},{c1[1]:.2f} {c2[0]:.2f},{c2[1]:.2f} {p2[0]:.2f},{p2[1]:.2f}"
    return d + " Z"


def _page_background(svg, focus_x, focus_y):
    svg.rect((0, 0, PAGE_WIDTH, PAGE_HEIGHT), fill=style.CARD)
    glow = svg.radial([(0, "#eef2f4"), (1, "#ffffff")], focus_x, focus_y, 190)
    svg.rect((0, 0, PAGE_WIDTH, PAGE_HEIGHT), fill=glow)


def _leader(svg, label, target, mark):
    """A thin line from the label's inner edge to the part it names."""
    lx = label[2] if target[0] > label[2] else label[0]
    ly = (label[1] + label[3]) / 2
    direction = 1 if target[0] > lx else -1
    elbow = lx + 14 * direction
    points = f"{lx},{ly} {elbow},{ly} {target[0]:.1f},{target[1]:.1f}"
    svg.element("polyline", points=points, fill="none", stroke=style.INK_SOFT,
                stroke_width=1, stroke_linejoin="round")
    svg.circle(target[0], target[1], 2.6, fill="#ffffff", stroke=style.SLATE, stroke_width=1.2)


def _label(svg, rect, state):
    with svg.clip(rect):
        style.face(svg, rect, state, radius=6)


def _key_label(svg, rect, state, code, finish):
    """A legend entry of the keyboard page: a label with a small keycap of
    the key's picture at its left end."""
    with svg.clip(rect):
        if state == "down":
            style.checked_face(svg, rect, radius=6)
        elif state == "over":
            style.deep_face(svg, rect, radius=6)
        else:
            style.face(svg, rect, state, radius=6)
        left, top, _, bottom = rect
        size = bottom - top - 6
        cap = (left + 4, top + 3, left + 4 + size, top + 3 + size)
        if state == "normal":
            cap_fill, cap_edge, ink = "#eef2f4", "#c2ccd1", style.SLATE
        elif state == "over":
            cap_fill, cap_edge, ink = "#46545c", "#1d2529", style.WHITE
        else:
            cap_fill, cap_edge, ink = style.ORANGE, style.ACCENT_DARK, style.WHITE
        svg.path(rounded_rect_path(inset(cap, 0.5), 3), fill=cap_fill, stroke=cap_edge,
                 stroke_width=1)
        cx, cy = _centre(cap)
        glyphs.draw(svg, glyphs.KEY_GLYPHS.get(code, "plus"), cx, cy, size - 4, ink, weight=2.2)


# -- the mouse ----------------------------------------------------------------

class MouseDrawing:
    def __init__(self, art):
        self.finish = FINISHES[art.get("finish", "silver")]
        self.cx = art["centre"]
        right = [(self.cx + dx, y) for dx, y in art["outline"]]
        left = [(self.cx - dx, y) for dx, y in reversed(art["outline"][1:-1])]
        self.body = _smooth_closed(right + left)
        self.top = art["outline"][0][1]
        self.bottom = art["outline"][-1][1]
        self.button_line = art["button_line"]
        self.channel = tuple(art["channel"])

    def half(self, side):
        left, _, right, _ = self.channel
        if side < 0:
            return (0, 0, left, self.button_line)
        return (right, 0, PAGE_WIDTH, self.button_line)

    def draw_body(self, svg):
        f = self.finish
        shadow = svg.blur(5)
        with svg.group(transform="translate(2,5)", opacity=0.22, filter=shadow):
            svg.path(self.body, fill="#27333a")
        svg.path(self.body, fill=svg.linear(f["body"], x2=1, y2=0))
        with svg.clip_path(self.body):
            for side in (-1, 1):
                svg.rect(self.half(side), fill=svg.linear(f["buttons"]))
            # a soft sheen over the back of the mouse
            sheen = svg.radial([(0, "#ffffff", 0.35), (1, "#ffffff", 0)], self.cx - 18,
                               (self.button_line + self.bottom) / 2, 70)
            svg.rect((0, self.button_line, PAGE_WIDTH, PAGE_HEIGHT), fill=sheen)
            left, top, right, bottom = self.channel
            y = self.button_line + 0.5
            svg.line(0, y, PAGE_WIDTH, y, f["seam"], 1.2)
            channel = rounded_rect_path((left + 0.5, top - 20, right - 0.5, bottom), 9)
            svg.path(channel, fill=svg.linear([(0, f["channel"][0]), (1, f["channel"][1])]),
                     stroke=f["seam"], stroke_width=1)
            if f["accent"]:
                svg.path(f"M{self.cx},{bottom + 6} V{self.bottom - 34}", stroke=f["accent"],
                         stroke_width=1.4, stroke_linecap="round", opacity=0.9)
        if f["brand"]:
            svg.text(self.cx, self.bottom - 30, "VARNOK", 6.5, f["brand"], anchor="middle",
                     letter_spacing=1.8)
        svg.path(self.body, stroke=f["outline"], stroke_width=1.2)

    def draw_part(self, svg, button, lit):
        f = self.finish
        code, mark = button.code, button.mark
        cx, cy = _centre(mark)
        left, top, right, bottom = mark
        if code in (1, 2):
            if lit:
                with svg.clip_path(self.body):
                    svg.rect(self.half(-1 if code == 1 else 1),
                             fill=svg.linear([(0, "#f9c27f"), (1, "#ec9432")]), opacity=0.9)
                    svg.line(0, self.button_line + 0.5, PAGE_WIDTH, self.button_line + 0.5,
                             style.ACCENT_DARK, 1.2)
                svg.path(self.body, stroke=f["outline"], stroke_width=1.2)
            return
        if code == 3:
            wheel = inset(mark, 1, 0)
            fill = svg.linear(LIT) if lit else f["wheel"]
            svg.path(rounded_rect_path(wheel, 5), fill=fill,
                     stroke=style.ACCENT_DARK if lit else "#0b0e10", stroke_width=1)
            rib = "#ffe2bd" if lit else f["rib"]
            for y in range(top + 4, bottom - 2, 3):
                svg.line(wheel[0] + 2.5, y + 0.5, wheel[2] - 2.5, y + 0.5, rib, 1)
            return
        if code in (9, 10, 16, 17):
            name = {9: "triangle_up", 10: "triangle_down", 16: "chevron_left",
                    17: "chevron_right"}[code]
            if lit:
                svg.path(rounded_rect_path(inset(mark, 0.5), 3), fill=svg.linear(LIT))
            colour = style.WHITE if lit else f["arrow"]
            size = min(right - left, bottom - top) + 2
            if code in (16, 17):
                glyphs.draw(svg, name, cx, cy, size + 2, colour, weight=3)
            else:
                glyphs.draw(svg, name, cx, cy, size, colour, weight=1)
            return
        # side buttons and zoom keys: small pills on the flanks
        pill = inset(mark, 1)
        fill = svg.linear(LIT) if lit else svg.linear([(0, f["pill"][0]), (1, f["pill"][1])],
                                                      x2=1, y2=0)
        svg.path(rounded_rect_path(inset(pill, 0.5), (pill[2] - pill[0]) / 2), fill=fill,
                 stroke=style.ACCENT_DARK if lit else f["pill_edge"], stroke_width=1)
        ink = style.WHITE if lit else f["pill_glyph"]
        if code in (86, 87):
            glyphs.draw(svg, "plus" if code == 86 else "minus", cx, cy, 12, ink, weight=2.6)
        else:
            svg.line(cx, pill[1] + 6, cx, pill[3] - 6, ink, 1.2, stroke_linecap="round",
                     opacity=0.8)

    def target(self, button):
        """Where the label's line ends on the part."""
        left, top, right, bottom = button.mark
        cx, cy = _centre(button.mark)
        if button.code in (1, 2):
            return (cx + (-6 if button.code == 1 else 6), top + (bottom - top) * 0.42)
        label_cx, _ = _centre(button.pos)
        if label_cx < cx:
            return (left - 3.5, cy)
        return (right + 3.5, cy)


def mouse_page(model, state, outline=False):
    drawing = MouseDrawing(model.art["mouse"])
    svg = Svg(PAGE_WIDTH, PAGE_HEIGHT)
    _page_background(svg, drawing.cx, PAGE_HEIGHT / 2)
    drawing.draw_body(svg)
    big = [b for b in model.mouse if b.code in (1, 2)]
    small = [b for b in model.mouse if b.code not in (1, 2)]
    if state == "down":
        # a lit main button lies under the wheel, the lines and the labels
        for button in big:
            with svg.clip(button.mark):
                drawing.draw_part(svg, button, True)
    for button in small:
        drawing.draw_part(svg, button, False)
    for button in model.mouse:
        _leader(svg, button.pos, drawing.target(button), button.mark)
    for button in model.mouse:
        _label(svg, button.pos, state)
    if state == "down":
        for button in small:
            with svg.clip(button.mark):
                drawing.draw_part(svg, button, True)
    if outline:
        _outline(svg, model.mouse)
    return svg


# -- the keyboard -------------------------------------------------------------

def _keycap(svg, rect, finish, lit, radius=4):
    left, top, right, bottom = rect
    if lit:
        fill, edge, side = svg.linear(LIT), style.ACCENT_DARK, "#c8701a"
    else:
        fill = svg.linear([(0, finish["key"][0]), (1, finish["key"][1])])
        edge, side = finish["key_edge"], finish["key_side"]
    # the cap's lower edge is its side, seen from above
    svg.path(rounded_rect_path(inset(rect, 0.5), radius), fill=side, stroke=edge, stroke_width=1)
    svg.path(rounded_rect_path((left + 1.5, top + 1, right - 1.5, bottom - 3), radius - 1),
             fill=fill)


def _key(svg, button, finish, lit, function_keys):
    rect = button.mark
    _keycap(svg, rect, finish, lit)
    left, top, right, bottom = rect
    ink = style.WHITE if lit else finish["glyph"]
    legend = "#fff1df" if lit else finish["legend"]
    name = glyphs.KEY_GLYPHS.get(button.code, "plus")
    number = glyphs.FUNCTION_KEY_OF.get(button.code) if function_keys else None
    height = bottom - top
    if number and height >= 26:
        glyphs.draw(svg, name, (left + right) / 2, top + 11, 13, ink, weight=2.1)
        svg.text((left + right) / 2, bottom - 6.5, f"F{number}", 7.5, legend, anchor="middle")
    else:
        glyphs.draw(svg, name, (left + right) / 2, (top + bottom - 2) / 2, min(14, height - 6),
                    ink, weight=2.1)


def keyboard_page(model, state, outline=False):
    art = model.art["keyboard"]
    finish = KEYBOARD_FINISHES[art.get("finish", "silver")]
    svg = Svg(PAGE_WIDTH, PAGE_HEIGHT)
    _page_background(svg, PAGE_WIDTH / 2, 40)
    body = tuple(art["body"])
    fade_top, fade_bottom = art["fade"]
    shadow = svg.blur(4)
    with svg.group(transform="translate(0,3)", opacity=0.2, filter=shadow):
        svg.path(rounded_rect_path(body, 12), fill="#27333a")
    svg.path(rounded_rect_path(inset(body, 0.5), 12),
             fill=svg.linear([(0, finish["body"][0]), (1, finish["body"][1])]),
             stroke=finish["edge"], stroke_width=1)
    # keys that the program does not handle: drawn plain, with their legend
    for left, top, right, bottom, legend in art.get("plain_keys", []):
        _keycap(svg, (left, top, right, bottom), finish, False)
        svg.text((left + right) / 2, (top + bottom) / 2 + 1, legend, 8, finish["legend"],
                 anchor="middle")
    if art.get("brand"):
        x, y = art["brand"]
        svg.text(x, y, "VARNOK", 7, finish["legend"], anchor="end", letter_spacing=1.5)
    function_keys = model.value in FUNCTION_KEY_MEDIA_MODELS
    for button in model.keys:
        _key(svg, button, finish, False, function_keys)
    # the keyboard runs on below the page: it fades into the page
    fade = svg.linear([(0, finish["fade"], 0), (1, finish["fade"], 1)], 0, fade_top, 0,
                      fade_bottom, user_space=True)
    svg.rect((0, fade_top, PAGE_WIDTH, fade_bottom), fill=fade)
    svg.rect((0, fade_bottom, PAGE_WIDTH, PAGE_HEIGHT), fill=style.CARD)
    for button in model.keys:
        _key_label(svg, button.pos, state, button.code, finish)
    if state == "down":
        for button in model.keys:
            with svg.clip(button.mark):
                _key(svg, button, finish, True, function_keys)
    if outline:
        _outline(svg, model.keys)
    return svg


def _outline(svg, buttons):
    for button in buttons:
        svg.frame(button.pos, "#ff0000", 1)
        svg.frame(button.mark, "#0050ff", 1)


# -- the header banner --------------------------------------------------------

BANNER_WIDTH = 287
BANNER_HEIGHT = 56


def banner(model):
    art = model.art["banner"]
    svg = Svg(BANNER_WIDTH, BANNER_HEIGHT)
    right = BANNER_WIDTH - 62
    svg.text(right, 15, "VARNOK  2.4G", 8, style.INK_SOFT, anchor="end", letter_spacing=1.6)
    with svg.group():
        svg.raw(f'<text x="{right}" y="37" font-family="DejaVu Sans" font-size="19" '
                f'text-anchor="end" fill="{style.SLATE}">{art["name"]} '
                f'<tspan fill="{style.ORANGE}">{art["code"]}</tspan></text>')
    svg.text(right, 50, art["kind"], 8.5, style.INK, anchor="end")
    # the model's own kind of device in a round badge
    cx, cy = BANNER_WIDTH - 28, 28
    svg.circle(cx, cy, 24, fill=svg.linear([(0, "#ffffff"), (1, "#e4eaed")]),
               stroke=style.LINE_STRONG, stroke_width=1)
    kinds = {1: ["mouse"], 2: ["keyboard"], 3: ["keyboard", "mouse"]}[model.device_type]
    if len(kinds) == 1:
        glyphs.draw(svg, kinds[0], cx, cy, 30, style.SLATE, weight=1.6)
    else:
        glyphs.draw(svg, "keyboard", cx - 6, cy + 1, 26, style.SLATE, weight=1.7)
        svg.circle(cx + 11, cy + 4, 8.5, fill="#ffffff")
        glyphs.draw(svg, "mouse", cx + 11, cy + 4, 17, style.ORANGE, weight=2.2)
    return svg
