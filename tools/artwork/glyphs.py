"""Line pictograms on a 24 x 24 design grid, drawn at any size.

Each entry is a list of (kind, data) parts: "s" a stroked path, "f" a filled
path, "c" a stroked circle (cx, cy, r), "d" a filled circle."""

from svg import _fmt

SPEAKER = ("f", "M3.5 9.5h3.5l5-4.5v14l-5-4.5h-3.5z")

GLYPHS = {
    # keys of the keyboard and their functions
    "back": [("s", "M19 12H6M11 6.5L5.5 12l5.5 5.5")],
    "forward": [("s", "M5 12h13M13 6.5l5.5 5.5-5.5 5.5")],
    "stop_loading": [("s", "M7 7l10 10M17 7L7 17")],
    "refresh": [("s", "M18.5 12a6.5 6.5 0 1 1-2-4.7"), ("s", "M17.5 3.5v4.5H13")],
    "favorites": [("s", "M12 3.8l2.5 5.2 5.6.7-4.1 3.9 1 5.6L12 16.5l-5 2.7 1-5.6-4.1-3.9 5.6-.7z")],
    "search": [("c", (10.5, 10.5, 5.5)), ("s", "M14.6 14.6l5 5")],
    "mail": [("s", "M4 6.5h16v11H4z"), ("s", "M4.5 7.5l7.5 6 7.5-6")],
    "home": [("s", "M4 11.5L12 4.5l8 7"), ("s", "M6.5 10v9.5h11V10"), ("s", "M10.5 19.5v-5h3v5")],
    "sleep": [("s", "M15.5 4.5a7.8 7.8 0 1 0 4 11.5 6.5 6.5 0 0 1-4-11.5z")],
    "close_app": [("s", "M4.5 5.5h15v13h-15z"), ("s", "M9.5 9.5l5 5M14.5 9.5l-5 5")],
    "word": [("s", "M6 3.5h8.5l3.5 3.5v13.5H6z"), ("s", "M8.5 10l1.3 6 2.2-5 2.2 5 1.3-6")],
    "excel": [("s", "M6 3.5h8.5l3.5 3.5v13.5H6z"), ("s", "M9 10l6 7M15 10l-6 7")],
    "powerpoint": [("s", "M6 3.5h8.5l3.5 3.5v13.5H6z"), ("s", "M10 17.5v-7.5h2.5a2 2 0 0 1 0 4H10")],
    "computer": [("s", "M4 5h16v11H4z"), ("s", "M9 20h6M12 16v4")],
    "calculator": [("s", "M6.5 3.5h11v17h-11z"), ("s", "M9 6.5h6v3H9z"),
                   ("d", (9.5, 13, 1.1)), ("d", (12, 13, 1.1)), ("d", (14.5, 13, 1.1)),
                   ("d", (9.5, 16.5, 1.1)), ("d", (12, 16.5, 1.1)), ("d", (14.5, 16.5, 1.1))],
    "play_pause": [("f", "M4 6v12l8-6z"), ("s", "M15.5 6.5v11M19.5 6.5v11")],
    "media_player": [("d", (8, 17.5, 2.8)), ("d", (17, 15.5, 2.8)), ("s", "M10.6 17.5V6.2l9-2.2v11.5"),
                     ("s", "M10.6 9.5l9-2.2")],
    "previous": [("s", "M5.5 6v12"), ("f", "M13 6v12l-6.5-6z"), ("f", "M20 6v12l-6.5-6z")],
    "next": [("s", "M18.5 6v12"), ("f", "M11 6v12l6.5-6z"), ("f", "M4 6v12l6.5-6z")],
    "media_stop": [("f", "M6.5 6.5h11v11h-11z")],
    "mute": [SPEAKER, ("s", "M15.5 9.5l5 5M20.5 9.5l-5 5")],
    "volume_up": [SPEAKER, ("s", "M15 12h6M18 9v6")],
    "volume_down": [SPEAKER, ("s", "M15 12h6")],
    "zoom_in": [("c", (10.5, 10.5, 6)), ("s", "M15 15l5 5M7.5 10.5h6M10.5 7.5v6")],
    "zoom_out": [("c", (10.5, 10.5, 6)), ("s", "M15 15l5 5M7.5 10.5h6")],
    # window and tray pictures
    "minimise": [("s", "M6 15.5h12")],
    "close": [("s", "M7 7l10 10M17 7L7 17")],
    "help": [("s", "M9 9.2a3 3 0 1 1 4.3 2.7c-.9.5-1.3 1.1-1.3 2.1v.8"), ("d", (12, 18, 1.2))],
    "info": [("d", (12, 7, 1.3)), ("s", "M12 10.5v7.5M10 18h4M10 10.5h2")],
    "chevron_down": [("s", "M6.5 9.5l5.5 5.5 5.5-5.5")],
    "mouse": [("s", "M12 3.5a5.5 5.5 0 0 1 5.5 5.5v6a5.5 5.5 0 0 1-11 0V9A5.5 5.5 0 0 1 12 3.5z"),
              ("s", "M12 4v5M6.8 10h10.4")],
    "keyboard": [("s", "M3 7h18v11H3z"), ("s", "M6 10.5h1M9 10.5h1M12 10.5h1M15 10.5h1M18 10.5h1"),
                 ("s", "M6.5 14.5h11")],
    "sliders": [("s", "M4 7h16M4 12h16M4 17h16"), ("d", (9, 7, 2.3)), ("d", (15, 12, 2.3)),
                ("d", (8, 17, 2.3))],
    "globe": [("c", (12, 12, 8)), ("s", "M4 12h16M12 4c-3 3.2-3 12.8 0 16M12 4c3 3.2 3 12.8 0 16")],
    "power": [("s", "M8 6.8a7 7 0 1 0 8 0"), ("s", "M12 3.5v8")],
    "reset": [("s", "M6 12a6.2 6.2 0 1 0 1.9-4.4"), ("s", "M7.5 3.5v4.5H12")],
    "folder": [("s", "M3.5 6.5h6l2 2h9v10h-17z")],
    "arrow_up": [("s", "M12 19V6M6.5 11.5L12 6l5.5 5.5")],
    "arrow_down": [("s", "M12 5v13M6.5 12.5L12 18l5.5-5.5")],
    "clock": [("c", (12, 12, 8)), ("s", "M12 7.5V12l3.2 2")],
    "chevron_right": [("s", "M9.5 6.5l5.5 5.5-5.5 5.5")],
    "chevron_left": [("s", "M14.5 6.5L9 12l5.5 5.5")],
    "triangle_up": [("f", "M12 7l6 8H6z")],
    "triangle_down": [("f", "M12 17l6-8H6z")],
    "plus": [("s", "M6 12h12M12 6v12")],
    "minus": [("s", "M6 12h12")],
    "check": [("s", "M5 12.5l4.5 4.5L19 7.5")],
    "record": [("d", (12, 12, 5.5))],
}

