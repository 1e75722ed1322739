"""The program's own windows: the main window, the four dialogs, the function
menus, the device drop-down and tab, the macro list icons, the tray menu
pictures, the logo and the program icon.

Every window picture comes in the states normal, over (pointer above) and
down (pressed). The rectangles below are those at which the program places
its buttons; a button shows the piece of each state picture under its own
rectangle, so only those pieces change between the states. They are drawn
clipped to their rectangles, on top of a base that is the same in all
three pictures. Places where the program writes text are left plain."""

import glyphs
import style
from svg import Svg, inset, offset, rounded_rect_path

# -- the main window ----------------------------------------------------------

MAIN_WIDTH, MAIN_HEIGHT = 721, 441
HEADER_END = 90          # the header's light gradient ends where the tabs start
PAGE = (48, 118, 669, 338)

TITLE_BUTTONS = [        # (rectangle, picture)
    ((532, 32, 558, 54), "chevron_down"),
    ((565, 32, 588, 54), "help"),
    ((593, 32, 617, 54), "minimise"),
    ((625, 32, 647, 54), "close"),
]
RESET_BUTTON = (65, 344, 201, 373)
COMMAND_BUTTONS = [(414, 346, 475, 369), (493, 346, 556, 369), (581, 346, 639, 369)]
SIGNAL_PANEL = (57, 388, 91, 405)
BATTERY_PANEL = (182, 392, 212, 405)
# The status panels paint this plain piece of the hover picture over
# themselves to hide the status pictures; it must stay plain background.
PLAIN_PATCH = (213, 391, 247, 408)


def _title_button(svg, rect, picture, state):
    with svg.clip(rect):
        if state != "normal":
            style.face(svg, rect, state, radius=4, border=False)
        elif picture == "chevron_down":
            # the device choice opens a list: it looks like a drop-down
            style.face(svg, rect, state, radius=4)
        cx = (rect[0] + rect[2]) / 2
        cy = (rect[1] + rect[3]) / 2
        if state == "down":
            cx, cy = cx + 1, cy + 1
        glyphs.draw(svg, picture, cx, cy, 16, style.glyph_colour(state), weight=2)


def _signal_picture(svg, rect):
    left, _, _, bottom = rect
    for i, height in enumerate((4, 7, 10, 13)):
        x = left + 5 + i * 6
        colour = style.SLATE if i < 3 else style.LINE_STRONG
        svg.rect((x, bottom - 2 - height, x + 4, bottom - 2), fill=colour, rx=1)


def _battery_picture(svg, rect):
    left, top, right, bottom = rect
    body = (left + 2, top + 2, right - 5, bottom - 2)
    svg.path(rounded_rect_path(inset(body, 0.5), 2), stroke=style.SLATE, stroke_width=1)
    svg.rect((body[2], top + 5, body[2] + 2, bottom - 5), fill=style.SLATE)
    svg.rect((body[0] + 2, body[1] + 2, body[0] + 2 + 14, body[3] - 2), fill=style.SLATE, rx=0.5)


