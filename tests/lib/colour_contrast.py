"""Contrast between two sRGB colours as a ratio from 1 to 21, by relative
luminance; the legibility checks of pictures and screenshots share it."""

import functools


@functools.lru_cache(maxsize=None)
def luminance(rgb):
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(tuple(a)), luminance(tuple(b))), reverse=True)
    return (la + 0.05) / (lb + 0.05)
