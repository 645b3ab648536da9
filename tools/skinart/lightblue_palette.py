"""Lightblue's colours and sizes.

The colours the skin's picture families share, the window frame's geometry
(which the description repeats), the looks of button-like elements in each
state, and the colour tables of the caption buttons, the progress bar and
the edit borders. Colours that a single picture uses are written where that
picture is drawn.
"""

WHITE = (255, 255, 255)
BUTTON_FACE = (236, 243, 250)      # window and dialog background
INK = (20, 50, 95)                 # text and glyphs
INK_HOT = (18, 80, 160)
INK_OFF = (152, 162, 174)          # disabled glyphs
ACCENT = (58, 132, 212)            # selection, progress, checked marks
ACCENT_DARK = (36, 96, 170)

BORDER = (122, 160, 204)
BORDER_HOT = (66, 136, 214)
BORDER_DOWN = (48, 98, 162)
BORDER_OFF = (188, 197, 208)
BORDER_FOCUS = (44, 104, 178)

FACE = [(255, 255, 255), (236, 244, 252), (214, 231, 249)]
FACE_HOT = [(255, 255, 255), (238, 247, 255), (198, 226, 254)]
FACE_DOWN = [(184, 211, 240), (204, 224, 246), (220, 234, 250)]
FACE_OFF = [(246, 247, 249), (236, 239, 243)]
FOCUS_RING = (160, 204, 244)

TRACK = [(218, 229, 241), (234, 241, 249), (242, 247, 252)]
SEPARATOR = (196, 212, 232)

# The window frame: outline, inner highlight, caption gloss, side body,
# the line that separates frame and client area, caption text.
FRAME_ACTIVE = {
    "outline": (58, 104, 160),
    "highlight": (244, 250, 255),
    "gloss_top": [(232, 244, 255), (210, 231, 251)],
    "gloss_bottom": [(190, 220, 247), (168, 206, 242)],
    "body": (168, 206, 242),
    "inner": (112, 154, 204),
    "text": (16, 46, 92),
}
FRAME_INACTIVE = {
    "outline": (138, 150, 166),
    "highlight": (252, 253, 254),
    "gloss_top": [(242, 245, 248), (230, 235, 240)],
    "gloss_bottom": [(222, 228, 235), (212, 219, 228)],
    "body": (212, 219, 228),
    "inner": (168, 178, 192),
    "text": (112, 124, 140),
}

# Window frame geometry, shared by the pictures and the description.
BORDER_SIDE = 5          # left and right border width
BORDER_BOTTOM = 5        # bottom border height
TITLE_HEIGHT = 27        # caption height (top border frame height)
TOP_END = 12             # fixed ends of the top border
SIDE_TOP_FIXED = 29      # fixed top part of the side borders
CORNER_RADIUS = 8.0      # rounding of the two top corners

TITLE_BUTTON = 21        # caption buttons are 21 x 21, six frames
SCROLL = 16              # scroll bar thickness (the system arrow size)

# State looks of button-like elements: border, face stops, glyph ink.
LOOKS = {
    "normal": (BORDER, FACE, INK),
    "pressed": (BORDER_DOWN, FACE_DOWN, INK),
    "disabled": (BORDER_OFF, FACE_OFF, INK_OFF),
    "hot": (BORDER_HOT, FACE_HOT, INK_HOT),
    "focused": (BORDER_FOCUS, FACE, INK),
}


# Caption buttons: border, face stops, glyph ink, glyph shadow.
# Frames 1-4 are what the title bar shows: normal, pressed, hot, and the
# look of a disabled button or of any button on an inactive window. Frames
# 5 and 6 give hot and pressed for the inactive look, so a six-frame strip
# never repeats itself.
CAPTION_LOOKS = [
    ((104, 146, 200), [(252, 254, 255), (226, 239, 252), (204, 227, 250)], INK, WHITE),
    ((52, 96, 156), [(176, 207, 240), (198, 222, 247), (214, 232, 251)], INK, (228, 239, 252)),
    ((64, 132, 212), [(255, 255, 255), (234, 245, 255), (192, 225, 255)], INK_HOT, WHITE),
    ((168, 178, 190), [(247, 248, 250), (229, 233, 238)], INK_OFF, (252, 252, 253)),
    ((150, 164, 182), [(255, 255, 255), (228, 234, 242)], (112, 124, 140), WHITE),
    ((128, 140, 158), [(212, 218, 226), (232, 236, 241)], (98, 110, 124), (240, 242, 245)),
]
CLOSE_HOT = ((168, 44, 38), [(250, 152, 142), (232, 98, 86), (206, 58, 48)], WHITE, (150, 36, 30))
CLOSE_DOWN = ((126, 30, 26), [(188, 52, 44), (210, 78, 68), (224, 102, 92)], WHITE, (112, 24, 20))


# Progress bar fill and the edit borders of combo boxes (normal, pressed,
# disabled, hot).
PROGRESS_FILL = [(170, 214, 252), (126, 190, 246), (78, 152, 232), (96, 170, 240)]
EDIT_BORDERS = [BORDER, BORDER_FOCUS, BORDER_OFF, BORDER_HOT]
