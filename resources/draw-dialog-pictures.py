#!/usr/bin/env python3
"""Draws the pictures of the player's dialogs with ImageMagick's convert and the DejaVu
fonts (fonts-dejavu-core):

  SlowEnd.bmp / SlowEndMask.bmp    resources 10100 / 10102
  FastEnd.bmp / FastEndMask.bmp    resources 10101 / 10103
      the ends of the speed sliders: a tortoise and a running hare, 32 x 24, 24-bit,
      each with its mask (black where the picture shows, white where it does not, grey
      along the edges)
  KeysGerman.bmp, KeysFrench.bmp, KeysItalian.bmp, KeysEnglish.bmp
                                   resources 32700 / 32701 / 32702 / 32703
      the player's keys, 500 x 292, one picture per language of the user interface; 8-bit,
      run-length encoded
  AboutPicture.bmp                 resource 32767
      the about box's picture, 400 x 220: an open story book under a starry sky, and
      below it a meadow, over which the banner slides
  AboutBanner.bmp                  resource 32764
      the about box's banner, 1200 x 113: a landscape from the sea to the castle

Run it from this folder: python3 draw-dialog-pictures.py
"""
import os
import subprocess
import tempfile

CONVERT = os.environ.get('CONVERT', '/usr/bin/convert')
FONTS = '/usr/share/fonts/truetype/dejavu/'
SANS = FONTS + 'DejaVuSans.ttf'
SANS_BOLD = FONTS + 'DejaVuSans-Bold.ttf'


def convert(*arguments):
    subprocess.run([CONVERT, *arguments], check=True)


def quoted(text):
    """A text as MVG takes it between single quotes."""
    return "'" + text.replace('\\', '\\\\').replace("'", "\\'") + "'"


# Slider ends ----------------------------------------------------------------------------

ICON_WIDTH, ICON_HEIGHT, ICON_SCALE = 32, 24, 8

TORTOISE = """
stroke '#3a4612' stroke-width 0.8
fill '#97a75a'
ellipse 27.2,14.8 3.5,2.9 0,360
roundrectangle 6.5,16 9.5,21.5 1,1
roundrectangle 17.5,16 20.5,21.5 1,1
polygon 2.5,16.5 6,14.5 6,17.5
fill '#6f8a2a'
ellipse 14,16.5 10.5,9 180,360
fill '#c2b46a'
roundrectangle 3,15.5 25,18 1.2,1.2
fill none stroke '#3a4612' stroke-width 0.6
polyline 8.5,15.5 10.5,11 17.5,11 19.5,15.5
line 10.5,11 8.5,8.6
line 17.5,11 19.5,8.6
line 12,11 12,7.7
line 16,11 16,7.7
fill '#1a1a1a' stroke none
circle 28.3,14.1 28.95,14.1
"""

HARE = """
stroke '#4f3015' stroke-width 0.8
fill '#a86c38'
push graphic-context
translate 19.2,5.6 rotate 32
ellipse 0,0 5.2,1.5 0,360
pop graphic-context
push graphic-context
translate 21.4,4.4 rotate 52
ellipse 0,0 5.2,1.5 0,360
pop graphic-context
polygon 4,15.5 1,20.5 2.5,21 7.5,17
polygon 19,15 27.5,19 27.5,20.5 18,17.5
ellipse 12.5,13 9,5 0,360
ellipse 24,10.5 4.3,3.6 0,360
fill '#f4eadc'
circle 3.6,11 5.6,11
fill '#d8b48c' stroke none
ellipse 12.5,16 6,1.6 0,360
fill '#1a1a1a'
circle 25.4,9.6 26.1,9.6
fill '#e87a8a'
circle 28.1,11 28.6,11
"""