def main_window(state, outline=False):
    svg = Svg(MAIN_WIDTH, MAIN_HEIGHT)
    svg.rect((0, 0, MAIN_WIDTH, MAIN_HEIGHT), fill=style.WINDOW)
    header = svg.linear([(0, style.WINDOW_TOP), (1, style.WINDOW)], 0, 0, 0, HEADER_END,
                        user_space=True)
    svg.rect((0, 0, MAIN_WIDTH, HEADER_END), fill=header)
    svg.rect((0, 0, MAIN_WIDTH, 2), fill=style.ORANGE)

    # the page's card: a soft shadow and a frame just outside the page
    shadow = svg.blur(3)
    with svg.group(opacity=0.16, filter=shadow):
        svg.rect(offset(PAGE, 0, 2), fill="#2a363c")
    svg.rect(PAGE, fill=style.CARD)
    svg.frame((PAGE[0] - 1, PAGE[1] - 1, PAGE[2] + 1, PAGE[3] + 1), style.LINE_STRONG)

    # a quiet rule between the title buttons: device choice apart from the rest
    svg.line(561.5, 36, 561.5, 50, style.LINE_STRONG, 1)

    # status row
    svg.line(PAGE[0], 380.5, PAGE[2], 380.5, style.LINE, 1)
    _signal_picture(svg, SIGNAL_PANEL)
    _battery_picture(svg, BATTERY_PANEL)
    svg.frame((0, 0, MAIN_WIDTH, MAIN_HEIGHT), style.LINE_STRONG)

    for rect, picture in TITLE_BUTTONS:
        _title_button(svg, rect, picture, state)
    with svg.clip(RESET_BUTTON):
        style.face(svg, RESET_BUTTON, state, radius=4)
        cx = RESET_BUTTON[0] + 16 + (1 if state == "down" else 0)
        cy = (RESET_BUTTON[1] + RESET_BUTTON[3]) / 2 + (1 if state == "down" else 0)
        glyphs.draw(svg, "reset", cx, cy, 15, style.glyph_colour(state), weight=2.2)
    for rect in COMMAND_BUTTONS:
        with svg.clip(rect):
            style.face(svg, rect, state, radius=4)
    if outline:
        for rect in [r for r, _ in TITLE_BUTTONS] + [RESET_BUTTON] + COMMAND_BUTTONS:
            svg.frame(rect, "#ff0000")
        for rect in (SIGNAL_PANEL, BATTERY_PANEL, PLAIN_PATCH, PAGE, (64, 90, 175, 118),
                     (177, 90, 288, 118), (380, 62, 667, 118), (65, 32, 174, 57),
                     (240, 37, 530, 87), (428, 388, 648, 414)):
            svg.frame(rect, "#0050ff")
    return svg


# -- dialogs ------------------------------------------------------------------

class Dialog:
    def __init__(self, file, width, height, buttons, extras):
        self.file = file
        self.width = width
        self.height = height
        self.buttons = buttons    # [(rectangle, kind)]
        self.extras = extras      # draws what is special to the dialog


HEADER_HEIGHT = 30
CLOSE_SMALL = (320, 5, 340, 22)
OK_CANCEL = [((188, 100, 250, 130), "push"), ((266, 100, 322, 130), "push")]


def _launch_extras(svg):
    field = (24, 64, 210, 86)
    svg.path(rounded_rect_path(inset(field, 0.5), 3), fill="#fbfcfd",
             stroke=style.LINE_STRONG, stroke_width=1)
    svg.line(field[0] + 3, field[1] + 1.5, field[2] - 3, field[1] + 1.5, "#e9eef0", 1)


def _message_extras(svg):
    cx, cy = 46, 74
    svg.circle(cx, cy, 19, fill=svg.linear([(0, "#ffffff"), (1, "#e9eef1")]),
               stroke=style.LINE_STRONG, stroke_width=1)
    glyphs.draw(svg, "info", cx, cy, 26, style.SLATE, weight=2.4)


def _combo_extras(svg):
    glyphs.draw(svg, "keyboard", 22, 52, 20, style.SLATE, weight=1.7)
    field = (38, 66, 258, 93)
    svg.path(rounded_rect_path(inset(field, 0.5), 3), fill="#fbfcfd",
             stroke=style.LINE_STRONG, stroke_width=1)


MACRO_LISTS = [(18, 62, 127, 233), (138, 62, 282, 252)]
MACRO_BOXES = [(365, 43, 416, 61), (365, 90, 414, 110)]
MACRO_MOUSE = [(322, 150, 353, 203), (354, 150, 373, 203), (374, 150, 405, 203)]
MACRO_SWITCHES = [(292, 47, 304, 59), (292, 69, 304, 81)]
MACRO_CAPTIONS = [(308, 47, 362, 61), (308, 69, 437, 84)]


def _macro_mouse_body():
    left, top, right, bottom = 318, 143, 409, 214
    rx, ry = (right - left) / 2, 30
    return (f"M{left},{top + ry} A{rx},{ry} 0 0 1 {right},{top + ry} "
            f"V{bottom} H{left} Z")


