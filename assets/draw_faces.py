#!/usr/bin/env python3
"""Draws the image-button faces and the program icon as SVG.

Run it after changing a letter or a colour; it rewrites faces/*.svg and
icon/quillmark.svg next to itself. Standard library only.

The lettering is built from rectangles and polygons on the pixel grid, so the
faces need no font and stay sharp at any whole scale. A word is painted twice:
first every piece with a 2 px navy stroke, then every piece filled near-white
on top. The white covers the strokes inside the letter and leaves exactly one
navy pixel around the outside and inside every counter.
"""

from pathlib import Path

PANEL_GREY = "#E0E0E0"
NAVY = "#000080"
PLATE = "#D8D8D8"
PLATE_OUTLINE = "#101010"
LETTER_FILL = "#FCFCFC"

WORD_FACE = (181, 62)
ARROW_FACE = (57, 28)

# The plate sits inside the face with its top-left corner at (10, 10).
PLATE_RECT = (10, 10, 161, 43)

# Letter metrics: capitals 20 px tall, Д and Щ reach 3 px below the line.
CAP = 20
LETTER_GAP = 4
WORD_SPACE = 14
CAP_TOP = 20  # the outlined lettering spans y 19..41, or 19..44 with Д or Щ


def R(x, y, w, h):
    return [(x, y), (x + w, y), (x + w, y + h), (x, y + h)]


def P(*points):
    return list(points)


def mirrored(width, piece):
    return [(width - x, y) for x, y in reversed(piece)]


def box_ring(x, y, w, h, t, c):
    """A rectangular ring of stroke t with its outer corners cut by c."""
    return [
        R(x + c, y, w - 2 * c, t),
        R(x + c, y + h - t, w - 2 * c, t),
        R(x, y + c, t, h - 2 * c),
        R(x + w - t, y + c, t, h - 2 * c),
        P((x, y + c), (x + c, y), (x + c, y + c)),
        P((x + w - c, y), (x + w, y + c), (x + w - c, y + c)),
        P((x, y + h - c), (x + c, y + h - c), (x + c, y + h)),
        P((x + w - c, y + h - c), (x + w, y + h - c), (x + w - c, y + h)),
    ]


def bowl(x, y, w, h, t, c):
    """The closed right-hand loop of Р and Ь; the stem closes its left side."""
    return [
        R(x, y, w - c, t),
        P((x + w - c, y), (x + w, y + c), (x + w - c, y + c)),
        R(x + w - t, y + c, t, h - 2 * c),
        P((x + w - c, y + h - c), (x + w, y + h - c), (x + w - c, y + h)),
        R(x, y + h - t, w - c, t),
    ]


def letter_A():
    left_leg = P((4, 0), (8, 0), (4, CAP), (0, CAP))
    return 18, [
        R(4, 0, 10, 3),
        left_leg,
        mirrored(18, left_leg),
        R(3, 11, 12, 3),
        R(0, 17, 6, 3),
        R(12, 17, 6, 3),
    ]


# Each letter: (width, pieces) in pixels, origin at the letter's top-left.
LETTERS = {
    "Д": (18, [
        R(3, 0, 12, 3),
        R(4, 0, 3, 17),
        R(12, 0, 3, 17),
        R(0, 17, 18, 3),
        R(0, 20, 3, 3),
        R(15, 20, 3, 3),
    ]),
    "Е": (13, [
        R(1, 0, 3, CAP),
        R(0, 0, 13, 3),
        R(10, 0, 3, 6),
        R(1, 8, 9, 3),
        R(0, 17, 13, 3),
        R(10, 14, 3, 6),
    ]),
    "Л": (16, [
        R(4, 0, 12, 3),
        P((4, 0), (8, 0), (4, CAP), (0, CAP)),
        R(12, 0, 3, CAP),
        R(11, 17, 5, 3),
    ]),
    "А": letter_A(),
    "Т": (15, [
        R(0, 0, 15, 3),
        R(0, 0, 3, 6),
        R(12, 0, 3, 6),
        R(6, 0, 3, CAP),
        R(4, 17, 7, 3),
    ]),
    "Ь": (14, [
        R(1, 0, 3, CAP),
        R(0, 0, 6, 3),
        R(0, 17, 4, 3),
        *bowl(1, 8, 13, 12, 3, 3),
    ]),
    "О": (15, box_ring(0, 0, 15, CAP, 3, 3)),
    "П": (15, [
        R(0, 0, 15, 3),
        R(1, 0, 3, CAP),
        R(11, 0, 3, CAP),
        R(0, 17, 5, 3),
        R(10, 17, 5, 3),
    ]),
    "Р": (14, [
        R(1, 0, 3, CAP),
        R(0, 17, 5, 3),
        R(0, 0, 2, 3),
        *bowl(1, 0, 13, 12, 3, 3),
    ]),
    "Г": (13, [
        R(0, 0, 13, 3),
        R(10, 0, 3, 6),
        R(1, 0, 3, CAP),
        R(0, 17, 5, 3),
    ]),
    "М": (21, [
        R(0, 0, 5, 3),
        R(16, 0, 5, 3),
        R(1, 0, 3, CAP),
        R(17, 0, 3, CAP),
        P((1, 0), (5, 0), (12, 13), (9, 13)),
        P((16, 0), (20, 0), (12, 13), (9, 13)),
        R(0, 17, 5, 3),
        R(16, 17, 5, 3),
    ]),
    "Щ": (22, [
        R(0, 0, 5, 3),
        R(8, 0, 5, 3),
        R(16, 0, 5, 3),
        R(1, 0, 3, CAP),
        R(9, 0, 3, CAP),
        R(17, 0, 3, CAP),
        R(0, 17, 22, 3),
        R(19, 20, 3, 3),
    ]),
}