def draw_icon(name, mask_name, mvg):
    with tempfile.TemporaryDirectory() as work:
        drawn = os.path.join(work, 'drawn.png')
        convert('-size', f'{ICON_WIDTH * ICON_SCALE}x{ICON_HEIGHT * ICON_SCALE}', 'xc:none',
                '-draw', f'scale {ICON_SCALE},{ICON_SCALE}\n{mvg}',
                '-resize', f'{ICON_WIDTH}x{ICON_HEIGHT}', drawn)
        # The picture's own colours everywhere; the mask says where they show.
        convert(drawn, '-background', 'white', '-alpha', 'remove', '-type', 'TrueColor', f'BMP3:{name}')
        convert(drawn, '-alpha', 'extract', '-negate', '-type', 'Grayscale', '-depth', '8', f'BMP3:{mask_name}')


# The keys ---------------------------------------------------------------------------------

KEYS_WIDTH, KEYS_HEIGHT = 500, 292
PAPER = '#fbf8ee'
INK = '#23252c'
GREY_INK = '#6c6f78'
KEY_FACE = '#f2f3f6'
KEY_EDGE = '#8a8f9c'
KEY_SHADE = '#c9ccd4'
ACCENT = '#3d6fb6'

# Per language: the heading, the words between keys, the keys' names, and for each row
# the keys (a list of key names and joining words) with the action and when it applies.
LANGUAGES = {
    'English': {
        'heading': 'Keyboard Commands Summary',
        'or': 'or',
        'space': 'Space', 'escape': 'Esc', 'control': 'Ctrl', 'shift': 'Shift',
        'rows': [
            ('Pause / resume', ''),
            ('Back to the last stop point', 'while the story plays'),
            ('Previous / next stop point', 'while the story is paused'),
            ('Stop the story', ''),
            ('Show or hide the menu bar', 'in full screen'),
        ],
    },
    'French': {
        'heading': 'R\u00e9sum\u00e9 des commandes clavier',
        'or': 'ou',
        'space': 'Espace', 'escape': '\u00c9chap', 'control': 'Ctrl', 'shift': 'Maj',
        'rows': [
            ('Pause / reprise', ''),
            ('Retour au dernier point d\u2019arr\u00eat', 'pendant l\u2019histoire'),
            ('Point d\u2019arr\u00eat pr\u00e9c\u00e9dent / suivant', 'quand l\u2019histoire est en pause'),
            ('Arr\u00eater l\u2019histoire', ''),
            ('Afficher ou cacher la barre des menus', 'en plein \u00e9cran'),
        ],
    },
    'Italian': {
        'heading': 'Riepilogo dei comandi da tastiera',
        'or': 'o',
        'space': 'Spazio', 'escape': 'Esc', 'control': 'Ctrl', 'shift': 'Maiusc',
        'rows': [
            ('Pausa / riprendi', ''),
            ('Torna all\u2019ultimo punto di arresto', 'durante la storia'),
            ('Punto di arresto precedente / successivo', 'con la storia in pausa'),
            ('Ferma la storia', ''),
            ('Mostra o nascondi i menu', 'a schermo pieno'),
        ],
    },
    'German': {
        'heading': '\u00dcbersicht der Tastaturbefehle',
        'or': 'oder',
        'space': 'Leertaste', 'escape': 'Esc', 'control': 'Strg', 'shift': 'Umschalt',
        'rows': [
            ('Pause / weiter', ''),
            ('Zur\u00fcck zum letzten Haltepunkt', 'w\u00e4hrend die Geschichte l\u00e4uft'),
            ('Vorheriger / n\u00e4chster Haltepunkt', 'w\u00e4hrend der Pause'),
            ('Geschichte anhalten', ''),
            ('Men\u00fcleiste zeigen oder verbergen', 'im Vollbild'),
        ],
    },
}

KEY_HEIGHT = 26
KEY_FONT = 12
ARROW_FONT = 17
TEXT_FONT = 13
NOTE_FONT = 11
ROW_TOP = 62
ROW_STEP = 44
KEYS_LEFT = 20
TEXT_LEFT = 214