# The picture of each key function, by button code (see the function-code
# table); a keyboard key shows the picture of its own function.
KEY_GLYPHS = {
    86: "zoom_in", 87: "zoom_out", 96: "back", 97: "forward", 98: "stop_loading",
    99: "refresh", 100: "favorites", 101: "search", 102: "mail", 103: "home", 104: "sleep",
    105: "close_app", 106: "word", 107: "excel", 108: "computer", 109: "calculator",
    110: "play_pause", 111: "media_player", 112: "previous", 113: "next", 114: "media_stop",
    115: "mute", 116: "volume_up", 117: "volume_down", 118: "powerpoint",
}

# Keys that double as a function key on the function-key models.
FUNCTION_KEY_OF = {96: 1, 97: 2, 103: 3, 102: 4, 111: 5, 110: 6, 114: 7, 112: 8, 113: 9,
                   117: 10, 116: 11, 115: 12}


def draw(svg, name, cx, cy, size, colour, weight=2.0, opacity=None):
    """Draws glyph `name` centred on (cx, cy), `size` pixels across; `weight`
    is the stroke width in design units."""
    scale = size / 24.0
    transform = f"translate({_fmt(cx - 12 * scale)},{_fmt(cy - 12 * scale)}) scale({_fmt(scale)})"
    with svg.group(transform=transform, opacity=opacity):
        for kind, data in GLYPHS[name]:
            if kind == "s":
                svg.path(data, stroke=colour, stroke_width=weight, stroke_linecap="round",
                         stroke_linejoin="round")
            elif kind == "f":
                svg.path(data, fill=colour, stroke=colour, stroke_width=weight * 0.5,
                         stroke_linejoin="round")
            elif kind == "c":
                x, y, r = data
                svg.circle(x, y, r, stroke=colour, stroke_width=weight)
            elif kind == "d":
                x, y, r = data
                svg.circle(x, y, r, fill=colour)