# Latin capitals the English faces need beyond those that share a Cyrillic
# shape (A, E, M, O, P, T), in the same slab-serif style.
LETTERS.update({
    "A": LETTERS["А"],
    "E": LETTERS["Е"],
    "M": LETTERS["М"],
    "O": LETTERS["О"],
    "P": LETTERS["Р"],
    "T": LETTERS["Т"],
    "B": (14, [
        R(1, 0, 3, CAP),
        R(0, 0, 2, 3),
        R(0, 17, 2, 3),
        *bowl(1, 0, 12, 11, 3, 3),
        *bowl(1, 8, 13, 12, 3, 3),
    ]),
    "H": (15, [
        R(0, 0, 5, 3),
        R(10, 0, 5, 3),
        R(1, 0, 3, CAP),
        R(11, 0, 3, CAP),
        R(1, 8, 13, 3),
        R(0, 17, 5, 3),
        R(10, 17, 5, 3),
    ]),
    "K": (15, [
        R(0, 0, 5, 3),
        R(1, 0, 3, CAP),
        R(0, 17, 5, 3),
        P((4, 8), (10, 0), (14, 0), (4, 12)),
        P((6, 9), (14, CAP), (10, CAP), (4, 12)),
        R(10, 0, 5, 3),
        R(10, 17, 5, 3),
    ]),
    "L": (13, [
        R(0, 0, 5, 3),
        R(1, 0, 3, CAP),
        R(0, 17, 13, 3),
        R(10, 14, 3, 6),
    ]),
    "U": (15, [
        R(0, 0, 5, 3),
        R(10, 0, 5, 3),
        R(1, 0, 3, CAP - 3),
        R(11, 0, 3, CAP - 3),
        P((1, CAP - 3), (4, CAP - 3), (4, CAP)),
        R(4, CAP - 3, 7, 3),
        P((11, CAP - 3), (14, CAP - 3), (11, CAP)),
    ]),
})

# The words of the three big buttons in each language the program speaks;
# the program's own Russian faces lie at the top of faces/, every other
# language's in a folder named by its code.
WORDS = {
    "": {"generate": "ДЕЛАТЬ", "about": "О ПРОГЕ", "help": "ПОМОЩЬ"},
    "en/": {"generate": "MAKE", "about": "ABOUT", "help": "HELP"},
}


def fmt(v):
    return str(int(v)) if float(v).is_integer() else f"{v:g}"


def clockwise(points):
    # Every piece winds the same way, so overlapping pieces add up under the
    # nonzero rule instead of cancelling each other.
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    return points if area > 0 else list(reversed(points))


def path_data(pieces):
    return " ".join(
        "M" + " L".join(f"{fmt(x)},{fmt(y)}" for x, y in clockwise(p)) + " Z" for p in pieces)


def word_pieces(word):
    pieces, x = [], 0
    for ch in word:
        if ch == " ":
            x += WORD_SPACE - LETTER_GAP
            continue
        width, shapes = LETTERS[ch]
        pieces += [[(px + x, py) for px, py in s] for s in shapes]
        x += width + LETTER_GAP
    return x - LETTER_GAP, pieces