def key_width(label):
    return max(KEY_HEIGHT, 14 + round(7.6 * len(label)))


def keycap(x, y, label):
    """A key: its shade below, its edge and face, its label in the middle (an arrow larger
    than letters)."""
    w = key_width(label)
    size = ARROW_FONT if label in ('\u2190', '\u2192') else KEY_FONT
    return '\n'.join([
        f"stroke none fill '{KEY_SHADE}'",
        f'roundrectangle {x},{y + 2} {x + w},{y + KEY_HEIGHT + 2} 5,5',
        f"stroke '{KEY_EDGE}' stroke-width 1 fill '{KEY_FACE}'",
        f'roundrectangle {x + 0.5},{y + 0.5} {x + w - 0.5},{y + KEY_HEIGHT - 0.5} 5,5',
        f"stroke none fill '{INK}' font {quoted(SANS_BOLD)} font-size {size} text-anchor middle",
        f'text {x + w / 2},{y + KEY_HEIGHT / 2 + size * 0.36} {quoted(label)}',
    ]), w


def word(x, y, text):
    """A joining word between keys, set in the middle of the row."""
    width = round(6.8 * len(text))
    return '\n'.join([
        f"stroke none fill '{GREY_INK}' font {quoted(SANS)} font-size {NOTE_FONT} text-anchor middle",
        f'text {x + width / 2 + 4},{y + KEY_HEIGHT / 2 + NOTE_FONT * 0.36} {quoted(text)}',
    ]), width + 8


def key_row(y, parts):
    """Keys and words from left to right; a part is ('key', label) or ('word', text)."""
    x, drawn = KEYS_LEFT, []
    for kind, text in parts:
        piece, width = keycap(x, y, text) if kind == 'key' else word(x, y, text)
        drawn.append(piece)
        x += width + 4
    return '\n'.join(drawn)


def keys_picture(name, words):
    key, joined = (lambda label: ('key', label)), (lambda text: ('word', text))
    rows = [
        [key('P')],
        [key(words['space'])],
        [key('\u2190'), key('\u2192')],
        [key(words['escape']), joined(words['or']), key(words['control']), joined('+'), key('.')],
        [key(words['shift']), joined('+'), key('M')],
    ]
    mvg = [
        f"stroke none fill '{ACCENT}'",
        f'rectangle 0,0 {KEYS_WIDTH},6',
        f"fill '{INK}' font {quoted(SANS_BOLD)} font-size 17 text-anchor start",
        f'text {KEYS_LEFT},38 {quoted(words["heading"])}',
        f"stroke '{KEY_SHADE}' stroke-width 1",
        f'line {KEYS_LEFT},48 {KEYS_WIDTH - KEYS_LEFT},48',
    ]
    for i, (keys, (action, when)) in enumerate(zip(rows, words['rows'])):
        y = ROW_TOP + i * ROW_STEP
        mvg.append(key_row(y, keys))
        middle = y + KEY_HEIGHT / 2
        action_y = middle - 1 if when else middle + TEXT_FONT * 0.36
        mvg += [
            f"stroke none fill '{INK}' font {quoted(SANS)} font-size {TEXT_FONT} text-anchor start",
            f'text {TEXT_LEFT},{action_y} {quoted(action)}',
        ]
        if when:
            mvg += [
                f"fill '{GREY_INK}' font {quoted(SANS)} font-size {NOTE_FONT}",
                f'text {TEXT_LEFT},{middle + NOTE_FONT + 1} {quoted(when)}',
            ]
    convert('-size', f'{KEYS_WIDTH}x{KEYS_HEIGHT}', f'xc:{PAPER}', '-draw', '\n'.join(mvg),
            '+dither', '-colors', '64', '-type', 'Palette', '-compress', 'RLE', f'BMP3:{name}')


# The about box ------------------------------------------------------------------------

