#!/usr/bin/env python3
"""Measures the text of a column of skinned entries on a screenshot.

    entry_text_contrast.py SCREENSHOT.ppm X Y WIDTH HEIGHT ENTRY...

The entries are WIDTH x HEIGHT pixels, one under the other from (X, Y) of
the screenshot. Each ENTRY is PICTURE.ppm:R,G,B: the picture the entry
should show (its piece is the rows HEIGHT * i to HEIGHT * (i + 1)) and the
colour its text should have. For each entry the script checks that

- the entry shows that piece of that picture wherever its text is not,
- text of that colour is drawn on it,
- every pixel the text covers stands out from the piece's pixel under it
  by at least 4.5:1,

prints one line per entry and exits non-zero when one of them fails."""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '../../lib'))
from colour_contrast import contrast  # noqa: E402

READABLE = 4.5
# Channels may differ this much between a picture and the screen.
TOLERANCE = 6


def read_ppm(path):
    with open(path, "rb") as handle:
        data = handle.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or int(fields[3]) != 255:
        raise ValueError(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height * 3]
    return width, height, pixels


def pixel(image, x, y):
    width, _, pixels = image
    i = 3 * (y * width + x)
    return tuple(pixels[i:i + 3])


def close(a, b):
    return all(abs(p - q) <= TOLERANCE for p, q in zip(a, b))


def check_entry(screen, left, top, width, height, index, picture, colour):
    """A list of what is wrong with entry `index`, and a summary."""
    problems = []
    matching = text = coloured = 0
    worst = None
    for y in range(height):
        for x in range(width):
            shown = pixel(screen, left + x, top + height * index + y)
            ground = pixel(picture, x, height * index + y)
            if close(shown, ground):
                matching += 1
                continue
            text += 1
            if close(shown, colour):
                coloured += 1
            ratio = contrast(colour, ground)
            if worst is None or ratio < worst[0]:
                worst = (ratio, x, y, ground)
    area = width * height
    if matching < area * 0.6:
        problems.append(f"only {matching} of {area} pixels show the expected picture")
    if coloured < 10:
        problems.append(f"no text in {colour} ({coloured} pixels of it)")
    if worst and worst[0] < READABLE:
        problems.append(f"text on {worst[3]} at ({worst[1]}, {worst[2]}) gives {worst[0]:.2f}:1")
    least = f"{worst[0]:.2f}:1" if worst else "no text"
    return problems, f"{text} text pixels, {coloured} in {colour}, least contrast {least}"


def main():
    screen = read_ppm(sys.argv[1])
    left, top, width, height = (int(v) for v in sys.argv[2:6])
    failed = False
    for index, entry in enumerate(sys.argv[6:]):
        path, rgb = entry.rsplit(":", 1)
        colour = tuple(int(v) for v in rgb.split(","))
        problems, summary = check_entry(screen, left, top, width, height, index, read_ppm(path),
                                        colour)
        print(f"entry {index} on {path.rsplit('/', 1)[-1]}: {summary}")
        for problem in problems:
            print(f"  {problem}")
        failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
