"""The look shared by every window: colours and the faces of buttons in
their three states.

The program draws its texts itself in fixed colours: slate on light
surfaces, white on the hover highlight, orange while pressed or checked.
The surfaces here are chosen for those colours: light faces carry slate
text, the hover face is a deep slate that carries white (and the keyboard
page's pale blue-grey), the pressed face is deeper still so orange reads on
it. The checked look of a list entry and the changed look of a keyboard key
is a pale warm face with an orange bar: it has to carry slate text as well
as orange.
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
    outline = inset(rect, 0.5)
    svg.path(rounded_rect_path(outline, radius), fill=fill,
             stroke=edge if border else "none", stroke_width=1)
    if state == "normal":
        # a faint light line under the top edge gives the face some body
        left, top, right, _ = rect
        svg.line(left + radius, top + 1.5, right - radius, top + 1.5, "#ffffff", 1,
                 stroke_opacity=0.9)
    elif state == "down":
        # pushed in: a shadow along the top and an orange line along the bottom
        left, top, right, bottom = rect
        svg.line(left + radius, top + 1.5, right - radius, top + 1.5, "#1b2226", 1)
        svg.line(left + radius + 1, bottom - 2, right - radius - 1, bottom - 2, ORANGE, 2)


def checked_face(svg, rect, radius=3, bar=True):
    """The pale warm face of a checked entry or a changed key."""
    outline = inset(rect, 0.5)
    svg.path(rounded_rect_path(outline, radius), fill=CHECK_FILL, stroke=CHECK_BORDER,
             stroke_width=1)
    if bar:
        left, top, _, bottom = rect
        svg.rect((left + 1, top + 2, left + 4, bottom - 2), fill=ORANGE, rx=1)


def glyph_colour(state):
    return {"normal": SLATE, "over": WHITE, "down": ORANGE}[state]


def press_shift(rect, state):
    """Content of a pressed button sits one pixel lower and to the right."""
    return offset(rect, 1, 1) if state == "down" else rect