def svg(width, height, body):
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
        f'width="{width}" height="{height}" viewBox="0 0 {width} {height}">\n'
        + "".join(f"  {line}\n" for line in body)
        + "</svg>\n"
    )


def background(width, height):
    return f'<rect x="0" y="0" width="{width}" height="{height}" fill="{PANEL_GREY}"/>'


def lettering(word):
    width, pieces = word_pieces(word)
    px, py, pw, _ = PLATE_RECT
    # Centre the outlined word (1 px wider on each side) on the plate.
    left = px + (pw - (width + 2)) // 2 + 1
    d = path_data([[(x + left, y + CAP_TOP) for x, y in p] for p in pieces])
    return [
        f'<path fill="{NAVY}" stroke="{NAVY}" stroke-width="2" stroke-miterlimit="1.5" d="{d}"/>',
        f'<path fill="{LETTER_FILL}" d="{d}"/>',
    ]


def pressed_shadow():
    # Four one-pixel L-shaped rings along the right and bottom edges, darkest
    # at the edge; they do not overlap, so the corner is no darker than the rest.
    x, y, w, h = PLATE_RECT
    right, bottom = x + w, y + h
    rings = []
    for i, opacity in enumerate((0.42, 0.27, 0.15, 0.06)):
        ring = P((right - i - 1, y + i), (right - i, y + i), (right - i, bottom - i),
                 (x + i, bottom - i), (x + i, bottom - i - 1), (right - i - 1, bottom - i - 1))
        rings.append(f'<path fill="#000000" fill-opacity="{opacity}" d="{path_data([ring])}"/>')
    return rings


def word_face(word, pressed):
    x, y, w, h = PLATE_RECT
    body = [background(*WORD_FACE), f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{PLATE}"/>']
    if pressed:
        body += pressed_shadow()
    else:
        # A filled frame rather than a stroked rectangle: Qt draws a 1 px
        # stroke one pixel off at 1x, while filled edges land exactly.
        frame = [R(x, y, w, 1), R(x, y + h - 1, w, 1), R(x, y, 1, h), R(x + w - 1, y, 1, h)]
        body.append(f'<path fill="{PLATE_OUTLINE}" d="{path_data(frame)}"/>')
    return svg(*WORD_FACE, body + lettering(word))


def arrow_face(pointing_up, left, top):
    w, h = 30, 15
    if pointing_up:
        points = P((left, top + h), (left + w / 2, top), (left + w, top + h))
    else:
        points = P((left, top), (left + w, top), (left + w / 2, top + h))
    return svg(*ARROW_FACE, [background(*ARROW_FACE),
                             f'<path fill="{NAVY}" d="{path_data([points])}"/>'])


def icon():
    # A face: white disc, a black band at eye height with two diamond eyes
    # taller than the band, and a straight mouth.
    def diamond(cx, cy, rx, ry):
        return P((cx, cy - ry), (cx + rx, cy), (cx, cy + ry), (cx - rx, cy))

    features = [R(1, 12, 30, 3), diamond(10.5, 13.5, 3.5, 5), diamond(21.5, 13.5, 3.5, 5), R(11, 22, 10, 2)]
    return svg(32, 32, [
        '<circle cx="16" cy="16" r="15.5" fill="#FFFFFF" stroke="#000000" stroke-width="1"/>',
        f'<path fill="#000000" d="{path_data(features)}"/>',
    ])


def main():
    root = Path(__file__).resolve().parent
    outputs = {}
    for folder, words in WORDS.items():
        for name, word in words.items():
            outputs[f"faces/{folder}{name}-normal.svg"] = word_face(word, pressed=False)
            outputs[f"faces/{folder}{name}-pressed.svg"] = word_face(word, pressed=True)
    # Pressing moves the arrow 2 px right and 1 px down.
    outputs["faces/up-normal.svg"] = arrow_face(True, 14, 7)
    outputs["faces/up-pressed.svg"] = arrow_face(True, 16, 8)
    outputs["faces/down-normal.svg"] = arrow_face(False, 13, 6)
    outputs["faces/down-pressed.svg"] = arrow_face(False, 15, 7)
    outputs["icon/quillmark.svg"] = icon()

    for relative, text in outputs.items():
        target = root / relative
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_text(text, encoding="utf-8")
    for folder, words in WORDS.items():
        for name, word in words.items():
            width, pieces = word_pieces(word)
            height = max(y for piece in pieces for _, y in piece)
            print(f"{folder}{name}: {word} lettering {width + 2} x {height + 2} px with outline")


if __name__ == "__main__":
    main()