def about_picture(name):
    """A starry evening sky over an open book whose pages glow; the band below the book
    is plain ground, under the banner."""
    stars = [(30, 18), (62, 40), (98, 14), (140, 34), (262, 22), (300, 46), (338, 16), (372, 38), (186, 10),
             (220, 30)]
    mvg = [
        "stroke none fill '#1e2a5a'",
        'rectangle 0,0 400,104',
        "fill '#2c3d78'",
        'rectangle 0,70 400,104',
        "fill '#fff3b0'",
    ]
    mvg += [f'circle {x},{y} {x + 1.6},{y}' for x, y in stars]
    mvg += [
        "fill '#f6e27a'",
        'circle 350,28 350,44',
        "fill '#1e2a5a'",
        'circle 357,24 357,40',
        # The book: its cover, then the two pages curving up from the spine.
        "fill '#8a3a2a'",
        'roundrectangle 122,58 278,100 4,4',
        "fill '#fffaf0' stroke '#b9a77a' stroke-width 1",
        'path "M 200,92 C 180,84 150,82 128,88 L 128,54 C 150,48 180,50 200,58 Z"',
        'path "M 200,92 C 220,84 250,82 272,88 L 272,54 C 250,48 220,50 200,58 Z"',
        "stroke '#c9bd9a' stroke-width 1 fill none",
    ]
    for i in range(4):
        y = 62 + i * 6
        mvg.append(f'path "M 138,{y + 2} C 158,{y - 3} 176,{y - 2} 192,{y + 3}"')
        mvg.append(f'path "M 208,{y + 3} C 224,{y - 2} 242,{y - 3} 262,{y + 2}"')
    mvg += [
        # Sparks rising from the pages.
        "stroke none fill '#ffe680'",
        'polygon 200,20 203,28 211,30 203,32 200,40 197,32 189,30 197,28',
        'polygon 168,34 170,38 174,39 170,40 168,44 166,40 162,39 166,38',
        'polygon 236,32 238,36 242,37 238,38 236,42 234,38 230,37 234,36',
        # Below the book, where the animated box slides its banner: a meadow under a pale
        # sky, and a path winding into it.
        "fill '#cfe6f5'",
        'rectangle 0,104 400,220',
        "fill '#7fb35a'",
        'path "M 0,220 L 0,170 C 80,150 160,176 240,160 C 300,148 350,158 400,150 L 400,220 Z"',
        "fill '#5d9a45'",
        'path "M 0,220 L 0,196 C 120,180 260,204 400,186 L 400,220 Z"',
        "fill '#ecd9a0'",
        'path "M 186,220 C 196,200 214,186 236,166 L 244,166 C 226,188 214,204 212,220 Z"',
    ]
    convert('-size', '400x220', 'xc:#1e2a5a', '-draw', '\n'.join(mvg),
            '+dither', '-colors', '128', '-type', 'Palette', '-compress', 'RLE', f'BMP3:{name}')


