"""The look shared by every window: colours and the faces of buttons in
their three states.

The program draws its texts itself in fixed colours: slate on light
surfaces, white on the hover highlight, orange while pressed or checked.
The surfaces here are chosen so that every text stands out at least 4.5:1
from every pixel under it: light faces carry slate text, the hover face is
a deep slate that carries white, the pressed face is deeper still so orange
reads on it, and the keyboard labels' pale blue-grey hover text needs that
deepest face too. The changed look of a keyboard key is a pale warm face:
it carries slate text (and, while the key's label is pressed, orange).
"""

from svg import inset, offset, rounded_rect_path

# Text colours of the program (for reference drawings and glyphs).
SLATE = "#536167"
WHITE = "#ffffff"
ORANGE = "#eb8d24"

# Surfaces.
WINDOW = "#eef2f4"         # window body behind everything
WINDOW_TOP = "#f8fafb"     # top of the header gradient
CARD = "#ffffff"
CARD_SHADE = "#f6f8f9"
LINE = "#d3dbdf"           # quiet borders and separators
LINE_STRONG = "#b4c0c6"    # outer window border, field frames
INK_SOFT = "#8a979e"       # secondary drawings (leader lines, outlines)
INK = "#6f7d84"

FACE_TOP = "#ffffff"
FACE_BOTTOM = "#edf1f3"
FACE_BORDER = "#c2ccd1"

HOVER_TOP = "#4d5d66"
HOVER_BOTTOM = "#35424a"
HOVER_BORDER = "#2e3a41"

PRESS_TOP = "#232c31"
PRESS_BOTTOM = "#2d373d"
PRESS_BORDER = "#1d2529"

CHECK_FILL = "#fff4e6"
CHECK_BORDER = "#f0b978"

ACCENT_DARK = "#c9731a"    # shadow side of orange shapes

# Buttons at least this tall have room for the pressed face's orange line
# below a line of text.
UNDERLINED_HEIGHT = 20


def face(svg, rect, state, radius=4, border=True):
    """A push-button face filling `rect` for state 'normal', 'over' or
    'down'; the caller has clipped to the rectangle."""
    if state == "normal":
        fill = svg.linear([(0, FACE_TOP), (1, FACE_BOTTOM)])
        edge = FACE_BORDER
    elif state == "over":
        fill = svg.linear([(0, HOVER_TOP), (1, HOVER_BOTTOM)])
        edge = HOVER_BORDER
    else:
        fill = svg.linear([(0, PRESS_TOP), (1, PRESS_BOTTOM)])
        edge = PRESS_BORDER
    # a frame is stroked on the pixel centres; a face without one fills the
    # whole rectangle, so no text row of a low button sits on a blended edge
    outline = inset(rect, 0.5) if border else rect
    svg.path(rounded_rect_path(outline, radius), fill=fill,
             stroke=edge if border else "none", stroke_width=1)
    if state == "normal":
        # a faint light line under the top edge gives the face some body
        left, top, right, _ = rect
        svg.line(left + radius, top + 1.5, right - radius, top + 1.5, "#ffffff", 1,
                 stroke_opacity=0.9)
    elif state == "down":
        # pushed in: a shadow along the top and an orange line along the
        # bottom, where the button is tall enough to keep it below its text
        left, top, right, bottom = rect
        svg.line(left + radius, top + 1.5, right - radius, top + 1.5, "#1b2226", 1)
        if bottom - top >= UNDERLINED_HEIGHT:
            svg.line(left + radius + 1, bottom - 2, right - radius - 1, bottom - 2, ORANGE, 2)


def deep_face(svg, rect, radius=4):
    """The hover face of a keyboard label: as deep as a pressed face, for its
    pale text."""
    svg.path(rounded_rect_path(inset(rect, 0.5), radius),
             fill=svg.linear([(0, PRESS_TOP), (1, PRESS_BOTTOM)]), stroke=PRESS_BORDER,
             stroke_width=1)


def checked_face(svg, rect, radius=3):
    """The pale warm face of a changed key."""
    outline = inset(rect, 0.5)
    svg.path(rounded_rect_path(outline, radius), fill=CHECK_FILL, stroke=CHECK_BORDER,
             stroke_width=1)


def glyph_colour(state):
    return {"normal": SLATE, "over": WHITE, "down": ORANGE}[state]


def press_shift(rect, state):
    """Content of a pressed button sits one pixel lower and to the right."""
    return offset(rect, 1, 1) if state == "down" else rect
