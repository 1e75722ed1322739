"""A very small SVG writer: enough for flat shapes, gradients, clipping and
text, with every coordinate in whole pixels of the target picture."""

from xml.sax.saxutils import escape, quoteattr


def _fmt(value):
    if isinstance(value, float):
        text = f"{value:.3f}".rstrip("0").rstrip(".")
        return text if text not in ("", "-0") else "0"
    return str(value)


def _attrs(attributes):
    parts = []
    for key, value in attributes.items():
        if value is None:
            continue
        name = key.rstrip("_").replace("_", "-")
        parts.append(f"{name}={quoteattr(_fmt(value))}")
    return " ".join(parts)


class Svg:
    """One picture. Elements are appended in painting order; `group` and
    `clip` nest further elements inside a `with` block."""

    def __init__(self, width, height):
        self.width = width
        self.height = height
        self._defs = []
        self._body = []
        self._stack = [self._body]
        self._ids = 0

    # -- structure -------------------------------------------------------

    def new_id(self, prefix):
        self._ids += 1
        return f"{prefix}{self._ids}"

    def raw(self, text):
        self._stack[-1].append(text)

    def element(self, tag, text=None, **attributes):
        attrs = _attrs(attributes)
        if text is None:
            self.raw(f"<{tag} {attrs}/>")
        else:
            self.raw(f"<{tag} {attrs}>{escape(text)}</{tag}>")

    class _Block:
        def __init__(self, svg, opening, closing):
            self.svg, self.opening, self.closing = svg, opening, closing

        def __enter__(self):
            self.svg.raw(self.opening)
            return self.svg

        def __exit__(self, *exc):
            self.svg.raw(self.closing)
            return False

    def group(self, **attributes):
        return Svg._Block(self, f"<g {_attrs(attributes)}>", "</g>")

    def clip(self, rect):
        """Everything drawn inside stays within the pixel rectangle
        (left, top, right, bottom)."""
        left, top, right, bottom = rect
        clip_id = self.new_id("clip")
        self._defs.append(
            f'<clipPath id="{clip_id}"><rect x="{left}" y="{top}" '
            f'width="{right - left}" height="{bottom - top}"/></clipPath>')
        return self.group(clip_path=f"url(#{clip_id})")

    def clip_path(self, d):
        """Everything drawn inside stays within the path `d`."""
        clip_id = self.new_id("clip")
        self._defs.append(f'<clipPath id="{clip_id}"><path d="{d}"/></clipPath>')
        return self.group(clip_path=f"url(#{clip_id})")

    # -- paints ----------------------------------------------------------

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, user_space=None):
        """A linear gradient; `stops` is a list of (offset, colour[, opacity]).
        Without `user_space` the direction is relative to the shape's box;
        with it, x1..y2 are picture coordinates."""
        grad_id = self.new_id("lg")
        units = 'gradientUnits="userSpaceOnUse" ' if user_space else ""
        stop_text = "".join(
            f'<stop offset="{_fmt(s[0])}" stop-color="{s[1]}"'
            + (f' stop-opacity="{_fmt(s[2])}"' if len(s) > 2 else "") + "/>"
            for s in stops)
        self._defs.append(
            f'<linearGradient id="{grad_id}" {units}x1="{_fmt(x1)}" y1="{_fmt(y1)}" '
            f'x2="{_fmt(x2)}" y2="{_fmt(y2)}">{stop_text}</linearGradient>')
        return f"url(#{grad_id})"

    def radial(self, stops, cx, cy, r, fx=None, fy=None):
        """A radial gradient in picture coordinates."""
        grad_id = self.new_id("rg")
        stop_text = "".join(
            f'<stop offset="{_fmt(s[0])}" stop-color="{s[1]}"'
            + (f' stop-opacity="{_fmt(s[2])}"' if len(s) > 2 else "") + "/>"
            for s in stops)
        focus = ""
        if fx is not None:
            focus = f' fx="{_fmt(fx)}" fy="{_fmt(fy)}"'
        self._defs.append(
            f'<radialGradient id="{grad_id}" gradientUnits="userSpaceOnUse" '
            f'cx="{_fmt(cx)}" cy="{_fmt(cy)}" r="{_fmt(r)}"{focus}>{stop_text}</radialGradient>')
        return f"url(#{grad_id})"

    def blur(self, deviation):
        filter_id = self.new_id("blur")
        self._defs.append(
            f'<filter id="{filter_id}" x="-50%" y="-50%" width="200%" height="200%">'
            f'<feGaussianBlur stdDeviation="{_fmt(deviation)}"/></filter>')
        return f"url(#{filter_id})"

    # -- shapes ----------------------------------------------------------

    def rect(self, rect, fill="none", rx=0, **attributes):
        left, top, right, bottom = rect
        self.element("rect", x=left, y=top, width=right - left, height=bottom - top,
                     rx=rx if rx else None, fill=fill, **attributes)

    def frame(self, rect, stroke, width=1, rx=0, **attributes):
        """A stroked outline lying inside the rectangle, so a 1-pixel frame
        covers exactly the outermost pixels."""
        left, top, right, bottom = rect
        half = width / 2
        self.element("rect", x=left + half, y=top + half, width=right - left - width,
                     height=bottom - top - width, rx=rx if rx else None, fill="none",
                     stroke=stroke, stroke_width=width, **attributes)

    def path(self, d, fill="none", **attributes):
        self.element("path", d=d, fill=fill, **attributes)

    def line(self, x1, y1, x2, y2, stroke, width=1, **attributes):
        self.element("line", x1=x1, y1=y1, x2=x2, y2=y2, stroke=stroke,
                     stroke_width=width, **attributes)

    def circle(self, cx, cy, r, fill="none", **attributes):
        self.element("circle", cx=cx, cy=cy, r=r, fill=fill, **attributes)

    def text(self, x, y, content, size, fill, weight="normal", anchor="start",
             family="DejaVu Sans", **attributes):
        self.element("text", content, x=x, y=y, font_family=family, font_size=size,
                     font_weight=weight, text_anchor=anchor, fill=fill, **attributes)

    # -- output ----------------------------------------------------------

    def document(self):
        return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" '
                f'height="{self.height}" viewBox="0 0 {self.width} {self.height}">\n'
                f'<defs>{"".join(self._defs)}</defs>\n' + "\n".join(self._body) + "\n</svg>\n")


def rounded_rect_path(rect, radius, top=True, bottom=True):
    """Path of a rectangle whose top and/or bottom corners are rounded."""
    left, top_y, right, bottom_y = rect
    rt = radius if top else 0
    rb = radius if bottom else 0
    f = _fmt
    return (f"M{f(left + rt)},{f(top_y)} H{f(right - rt)} "
            f"A{f(rt)},{f(rt)} 0 0 1 {f(right)},{f(top_y + rt)} "
            f"V{f(bottom_y - rb)} A{f(rb)},{f(rb)} 0 0 1 {f(right - rb)},{f(bottom_y)} "
            f"H{f(left + rb)} A{f(rb)},{f(rb)} 0 0 1 {f(left)},{f(bottom_y - rb)} "
            f"V{f(top_y + rt)} A{f(rt)},{f(rt)} 0 0 1 {f(left + rt)},{f(top_y)} Z")


def inset(rect, dx, dy=None):
    dy = dx if dy is None else dy
    left, top, right, bottom = rect
    return (left + dx, top + dy, right - dx, bottom - dy)


def offset(rect, dx, dy):
    left, top, right, bottom = rect
    return (left + dx, top + dy, right + dx, bottom + dy)