def about_banner(name):
    """From left to right: the sea with a sailing boat, a beach, a village, a forest, hills
    and a castle; a sky with clouds and birds over all of it."""
    mvg = [
        "stroke none fill '#cfe6f5'",
        'rectangle 0,0 1200,113',
        "fill '#ffffff'",
    ]
    for x, y in [(60, 20), (250, 14), (470, 24), (690, 12), (900, 22), (1110, 16)]:
        mvg += [f'ellipse {x},{y} 28,9 0,360', f'ellipse {x + 22},{y - 5} 18,9 0,360',
                f'ellipse {x - 20},{y + 2} 16,7 0,360']
    mvg += ["fill none stroke '#4a4f5a' stroke-width 1.2"]
    for x, y in [(150, 30), (168, 24), (560, 34), (800, 28), (1000, 36)]:
        mvg.append(f'path "M {x - 6},{y} Q {x - 3},{y - 4} {x},{y} Q {x + 3},{y - 4} {x + 6},{y}"')
    mvg += [
        # The sea and the boat.
        "stroke none fill '#3b7fc4'",
        'rectangle 0,72 230,113',
        "fill '#5f9ad6'",
        'rectangle 0,78 230,82',
        "fill '#7a4a2a'",
        'polygon 70,70 130,70 120,80 80,80',
        "fill '#fdfdf5'",
        'polygon 98,22 98,66 70,66',
        'polygon 102,28 102,66 124,66',
        "fill '#7a4a2a'",
        'rectangle 98,20 101,70',
        # The beach.
        "fill '#ecd9a0'",
        'path "M 230,113 L 230,72 C 260,66 300,66 330,70 L 330,113 Z"',
        # Fields and hills behind the village, forest and castle.
        "fill '#7fb35a'",
        'path "M 320,113 L 320,72 C 420,52 520,66 620,60 C 720,54 820,40 920,52 C 1020,60 1120,44 1200,50 L 1200,113 Z"',
        "fill '#5d9a45'",
        'path "M 320,113 L 320,86 C 450,74 560,90 700,80 C 840,72 980,88 1200,76 L 1200,113 Z"',
    ]
    # The village: houses with red roofs and lit windows.
    for x, h in [(350, 24), (392, 30), (436, 22), (476, 28)]:
        top = 84 - h
        mvg += [
            "fill '#f3ead6'", f'rectangle {x},{top} {x + 32},84',
            "fill '#c2412e'", f'polygon {x - 4},{top} {x + 16},{top - 14} {x + 36},{top}',
            "fill '#f6d35a'", f'rectangle {x + 6},{top + 6} {x + 13},{top + 13}',
            f'rectangle {x + 19},{top + 6} {x + 26},{top + 13}',
            "fill '#7a4a2a'", f'rectangle {x + 12},{76} {x + 20},84',
        ]
    # The forest.
    for i, x in enumerate(range(540, 760, 22)):
        h = 30 + (i * 7) % 14
        mvg += [
            "fill '#6b4a2a'", f'rectangle {x - 2},{86 - 8} {x + 2},86',
            "fill '#2f7a3a'", f'polygon {x - 12},{78} {x},{78 - h} {x + 12},{78}',
            "fill '#3d8f47'", f'polygon {x - 9},{70} {x},{70 - h + 8} {x + 9},{70}',
        ]
    # The castle on its hill.
    mvg += [
        "fill '#9aa0ad'",
        'rectangle 960,40 1080,84',
        'rectangle 950,24 978,84',
        'rectangle 1062,24 1090,84',
        'rectangle 1005,14 1035,84',
    ]
    for left, right, top in [(950, 978, 24), (1062, 1090, 24), (1005, 1035, 14)]:
        for x in range(left, right, 8):
            mvg.append(f'rectangle {x},{top - 6} {x + 4},{top}')
    for x in range(960, 1080, 10):
        mvg.append(f'rectangle {x},34 {x + 5},40')
    mvg += [
        "fill '#4a3a5a'",
        'path "M 1008,84 L 1008,64 Q 1020,52 1032,64 L 1032,84 Z"',
        'rectangle 960,48 968,58',
        'rectangle 1072,48 1080,58',
        "fill '#c2412e'",
        'polygon 1020,2 1020,12 1034,7',
        "fill '#5a4a3a'",
        'rectangle 1019,2 1021,14',
    ]
    convert('-size', '1200x113', 'xc:#cfe6f5', '-draw', '\n'.join(mvg),
            '+dither', '-colors', '128', '-type', 'Palette', '-compress', 'RLE', f'BMP3:{name}')


draw_icon('SlowEnd.bmp', 'SlowEndMask.bmp', TORTOISE)
draw_icon('FastEnd.bmp', 'FastEndMask.bmp', HARE)
for language, words in LANGUAGES.items():
    keys_picture(f'Keys{language}.bmp', words)
about_picture('AboutPicture.bmp')
about_banner('AboutBanner.bmp')