def _macro_extras(svg):
    for rect in MACRO_LISTS:
        svg.frame((rect[0] - 1, rect[1] - 1, rect[2] + 1, rect[3] + 1), style.LINE_STRONG)
    for rect in MACRO_BOXES:
        svg.frame((rect[0] - 1, rect[1] - 1, rect[2] + 1, rect[3] + 1), style.LINE_STRONG)
    # the options panel and the mouse whose buttons record clicks
    svg.path(rounded_rect_path((286.5, 38.5, 442.5, 116.5), 4), fill=style.CARD_SHADE,
             stroke=style.LINE, stroke_width=1)
    body = _macro_mouse_body()
    svg.path(body, fill=svg.linear([(0, "#ffffff"), (1, "#e3e9ec")]))
    svg.path(body, stroke=style.INK_SOFT, stroke_width=1.2)
    # the mouse's back melts into the panel above the record button
    svg.rect((300, 204, 430, 218), fill=svg.linear([(0, style.CARD, 0), (1, style.CARD, 1)]))
    svg.line(8, 261.5, 442, 261.5, style.LINE, 1)


def _macro_mouse_button(svg, rect, state):
    body = _macro_mouse_body()
    with svg.clip(rect):
        with svg.clip_path(body):
            if state == "normal":
                fill = svg.linear([(0, "#ffffff"), (1, "#edf1f3")])
            elif state == "over":
                fill = svg.linear([(0, style.HOVER_TOP), (1, style.HOVER_BOTTOM)])
            else:
                fill = svg.linear([(0, "#f7b462"), (1, "#e8831a")])
            svg.rect(inset(rect, 0.5), fill=fill, stroke=style.INK_SOFT, stroke_width=1)
        if rect == MACRO_MOUSE[1]:
            wheel = (rect[0] + 5, rect[1] + 14, rect[2] - 5, rect[1] + 34)
            svg.path(rounded_rect_path(wheel, 4.5),
                     fill=style.WHITE if state == "down" else "#3f4d55")
        svg.path(body, stroke=style.INK_SOFT, stroke_width=1.2)


def _switch(svg, rect, state):
    with svg.clip(rect):
        box = inset(rect, 0.5)
        if state == "normal":
            svg.path(rounded_rect_path(box, 2), fill="#ffffff", stroke=style.INK_SOFT,
                     stroke_width=1)
        elif state == "over":
            svg.path(rounded_rect_path(box, 2), fill=style.HOVER_BOTTOM, stroke=style.HOVER_BORDER,
                     stroke_width=1)
        else:
            svg.path(rounded_rect_path(box, 2), fill=style.ORANGE, stroke=style.ACCENT_DARK,
                     stroke_width=1)
            cx, cy = (rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2
            glyphs.draw(svg, "check", cx, cy, 11, style.WHITE, weight=3.2)


def _dialog_button(svg, rect, kind, state):
    if kind == "push":
        with svg.clip(rect):
            style.face(svg, rect, state, radius=4)
    elif kind == "close":
        with svg.clip(rect):
            if state != "normal":
                style.face(svg, rect, state, radius=3, border=False)
            cx, cy = (rect[0] + rect[2]) / 2, (rect[1] + rect[3]) / 2
            if state == "down":
                cx, cy = cx + 1, cy + 1
            glyphs.draw(svg, "close", cx, cy, 13, style.glyph_colour(state), weight=2.4)
    elif kind == "record":
        with svg.clip(rect):
            style.face(svg, rect, state, radius=4)
            cx = rect[0] + 16 + (1 if state == "down" else 0)
            cy = (rect[1] + rect[3]) / 2 + (1 if state == "down" else 0)
            svg.circle(cx, cy, 4.5, fill="#e0602a" if state != "over" else "#ff8a5c")
    elif kind == "switch":
        _switch(svg, rect, state)
    elif kind == "caption":
        # a caption that is also a button: plain until the pointer is on it
        with svg.clip(rect):
            if state != "normal":
                style.face(svg, rect, state, radius=3, border=False)
    elif kind == "mouse":
        _macro_mouse_button(svg, rect, state)


DIALOGS = [
    Dialog("launch", 351, 141,
           [((224, 63, 325, 88), "push")] + OK_CANCEL + [(CLOSE_SMALL, "close")], _launch_extras),
    Dialog("combo", 268, 141,
           [((118, 103, 190, 131), "push"), ((191, 103, 263, 131), "push"),
            ((237, 5, 258, 22), "close")], _combo_extras),
    Dialog("macro", 450, 300,
           [((283, 270, 343, 296), "push"), ((363, 270, 421, 296), "push"),
            ((415, 0, 441, 26), "close"), ((17, 232, 72, 252), "push"),
            ((73, 232, 127, 252), "push"), ((291, 220, 431, 246), "record"),
            ((292, 89, 359, 110), "push")]
           + [(r, "switch") for r in MACRO_SWITCHES] + [(r, "caption") for r in MACRO_CAPTIONS]
           + [(r, "mouse") for r in MACRO_MOUSE], _macro_extras),
    Dialog("message", 351, 141, OK_CANCEL + [(CLOSE_SMALL, "close")], _message_extras),
]


def dialog(spec, state, outline=False):
    svg = Svg(spec.width, spec.height)
    svg.rect((0, 0, spec.width, spec.height), fill=style.CARD)
    header = svg.linear([(0, style.WINDOW_TOP), (1, style.WINDOW)])
    svg.rect((0, 0, spec.width, HEADER_HEIGHT), fill=header)
    svg.line(0, HEADER_HEIGHT - 0.5, spec.width, HEADER_HEIGHT - 0.5, style.LINE, 1)
    svg.rect((0, 0, spec.width, 2), fill=style.ORANGE)
    spec.extras(svg)
    svg.frame((0, 0, spec.width, spec.height), style.LINE_STRONG)
    for rect, kind in spec.buttons:
        _dialog_button(svg, rect, kind, state)
    if outline:
        for rect, _ in spec.buttons:
            svg.frame(rect, "#ff0000")
    return svg


# -- menus, tab and list icons ------------------------------------------------

MENU_WIDTH = 164
MENU_ENTRY = 23
MENU_ENTRIES = 11
MENU_FIRST_GROUP = 5          # entries from here on open a sub-menu
SUB_MENU_WIDTH = 150
SUB_MENU_ENTRIES = 10
DEVICE_MENU_WIDTH = 120
DEVICE_MENU_ENTRY = 22
DEVICE_MENU_ENTRIES = 30
TAB_WIDTH, TAB_HEIGHT = 111, 28


def _menu_entry_rect(i):
    # the first entry button is one pixel shorter: every later one starts a
    # pixel above its slot
    top = 0 if i == 0 else MENU_ENTRY * i - 1
    return (0, top, MENU_WIDTH, MENU_ENTRY * (i + 1) - 1)


def _entry_highlight(svg, rect, state, width):
    left, top, right, bottom = rect
    pill = (left + 3, top + 2, right - 3, bottom - 1)
    if state != "normal":
        style.face(svg, pill, state, radius=4, border=False)


def function_menu(state, outline=False):
    height = MENU_ENTRY * MENU_ENTRIES
    svg = Svg(MENU_WIDTH, height)
    svg.rect((0, 0, MENU_WIDTH, height), fill=style.CARD)
    separator = MENU_ENTRY * MENU_FIRST_GROUP - 1 + 0.5
    svg.line(10, separator, MENU_WIDTH - 10, separator, style.LINE, 1)
    svg.frame((0, 0, MENU_WIDTH, height), style.LINE_STRONG)
    for i in range(MENU_ENTRIES):
        rect = _menu_entry_rect(i)
        with svg.clip(rect):
            _entry_highlight(svg, inset(rect, 1, 0), state, MENU_WIDTH)
            if i >= MENU_FIRST_GROUP:
                cy = (rect[1] + rect[3]) / 2 + 0.5
                glyphs.draw(svg, "chevron_right", MENU_WIDTH - 14, cy, 12,
                            style.glyph_colour(state) if state != "normal" else style.INK_SOFT,
                            weight=2.4)
    if outline:
        for i in range(MENU_ENTRIES):
            svg.frame(_menu_entry_rect(i), "#ff0000")
    return svg


def sub_menu(state, outline=False):
    height = MENU_ENTRY * SUB_MENU_ENTRIES
    svg = Svg(SUB_MENU_WIDTH, height)
    svg.rect((0, 0, SUB_MENU_WIDTH, height), fill=style.CARD)
    # the window is as tall as its entries, so every entry carries the
    # bottom edge the last one needs
    for d in range(SUB_MENU_ENTRIES):
        y = MENU_ENTRY * (d + 1) - 0.5
        svg.line(0, y, SUB_MENU_WIDTH, y, style.LINE, 1)
    svg.line(0.5, 0, 0.5, height, style.LINE_STRONG, 1)
    svg.line(SUB_MENU_WIDTH - 0.5, 0, SUB_MENU_WIDTH - 0.5, height, style.LINE_STRONG, 1)
    svg.line(0, 0.5, SUB_MENU_WIDTH, 0.5, style.LINE_STRONG, 1)
    for d in range(SUB_MENU_ENTRIES):
        rect = (0, MENU_ENTRY * d, SUB_MENU_WIDTH, MENU_ENTRY * (d + 1))
        with svg.clip(rect):
            _entry_highlight(svg, (1, rect[1] + 1, SUB_MENU_WIDTH - 1, rect[3] - 1), state,
                             SUB_MENU_WIDTH)
    if outline:
        for d in range(SUB_MENU_ENTRIES):
            svg.frame((0, MENU_ENTRY * d, SUB_MENU_WIDTH, MENU_ENTRY * (d + 1)), "#ff0000")
    return svg


def device_menu(suffix, outline=False):
    """The device drop-down, one row per entry. Each state has its own
    picture: menu1_n is the light list the names rest on (slate text),
    menu1_o lights the entry under the pointer (white text), and menu1_d is
    the pressed look that the current model also keeps (orange text), so it
    is dark enough for orange and underlined in it."""
    height = DEVICE_MENU_ENTRY * DEVICE_MENU_ENTRIES
    svg = Svg(DEVICE_MENU_WIDTH, height)
    svg.rect((0, 0, DEVICE_MENU_WIDTH, height), fill=style.CARD)
    for i in range(DEVICE_MENU_ENTRIES):
        rect = (0, DEVICE_MENU_ENTRY * i, DEVICE_MENU_WIDTH, DEVICE_MENU_ENTRY * (i + 1))
        with svg.clip(rect):
            if suffix == "n":
                svg.line(0, rect[3] - 0.5, DEVICE_MENU_WIDTH, rect[3] - 0.5, style.LINE, 1)
            else:
                style.face(svg, rect, "over" if suffix == "o" else "down", radius=0, border=False)
    # the list's frame: the first row carries its top edge, every row its
    # sides (the window is as tall as its entries)
    svg.line(0, 0.5, DEVICE_MENU_WIDTH, 0.5, style.INK_SOFT, 1)
    svg.line(0.5, 0, 0.5, height, style.INK_SOFT, 1)
    svg.line(DEVICE_MENU_WIDTH - 0.5, 0, DEVICE_MENU_WIDTH - 0.5, height, style.INK_SOFT, 1)
    if outline:
        for i in range(DEVICE_MENU_ENTRIES):
            svg.frame((0, DEVICE_MENU_ENTRY * i, DEVICE_MENU_WIDTH, DEVICE_MENU_ENTRY * (i + 1)),
                      "#ff0000")
    return svg


def device_tab(state):
    """A device tab sitting on the top edge of the page's card; its corners
    show the window behind it."""
    svg = Svg(TAB_WIDTH, TAB_HEIGHT)
    svg.rect((0, 0, TAB_WIDTH, TAB_HEIGHT), fill=style.WINDOW)
    shape = (0.5, 0.5, TAB_WIDTH - 0.5, TAB_HEIGHT + 6)
    if state == "normal":
        fill, edge = svg.linear([(0, "#ffffff"), (1, "#f1f4f6")]), style.LINE_STRONG
    elif state == "over":
        fill, edge = svg.linear([(0, style.HOVER_TOP), (1, style.HOVER_BOTTOM)]), style.HOVER_BORDER
    else:
        fill, edge = svg.linear([(0, style.PRESS_TOP), (1, style.PRESS_BOTTOM)]), style.PRESS_BORDER
    svg.path(rounded_rect_path(shape, 6, bottom=False), fill=fill, stroke=edge, stroke_width=1)
    if state == "down":
        svg.rect((6, TAB_HEIGHT - 3, TAB_WIDTH - 6, TAB_HEIGHT - 1), fill=style.ORANGE)
    # the card's frame runs on under the tab
    svg.line(0, TAB_HEIGHT - 0.5, TAB_WIDTH, TAB_HEIGHT - 0.5, style.LINE_STRONG, 1)
    return svg


LIST_ICONS = {"up": "arrow_up", "down": "arrow_down", "delay": "clock"}


def list_icon(kind, selected):
    svg = Svg(16, 16)
    colour = style.ORANGE if selected else "#aab6bc"
    glyphs.draw(svg, LIST_ICONS[kind], 8, 8, 16, colour, weight=2.4)
    return svg


# -- tray menu ----------------------------------------------------------------

# The tray menu fills the picture column of each entry with this gradient,
# one colour per pixel column; the entry pictures repeat it behind their
# drawing so that they sit in the column without a seam.
TRAY_GRADIENT = [
    (254, 252, 251), (254, 251, 251), (243, 241, 237), (239, 237, 237), (237, 236, 238),
    (232, 234, 237), (228, 231, 237), (226, 230, 237), (221, 228, 237), (219, 226, 238),
    (216, 224, 238), (212, 222, 238), (210, 220, 238), (206, 218, 239), (202, 215, 238),
    (199, 213, 239), (195, 211, 239), (193, 209, 240), (190, 206, 240), (186, 205, 239),
    (183, 204, 239), (179, 201, 240), (177, 200, 240), (174, 198, 240), (170, 196, 240),
]
TRAY_PICTURES = {"config": "sliders", "device": "mouse", "help": "help",
                 "website": "globe", "about": "info", "exit": "power"}


def _tray_column(svg, first_column, width, height):
    for x in range(width):
        r, g, b = TRAY_GRADIENT[min(first_column + x, len(TRAY_GRADIENT) - 1)]
        svg.rect((x, 0, x + 1, height), fill=f"#{r:02x}{g:02x}{b:02x}")


def tray_picture(name):
    """A 16 x 16 entry picture; the menu draws it three pixels into the
    entry."""
    svg = Svg(16, 16)
    _tray_column(svg, 3, 16, 16)
    tile = svg.linear([(0, "#66777f"), (1, "#3f4d55")])
    if name == "exit":
        tile = svg.linear([(0, "#f4a24a"), (1, "#d9761a")])
    svg.path(rounded_rect_path((0.5, 0.5, 15.5, 15.5), 3.5), fill=tile)
    glyphs.draw(svg, TRAY_PICTURES[name], 8, 8, 13, style.WHITE, weight=2.3)
    return svg


def tray_current_mark():
    """The mark of the current device: 21 x 20, drawn two pixels into the
    entry."""
    svg = Svg(21, 20)
    _tray_column(svg, 2, 21, 20)
    svg.circle(10.5, 9, 7, fill=style.ORANGE)
    glyphs.draw(svg, "check", 10.5, 9, 11, style.WHITE, weight=3.4)
    return svg


def tray_banner():
    svg = Svg(120, 25)
    svg.rect((0, 0, 120, 25), fill=svg.linear([(0, "#4a5961"), (1, "#33404a")], x2=1, y2=0))
    svg.rect((0, 23, 120, 25), fill=style.ORANGE)
    _logo_mark(svg, 4, 2, 19, dark=True)
    _wordmark(svg, 29, 7, 9.5, style.WHITE)
    return svg


# -- logo and program icon ----------------------------------------------------

# The wordmark's letters on a grid 10 units high, drawn as strokes.
LETTERS = [
    ("V", "M0,0 L4,10 L8,0", 8),
    ("A", "M0,10 L4,0 L8,10 M1.7,6.3 H6.3", 8),
    ("R", "M0,10 V0 H4.2 A2.9,2.9 0 0 1 4.2,5.8 H0 M3.6,5.8 L7,10", 7),
    ("N", "M0,10 V0 L7.5,10 V0", 7.5),
    ("O", "M4.5,0 A4.5,5 0 1 1 4.49,0 Z", 9),
    ("K", "M0,0 V10 M7,0 L1,6 M3,4.3 L7.4,10", 7.4),
]


def _wordmark(svg, x, y, height, colour, spacing=3.2):
    scale = height / 10
    cursor = x
    for _, d, width in LETTERS:
        with svg.group(transform=f"translate({cursor:.2f},{y:.2f}) scale({scale:.3f})"):
            svg.path(d, stroke=colour, stroke_width=1.9, stroke_linecap="round",
                     stroke_linejoin="round")
        cursor += (width + spacing) * scale
    return cursor


def _logo_mark(svg, x, y, size, dark=False):
    """A rounded tile with a V whose right stroke ends in an orange signal
    dot."""
    tile = svg.linear([(0, "#ffffff" if dark else "#66777f"), (1, "#e3e9ec" if dark else "#3f4d55")])
    svg.path(rounded_rect_path((x + 0.5, y + 0.5, x + size - 0.5, y + size - 0.5), size * 0.24),
             fill=tile)
    ink = "#3f4d55" if dark else style.WHITE
    s = size / 24
    with svg.group(transform=f"translate({x:.2f},{y:.2f}) scale({s:.3f})"):
        svg.path("M6,7.5 L12,18 L16.5,10", stroke=ink, stroke_width=2.8, stroke_linecap="round",
                 stroke_linejoin="round")
        svg.circle(18.2, 7.2, 2.4, fill=style.ORANGE)


def logo():
    svg = Svg(110, 24)
    _logo_mark(svg, 1, 1, 22)
    _wordmark(svg, 30, 7, 10, style.SLATE)
    return svg


def app_icon(size):
    svg = Svg(size, size)
    s = size / 48
    with svg.group(transform=f"scale({s:.4f})"):
        tile = svg.linear([(0, "#66777f"), (1, "#38454c")])
        radius = 10 if size >= 32 else 8
        margin = 2 if size >= 32 else 0.5
        svg.path(rounded_rect_path((margin, margin, 48 - margin, 48 - margin), radius), fill=tile)
        # a mouse seen from above, with signal arcs beside it
        body = "M20,11 a10,10 0 0 1 10,10 v9 a10,10 0 0 1 -20,0 v-9 a10,10 0 0 1 10,-10 z"
        svg.path(body, fill=svg.linear([(0, "#ffffff"), (1, "#dfe6ea")]))
        if size >= 32:
            svg.path("M20,11.5 V22 M10.5,22 H29.5", stroke="#8a979e", stroke_width=1.6)
            svg.path("M18.6,15 h2.8 v5 h-2.8 z", fill=style.ORANGE)
            svg.path("M33.5,9.5 a7,7 0 0 1 5,5", stroke=style.ORANGE, stroke_width=2.6,
                     stroke_linecap="round")
            svg.path("M34,3.8 a12.5,12.5 0 0 1 10,10", stroke=style.ORANGE, stroke_width=2.6,
                     stroke_linecap="round", opacity=0.75)
        else:
            svg.path("M20,11.5 V22", stroke="#6f7d84", stroke_width=2.4)
            svg.circle(38, 11, 5, fill=style.ORANGE)
    return svg
